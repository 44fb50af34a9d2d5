#include "prehledy.h"

#include "common/commandtarget.h"
#include "common/session.h"
#include "data/sqlvalues.h"
#include "overview/gridquery.h"
#include "records/pravazaznamu.h"
#include "records/seznamy.h"

#include <vector>

namespace prehledy
{
namespace
{

struct Sloupec {
    const char* pole;
    const char* titulek;
    bool scitat = false;
    const char* typ = "";
    int sirka = 0;
};

// The part of the WHERE text that depends on the session or the category bar.
enum class Filtr {
    Zadny,
    Kategorie, // follows the category bar; distinct rows while any category matches
    AlarmUdalosti,
    AlarmUkolu,
    CteniAut,
    CteniJizd,
};

struct Prehled {
    const char* nazev;
    unsigned zprava;
    const char* tabulka;
    std::vector<Sloupec> sloupce;
    Filtr filtr = Filtr::Zadny;
    const char* dalsiTabulky = "";
    const char* podminka = ""; // fixed WHERE text in front of the filter
    bool mazani = false;
    const char* sloupecBarvyPisma = "";
    const char* sloupecBarvyPozadi = "";
    ColourValue barvaPisma = 0;
    ColourValue barvaPozadi = 0xFFFFFF;
    const char* zvyrazneniSloupec = "";
    const char* zvyrazneniHodnota = "";
    ColourValue zvyrazneniBarvaPisma = 0;
    ColourValue zvyrazneniBarvaPozadi = 0xFFFFFF;
};

// Code lists of categories: name and order, each row on its own colour.
Prehled kategorie(const char* nazev, unsigned zprava, const char* tabulka, const char* nazevSloupce,
                  const char* poradi, const char* barva)
{
    return {.nazev = nazev,
            .zprava = zprava,
            .tabulka = tabulka,
            .sloupce = {{nazevSloupce, "Název", false, "", 40}, {poradi, "Pořadí", false, "integer"}},
            .sloupecBarvyPozadi = barva,
            .barvaPisma = 0xFFFFFF};
}

const std::vector<Prehled>& tabulka()
{
    static const std::vector<Prehled> t = {
        kategorie("CiselnikKalendarKategorie", WM_EDIT_CALENDAR_CATEGORY, "KU_C_KAT", "KU_C_KAT_NAZEV",
                  "KU_C_KAT_PORADI", "KU_C_KAT_BARVA"),
        kategorie("CiselnikAdresarKategorie", WM_EDIT_ADDRESS_CATEGORY, "ADRESAR_C_KAT",
                  "ADRESAR_C_KAT_NAZEV", "ADRESAR_C_KAT_PORADI", "ADRESAR_C_KAT_BARVA"),
        {.nazev = "BrowseAdresarZakladni",
         .zprava = WM_EDIT_ADDRESS,
         .tabulka = "ADRESAR_ZAKL",
         .sloupce = {{"NAZEV_ZKRACENY", "Zkratka"},
                     {"NAZEV", "Název"},
                     {"TITUL", "Titul"},
                     {"JMENO", "Jméno"},
                     {"PRIJMENI", "Příjmení"},
                     {"ZA_PRIJMENIM", "Titul za"}},
         .filtr = Filtr::Kategorie,
         .sloupecBarvyPisma = "ADRESAR_C_KAT_BARVA"},
        {.nazev = "BrowseUkoly",
         .zprava = WM_EDIT_TASK,
         .tabulka = "UKOLY",
         .sloupce = {{"AKTIVNI", "Aktivní", false, "boolean"},
                     {"NAZEV", "Název", false, "", 25},
                     {"DATUM", "Datum"},
                     {"CAS_DO", "Čas"}},
         .filtr = Filtr::Kategorie,
         .sloupecBarvyPisma = "KU_C_KAT_BARVA"},
        {.nazev = "BrowseAdresarPanel",
         .zprava = WM_EDIT_SPECIAL_ADDRESS,
         .tabulka = "ADRESAR_SPEC",
         .sloupce = {{"NAZEV", "Název"},
                     {"JMENO", "Jméno"},
                     {"PRIJMENI", "Příjmení"},
                     {"TELEFON1", "Telefon1"},
                     {"TELEFON2", "Telefon2"},
                     {"ULICE", "Ulice"},
                     {"MESTO", "Město"},
                     {"PSC", "PSČ"},
                     {"STAT", "Stát"},
                     {"POZNAMKA", "Poznámka"}}},
        {.nazev = "BrowseAlarm",
         .zprava = WM_EDIT_EVENT,
         .tabulka = "KU",
         .sloupce = {{"ALARM_DATUM", "Datum"}, {"ALARM_CAS", "Čas"}, {"NAZEV", "Popis", false, "", 30}},
         .filtr = Filtr::AlarmUdalosti},
        {.nazev = "BrowseUkolyAlarm",
         .zprava = WM_EDIT_TASK,
         .tabulka = "UKOLY",
         .sloupce = {{"ALARM_DATUM", "Datum"}, {"ALARM_CAS", "Čas"}, {"NAZEV", "Popis", false, "", 30}},
         .filtr = Filtr::AlarmUkolu},
        {.nazev = "Uzivatel",
         .zprava = WM_EDIT_USER,
         .tabulka = "UZIVATEL",
         .sloupce = {{"LOGIN", "Login"},
                     {"POPIS", "Popis"},
                     {"ADMINISTRATOR", "Administrátor", false, "boolean"},
                     {"PRIHLASEN", "Přihlášen", false, "boolean"}},
         .barvaPisma = 0xFF0000,
         .barvaPozadi = 0xFFFFFF,
         .zvyrazneniSloupec = "PRIHLASEN",
         .zvyrazneniHodnota = "Ano",
         .zvyrazneniBarvaPisma = 0x0000FF,
         .zvyrazneniBarvaPozadi = 0xFFFFFF},
        {.nazev = "UzivSkupina",
         .zprava = WM_EDIT_USER_GROUP,
         .tabulka = "UZIVSKUPINA",
         .sloupce = {{"POPIS", "Popis"}}},
        {.nazev = "KJPrehledAut",
         .zprava = WM_EDIT_CAR,
         .tabulka = "KJ_AUTO",
         .sloupce = {{"SPZ", "SPZ"}, {"POPIS", "Popis"}},
         .filtr = Filtr::CteniAut},
        {.nazev = "KJPrehledJizd",
         .zprava = 0,
         .tabulka = "KJ",
         .sloupce = {{"KJ_AUTO.POPIS", "Auto", false, "", 12},
                     {"DATUM", "Datum", false, "", 10},
                     {"PORADI", "Pořadí", false, "integer", 2},
                     {"OD_NAZEV", "OD Název", false, "", 20},
                     {"OD_PRIJMENI", "Od Příjmení", false, "", 20},
                     {"DO_NAZEV", "Do Název", false, "", 20},
                     {"DO_PRIJMENI", "Do Příjmení", false, "", 20},
                     {"VZDALENOST", "Vzdálenost", true, "integer", 10},
                     {"DUVOD", "Důvod", false, "", 20}},
         .filtr = Filtr::CteniJizd,
         .dalsiTabulky = "KJ_AUTO",
         .podminka = "where (KJ.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID) ",
         .mazani = true},
        // Fuel purchases, readable through their car like the rides.
        {.nazev = "KJPrehledTankovani",
         .zprava = WM_EDIT_FUEL_PURCHASE,
         .tabulka = "KJ_TANKOVANI",
         .sloupce = {{"KJ_AUTO.SPZ", "SPZ", false, "", 10},
                     {"KJ_AUTO.POPIS", "Auto", false, "", 15},
                     {"DATUM", "Datum", false, "", 10},
                     {"LITRY", "Litry", false, "", 8},
                     {"CENA", "Cena Kč s DPH", false, "", 10},
                     {"TACHOMETR", "Tachometr", false, "integer", 10}},
         .filtr = Filtr::CteniJizd,
         .dalsiTabulky = "KJ_AUTO",
         .podminka = "where (KJ_TANKOVANI.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID) "},
    };
    return t;
}

const Prehled* najdi(const QString& name)
{
    for (const Prehled& p : tabulka())
        if (name == QLatin1String(p.nazev)) return &p;
    return nullptr;
}

// Alarms after the last one shown: a later day, or the same day at a later time.
QString alarmPodminka(const QString& begin, const QString& rights)
{
    const Session& s = session();
    const QString l = DatumSQL(s.AlarmPoslDatum);
    const QString t = DatumCasSQL(s.AlarmPoslDatum, s.AlarmPoslCas);
    return begin + l + QStringLiteral(") or ((alarm_datum=") + l + QStringLiteral(") and (alarm_cas>") + t +
           QStringLiteral("))) ") + rights;
}

QString podminka(const Prehled& p, const StavKategorii& k)
{
    const QString pevna = QString::fromUtf8(p.podminka);
    switch (p.filtr) {
    case Filtr::Zadny:
        return pevna;
    case Filtr::Kategorie:
        return PodminkaPodleKategorii(QLatin1String(p.nazev), k);
    case Filtr::AlarmUdalosti:
        return alarmPodminka(QStringLiteral("where (alarm=1) and ((alarm_datum>"), FiltrAlarmKu());
    case Filtr::AlarmUkolu:
        return alarmPodminka(QStringLiteral("where (aktivni=1) and (alarm=1) and ((alarm_datum>"),
                             FiltrAlarmUkoly());
    case Filtr::CteniAut:
        return pevna + FiltrCteni(QStringLiteral("KJ_AUTO"), true);
    case Filtr::CteniJizd:
        return pevna + FiltrCteni(QStringLiteral("KJ_AUTO"), false);
    }
    return pevna;
}

void nastavBarvy(const Prehled& p, GridDefinition& d)
{
    d.SloupecBarvyPisma = QString::fromUtf8(p.sloupecBarvyPisma);
    d.SloupecBarvyPozadi = QString::fromUtf8(p.sloupecBarvyPozadi);
    d.BarvaPisma = p.barvaPisma;
    d.BarvaPozadi = p.barvaPozadi;
    d.ZvyrazneniSloupec = QString::fromUtf8(p.zvyrazneniSloupec);
    d.ZvyrazneniHodnota = QString::fromUtf8(p.zvyrazneniHodnota);
    d.ZvyrazneniBarvaPisma = p.zvyrazneniBarvaPisma;
    d.ZvyrazneniBarvaPozadi = p.zvyrazneniBarvaPozadi;
}

} // namespace

QString PodminkaPodleKategorii(const QString& name, const StavKategorii& k)
{
    if (name == QLatin1String("BrowseAdresarZakladni"))
        return seznamy::DotazAdresar(k.kategorieAdresar, !k.box0);
    if (name == QLatin1String("BrowseUkoly")) return seznamy::DotazUkoly(k.filtrKalendare, !k.box0);
    return QString();
}

int ParametrPoNacteni(const QString& name)
{
    return name == QLatin1String("BrowseAlarm") || name == QLatin1String("BrowseUkolyAlarm")
               ? int(LP_EDIT_RECORD)
               : 0;
}

void DefinujJizdyAuta(GridDefinition& d, const QString& podminka)
{
    d.resetDefinition();
    d.ZpravaEditace = 0;
    d.MazaniPovoleno = true;
    d.Tabulka = QStringLiteral("KJ");
    d.KlicovySloupec = QStringLiteral("KJ_ID");
    d.DalsiTabulky = QStringLiteral("KJ_AUTO");
    d.PridejSloupec(QStringLiteral("DATUM"), QStringLiteral("Datum"), false, QString(), 10);
    d.PridejSloupec(QStringLiteral("PORADI"), QStringLiteral("Pořadí"), false, QStringLiteral("integer"), 10);
    d.PridejSloupec(QStringLiteral("OD_NAZEV"), QStringLiteral("OD Název"), false, QString(), 20);
    d.PridejSloupec(QStringLiteral("OD_PRIJMENI"), QStringLiteral("Od Příjmení"), false, QString(), 20);
    d.PridejSloupec(QStringLiteral("DO_NAZEV"), QStringLiteral("Do Název"), false, QString(), 20);
    d.PridejSloupec(QStringLiteral("DO_PRIJMENI"), QStringLiteral("Do Příjmení"), false, QString(), 20);
    d.PridejSloupec(QStringLiteral("VZDALENOST"), QStringLiteral("Vzdálenost"), true,
                    QStringLiteral("integer"), 10);
    d.PridejSloupec(QStringLiteral("DUVOD"), QStringLiteral("Důvod"), false, QString(), 20);
    d.Podminka = podminka.trimmed();
    d.PevneRazeni = QStringLiteral("DATUM, PORADI");
}

QStringList Nazvy()
{
    QStringList out;
    for (const Prehled& p : tabulka())
        out << QLatin1String(p.nazev);
    return out;
}

bool Definuj(const QString& name, GridDefinition& d, const StavKategorii& k)
{
    const Prehled* p = najdi(name);
    if (!p) return false;
    d.ZpravaEditace = p->zprava;
    d.MazaniPovoleno = p->mazani;
    d.Tabulka = QString::fromUtf8(p->tabulka);
    d.KlicovySloupec = d.Tabulka + QStringLiteral("_ID");
    d.DalsiTabulky = QString::fromUtf8(p->dalsiTabulky);
    // The overviews of the category bar read each row once without Distinct
    // (their filter tests the links with exists); the others keep it.
    if (p->filtr == Filtr::Kategorie) d.Distinct = false;
    d.Podminka = podminka(*p, k);
    nastavBarvy(*p, d);
    for (const Sloupec& s : p->sloupce)
        d.PridejSloupec(QString::fromUtf8(s.pole), QString::fromUtf8(s.titulek), s.scitat,
                        QString::fromUtf8(s.typ), s.sirka);
    return true;
}

} // namespace prehledy
