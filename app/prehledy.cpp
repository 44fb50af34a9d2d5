#include "prehledy.h"

#include "calendar/dotazy.h"
#include "common/commandtarget.h"
#include "common/session.h"
#include "data/sqlvalues.h"
#include "overview/gridquery.h"
#include "users/rights.h"

namespace prehledy {
namespace {

void kategorie(GridDefinition& d, unsigned message, const QString& table)
{
    d.ZpravaEditace = message;
    d.Tabulka = table;
    d.KlicovySloupec = table + QStringLiteral("_ID");
    d.SloupecBarvyPozadi = table + QStringLiteral("_BARVA");
    d.BarvaPisma = 0xFFFFFF;
    d.PridejSloupec(table + QStringLiteral("_NAZEV"), QStringLiteral("Název"), false, QString(), 40);
    d.PridejSloupec(table + QStringLiteral("_PORADI"), QStringLiteral("Pořadí"), false, QStringLiteral("integer"));
}

QString alarmPodminka(const QString& begin, const QString& rights)
{
    const Session& s = session();
    const QString l = DatumSQL(s.AlarmPoslDatum);
    const QString t = DatumCasSQL(s.AlarmPoslDatum, s.AlarmPoslCas);
    return begin + l + QStringLiteral(") or ((alarm_datum=") + l + QStringLiteral(") and (alarm_cas>") + t +
           QStringLiteral("))) ") + rights;
}

} // namespace

QString PodminkaPodleKategorii(const QString& name, const StavKategorii& k)
{
    if (name == QLatin1String("BrowseAdresarZakladni"))
        return dotazy::DotazAdresar(k.kategorieAdresar, !k.box0);
    if (name == QLatin1String("BrowseUkoly"))
        return dotazy::DotazUkoly(k.filtrKalendare, !k.box0);
    return QString();
}

int ParametrPoNacteni(const QString& name)
{
    return name == QLatin1String("BrowseAlarm") || name == QLatin1String("BrowseUkolyAlarm") ? int(LP_EDIT_RECORD) : 0;
}

bool Definuj(const QString& name, GridDefinition& d, const StavKategorii& k)
{
    if (name == QLatin1String("CiselnikKalendarKategorie")) {
        kategorie(d, WM_EDIT_CALENDAR_CATEGORY, QStringLiteral("KU_C_KAT"));
    } else if (name == QLatin1String("CiselnikAdresarKategorie")) {
        kategorie(d, WM_EDIT_ADDRESS_CATEGORY, QStringLiteral("ADRESAR_C_KAT"));
    } else if (name == QLatin1String("BrowseAdresarZakladni")) {
        d.ZpravaEditace = WM_EDIT_ADDRESS;
        d.Tabulka = QStringLiteral("ADRESAR_ZAKL");
        d.KlicovySloupec = QStringLiteral("ADRESAR_ZAKL_ID");
        d.Distinct = k.box0;
        d.Podminka = PodminkaPodleKategorii(name, k);
        d.SloupecBarvyPisma = QStringLiteral("ADRESAR_C_KAT_BARVA");
        d.PridejSloupec(QStringLiteral("NAZEV_ZKRACENY"), QStringLiteral("Zkratka"));
        d.PridejSloupec(QStringLiteral("NAZEV"), QStringLiteral("Název"));
        d.PridejSloupec(QStringLiteral("TITUL"), QStringLiteral("Titul"));
        d.PridejSloupec(QStringLiteral("JMENO"), QStringLiteral("Jméno"));
        d.PridejSloupec(QStringLiteral("PRIJMENI"), QStringLiteral("Příjmení"));
        d.PridejSloupec(QStringLiteral("ZA_PRIJMENIM"), QStringLiteral("Titul za"));
    } else if (name == QLatin1String("BrowseUkoly")) {
        d.ZpravaEditace = WM_EDIT_TASK;
        d.Tabulka = QStringLiteral("UKOLY");
        d.KlicovySloupec = QStringLiteral("UKOLY_ID");
        d.Distinct = k.box0;
        d.Podminka = PodminkaPodleKategorii(name, k);
        d.SloupecBarvyPisma = QStringLiteral("KU_C_KAT_BARVA");
        d.PridejSloupec(QStringLiteral("AKTIVNI"), QStringLiteral("Aktivní"), false, QStringLiteral("boolean"));
        d.PridejSloupec(QStringLiteral("NAZEV"), QStringLiteral("Název"), false, QString(), 25);
        d.PridejSloupec(QStringLiteral("DATUM"), QStringLiteral("Datum"));
        d.PridejSloupec(QStringLiteral("CAS_DO"), QStringLiteral("Čas"));
    } else if (name == QLatin1String("BrowseAdresarPanel")) {
        d.ZpravaEditace = WM_EDIT_SPECIAL_ADDRESS;
        d.Tabulka = QStringLiteral("ADRESAR_SPEC");
        d.KlicovySloupec = QStringLiteral("ADRESAR_SPEC_ID");
        const char* cols[][2] = {{"NAZEV", "Název"},      {"JMENO", "Jméno"},       {"PRIJMENI", "Příjmení"},
                                 {"TELEFON1", "Telefon1"}, {"TELEFON2", "Telefon2"}, {"ULICE", "Ulice"},
                                 {"MESTO", "Město"},       {"PSC", "PSČ"},           {"STAT", "Stát"},
                                 {"POZNAMKA", "Poznámka"}};
        for (const auto& c : cols)
            d.PridejSloupec(QString::fromUtf8(c[0]), QString::fromUtf8(c[1]));
    } else if (name == QLatin1String("BrowseAlarm") || name == QLatin1String("BrowseUkolyAlarm")) {
        const bool ku = name == QLatin1String("BrowseAlarm");
        d.ZpravaEditace = ku ? WM_EDIT_EVENT : WM_EDIT_TASK;
        d.Tabulka = ku ? QStringLiteral("KU") : QStringLiteral("UKOLY");
        d.KlicovySloupec = d.Tabulka + QStringLiteral("_ID");
        d.PridejSloupec(QStringLiteral("ALARM_DATUM"), QStringLiteral("Datum"));
        d.PridejSloupec(QStringLiteral("ALARM_CAS"), QStringLiteral("Čas"));
        d.PridejSloupec(QStringLiteral("NAZEV"), QStringLiteral("Popis"), false, QString(), 30);
        d.Podminka = ku ? alarmPodminka(QStringLiteral("where (alarm=1) and ((alarm_datum>"), FiltrAlarmKu())
                        : alarmPodminka(QStringLiteral("where (aktivni=1) and (alarm=1) and ((alarm_datum>"),
                                        FiltrAlarmUkoly());
    } else if (name == QLatin1String("Uzivatel")) {
        d.ZpravaEditace = WM_EDIT_USER;
        d.Tabulka = QStringLiteral("UZIVATEL");
        d.KlicovySloupec = QStringLiteral("UZIVATEL_ID");
        d.PridejSloupec(QStringLiteral("LOGIN"), QStringLiteral("Login"));
        d.PridejSloupec(QStringLiteral("POPIS"), QStringLiteral("Popis"));
        d.PridejSloupec(QStringLiteral("ADMINISTRATOR"), QStringLiteral("Administrátor"), false,
                        QStringLiteral("boolean"));
        d.PridejSloupec(QStringLiteral("PRIHLASEN"), QStringLiteral("Přihlášen"), false, QStringLiteral("boolean"));
        d.ZvyrazneniSloupec = QStringLiteral("PRIHLASEN");
        d.ZvyrazneniHodnota = QStringLiteral("Ano");
        d.BarvaPozadi = 0xFFFFFF;
        d.BarvaPisma = 0xFF0000;
        d.ZvyrazneniBarvaPisma = 0x0000FF;
        d.ZvyrazneniBarvaPozadi = 0xFFFFFF;
    } else if (name == QLatin1String("UzivSkupina")) {
        d.ZpravaEditace = WM_EDIT_USER_GROUP;
        d.Tabulka = QStringLiteral("UZIVSKUPINA");
        d.KlicovySloupec = QStringLiteral("UZIVSKUPINA_ID");
        d.PridejSloupec(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    } else if (name == QLatin1String("KJPrehledAut")) {
        d.ZpravaEditace = WM_EDIT_CAR;
        d.Tabulka = QStringLiteral("KJ_AUTO");
        d.KlicovySloupec = QStringLiteral("KJ_AUTO_ID");
        d.PridejSloupec(QStringLiteral("SPZ"), QStringLiteral("SPZ"));
        d.PridejSloupec(QStringLiteral("POPIS"), QStringLiteral("Popis"));
        d.Podminka = FiltrCteni(QStringLiteral("KJ_AUTO"), true);
    } else if (name == QLatin1String("KJPrehledJizd")) {
        d.ZpravaEditace = 0;
        d.MazaniPovoleno = true;
        d.Tabulka = QStringLiteral("KJ");
        d.KlicovySloupec = QStringLiteral("KJ_ID");
        d.DalsiTabulky = QStringLiteral("KJ_AUTO");
        d.Podminka = QStringLiteral("where (KJ.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID) ") + FiltrCteni(QStringLiteral("KJ_AUTO"), false);
        d.PridejSloupec(QStringLiteral("KJ_AUTO.POPIS"), QStringLiteral("Auto"), false, QString(), 12);
        d.PridejSloupec(QStringLiteral("DATUM"), QStringLiteral("Datum"), false, QString(), 10);
        d.PridejSloupec(QStringLiteral("PORADI"), QStringLiteral("Pořadí"), false, QStringLiteral("integer"), 2);
        d.PridejSloupec(QStringLiteral("OD_NAZEV"), QStringLiteral("OD Název"), false, QString(), 20);
        d.PridejSloupec(QStringLiteral("OD_PRIJMENI"), QStringLiteral("Od Příjmení"), false, QString(), 20);
        d.PridejSloupec(QStringLiteral("DO_NAZEV"), QStringLiteral("Do Název"), false, QString(), 20);
        d.PridejSloupec(QStringLiteral("DO_PRIJMENI"), QStringLiteral("Do Příjmení"), false, QString(), 20);
        d.PridejSloupec(QStringLiteral("VZDALENOST"), QStringLiteral("Vzdálenost"), true, QStringLiteral("integer"), 10);
        d.PridejSloupec(QStringLiteral("DUVOD"), QStringLiteral("Důvod"), false, QString(), 20);
    } else {
        return false;
    }
    return true;
}

} // namespace prehledy
