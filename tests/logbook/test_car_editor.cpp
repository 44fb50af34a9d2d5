#include "logbook_fixture.h"

#include "data/tablecolumns.h"
#include "logbook/jizda.h"
#include "logbook/kjauto.h"
#include "records/ui/frame_prava.h"

#include <QComboBox>
#include <QToolButton>

namespace
{

class CarEditor : public LogbookTest
{
protected:
    void SetUp() override
    {
        LogbookTest::SetUp();
        m_ed = std::make_unique<Tedit_KJ_AUTO>();
    }
    void TearDown() override
    {
        m_ed.reset();
        LogbookTest::TearDown();
    }
    Tedit_KJ_AUTO& ed() { return *m_ed; }
    void open(int id)
    {
        ASSERT_TRUE(ed().OtevriZpravou(id));
        ed().show();
    }
    static void addRide(int car, const QString& datum, int poradi)
    {
        exec(QStringLiteral(
                 "insert into kj (kj_auto_id, datum, poradi, vzdalenost) values (%1, \"%2\", %3, 10)")
                 .arg(car)
                 .arg(datum)
                 .arg(poradi));
    }
    std::unique_ptr<Tedit_KJ_AUTO> m_ed;
};

// Typing in the plate or the description marks the car modified, and
// closing then asks; loading does not.
TEST_F(CarEditor, TypingMarksModifiedAndClosingAsks)
{
    for (QLineEdit* e : {ed().Edit_SPZ, ed().Edit_POPIS}) {
        open(s_octavia);
        ASSERT_FALSE(ed().Zmeneno());
        type(e, QStringLiteral("X"));
        EXPECT_TRUE(ed().Zmeneno()) << e->objectName().toStdString();
        messages::queueAnswer(false);
        ed().close();
        EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
        EXPECT_FALSE(ed().isVisible());
    }
    open(s_octavia);
    EXPECT_EQ(ed().Edit_SPZ->text(), QStringLiteral("1AB 2345")) << "No discarded the change";
    ed().close();
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

TEST_F(CarEditor, NewCarGetsDefaultGroupAndStoredCarIsUpdated)
{
    open(0);
    EXPECT_FALSE(ed().SB_delete->isVisible());
    type(ed().Edit_SPZ, QStringLiteral("3EF 1111"));
    type(ed().Edit_POPIS, QStringLiteral("Škoda Superb"));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(ed().isVisible());
    const TKTDATASET t =
        rows(QStringLiteral("select spz, f_cist, f_editovat, f_smazat, f_alarm, f_administrovat, "
                            "vytvoril_kdo from kj_auto where popis='Škoda Superb'"));
    ASSERT_EQ(t.PocetRadku(), 1);
    EXPECT_EQ(t.Hodnota(1, 1), QStringLiteral("3EF 1111"));
    for (int c = 2; c <= 6; ++c)
        EXPECT_EQ(t.HodnotaIntIndex(1, c), kVedeni);
    EXPECT_EQ(t.HodnotaIntIndex(1, 7), s_user);
}

// Fuel type, consumption (decimal comma) and start odometer for the monthly
// report, stored by the first save of a new car as by the save of a stored
// one; a consumption that is no number is refused by name and keeps the window.
TEST_F(CarEditor, FuelConsumptionAndStartOdometer)
{
    const int stored = addCar(QStringLiteral("5VV 0000"), QStringLiteral("Spotřeba"));
    int car = 0;
    for (const int id : {0, stored}) {
        SCOPED_TRACE(id == 0 ? "new car" : "stored car");
        open(id);
        if (id == 0) {
            type(ed().Edit_SPZ, QStringLiteral("5VV 0001"));
            type(ed().Edit_POPIS, QStringLiteral("Nová spotřeba"));
        }
        ed().CB_PALIVO->setEditText(QStringLiteral("Nafta"));
        type(ed().Edit_SPOTREBA, QStringLiteral("6,5"));
        type(ed().Edit_TACHOMETR_START, QStringLiteral("12000"));
        EXPECT_TRUE(ed().Zmeneno());
        click(ed().SB_SAVE);
        EXPECT_TRUE(messages::takeShown().isEmpty());
        car = ed().ZaznamID();
        ASSERT_GT(car, 0);
        const TKTDATASET t =
            rows(QStringLiteral("select palivo, spotreba, tachometr_start from kj_auto where kj_auto_id=%1")
                     .arg(car));
        ASSERT_EQ(t.PocetRadku(), 1);
        EXPECT_EQ(t.Hodnota(1, 1), QStringLiteral("Nafta"));
        EXPECT_DOUBLE_EQ(t.Hodnota(1, 2).toDouble(), 6.5);
        EXPECT_EQ(t.Hodnota(1, 3), QStringLiteral("12000"));
        open(car);
        EXPECT_EQ(ed().Edit_SPOTREBA->text(), QStringLiteral("6,5"));
        EXPECT_EQ(ed().CB_PALIVO->currentText(), QStringLiteral("Nafta"));
        EXPECT_EQ(ed().Edit_TACHOMETR_START->text(), QStringLiteral("12000"));
    }
    EXPECT_EQ(car, stored);

    for (const char* chybne : {"šest", "-1", "1e999"}) {
        type(ed().Edit_SPOTREBA, QString::fromUtf8(chybne));
        click(ed().SB_SAVE);
        EXPECT_EQ(messages::takeShown(),
                  QStringList{"Pole „Spotřeba“ musí obsahovat číslo od 0 do 9999999,99."})
            << chybne;
        EXPECT_TRUE(ed().isVisible());
    }
    type(ed().Edit_SPOTREBA, QString());
    type(ed().Edit_TACHOMETR_START, QStringLiteral("12 km"));
    click(ed().SB_SAVE);
    EXPECT_EQ(messages::takeShown(),
              QStringList{"Pole „Tachometr“ musí obsahovat celé číslo od 0 do 2147483647."});
    click(ed().SB_ZnovuNacist);
}

// A car with rides is never deleted; one without rides is. The test and the
// delete are one statement.
TEST_F(CarEditor, DeleteOnlyWithoutRides)
{
    const int car = addCar(QStringLiteral("9ZZ 0000"), QStringLiteral("Stará"));
    addRide(car, QStringLiteral("1.3.2004"), 901);
    open(car);
    messages::queueAnswer(true);
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(),
              (QStringList{"Opravdu chcete smazat zobrazený záznam ?",
                           "Záznam je již použit v systému a není možné ho smazat !"}));
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(value(QStringLiteral("select count(*) from kj_auto where kj_auto_id=%1").arg(car)), "1");

    exec(QStringLiteral("delete from kj where kj_auto_id=%1").arg(car));
    messages::queueAnswer(true);
    click(ed().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{"Opravdu chcete smazat zobrazený záznam ?"});
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(value(QStringLiteral("select count(*) from kj_auto where kj_auto_id=%1").arg(car)), "0");

    // The logic alone: a ride that exists when the statement runs keeps its car.
    const int other = addCar(QStringLiteral("8YY 0000"), QStringLiteral("Jiná"));
    addRide(other, QStringLiteral("2.3.2004"), 902);
    const VysledekZapisu v = SmazAuto(db(), other);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.chyba, TextZaznamPouzit);
}

