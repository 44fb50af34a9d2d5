#include "logbook_fixture.h"

#include "common/action.h"
#include "common/commandtarget.h"
#include "data/dbupgrade.h"
#include "data/sqlvalues.h"
#include "fixtures/clicks.h"
#include "fixtures/hostile.h"
#include "logbook/jizda.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>

namespace
{

class RideEntry : public LogbookTest
{
protected:
    void SetUp() override
    {
        LogbookTest::SetUp();
        exec(QStringLiteral("delete from kj"));
        exec(QStringLiteral("delete from kj_vzdalenost"));
        exec(QStringLiteral("delete from kj_duvod"));
        exec(QStringLiteral("delete from kj_c_duvod"));
        m_f = std::make_unique<TFrameZadavaniJizd>();
        m_f->KategorieAdresar = [] { return QStringLiteral("0"); };
        m_f->resize(1000, 700);
        m_f->show();
        m_f->NactiSeznamy();
    }
    void TearDown() override
    {
        m_f.reset();
        LogbookTest::TearDown();
    }
    TFrameZadavaniJizd& f() { return *m_f; }

    QRect rowRect(int id)
    {
        for (int i = 0; i < f().KTLB_ADRESY->count(); ++i)
            if (f().KTLB_ADRESY->VratID(i) == id)
                return f().KTLB_ADRESY->visualItemRect(f().KTLB_ADRESY->item(i));
        ADD_FAILURE() << "address " << id << " not listed";
        return {};
    }
    void clickAddress(int id)
    {
        QTest::mouseClick(f().KTLB_ADRESY->viewport(), Qt::LeftButton, {}, rowRect(id).center());
    }
    // With "Do" and "Posun": the first address ends in Od, the second in Do.
    void choosePair(int od, int doId)
    {
        f().CB_POSUN->setChecked(true);
        f().RB_Do->setChecked(true);
        clickAddress(od);
        clickAddress(doId);
        ASSERT_EQ(f().Od().id, od);
        ASSERT_EQ(f().Do().id, doId);
    }
    // Od A, Do B, a date, a distance and a purpose: a complete ride.
    void fillRide(int car, const QString& datum)
    {
        f().KTCB_AUTO->VyberID(car);
        choosePair(s_a, s_b);
        type(f().KTEDITDC1, datum);
        f().Edit_VZDALENOST->setValue(12);
        f().KTCB_DUVOD->setEditText(QStringLiteral("Jednání"));
    }
    std::unique_ptr<TFrameZadavaniJizd> m_f;
};

TEST_F(RideEntry, ListsAndChainedCopying)
{
    EXPECT_EQ(f().KTLB_ADRESY->count(), 3);
    EXPECT_EQ(f().KTCB_Caste_Adresy[4]->count(), 3);
    EXPECT_FALSE(f().KTCB_AUTO->isEditable()) << "the car is picked, never typed";
    EXPECT_EQ(f().KTCB_AUTO->VratZvolenyItems(), QStringLiteral("Fabia")) << "sorted by description";

    // With "Do" and "Posun": A, B, C chain into Od=B, Do=C.
    clickAddress(s_a);
    clickAddress(s_b);
    EXPECT_EQ(f().Od().Edit_NAZEV->text(), QStringLiteral("Alfa s.r.o."));
    EXPECT_EQ(f().Do().Edit_NAZEV->text(), QStringLiteral("Beta a.s."));
    clickAddress(s_c);
    EXPECT_EQ(f().Od().id, s_b);
    EXPECT_EQ(f().Do().id, s_c);
    EXPECT_EQ(f().Do().Label_ID->text(), QString::number(s_c));

    // A double click on an unselected address copies it once: Od keeps C's predecessor chain.
    doubleClickAt(f().KTLB_ADRESY->viewport(), rowRect(s_a).center());
    EXPECT_EQ(f().Od().id, s_c);
    EXPECT_EQ(f().Do().id, s_a);
    // A double click on the selected address copies it (once).
    doubleClickAt(f().KTLB_ADRESY->viewport(), rowRect(s_a).center());
    EXPECT_EQ(f().Od().id, s_a);
    EXPECT_EQ(f().Do().id, s_a);

    // A frequent-address box copies too; moving and clearing.
    f().KTCB_Caste_Adresy[2]->VyberID(s_b);
    click(f().SB_CASTE_ADRESY[2]);
    EXPECT_EQ(f().Do().id, s_b);
    click(f().Do().SB_PRESUN);
    EXPECT_EQ(f().Od().id, s_b);
    EXPECT_EQ(f().Do().id, 0);
    EXPECT_TRUE(f().Do().Edit_NAZEV->text().isEmpty());
    click(f().Od().SB_VYMAZAT);
    EXPECT_EQ(f().Od().Label_ID->text(), QStringLiteral("0"));
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

// Order numbers count the rides of a date across all cars; ids, the car and
// the typed purpose survive a reload of the lists.
TEST_F(RideEntry, SavingRidesNumbersThemPerDate)
{
    fillRide(s_octavia, QStringLiteral("5.3.2004"));
    f().NactiSeznamy(); // as a change of the category bar does
    EXPECT_EQ(f().KTCB_AUTO->VratZvoleneID(), s_octavia);
    EXPECT_EQ(f().KTCB_DUVOD->currentText(), QStringLiteral("Jednání"));
    click(f().BitBtn_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(f().BitBtn_SAVE->isEnabled()) << "a second press stores nothing";

    fillRide(s_fabia, QStringLiteral("05.03.2004"));
    click(f().BitBtn_SAVE);
    fillRide(s_fabia, QStringLiteral("6.3.2004"));
    click(f().BitBtn_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());

    const TKTDATASET t = rows(QStringLiteral(
        "select kj_auto_id, datum, poradi, od_id, do_id, vzdalenost, duvod, od_nazev, do_mesto, vytvoril_kdo "
        "from kj order by datum, poradi"));
    ASSERT_EQ(t.PocetRadku(), 3);
    EXPECT_EQ(t.HodnotaIntIndex(1, 1), s_octavia);
    EXPECT_EQ(t.HodnotaIntIndex(1, 3), 1);
    EXPECT_EQ(t.HodnotaIntIndex(1, 4), s_a) << "the ids stay after a reload";
    EXPECT_EQ(t.HodnotaIntIndex(1, 5), s_b);
    EXPECT_EQ(t.HodnotaIntIndex(1, 6), 12);
    EXPECT_EQ(t.Hodnota(1, 7), QStringLiteral("Jednání"));
    EXPECT_EQ(t.Hodnota(1, 8), QStringLiteral("Alfa s.r.o."));
    EXPECT_EQ(t.Hodnota(1, 9), QStringLiteral("Praha"));
    EXPECT_EQ(t.HodnotaIntIndex(1, 10), s_user);
    EXPECT_EQ(t.HodnotaIntIndex(2, 1), s_fabia);
    EXPECT_EQ(t.HodnotaIntIndex(2, 3), 2);
    EXPECT_EQ(t.HodnotaIntIndex(3, 3), 1) << "a new date starts at 1";
}

// Other workstations' ride overviews hear of a saved ride.
TEST_F(RideEntry, SavingAnnouncesTheChange)
{
    struct Recorder : CommandTarget {
        void command(int message, std::intptr_t, std::intptr_t) override { received << message; }
        QList<int> received;
    } target;
    db().NotifyWindow = &target;
    ASSERT_TRUE(QTest::qWaitFor([&] { return db().DoruceniUdalosti() >= 1; }, 5000));
    target.received.clear();
    fillRide(s_octavia, QStringLiteral("12.3.2004"));
    click(f().BitBtn_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return target.received.contains(WM_DATA_CHANGED); }, 5000));
    db().NotifyWindow = nullptr;
}

TEST_F(RideEntry, IncompleteRidesAreRefused)
{
    const struct {
        const char* what;
        std::function<void()> spoil;
        QString message;
    } cases[] = {
        {"no date", [&] { type(f().KTEDITDC1, QString()); }, TextNeniVyplneno},
        {"no distance", [&] { f().Edit_VZDALENOST->setValue(0); }, TextNeniVyplneno},
        {"no town at Od", [&] { type(f().Od().Edit_MESTO, QStringLiteral(" ")); }, TextNeniVyplneno},
        {"no name at Do",
         [&] {
             type(f().Do().Edit_NAZEV, QString());
             type(f().Do().Edit_PRIJMENI, QString());
         },
         TextNeniVyplneno},
        {"no purpose", [&] { f().KTCB_DUVOD->setEditText(QStringLiteral("  ")); }, TextNeniVyplneno},
        {"impossible date", [&] { type(f().KTEDITDC1, QStringLiteral("31.2.2004")); }, TextChybnaData},
        {"zero date", [&] { type(f().KTEDITDC1, QStringLiteral("0.0.0")); }, TextChybnaData},
        {"zero date in full", [&] { type(f().KTEDITDC1, QStringLiteral("00.00.0000")); }, TextChybnaData},
    };
    for (const auto& c : cases) {
        fillRide(s_octavia, QStringLiteral("7.3.2004"));
        c.spoil();
        click(f().BitBtn_SAVE);
        EXPECT_EQ(messages::takeShown(), QStringList{c.message}) << c.what;
        EXPECT_TRUE(f().BitBtn_SAVE->isEnabled()) << c.what;
    }
    EXPECT_EQ(value(QStringLiteral("select count(*) from kj")), "0");

    // No car the user may read: the box is empty and the save says what is missing.
    exec(QStringLiteral("update kj_auto set f_cist=%1").arg(kObchod));
    f().NactiSeznamy();
    exec(QStringLiteral("update kj_auto set f_cist=0"));
    EXPECT_EQ(f().KTCB_AUTO->count(), 0);
    fillRide(s_octavia, QStringLiteral("7.3.2004"));
    EXPECT_EQ(f().Jizda().AutoId, 0);
    click(f().BitBtn_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList{TextNeniVyplneno});
    EXPECT_EQ(value(QStringLiteral("select count(*) from kj")), "0");
}

// A distance the odometer contradicts by more than 1 km is asked about
// before the save: No keeps the form and writes nothing, Yes saves it.
TEST_F(RideEntry, DistanceTheOdometerContradictsIsAskedAbout)
{
    const struct {
        const char* od;
        const char* do_;
        bool asked;
    } cases[] = {
        {"10000", "10012", false}, {"10000", "10013", false}, {"10000", "10011", false},
        {"10000", "10014", true},  {"10000", "10010", true},  {"10000", "10000", true},
        {"", "10030", false},      {"10000", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.od) + " - " + c.do_);
        exec(QStringLiteral("delete from kj"));
        fillRide(s_octavia, QStringLiteral("10.3.2004")); // 12 km
        type(f().Edit_TACHOMETR_OD, QLatin1String(c.od));
        type(f().Edit_TACHOMETR_DO, QLatin1String(c.do_));
        if (c.asked) {
            messages::queueAnswer(false);
            click(f().BitBtn_SAVE);
            const QStringList shown = messages::takeShown();
            ASSERT_EQ(shown.size(), 1);
            EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Vzdálenost 12 km nesouhlasí s rozdílem stavů "
                                                           "tachometru")))
                << shown[0].toStdString();
            EXPECT_EQ(value(QStringLiteral("select count(*) from kj")), "0");
            EXPECT_TRUE(f().BitBtn_SAVE->isEnabled());
            EXPECT_EQ(f().Edit_TACHOMETR_DO->text(), QLatin1String(c.do_)) << "the form is kept";
            messages::queueAnswer(true);
            click(f().BitBtn_SAVE);
            EXPECT_EQ(messages::takeShown(), shown);
        } else {
            click(f().BitBtn_SAVE);
            EXPECT_TRUE(messages::takeShown().isEmpty());
        }
        EXPECT_EQ(value(QStringLiteral("select count(*) from kj")), "1");
    }
    JizdaPole j;
    j.Vzdalenost = QStringLiteral("12");
    j.TachometrOd = QStringLiteral("10000");
    j.TachometrDo = QStringLiteral("10030");
    EXPECT_EQ(OtazkaVzdalenosti(j), QStringLiteral("Vzdálenost 12 km nesouhlasí s rozdílem stavů tachometru "
                                                   "30 km (10000 – 10030 km). Chcete jízdu přesto uložit ?"));
}

