#pragma once

#include "users/rights.h"

#include <QString>
#include <QStringList>

class TKTDATASET;
class TKategorieKUC;

// One calendar event as the editor's fields hold it, and the statements that
// store it.
struct UdalostPole {
    QString Datum;
    QString CasOd;
    QString CasDo;
    bool CelyDen = false;
    QString Nazev;
    bool Alarm = false;
    QString AlarmDatum;
    QString AlarmCas;
    int TypAkce = -1; // position in TypyAkce(), -1 = none chosen
    QString Akce;
    PravaZaznamu Prava;
};

// "Dialog", "Dialog + Zvuk", "Pouze zvuk", "Spustit soubor".
const QStringList& TypyAkce();

extern const QString SqlNactiUdalost;     // "%d" = KU_ID
extern const QString SqlPoznamkaUdalosti; // "%d" = KU_ID

// Fields from a row of SqlNactiUdalost.
UdalostPole UdalostZRadku(const TKTDATASET& tabulka, int radek);

// A save needs a date: neither empty after trimming nor "00.00.0".
bool UdalostMaDatum(const UdalostPole& u);

// The statements of one save, run in one transaction: for a stored event
// (zaznamId != 0) the update, the delete of its links and the inserts; for a
// new one (noveId) the insert and the link inserts.
QStringList PrikazyUlozeniUdalosti(const UdalostPole& u, int zaznamId, int noveId, int uzivatel,
                                   const TKategorieKUC& kategorie);

// Fills "%s" and "%d" of a template in order with the given texts.
QString VyplnSablonu(const QString& sablona, const QStringList& hodnoty);
