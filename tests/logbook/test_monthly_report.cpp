#include "logbook_fixture.h"

#include "common/action.h"
#include "fixtures/hostile.h"
#include "logbook/jizda.h"
#include "logbook/mesicnivykaz.h"
#include "logbook/ui/edit_kj_tankovani.h"
#include "logbook/ui/form_editsazby.h"
#include "logbook/ui/form_mesicnivykaz.h"
#include "overview/ktpreviewprint.h"
#include "overview/pagetext.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>

namespace
{

// March 2026: Octavia (petrol, 6.5 l/100 km) driven by Jana and Petr, one
// private ride, one ride without a distance, one in April; fuel bought twice.
class MonthlyReport : public LogbookTest
{
protected:
    void SetUp() override
    {
        LogbookTest::SetUp();
        exec(QStringLiteral("delete from kj"));
        exec(QStringLiteral("delete from kj_tankovani"));
        exec(QStringLiteral("delete from kj_ceny_paliv"));
        exec(QStringLiteral(
                 "update kj_auto set palivo=\"Benzin 95\", spotreba=6.5, tachometr_start=10000 where "
                 "kj_auto_id=%1")
                 .arg(s_octavia));
        exec(QStringLiteral(
            "insert into kj_ceny_paliv (rok, palivo, cena) values (2026, \"BENZIN 95\", 36.10)"));
        m_petr = userId(QStringLiteral("petr"));
    }
    static int userId(const QString& login)
    {
        const TKTDATASET t =
            rows(QStringLiteral("select uzivatel_id from uzivatel where login='%1'").arg(login));
        if (t.PocetRadku() > 0) return t.HodnotaIntIndex(1, 1);
        return testdb::addUser(db(), login, QStringLiteral("x"), false, false, QStringLiteral("Petr Malý"));
    }
    static void ride(const QString& datum, int poradi, const QString& km, int od, int do_, int ridic,
                     bool soukroma = false, int auto_ = 0)
    {
        exec(QStringLiteral(
                 "insert into kj (kj_auto_id, datum, poradi, vzdalenost, tachometr_od, tachometr_do, "
                 "ridic_id, soukroma, vytvoril_kdo) values (%1, \"%2\", %3, %4, %5, %6, %7, %8, %9)")
                 .arg(auto_ ? auto_ : s_octavia)
                 .arg(datum)
                 .arg(poradi)
                 .arg(km)
                 .arg(od)
                 .arg(do_)
                 .arg(ridic ? QString::number(ridic) : QStringLiteral("NULL"))
                 .arg(soukroma ? 1 : 0)
                 .arg(s_user));
    }
    int m_petr = 0;
};

TEST_F(MonthlyReport, SumsAndReimbursementComputedByHand)
{
    ride(QStringLiteral("2.3.2026"), 1, QStringLiteral("120"), 10000, 10120, s_user);
    ride(QStringLiteral("3.3.2026"), 1, QStringLiteral("80"), 10120, 10200, m_petr);
    ride(QStringLiteral("3.3.2026"), 2, QStringLiteral("45"), 10200, 10245, 0,
         true); // Jana by entry, private
    ride(QStringLiteral("9.3.2026"), 1, QStringLiteral("NULL"), 10245, 10245, m_petr);
    ride(QStringLiteral("31.3.2026"), 1, QStringLiteral("30"), 10260, 10290, s_user); // a 15 km gap before
    ride(QStringLiteral("1.4.2026"), 1, QStringLiteral("500"), 10290, 10790, s_user);
    ride(QStringLiteral("5.3.2026"), 1, QStringLiteral("70"), 500, 570, s_user, false, s_fabia); // no rates
    exec(QStringLiteral(
             "insert into kj_tankovani (kj_tankovani_id, kj_auto_id, datum, litry, cena, tachometr) "
             "values (1, %1, \"4.3.2026\", 40.5, 1470.20, 10200)")
             .arg(s_octavia));
    exec(QStringLiteral(
             "insert into kj_tankovani (kj_tankovani_id, kj_auto_id, datum, litry, cena, tachometr) "
             "values (2, %1, \"1.4.2026\", 30, 1000, 10290)")
             .arg(s_octavia));

    const MesicniVykaz v = SestavMesicniVykaz(db(), 2026, 3);
    // Cars by description: Fabia first (driver Jana, total), then Octavia (Jana, Petr, total).
    ASSERT_EQ(v.Radky.size(), 5);
    const RadekVykazu& jana = v.Radky[2];
    EXPECT_EQ(jana.Spz, QStringLiteral("1AB 2345"));
    EXPECT_EQ(jana.Ridic, QStringLiteral("jana"));
    EXPECT_EQ(jana.KmSluzebni, 150);
    EXPECT_EQ(jana.KmSoukrome, 45);
    EXPECT_EQ(jana.TachometrZacatek, QStringLiteral("10000"));
    EXPECT_EQ(jana.TachometrKonec, QStringLiteral("10290"));
    // 150 × 5.90 + 150 × 6.5 / 100 × 36.10 = 885 + 351.975 = 1236.98 (to the haléř)
    EXPECT_DOUBLE_EQ(jana.Nahrada, 1236.98);
    const RadekVykazu& petr = v.Radky[3];
    EXPECT_EQ(petr.Ridic, QStringLiteral("Petr Malý"));
    EXPECT_EQ(petr.KmSluzebni, 80) << "a ride without a distance counts 0";
    // 80 × 5.90 + 80 × 6.5 / 100 × 36.10 = 472 + 187.72
    EXPECT_DOUBLE_EQ(petr.Nahrada, 659.72);
    const RadekVykazu& octavia = v.Radky[4];
    EXPECT_TRUE(octavia.Celkem);
    EXPECT_EQ(octavia.KmSluzebni, 230);
    EXPECT_EQ(octavia.KmSoukrome, 45);
    EXPECT_EQ(octavia.TachometrZacatek, QStringLiteral("10000"));
    EXPECT_EQ(octavia.TachometrKonec, QStringLiteral("10290"));
    EXPECT_DOUBLE_EQ(octavia.Litry, 40.5);
    EXPECT_DOUBLE_EQ(octavia.CenaTankovani, 1470.20);
    EXPECT_DOUBLE_EQ(octavia.Nahrada, 1896.70);
    // Fabia has no fuel price and no consumption: only the basic rate, and the report says why.
    EXPECT_DOUBLE_EQ(v.Radky[0].Nahrada, 70 * 5.90);
    EXPECT_EQ(v.Upozorneni.size(), 3) << v.Upozorneni.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(v.Upozorneni
                    .filter(QStringLiteral("31.3.2026/1 začíná na 10260 km, předchozí skončila na "
                                           "10245 km (mezera 15 km)"))
                    .size() == 1)
        << v.Upozorneni.join(QLatin1Char('\n')).toStdString();

    // One car only.
    EXPECT_EQ(SestavMesicniVykaz(db(), 2026, 3, s_fabia).Radky.size(), 2);
    // A year without a basic rate says so.
    EXPECT_FALSE(
        SestavMesicniVykaz(db(), 2024, 3).Upozorneni.filter(QStringLiteral("základní sazba")).isEmpty());

    // CSV for a Czech spreadsheet.
    const QByteArray csv = VykazCsv(v);
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Měsíc;SPZ;Vůz;Řidič;")));
    EXPECT_EQ(lines[3],
              QStringLiteral("03/2026;1AB 2345;Octavia;jana;10000;10290;150;45;;;5,90;6,50;36,10;1236,98"));
    EXPECT_EQ(
        lines[5],
        QStringLiteral("03/2026;1AB 2345;Octavia;Celkem vůz;10000;10290;230;45;40,50;1470,20;5,90;6,50;36,10;"
                       "1896,70"));
    EXPECT_TRUE(lines[6].isEmpty());

    // The printed report names the cars and the amounts.
    TPreviewDocument doc;
    RozvrhniVykaz(doc, v);
    QStringList printed;
    for (const auto& line : PageText(doc.Strana(1)).lines())
        printed << PageText::words(line).join(QString());
    EXPECT_TRUE(printed.contains(QStringLiteral("Měsíční výkaz jízd 03/2026")));
    EXPECT_TRUE(printed.contains(QStringLiteral("1AB 2345 Octavia – celkem")));
    EXPECT_FALSE(printed.filter(QStringLiteral("= 1896,70 Kč")).isEmpty());
}

// A car fuelled in the month but not driven is listed with its fuel and
// 0 km; one with neither is not, and nothing is said about its rates.
TEST_F(MonthlyReport, CarFuelledButNotDrivenIsListed)
{
    ride(QStringLiteral("2.3.2026"), 1, QStringLiteral("120"), 10000, 10120, s_user);
    const auto purchase = [](int id, int car, const char* datum, const char* litry, const char* cena) {
        exec(QStringLiteral("insert into kj_tankovani (kj_tankovani_id, kj_auto_id, datum, litry, cena) "
                            "values (%1, %2, \"%3\", %4, %5)")
                 .arg(id)
                 .arg(car)
                 .arg(QLatin1String(datum), QLatin1String(litry), QLatin1String(cena)));
    };
    purchase(11, s_fabia, "15.3.2026", "35.5", "1250.40");
    purchase(12, s_fabia, "31.3.2026", "10", "360");
    purchase(13, s_fabia, "1.4.2026", "20", "700");

    const MesicniVykaz v = SestavMesicniVykaz(db(), 2026, 3);
    ASSERT_EQ(v.Radky.size(), 3);
    const RadekVykazu& fabia = v.Radky[0];
    EXPECT_TRUE(fabia.Celkem);
    EXPECT_EQ(fabia.AutoId, s_fabia);
    EXPECT_EQ(fabia.Spz, QStringLiteral("2CD 6789"));
    EXPECT_EQ(fabia.Vuz, QStringLiteral("Fabia"));
    EXPECT_EQ(fabia.KmSluzebni, 0);
    EXPECT_EQ(fabia.KmSoukrome, 0);
    EXPECT_DOUBLE_EQ(fabia.Litry, 45.5) << "only March's purchases";
    EXPECT_DOUBLE_EQ(fabia.CenaTankovani, 1610.40);
    EXPECT_DOUBLE_EQ(fabia.Nahrada, 0);
    EXPECT_EQ(v.Radky[1].Ridic, QStringLiteral("jana"));
    EXPECT_TRUE(v.Radky[2].Celkem);
    EXPECT_EQ(v.Radky[2].AutoId, s_octavia);
    EXPECT_TRUE(v.Upozorneni.filter(QStringLiteral("2CD 6789")).isEmpty())
        << v.Upozorneni.join(QLatin1Char('\n')).toStdString();

    const QStringList lines = QString::fromUtf8(VykazCsv(v).mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[1],
              QStringLiteral("03/2026;2CD 6789;Fabia;Celkem vůz;;;0;0;45,50;1610,40;5,90;0,00;0,00;0,00"));

    // The one car alone; April has Fabia's purchase and no ride of either car in this test.
    const MesicniVykaz jenFabia = SestavMesicniVykaz(db(), 2026, 3, s_fabia);
    ASSERT_EQ(jenFabia.Radky.size(), 1);
    EXPECT_DOUBLE_EQ(jenFabia.Radky[0].Litry, 45.5);
    const MesicniVykaz duben = SestavMesicniVykaz(db(), 2026, 4);
    ASSERT_EQ(duben.Radky.size(), 1);
    EXPECT_EQ(duben.Radky[0].AutoId, s_fabia);
    EXPECT_DOUBLE_EQ(duben.Radky[0].Litry, 20);
    EXPECT_TRUE(SestavMesicniVykaz(db(), 2026, 2).Radky.isEmpty());
    // A car the user may not read stays out with its fuel.
    exec(QStringLiteral("update kj_auto set f_cist=%1 where kj_auto_id=%2").arg(kObchod).arg(s_fabia));
    EXPECT_TRUE(SestavMesicniVykaz(db(), 2026, 4).Radky.isEmpty());
    exec(QStringLiteral("update kj_auto set f_cist=0 where kj_auto_id=%1").arg(s_fabia));
}

// The dialog writes the CSV of the month and car it shows.
TEST_F(MonthlyReport, DialogWritesTheCsvFile)
{
    ride(QStringLiteral("2.3.2026"), 1, QStringLiteral("120"), 10000, 10120, s_user);
    TForm_MesicniVykaz d;
    d.Priprav(2026, 3);
    EXPECT_EQ(d.KTCB_AUTO->VratZvolenyItems(), QStringLiteral("Všechna auta"));
    EXPECT_EQ(d.KTCB_AUTO->count(), 3);
    d.KTCB_AUTO->VyberID(s_octavia);
    QTemporaryDir dir;
    const QString soubor = dir.filePath(QStringLiteral("výkaz.csv"));
    d.UlozCsv(soubor);
    QFile f(soubor);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray obsah = f.readAll();
    EXPECT_EQ(obsah, VykazCsv(SestavMesicniVykaz(db(), 2026, 3, s_octavia)));
    EXPECT_TRUE(QString::fromUtf8(obsah).contains(QStringLiteral(";jana;10000;10120;120;0;")));
    EXPECT_THROW(d.UlozCsv(dir.filePath(QStringLiteral("chybí/výkaz.csv"))), ActionError);
}

TEST(ReportCsv, FieldsWithSeparatorsAreQuoted)
{
    MesicniVykaz v;
    v.Rok = 2026;
    v.Mesic = 1;
    RadekVykazu r;
    r.Spz = QStringLiteral("1AB;2");
    r.Vuz = QStringLiteral("Vůz \"A\"");
    r.Ridic = QStringLiteral("Jana");
    v.Radky << r;
    const QStringList lines = QString::fromUtf8(VykazCsv(v).mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("01/2026;\"1AB;2\";\"Vůz \"\"A\"\"\";Jana;")))
        << lines[1].toStdString();
    EXPECT_DOUBLE_EQ(Nahrada(100, 5.80, 7.0, 35.80), 580 + 250.60);
}