TEST_F(RideEntry, RememberedDistancesAndPurposes)
{
    choosePair(s_a, s_c);
    // Refused: no maximum (and so below the minimum), then a maximum below the minimum.
    f().Edit_VZDALENOST->setValue(10);
    click(f().SB_SAVE_VZDALENOST);
    EXPECT_EQ(messages::takeShown(), (QStringList{TextNeniVyplneno, TextMaxMensi}));
    f().Edit_VZDALENOST_MAX->setValue(8);
    click(f().SB_SAVE_VZDALENOST);
    EXPECT_EQ(messages::takeShown(), QStringList{TextMaxMensi});
    f().Edit_VZDALENOST_MAX->setValue(14);
    click(f().SB_SAVE_VZDALENOST);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(value(QStringLiteral("select count(*) from kj_vzdalenost")), "2") << "both directions";

    // The purpose for C is remembered whole, comma and all.
    f().KTCB_DUVOD->setEditText(QStringLiteral("Servis, výměna oleje"));
    click(f().SpeedButton2);
    EXPECT_TRUE(messages::takeShown().isEmpty());

    // Choosing a pair fills distance, maximum and purpose from memory.
    choosePair(s_b, s_a);
    EXPECT_EQ(f().Edit_VZDALENOST->value(), 0);
    choosePair(s_c, s_a);
    EXPECT_EQ(f().Edit_VZDALENOST->value(), 10);
    EXPECT_EQ(f().Edit_VZDALENOST_MAX->value(), 14);
    session().KJTest = true;
    for (int i = 0; i < 20; ++i) {
        choosePair(s_c, s_a);
        EXPECT_GE(f().Edit_VZDALENOST->value(), 10);
        EXPECT_LE(f().Edit_VZDALENOST->value(), 14);
    }
    session().KJTest = false;
    choosePair(s_a, s_c);
    EXPECT_EQ(f().KTCB_DUVOD->currentText(), QStringLiteral("Servis, výměna oleje"));

    // Overwriting asks per direction; No for the reverse keeps it.
    f().Edit_VZDALENOST->setValue(11);
    f().Edit_VZDALENOST_MAX->setValue(15);
    messages::queueAnswer(true);
    messages::queueAnswer(false);
    click(f().SB_SAVE_VZDALENOST);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Data jsou již uložena s hodnotami vzdálenost=10, "
                                                   "maximimální vzdálenost=14")));
    EXPECT_TRUE(shown[1].startsWith(QStringLiteral("Data pro opačný směr")));
    EXPECT_EQ(NactiVzdalenost(db(), s_a, s_c).min, 11);
    EXPECT_EQ(NactiVzdalenost(db(), s_c, s_a).min, 10);

    // The statements that replace a distance run together: a failed insert keeps the old row.
    QString chyba;
    QStringList prikazy = PrikazyVzdalenosti(s_a, s_c, 1, 2);
    prikazy.last().replace(QStringLiteral("values("), QStringLiteral("values(\"x\","));
    EXPECT_FALSE(ok(db().ProvedSQLSeznam(prikazy), chyba));
    EXPECT_EQ(NactiVzdalenost(db(), s_a, s_c).min, 11);
}

