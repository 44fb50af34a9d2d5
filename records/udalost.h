#pragma once

#include "data/zapiszaznam.h"
#include "records/polozkakalendare.h"
#include "records/pravazaznamu.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

class TSQLDATA;
class TKategorieKUC;

// One calendar event as the editor's fields hold it, and the statements that
// store it.
struct UdalostPole : PolozkaKalendare {
    QString CasOd;
    bool CelyDen = false;
    // The last day when it is not the start's: the end's day of an event
    // that ends after midnight (CAS_DO holds it), the last day of a whole-day
    // event over several days (DATUM_DO). Empty: the start's day.
    QString DatumDo;
};

// The start of the event its fields describe (a whole day or no time:
// midnight); invalid without a date.
QDateTime ZacatekUdalosti(const UdalostPole& u);

// The fields of the series' occurrence that starts at `vyskyt`: its day and
// times, the alarm as far before it as the series' is before its start.
UdalostPole PoleVyskytu(const UdalostPole& serie, const QDateTime& vyskyt);

// How far a change of one occurrence of a series reaches.
enum class RozsahZmeny { JenTento, TentoANasledujici, Vsechny };

// The rule of a series ended just before the occurrence `vyskyt` (its end or
// count replaced by that instant).
QString PravidloDo(const QString& pravidlo, const QDateTime& vyskyt);

// Stores the occurrence `vyskyt` of the series `serieId` (read as `serie` at
// revision `revize`) as the user edited it (`u`): only this one becomes a row
// of its own that replaces it; this and the following ones end the series
// before it and start a new one with the edited fields (later changed
// occurrences move to it); all of them move the series by the edit's shift.
VysledekZapisu UlozVyskyt(TDataModuleIb& db, const UdalostPole& u, int serieId, const UdalostPole& serie,
                          int revize, const QDateTime& vyskyt, RozsahZmeny rozsah, int uzivatel,
                          const TKategorieKUC& kategorie, const std::optional<QByteArray>& poznamka);

// Deletes the occurrence `vyskyt` (excluded from the series), it and the
// following ones (the series ends before it), or the whole series.
VysledekZapisu SmazVyskyt(TDataModuleIb& db, int serieId, const UdalostPole& serie, int revize,
                          const QDateTime& vyskyt, RozsahZmeny rozsah);

extern const QString SqlPoznamkaUdalosti; // "%d" = KU_ID

// The stored event; nothing when there is no such row.
std::optional<UdalostPole> NactiUdalost(TSQLDATA& db, int id);

// A save needs a date that parses, and times and an alarm date that are
// empty or parse; anything else is refused before a statement is built.
bool UdalostMaPlatnaData(const UdalostPole& u);

// The statements of one save, run in one transaction: for a stored event
// (zaznamId != 0) the update, the delete of its links and the inserts; for a
// new one (noveId) the insert and the link inserts. With the event as the
// editor read it, the update names its revision, writes only the fields that
// differ from it, and the links only when the categories were changed.
QStringList PrikazyUlozeniUdalosti(const UdalostPole& u, int zaznamId, int noveId, int uzivatel,
                                   const TKategorieKUC& kategorie,
                                   const std::optional<PrectenyZaznam<UdalostPole>>& precteny = std::nullopt);

// Stores the event (zaznamId 0: a new one under a new KU_ID) with its
// category links and its note (the note procedure's bytes; nothing: the note
// stays) in one transaction, then announces the change. With the event as
// read, a save after another workstation's reports the conflict instead.
VysledekZapisu UlozUdalost(TDataModuleIb& db, const UdalostPole& u, int zaznamId, int uzivatel,
                           const TKategorieKUC& kategorie, const std::optional<QByteArray>& poznamka,
                           const std::optional<PrectenyZaznam<UdalostPole>>& precteny = std::nullopt);

// Deletes the event and its category links in one transaction and announces
// the change.
VysledekZapisu SmazUdalost(TDataModuleIb& db, int zaznamId);
