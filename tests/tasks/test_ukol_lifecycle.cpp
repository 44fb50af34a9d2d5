#include "tasks/task_fixture.h"

#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "data/zapiszaznam.h"
#include "fixtures/hostile.h"

#include <functional>

namespace
{

using UkolLifecycle = TaskTest;

// Each kind of change marks the task modified; loading does not.
TEST_F(UkolLifecycle, EveryChangeMarksTheTaskModified)
{
    const int id = addTask(kVedeni, kVedeni);
    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"name", [&] { type(ed().Edit_NAZEV, QStringLiteral("x")); }},
        {"deadline", [&] { type(ed().KTEDITDC_DATUM, QStringLiteral("4.6.2004")); }},
        {"time", [&] { type(ed().KTEDITDC_CAS_DO, QStringLiteral("9:00")); }},
        {"active", [&] { click(ed().ChB_AKTIVNI); }},
        {"alarm", [&] { click(ed().GroupBox_ALARM->ChB_ALARM); }},
        {"alarm date", [&] { type(ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM, QStringLiteral("1.6.2004")); }},
        {"alarm time", [&] { type(ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS, QStringLiteral("8:00")); }},
        {"action type", [&] { chooseType(3); }},
        {"action file", [&] { type(ed().GroupBox_ALARM->Edit_ALARM_AKCE, QStringLiteral("/tmp/b.wav")); }},
        {"category", [&] { clickCategoryBox(kPrace); }},
        {"main category", [&] { doubleClickCategory(kRodina); }},
        {"rights",
         [&] { ed().Frame_Prava1->CB_CIST->setCurrentIndex(ed().Frame_Prava1->CB_CIST->count() - 1); }},
        {"note", [&] { typeNote(QStringLiteral("p")); }},
    };
    for (const auto& c : changes) {
        open(id);
        ASSERT_FALSE(ed().Zmeneno()) << c.what;
        c.change();
        EXPECT_TRUE(ed().Zmeneno()) << c.what;
        click(ed().SB_ZnovuNacist);
        EXPECT_FALSE(ed().Zmeneno()) << c.what;
    }
    EXPECT_TRUE(messages::takeShown().isEmpty());

    const QHash<QString, int> lengths = DelkySloupcu(db(), QStringLiteral("UKOLY"));
    EXPECT_EQ(ed().Edit_NAZEV->maxLength(), lengths.value(QStringLiteral("NAZEV")));
    EXPECT_EQ(ed().GroupBox_ALARM->Edit_ALARM_AKCE->maxLength(), lengths.value(QStringLiteral("ALARM_AKCE")));
    EXPECT_EQ(ed().Edit_NAZEV->maxLength(), 250);
}

TEST_F(UkolLifecycle, ClosingAsksOnlyWhenSomethingChanged)
{
    const int id = addTask(kVedeni, kVedeni);
    open(id);
    ed().close();
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(ed().isVisible());

    // The note alone is a change, and Yes stores it.
    open(id);
    typeNote(QStringLiteral("Nová poznámka"));
    messages::queueAnswer(true);
    ed().close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(noteOf(id), QStringLiteral("Nová poznámka"));

    // A category click answered No closes without saving.
    open(id);
    clickCategoryBox(kPrace);
    ed().close();
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(linksOf(id), QStringList{"13/1"});

    // Saved with the button: closes without a question.
    open(id);
    type(ed().Edit_NAZEV, QStringLiteral("Uloženo"));
    click(ed().SB_SAVE);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_FALSE(ed().isVisible());
    EXPECT_EQ(value(QStringLiteral("select nazev from ukoly where ukoly_id=%1").arg(id)),
              QStringLiteral("Uloženo"));
}