TEST_F(RideEntry, PurposeListKeepsWhatWasTyped)
{
    f().KTCB_DUVOD->setEditText(QStringLiteral("Obchodní jednání"));
    click(f().SB_PRIDAT);
    f().KTCB_DUVOD->setEditText(QStringLiteral("Autoservis"));
    click(f().SB_PRIDAT);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(f().KTCB_DUVOD->currentText(), QStringLiteral("Autoservis"))
        << "the field keeps the typed purpose, not the list's first";
    EXPECT_EQ(f().KTCB_DUVOD->count(), 2);
    f().KTCB_DUVOD->setEditText(QStringLiteral(" Autoservis "));
    click(f().SB_PRIDAT);
    EXPECT_EQ(messages::takeShown(), QStringList{"Tento důvod je již uložen !"});
    EXPECT_EQ(value(QStringLiteral("select count(*) from kj_c_duvod")), "2");
}

TEST_F(RideEntry, NewAddressOpensTheEditorAndTheListFollows)
{
    int volano = 0;
    f().NovaAdresa = [&] {
        ++volano;
        return addAddress(QStringLiteral("Delta"), QStringLiteral("Zlín"), QStringLiteral("760 01"));
    };
    click(f().SB_NovaAdresa);
    EXPECT_EQ(volano, 1);
    EXPECT_EQ(f().KTLB_ADRESY->count(), 4);
    EXPECT_EQ(f().KTCB_Caste_Adresy[0]->count(), 3) << "only the list box is rebuilt";
    exec(QStringLiteral("delete from adresar_zakl where nazev='Delta'"));
}