// The ride entry tells of a gap in the odometer and still stores the ride;
// the next ride starts where the last one ended.
TEST_F(MonthlyReport, RideEntryWarnsOfAnOdometerGap)
{
    ride(QStringLiteral("1.3.2026"), 1, QStringLiteral("20"), 10000, 10020, s_user);
    TFrameZadavaniJizd f;
    f.KategorieAdresar = [] { return QStringLiteral("0"); };
    f.show();
    f.NactiSeznamy();
    f.KTCB_AUTO->VyberID(s_octavia);
    emit f.KTCB_AUTO->activated(f.KTCB_AUTO->currentIndex());
    EXPECT_EQ(f.Edit_TACHOMETR_OD->text(), QStringLiteral("10020"));
    EXPECT_EQ(f.KTCB_RIDIC->VratZvoleneID(), s_user) << "the logged-in user drives by default";
    f.VyplnAdresu(s_a);
    f.VyplnAdresu(s_b);
    f.KTEDITDC1->setText(QStringLiteral("2.3.2026"));
    f.Edit_VZDALENOST->setValue(30);
    f.KTCB_DUVOD->setEditText(QStringLiteral("Jednání"));
    f.Edit_TACHOMETR_OD->setText(QStringLiteral("10025"));
    f.Edit_TACHOMETR_DO->setText(QStringLiteral("10055"));
    f.ChB_SOUKROMA->setChecked(true);
    f.KTEDITDC_ODJEZD->setText(QStringLiteral("8:15"));
    f.KTCB_RIDIC->VyberID(m_petr);
    f.BitBtn_SAVE->click();
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1) << shown.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(
        shown[0].startsWith(QStringLiteral("Jízda začíná na 10025 km, předchozí jízda vozu skončila na "
                                           "10020 km (mezera 5 km)")));
    const TKTDATASET t = rows(QStringLiteral(
        "select tachometr_od, tachometr_do, ridic_id, soukroma, cas_odjezdu, cas_prijezdu from kj where "
        "datum=\"2.3.2026\""));
    ASSERT_EQ(t.PocetRadku(), 1);
    EXPECT_EQ(t.Hodnota(1, 1), QStringLiteral("10025"));
    EXPECT_EQ(t.Hodnota(1, 2), QStringLiteral("10055"));
    EXPECT_EQ(t.HodnotaIntIndex(1, 3), m_petr);
    EXPECT_EQ(t.HodnotaIntIndex(1, 4), 1);
    EXPECT_TRUE(t.Hodnota(1, 5).contains(QStringLiteral("8:15"))) << t.Hodnota(1, 5).toStdString();
    EXPECT_TRUE(t.Hodnota(1, 6).isEmpty());
    EXPECT_EQ(f.Edit_TACHOMETR_OD->text(), QStringLiteral("10055"));
    EXPECT_TRUE(f.Edit_TACHOMETR_DO->text().isEmpty());

    // An end below the start is refused before anything is written.
    f.Edit_TACHOMETR_DO->setText(QStringLiteral("10000"));
    f.VyplnAdresu(s_c);
    f.Edit_VZDALENOST->setValue(5);
    f.KTCB_DUVOD->setEditText(QStringLiteral("Zpět"));
    f.BitBtn_SAVE->click();
    EXPECT_EQ(messages::takeShown(), QStringList{"Data obsahují nepovolené údaje !"});
    EXPECT_EQ(value(QStringLiteral("select count(*) from kj")), "2");
}

} // namespace