// Another task opened over unsaved changes: the question comes first; No
// drops them, Yes saves them, and a refused save keeps them shown.
TEST_F(UkolLifecycle, OpeningAnotherTaskAsksFirst)
{
    const int a = addTask(kVedeni, kVedeni);
    const int b = addTask(kVedeni, kVedeni);
    const QString nameOf = QStringLiteral("select nazev from ukoly where ukoly_id=%1");

    open(a);
    type(ed().Edit_NAZEV, QStringLiteral("Zahozeno"));
    EXPECT_TRUE(open(b)); // No
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(ed().ZaznamID(), b);
    EXPECT_EQ(value(nameOf.arg(a)), QStringLiteral("Dárky"));

    type(ed().Edit_NAZEV, QStringLiteral("Uloženo"));
    messages::queueAnswer(true);
    EXPECT_TRUE(open(0));
    EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"});
    EXPECT_EQ(value(nameOf.arg(b)), QStringLiteral("Uloženo"));
    EXPECT_EQ(ed().ZaznamID(), 0);
    EXPECT_EQ(ed().Edit_NAZEV->text(), QString());

    // A new task without a deadline: Yes is refused and it stays with its input.
    type(ed().Edit_NAZEV, QStringLiteral("Nový"));
    messages::queueAnswer(true);
    EXPECT_FALSE(open(a));
    EXPECT_EQ(messages::takeShown(),
              (QStringList{"Chcete data uložit ?", "Data obsahují nepovolené údaje !"}));
    EXPECT_EQ(ed().ZaznamID(), 0);
    EXPECT_EQ(ed().Edit_NAZEV->text(), QStringLiteral("Nový"));
    EXPECT_TRUE(ed().Zmeneno());
    EXPECT_EQ(value(QStringLiteral("select count(*) from ukoly where nazev=\"Nový\"")), QStringLiteral("0"));
}

// Every text, date and time field of the task editor takes every hostile
// text: afterwards only the edited task may have changed, and the value
// reads back exactly or the save was refused with a message.
TEST_F(UkolLifecycle, HostileInputInEveryTaskField)
{
    const int id = addTask(kVedeni, kVedeni);
    addTask(kObchod, kObchod); // others, one of them not editable by the user
    addTask(0, 0);
    const struct {
        const char* name;
        const char* column; // read back as the field shows it
    } fields[] = {{"Edit_NAZEV", "NAZEV"},
                  {"Edit_ALARM_AKCE", "ALARM_AKCE"},
                  {"KTEDITDC_DATUM", "DATUM"},
                  {"KTEDITDC_CAS_DO", "CAS_DO"},
                  {"KTEDITDC_ALARM_DATUM", "ALARM_DATUM"},
                  {"KTEDITDC_ALARM_CAS", "ALARM_CAS"}};
    const QHash<QString, QString> edited = {
        {QStringLiteral("UKOLY"), QStringLiteral("ukoly_id=%1").arg(id)},
        {QStringLiteral("UKOLY_KAT"), QStringLiteral("ukoly_id=%1").arg(id)}};
    const QString readBack = QStringLiteral("select * from ukoly where ukoly_id=%1").arg(id);
    for (const auto& f : fields) {
        for (const QString& text : hostileTexts()) {
            const std::string what =
                QStringLiteral("%1 <- %2").arg(QLatin1String(f.name), text.left(40)).toStdString();
            m_ed = std::make_unique<Teditukol>();
            open(id);
            auto* e = ed().findChild<QLineEdit*>(QLatin1String(f.name));
            ASSERT_TRUE(e && e->isEnabled()) << f.name;
            const QStringList before = testdb::snapshot(db(), edited);
            const QString rowBefore = rows(readBack).Radek(1);

            type(e, text);
            const QString typed = e->text();
            click(ed().SB_SAVE);
            const QStringList shown = messages::takeShown();

            EXPECT_EQ(testdb::snapshot(db(), edited), before) << what;
            const TKTDATASET t = rows(readBack);
            ASSERT_EQ(t.PocetRadku(), 1) << what;
            if (shown.isEmpty()) {
                QString stored = t.HodnotaJmeno(1, QLatin1String(f.column));
                if (QByteArray(f.column).contains("CAS")) stored = CasCast(stored);
                EXPECT_EQ(stored, typed) << what;
                EXPECT_FALSE(ed().isVisible()) << what;
            } else {
                EXPECT_EQ(t.Radek(1), rowBefore) << what;
                EXPECT_TRUE(ed().isVisible()) << what;
                EXPECT_EQ(e->text(), typed) << what;
            }
            m_ed.reset();
            resetTask(id);
        }
    }
}

} // namespace