TEST_F(RideEntry, DateButtonAddsADay)
{
    type(f().KTEDITDC1, QStringLiteral("31.12.2004"));
    click(f().SpeedButton1);
    EXPECT_EQ(f().KTEDITDC1->text(), QStringLiteral("01.01.2005"));
    type(f().KTEDITDC1, QString());
    click(f().SpeedButton1);
    EXPECT_TRUE(f().KTEDITDC1->text().isEmpty());
}

// Hostile purpose and address texts are stored exactly as shown or refused
// with nothing written.
TEST_F(RideEntry, HostileInput)
{
    for (const QString& text : hostileTexts()) {
        exec(QStringLiteral("delete from kj"));
        const QStringList before = testdb::snapshot(db());
        fillRide(s_octavia, QStringLiteral("8.3.2004"));
        f().KTCB_DUVOD->setEditText(text + QStringLiteral("x"));
        type(f().Od().Edit_ULICE, text);
        type(f().Do().Edit_NAZEV, text + QStringLiteral("y"));
        click(f().BitBtn_SAVE);
        const QStringList shown = messages::takeShown();
        if (!shown.isEmpty()) {
            EXPECT_EQ(testdb::snapshot(db()), before) << text.toStdString();
            continue;
        }
        const TKTDATASET t = rows(QStringLiteral("select duvod, od_ulice, do_nazev from kj"));
        ASSERT_EQ(t.PocetRadku(), 1) << text.toStdString();
        EXPECT_EQ(t.Hodnota(1, 1), f().KTCB_DUVOD->currentText().left(200)) << text.toStdString();
        EXPECT_EQ(t.Hodnota(1, 2), f().Od().Edit_ULICE->text()) << text.toStdString();
        EXPECT_EQ(t.Hodnota(1, 3), f().Do().Edit_NAZEV->text()) << text.toStdString();
    }
}