TEST_F(CarEditor, WithoutEditRightFieldsLockButDeleteFollowsItsOwnRight)
{
    const int car = addCar(QStringLiteral("7XX 0000"), QStringLiteral("Cizí"), kObchod, kVedeni);
    open(car);
    EXPECT_TRUE(ed().JenCteni());
    EXPECT_FALSE(ed().Edit_SPZ->isEnabled());
    EXPECT_FALSE(ed().SB_SAVE->isEnabled());
    EXPECT_TRUE(ed().SB_delete->isEnabled());
    open(0);
    EXPECT_TRUE(ed().Edit_SPZ->isEnabled()) << "a new car is editable again";
    EXPECT_TRUE(ed().SB_SAVE->isEnabled());
}

// A refused save keeps the window and the input; nothing is written.
TEST_F(CarEditor, RefusedSaveKeepsTheWindow)
{
    const QStringList before = testdb::snapshot(db());
    open(s_fabia);
    ed().Edit_POPIS->setText(QStringLiteral("Fabia \u0007"));
    click(ed().SB_SAVE);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QLatin1String("update kj_auto set spz="))) << shown[0].toStdString();
    EXPECT_TRUE(ed().isVisible());
    EXPECT_EQ(ed().Edit_POPIS->text(), QStringLiteral("Fabia \u0007"));
    EXPECT_EQ(testdb::snapshot(db()), before);
    click(ed().SB_ZnovuNacist);
    EXPECT_FALSE(ed().Zmeneno());
}

// Hostile text in the plate and the description is stored as typed (cut to
// the column) and changes nothing else.
TEST_F(CarEditor, HostileInput)
{
    const int car = addCar(QStringLiteral("6WW 0000"), QStringLiteral("Terč"));
    const QHash<QString, int> delky = DelkySloupcu(db(), QStringLiteral("KJ_AUTO"));
    EXPECT_EQ(ed().Edit_SPZ->maxLength(), delky.value(QStringLiteral("SPZ")));
    const auto column = [car](const char* c) {
        return QStringLiteral("select %1 from kj_auto where kj_auto_id=%2").arg(QLatin1String(c)).arg(car);
    };
    hostileInput(
        {.open = [&]() -> TEditorZaznamu& {
             open(car);
             return ed();
         },
         .edited = {{QStringLiteral("KJ_AUTO"), QStringLiteral("kj_auto_id=%1").arg(car)}},
         .row = QStringLiteral("select * from kj_auto where kj_auto_id=%1").arg(car),
         .reset =
             [car] {
                 exec(
                     QStringLiteral("update kj_auto set spz=\"6WW 0000\", popis=\"Terč\" where kj_auto_id=%1")
                         .arg(car));
             }},
        {{.edit = [this] { return ed().Edit_SPZ; }, .readBack = column("SPZ"), .name = "SPZ"},
         {.edit = [this] { return ed().Edit_POPIS; }, .readBack = column("POPIS"), .name = "POPIS"}});
}

} // namespace
