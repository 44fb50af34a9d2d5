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
    const auto column = [id](const char* c) {
        return QStringLiteral("select %1 from ukoly where ukoly_id=%2").arg(QLatin1String(c)).arg(id);
    };
    const auto time = [](const QString& stored, const QString& typed) { return CasCast(stored) == typed; };
    hostileInput(
        {.open = [&]() -> TEditorZaznamu& {
             m_ed = std::make_unique<Teditukol>();
             open(id);
             return ed();
         },
         .edited = {{QStringLiteral("UKOLY"), QStringLiteral("ukoly_id=%1").arg(id)},
                    {QStringLiteral("UKOLY_KAT"), QStringLiteral("ukoly_id=%1").arg(id)}},
         .row = QStringLiteral("select * from ukoly where ukoly_id=%1").arg(id),
         .reset = [id] { resetTask(id); }},
        {{.edit = [this] { return ed().Edit_NAZEV; }, .readBack = column("NAZEV"), .name = "NAZEV"},
         {.edit = [this] { return ed().GroupBox_ALARM->Edit_ALARM_AKCE; },
          .readBack = column("ALARM_AKCE"),
          .name = "ALARM_AKCE"},
         {.edit = [this] { return ed().KTEDITDC_DATUM; }, .readBack = column("DATUM"), .name = "DATUM"},
         {.edit = [this] { return ed().KTEDITDC_CAS_DO; },
          .readBack = column("CAS_DO"),
          .same = time,
          .name = "CAS_DO"},
         {.edit = [this] { return ed().GroupBox_ALARM->KTEDITDC_ALARM_DATUM; },
          .readBack = column("ALARM_DATUM"),
          .name = "ALARM_DATUM"},
         {.edit = [this] { return ed().GroupBox_ALARM->KTEDITDC_ALARM_CAS; },
          .readBack = column("ALARM_CAS"),
          .same = time,
          .name = "ALARM_CAS"}});
}

} // namespace