// ---- Reloads on change events ---------------------------------------------------

// An address book longer than the list shows, in a database of its own.
class RideEntryReload : public RideEntry
{
protected:
    static void SetUpTestSuite()
    {
        RideEntry::SetUpTestSuite();
        for (int i = 1; i <= 40; ++i)
            addAddress(QStringLiteral("Firma %1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("Brno"),
                       QStringLiteral("602 00"));
    }
    int topId() const { return m_f->KTLB_ADRESY->VratID(m_f->KTLB_ADRESY->indexAt(QPoint(0, 0)).row()); }
};

// Every saved ride, this workstation's or another's, reloads the lists (the
// main window calls NactiSeznamy on WM_DATA_CHANGED): the frequent-address
// boxes keep their choices and the address list its selected and top rows,
// even when a new address is listed above them.
TEST_F(RideEntryReload, ChangeEventsKeepTheChosenAddressesAndTheListsPlace)
{
    TKTListBox* list = f().KTLB_ADRESY;
    ASSERT_EQ(list->count(), 43);
    QCoreApplication::processEvents(); // the list lays its rows out
    ASSERT_GT(list->verticalScrollBar()->maximum(), 0) << "the list must scroll for this test";
    fillRide(s_octavia, QStringLiteral("9.3.2004"));
    int chosen[5];
    for (int i = 0; i < 5; ++i) {
        chosen[i] = list->VratID(10 + 5 * i);
        ASSERT_TRUE(f().KTCB_Caste_Adresy[i]->VyberID(chosen[i]));
    }
    // The ride goes on to an address far down the list.
    list->scrollToItem(list->item(8), QAbstractItemView::PositionAtTop);
    const int top = topId();
    ASSERT_EQ(top, list->VratID(8));
    clickAddress(list->VratID(10));
    const int selected = list->VratZvoleneID();
    ASSERT_EQ(selected, list->VratID(10));
    ASSERT_EQ(f().Do().id, selected);
    f().Edit_VZDALENOST->setValue(12);
    f().KTCB_DUVOD->setEditText(QStringLiteral("Jednání"));

    const auto expectKept = [&](const char* when) {
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(f().KTCB_Caste_Adresy[i]->VratZvoleneID(), chosen[i]) << when << ", box " << i + 1;
        EXPECT_EQ(list->VratZvoleneID(), selected) << when;
        EXPECT_EQ(topId(), top) << when;
    };
    // This workstation's ride, then another's with a new address sorted first.
    click(f().BitBtn_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    ASSERT_EQ(value(QStringLiteral("select count(*) from kj")), "1");
    f().NactiSeznamy();
    expectKept("own ride");
    addAddress(QStringLiteral("Aaa nová"), QStringLiteral("Brno"), QStringLiteral("602 00"));
    f().NactiSeznamy();
    EXPECT_EQ(list->count(), 44);
    expectKept("another workstation's address");

    // The kept selection is no fresh click: clicking it again copies nothing,
    // clicking another row copies that one.
    f().RB_Od->setChecked(true);
    clickAddress(selected);
    EXPECT_NE(f().Od().id, selected);
    clickAddress(top);
    EXPECT_EQ(f().Od().id, top);
}

// ---- Order numbers under concurrency -------------------------------------------

class OrderNumber : public LogbookTest
{
};

// The upgrade step lists rides that share a date and number before it makes
// the pair unique.
TEST_F(OrderNumber, UpgradeStepReportsDuplicatesThenAddsTheConstraint)
{
    exec(QStringLiteral("delete from kj"));
    const auto& kroky = dbupgrade::Kroky();
    const auto krok = std::find_if(kroky.begin(), kroky.end(), [](const dbupgrade::Krok& k) {
        return k.popis.contains(QStringLiteral("pořadí"));
    });
    ASSERT_NE(krok, kroky.end());
    EXPECT_TRUE(krok->prikazy(db()).isEmpty()) << "a new database has the constraint";
    // The constraint refuses a second ride of the same date and number.
    exec(QStringLiteral("insert into kj (kj_auto_id, datum, poradi) values (%1, \"1.4.2004\", 1)")
             .arg(s_fabia));
    QString chyba;
    EXPECT_FALSE(
        ok(db().ProvedSQL(
               QStringLiteral("insert into kj (kj_auto_id, datum, poradi) values (%1, \"1.4.2004\", 1)")
                   .arg(s_octavia)),
           chyba));
    EXPECT_TRUE(chyba.contains(QLatin1String("KJ_DATUM_PORADI"))) << chyba.toStdString();

    // An old database: no constraint, duplicates present.
    exec(QStringLiteral("alter table kj drop constraint KJ_DATUM_PORADI"));
    exec(QStringLiteral("insert into kj (kj_auto_id, datum, poradi) values (%1, \"1.4.2004\", 1)")
             .arg(s_octavia));
    db().ObnovTransakci();
    try {
        krok->prikazy(db());
        ADD_FAILURE() << "duplicates must be reported";
    } catch (const ActionError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("1.4.2004 pořadí 1"))) << e.text().toStdString();
    }
    exec(QStringLiteral("update kj set poradi=2 where kj_auto_id=%1").arg(s_octavia));
    db().ObnovTransakci();
    const QStringList prikazy = krok->prikazy(db());
    ASSERT_EQ(prikazy.size(), 1);
    exec(prikazy[0]);
    exec(QStringLiteral("delete from kj"));
}