namespace
{

// The administrator keeps the yearly rates; the report uses them; others
// only look.
TEST_F(MonthlyReport, RatesTableKeptByTheAdministrator)
{
    ride(QStringLiteral("2.3.2027"), 1, QStringLiteral("100"), 10000, 10100, s_user);
    session().Administrator = true;
    exec(QStringLiteral("update uzivatel set administrator=1 where uzivatel_id=%1").arg(s_user));
    TForm_EditSazby d;
    d.Nacti(2027);
    EXPECT_TRUE(d.Edit_ZAKLADNI->text().isEmpty());
    ASSERT_EQ(d.Grid_CENY->item(0, 0)->text(), QStringLiteral("Benzin 95"));
    d.Edit_ZAKLADNI->setText(QStringLiteral("6,10"));
    d.Grid_CENY->item(0, 1)->setText(QStringLiteral("37,5"));
    ASSERT_TRUE(d.Uloz());
    EXPECT_TRUE(messages::takeShown().isEmpty());
    const RadekVykazu r = SestavMesicniVykaz(db(), 2027, 3, s_octavia).Radky.first();
    // 100 × 6.10 + 100 × 6.5 / 100 × 37.50 = 610 + 243.75
    EXPECT_DOUBLE_EQ(r.Nahrada, 853.75);
    d.Nacti(2027);
    EXPECT_EQ(d.Edit_ZAKLADNI->text(), QStringLiteral("6,10"));
    EXPECT_EQ(d.Grid_CENY->item(0, 1)->text(), QStringLiteral("37,50"));

    d.Grid_CENY->item(2, 1)->setText(QStringLiteral("levná"));
    EXPECT_FALSE(d.Uloz());
    EXPECT_EQ(messages::takeShown(), QStringList{"Data obsahují nepovolené údaje !"});

    // Not an administrator any more: read-only, and a save is refused.
    exec(QStringLiteral("update uzivatel set administrator=0 where uzivatel_id=%1").arg(s_user));
    EXPECT_FALSE(d.Uloz());
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo měnit záznam !"});
    session().Administrator = false;
    d.Nacti(2027);
    EXPECT_TRUE(d.JenCteni());
    EXPECT_FALSE(d.Button_ULOZIT->isEnabled());
    EXPECT_EQ(value(QStringLiteral("select zakladni from kj_sazby where rok=2027")).toDouble(), 6.10);
}

} // namespace

