#pragma once

#include "data/zapiszaznam.h"
#include "records/pravazaznamu.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

class TKTDATASET;
class TKategorieKUC;

// One address book entry (a row of ADRESAR_ZAKL) as the editor's fields hold
// it, and the statements that store it. Importers fill the same struct and
// store it with UlozAdresu.
struct AdresaPole {
    QString Nazev;
    QString Jmeno;
    QString Prijmeni;
    QString Nazev2;
    QString Titul;
    QString ZaPrijmenim;
    QString Ulice;
    QString Mesto;
    QString Psc;
    QString Email1;
    QString Email2;
    QString Telefon1;
    QString Telefon2;
    QString Mobil1;
    QString Mobil2;
    QString Fax1;
    QString Www1;
    QString Www2;
    QString Ico;
    QString Dic;
    QString BuUcet;
    QString BuBanka;
    QString Stat;
    QString NazevZkraceny; // at most DelkaZkratky characters are stored
    PravaZaznamu Prava;    // Alarm is not used: addresses have no alarm right

    // The field of a text column of SloupceAdresy() (upper case); nullptr for
    // any other name.
    QString* pole(const QString& sloupec);
    const QString* pole(const QString& sloupec) const;
};

// The text columns in the order of the statements: NAZEV … STAT, NAZEV_ZKRACENY.
const QStringList& SloupceAdresy();

constexpr int DelkaZkratky = 10; // NAZEV_ZKRACENY
constexpr int CilAdresar = 1;    // SOUBOR.CIL of an address book entry

extern const QString SqlNactiAdresu;    // "%d" = ADRESAR_ZAKL_ID
extern const QString SqlPoznamkaAdresy; // "%d" = ADRESAR_ZAKL_ID
extern const QString ProceduraPoznamkyAdresy;

// Fields from a row of SqlNactiAdresu.
AdresaPole AdresaZRadku(const TKTDATASET& tabulka, int radek);

// The statements of one save, run in one transaction: for a stored entry
// (zaznamId != 0) the update, the delete of its links and the inserts; for a
// new one (noveId) the insert and the link inserts. The short name is cut to
// its column in both. With the entry as the editor read it, the update names
// its revision and writes only what the user changed (links too).
QStringList PrikazyUlozeniAdresy(const AdresaPole& a, int zaznamId, int noveId, int uzivatel,
                                 const TKategorieKUC& kategorie,
                                 const std::optional<PrectenyZaznam<AdresaPole>>& precteny = std::nullopt);

// Stores the entry (zaznamId 0: a new one under a new ADRESAR_ZAKL_ID) with
// its category links and, when given, its note in one transaction, then
// announces the change.
VysledekZapisu UlozAdresu(TDataModuleIb& db, const AdresaPole& a, int zaznamId, int uzivatel,
                          const TKategorieKUC& kategorie,
                          const std::optional<QByteArray>& poznamka = std::nullopt,
                          const std::optional<PrectenyZaznam<AdresaPole>>& precteny = std::nullopt);

// Deletes the entry, its category links and its attached-file links (not the
// files) in one transaction and announces the change; the server's error
// text, empty on success.
VysledekZapisu SmazAdresu(TDataModuleIb& db, int zaznamId);

// ---- Mail and web -----------------------------------------------------------

// "mailto:" with the trimmed address; nothing for an empty one.
std::optional<QUrl> MailAdresa(const QString& email);
// A web page from a stored text: only http and https; "http://" is put before
// a text without a scheme. Nothing for an empty text or anything else (a
// path, "file:", "javascript:" ...): a stored text is never run or opened as
// a file.
std::optional<QUrl> WebAdresa(const QString& text);