// Rides whose car is gone are listed before the foreign key is added; with
// it the database refuses such a ride.
TEST_F(OrderNumber, UpgradeStepReportsOrphanRidesThenAddsTheForeignKey)
{
    exec(QStringLiteral("delete from kj"));
    const auto& kroky = dbupgrade::Kroky();
    const auto krok = std::find_if(kroky.begin(), kroky.end(), [](const dbupgrade::Krok& k) {
        return k.popis.contains(QStringLiteral("existujícímu autu"));
    });
    ASSERT_NE(krok, kroky.end());
    EXPECT_TRUE(krok->prikazy(db()).isEmpty()) << "a new database has the key";
    QString chyba;
    EXPECT_FALSE(ok(db().ProvedSQL(QStringLiteral(
                        "insert into kj (kj_auto_id, datum, poradi) values (9999, \"1.4.2004\", 1)")),
                    chyba));
    EXPECT_TRUE(chyba.contains(QLatin1String("KJ_KJ_AUTO_FK"))) << chyba.toStdString();

    exec(QStringLiteral("alter table kj drop constraint KJ_KJ_AUTO_FK"));
    exec(QStringLiteral(
        "insert into kj (kj_id, kj_auto_id, datum, poradi) values (777, 9999, \"1.4.2004\", 1)"));
    db().ObnovTransakci();
    try {
        krok->prikazy(db());
        ADD_FAILURE() << "orphan rides must be reported";
    } catch (const ActionError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("KJ_ID 777 (auto 9999, 1.4.2004)")))
            << e.text().toStdString();
    }
    exec(QStringLiteral("update kj set kj_auto_id=%1 where kj_id=777").arg(s_fabia));
    db().ObnovTransakci();
    const QStringList prikazy = krok->prikazy(db());
    ASSERT_EQ(prikazy.size(), 1);
    exec(prikazy[0]);
    exec(QStringLiteral("delete from kj"));
}