namespace
{

// A fuel purchase through its editor counts in the month's fuel; the car's
// rights govern it; what is no number is refused and nothing written.
TEST_F(MonthlyReport, FuelPurchaseEditor)
{
    Tedit_KJ_TANKOVANI e;
    ASSERT_TRUE(e.OtevriZpravou(0));
    e.show();
    e.KTCB_AUTO->VyberID(s_octavia);
    e.KTEDITDC_DATUM->setText(QStringLiteral("10.3.2026"));
    e.Edit_LITRY->setText(QStringLiteral("42,3"));
    e.Edit_CENA->setText(QStringLiteral("1 530"));
    e.Edit_TACHOMETR->setText(QStringLiteral("10400"));
    EXPECT_TRUE(e.Zmeneno());
    e.SB_SAVE->click();
    EXPECT_EQ(messages::takeShown(),
              QStringList{"Pole „Cena Kč s DPH“ musí obsahovat číslo od 0 do 9999999999999,99."})
        << "1 530 is no number";
    EXPECT_TRUE(e.isVisible());
    e.Edit_CENA->setText(QStringLiteral("1530,50"));
    e.SB_SAVE->click();
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(e.isVisible());
    const int id = e.ZaznamID();
    ASSERT_GT(id, 0);
    ride(QStringLiteral("10.3.2026"), 1, QStringLiteral("10"), 10390, 10400, s_user);
    const RadekVykazu celkem = SestavMesicniVykaz(db(), 2026, 3, s_octavia).Radky.last();
    EXPECT_DOUBLE_EQ(celkem.Litry, 42.3);
    EXPECT_DOUBLE_EQ(celkem.CenaTankovani, 1530.50);

    ASSERT_TRUE(e.OtevriZpravou(id));
    EXPECT_EQ(e.Edit_LITRY->text(), QStringLiteral("42,30"));
    EXPECT_EQ(e.KTCB_AUTO->VratZvoleneID(), s_octavia);
    for (const QString& text : hostileTexts()) {
        const QStringList before = testdb::snapshot(db());
        e.Edit_LITRY->setText(text);
        e.SB_SAVE->click();
        EXPECT_EQ(messages::takeShown().size(), 1) << text.toStdString();
        EXPECT_EQ(testdb::snapshot(db()), before) << text.toStdString();
    }
    e.SB_ZnovuNacist->click();

    // Without the car's edit right nothing is written; the delete follows the delete right.
    exec(QStringLiteral("update kj_auto set f_editovat=%1, f_smazat=%1 where kj_auto_id=%2")
             .arg(kObchod)
             .arg(s_octavia));
    e.Edit_LITRY->setText(QStringLiteral("50"));
    e.SB_SAVE->click();
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo měnit záznam !"});
    e.SB_delete->click();
    EXPECT_EQ(messages::takeShown(), QStringList{"Nemáte právo smazat záznam !"});
    exec(QStringLiteral("update kj_auto set f_editovat=0, f_smazat=0 where kj_auto_id=%1").arg(s_octavia));
    e.SB_ZnovuNacist->click();
    messages::queueAnswer(true);
    e.SB_delete->click();
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_EQ(value(QStringLiteral("select count(*) from kj_tankovani where kj_tankovani_id=%1").arg(id)),
              "0");
}

} // namespace