// A collision with another workstation's ride is retried with a fresh number.
TEST_F(OrderNumber, CollisionIsRetried)
{
    exec(QStringLiteral("delete from kj"));
    JizdaPole j;
    j.AutoId = s_fabia;
    j.Datum = QStringLiteral("2.4.2004");
    j.Duvod = QStringLiteral("x");
    j.Vzdalenost = QStringLiteral("5");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(UlozJizdu(db(), j, s_user).ok);
    EXPECT_EQ(value(QStringLiteral("select list(poradi) from (select poradi from kj order by poradi)")),
              "1,2,3");
}

// Two processes saving rides of one date through the server never share a number.
TEST(OrderNumberProcesses, TwoWorkstationsNeverShareANumber)
{
    testdb::ServerDatabase database;
    ORVAN_REQUIRE_SERVER_OR_SKIP(database);
    {
        TSQLDATA db;
        ASSERT_TRUE(db.PripojDatabazi(database.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
        QString chyba;
        ASSERT_TRUE(ok(
            db.ProvedSQL(QStringLiteral("insert into kj_auto (kj_auto_id, popis) values (1, \"A\")")), chyba))
            << chyba.toStdString();
        db.Odpoj();
    }
    constexpr int kKazdy = 25;
    QList<QProcess*> procesy;
    for (int i = 0; i < 2; ++i) {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVAN_RIDE_PROBE_DB"), database.path());
        env.insert(QStringLiteral("ORVAN_RIDE_PROBE_COUNT"), QString::number(kKazdy));
        p->setProcessEnvironment(env);
        p->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=RideProbe.*")});
        procesy << p;
    }
    for (QProcess* p : procesy) {
        ASSERT_TRUE(p->waitForFinished(120000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardOutput().toStdString();
        delete p;
    }
    TSQLDATA db;
    ASSERT_TRUE(db.PripojDatabazi(database.path(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    EXPECT_EQ(db.VratInt(QStringLiteral("select count(*) from kj")), 2 * kKazdy);
    EXPECT_EQ(db.VratInt(QStringLiteral("select count(distinct poradi) from kj")), 2 * kKazdy);
    EXPECT_EQ(db.VratInt(QStringLiteral("select max(poradi) from kj")), 2 * kKazdy);
    db.Odpoj();
}

// The other workstation of the test above; does nothing unless started by it.
TEST(RideProbe, SaveRides)
{
    const QString path = qEnvironmentVariable("ORVAN_RIDE_PROBE_DB");
    if (path.isEmpty()) GTEST_SKIP() << "started by TwoWorkstationsNeverShareANumber only";
    TSQLDATA db;
    ASSERT_TRUE(db.PripojDatabazi(path, QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    JizdaPole j;
    j.AutoId = 1;
    j.Datum = QStringLiteral("3.4.2004");
    j.Duvod = QStringLiteral("souběh");
    j.Vzdalenost = QStringLiteral("7");
    for (int i = 0; i < qEnvironmentVariableIntValue("ORVAN_RIDE_PROBE_COUNT"); ++i) {
        const VysledekZapisu v = UlozJizdu(db, j, 1, 50);
        ASSERT_TRUE(v.ok) << v.chyba.toStdString();
    }
    db.Odpoj();
}

} // namespace
