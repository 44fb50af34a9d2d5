// What every record editor does the same way, because it comes from the one
// base: the load of a record that no longer exists, the keys, the order of
// Tab. Each editor's own behaviour is tested in its subsystem's folder.
#include "addressbook/ui/edit_uzivatel_zakl.h"
#include "addressbook/ui/editadresar.h"
#include "addressbook/ui/formeditciselnikadresarkategorie.h"
#include "calendar/ui/editudalost.h"
#include "calendar/ui/formeditciselnikkalendarkategorie.h"
#include "common/commandtarget.h"
#include "common/ui/ktcombobox.h"
#include "common/ui/kteditdc.h"
#include "common/ui/messageboxsink.h"
#include "fixtures/editor_fixture.h"
#include "logbook/ui/edit_kj_auto.h"
#include "logbook/ui/edit_kj_tankovani.h"
#include "tasks/ui/editukol.h"
#include "users/ui/edit_uzivatel.h"
#include "users/ui/edit_uzivskupina.h"

#include <QMessageBox>
#include <QTimer>

namespace
{

// One editor: how to make it, what a new record needs typed before it can be
// saved (object name -> text), and its table.
struct Editor {
    const char* name;
    std::function<std::unique_ptr<TEditorZaznamu>()> make;
    std::vector<std::pair<const char*, const char*>> fields;
    const char* table;
};

template <typename E> std::function<std::unique_ptr<TEditorZaznamu>()> make()
{
    return [] { return std::make_unique<E>(); };
}

const std::vector<Editor>& editors()
{
    static const std::vector<Editor> list = {
        {"event", make<Teditudalost>(), {{"KTEDITDC_DATUM", "1.5.2004"}, {"Edit_NAZEV", "Nová"}}, "KU"},
        {"task", make<Teditukol>(), {{"KTEDITDC_DATUM", "1.5.2004"}, {"Edit_NAZEV", "Nový"}}, "UKOLY"},
        {"address", make<Tedit_UZIVATEL_ZAKL>(), {{"Edit_NAZEV", "Nová firma"}}, "ADRESAR_ZAKL"},
        {"special address", make<TEditadresar>(), {{"Edit_NAZEV", "Nový"}}, "ADRESAR_SPEC"},
        {"calendar category",
         make<TFormEditCiselnikKalendarKategorie>(),
         {{"Edit_NAZEV", "Nová"}},
         "KU_C_KAT"},
        {"address category",
         make<TFormEditCiselnikAdresarKategorie>(),
         {{"Edit_NAZEV", "Nová"}},
         "ADRESAR_C_KAT"},
        {"car", make<Tedit_KJ_AUTO>(), {{"Edit_SPZ", "9ZZ 9999"}, {"Edit_POPIS", "Nové"}}, "KJ_AUTO"},
        {"fuel purchase",
         make<Tedit_KJ_TANKOVANI>(),
         {{"KTEDITDC_DATUM", "1.5.2004"}, {"Edit_LITRY", "40"}, {"Edit_CENA", "1500"}},
         "KJ_TANKOVANI"},
        {"user", make<Tedit_UZIVATEL>(), {{"Edit_LOGIN", "novy"}}, "UZIVATEL"},
        {"group", make<Tedit_UZIVSKUPINA>(), {{"Edit_POPIS", "Nová"}}, "UZIVSKUPINA"},
    };
    return list;
}

class Editors : public EditorFixture
{
protected:
    static void SetUpTestSuite()
    {
        EditorFixture::SetUpTestSuite();
        addCalendarCategories();
        s_auto = db().NoveID(QStringLiteral("KJ_AUTO_ID"));
        exec(QStringLiteral("insert into kj_auto (kj_auto_id, spz, popis, f_cist) values (%1, \"1AB 2345\", "
                            "\"Octavia\", 0)")
                 .arg(s_auto));
    }
    void SetUp() override
    {
        EditorFixture::SetUp();
        // Users and groups are an administrator's.
        session().Administrator = true;
        exec(QStringLiteral("update uzivatel set administrator=1 where uzivatel_id=%1").arg(s_user));
    }

    static void fill(TEditorZaznamu& ed, const Editor& e)
    {
        for (const auto& [field, text] : e.fields) {
            auto* f = ed.findChild<QLineEdit*>(QLatin1String(field));
            ASSERT_TRUE(f) << e.name << ": " << field;
            type(f, QString::fromUtf8(text));
        }
        // The purchase's car is chosen from its list.
        if (auto* auto_ = ed.findChild<TKTComboBox*>(QStringLiteral("KTCB_AUTO"))) auto_->VyberID(s_auto);
    }
    static int count(const char* table)
    {
        return value(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))).toInt();
    }
    static inline int s_auto = 0;

    // The object names that Tab visits from the window's first field on.
    static QStringList tabOrder(QWidget* ed, int steps)
    {
        QStringList out;
        for (int i = 0; i < steps; ++i) {
            QWidget* f = QApplication::focusWidget();
            out << (f ? f->objectName() : QStringLiteral("(none)"));
            QTest::keyClick(f ? f : ed, Qt::Key_Tab);
        }
        return out;
    }
};

// A record another workstation deleted: opening it shows the message and
// leaves the editor empty for a new record, never bound to the dead id, so
// what is typed next is stored as a new record instead of lost.
TEST_F(Editors, MissingRecordLeavesTheEditorUnbound)
{
    for (const Editor& e : editors()) {
        const std::unique_ptr<TEditorZaznamu> ed = e.make();
        EXPECT_FALSE(ed->OtevriZpravou(999999)) << e.name;
        EXPECT_EQ(messages::takeShown(), QStringList{"Záznam 999999 nebyl nalezen."}) << e.name;
        EXPECT_EQ(ed->ZaznamID(), 0) << e.name;
        EXPECT_FALSE(ed->SB_delete->isVisibleTo(ed.get())) << e.name;
        EXPECT_FALSE(ed->Zmeneno()) << e.name;

        ed->show();
        const int before = count(e.table);
        fill(*ed, e);
        click(ed->SB_SAVE);
        EXPECT_EQ(messages::takeShown(), QStringList()) << e.name;
        EXPECT_EQ(count(e.table), before + 1) << e.name;
        EXPECT_FALSE(ed->isVisible()) << e.name;
    }
}

// Esc leaves an editor like its close button: at once when nothing changed,
// after the question when something did.
TEST_F(Editors, EscClosesAndAsksWhenModified)
{
    for (const Editor& e : editors()) {
        const std::unique_ptr<TEditorZaznamu> ed = e.make();
        ed->OtevriZpravou(0);
        ed->show();
        QTest::keyClick(ed->focusWidget() ? ed->focusWidget() : ed.get(), Qt::Key_Escape);
        EXPECT_FALSE(ed->isVisible()) << e.name;
        EXPECT_TRUE(messages::takeShown().isEmpty()) << e.name;

        ed->show();
        auto* field = ed->findChild<QLineEdit*>(QLatin1String(e.fields.back().first));
        type(field, QStringLiteral("x"));
        QTest::keyClick(field, Qt::Key_Escape); // No
        EXPECT_EQ(messages::takeShown(), QStringList{"Chcete data uložit ?"}) << e.name;
        EXPECT_FALSE(ed->isVisible()) << e.name;
    }
}

// In the real box, Enter answers the save question with Yes (the edits are
// kept) and a delete question with No (the record is kept).
TEST_F(Editors, EnterMeansYesToSavingAndNoToDeleting)
{
    // Real boxes for this test only, also when it ends early.
    struct RealBoxes {
        MessageBoxSink sink;
        RealBoxes()
        {
            messages::stopRecording();
            messages::setSink(&sink);
        }
        ~RealBoxes()
        {
            messages::setSink(nullptr);
            messages::startRecording();
        }
    } boxes;
    // Enter on the next box that opens (given up after a few seconds, so a
    // box that never comes cannot leave one waiting for a later step).
    QStringList asked;
    const auto pressEnter = [&] {
        auto* poll = new QTimer;
        auto tries = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, poll, [&asked, poll, tries] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked << box->text();
                if (const QString shots = qEnvironmentVariable("ORVAN_SCREENSHOT_DIR"); !shots.isEmpty())
                    box->grab().save(shots + QStringLiteral("/otazka-%1.png").arg(asked.size()));
                QTest::keyClick(box, Qt::Key_Return);
            } else if (++*tries < 100) {
                return;
            }
            poll->deleteLater();
            poll->stop();
        });
        poll->start(20);
    };

    Teditudalost ed;
    ed.OtevriZpravou(0, LP_EDIT_RECORD);
    ed.show();
    type(ed.KTEDITDC_DATUM, QStringLiteral("1.5.2004"));
    type(ed.Edit_NAZEV, QStringLiteral("Uloženo Enterem"));
    pressEnter();
    ed.close();
    EXPECT_FALSE(ed.isVisible());
    const TKTDATASET saved = rows(QStringLiteral("select ku_id from ku where nazev=\"Uloženo Enterem\""));
    ASSERT_EQ(saved.PocetRadku(), 1);
    const int id = saved.Hodnota(1, 1).toInt();

    ed.OtevriZpravou(id, LP_EDIT_RECORD);
    ed.show();
    pressEnter();
    click(ed.SB_delete);
    EXPECT_TRUE(ed.isVisible());
    EXPECT_EQ(value(QStringLiteral("select count(*) from ku where ku_id=%1").arg(id)), QStringLiteral("1"));
    EXPECT_EQ(asked, (QStringList{"Chcete data uložit ?", "Opravdu chcete smazat zobrazený záznam ?"}));

    // Saved elsewhere meanwhile: Enter on the question goes back to the editor, nothing lost.
    TSQLDATA other;
    ASSERT_TRUE(other.PripojDatabazi(dbPath(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    setSQLDATA(&db());
    ASSERT_TRUE(other.ProvedSQL(QStringLiteral("update ku set nazev=nazev where ku_id=%1").arg(id)).ok);
    type(ed.Edit_NAZEV, QStringLiteral("Změněno tady"));
    pressEnter();
    click(ed.SB_SAVE);
    EXPECT_TRUE(ed.isVisible());
    EXPECT_EQ(ed.Edit_NAZEV->text(), QStringLiteral("Změněno tady"));
    EXPECT_EQ(value(QStringLiteral("select nazev from ku where ku_id=%1").arg(id)),
              QStringLiteral("Uloženo Enterem"));
    ASSERT_EQ(asked.size(), 3);
    EXPECT_TRUE(asked[2].startsWith(QStringLiteral("Záznam mezitím změnil a uložil ")))
        << asked[2].toStdString();
}

// The cursor starts in the first field; Tab goes on through the layout, top
// to bottom and left to right, past the tool bar and the frames' insides.
TEST_F(Editors, TabFollowsTheLayout)
{
    const struct {
        std::function<std::unique_ptr<TEditorZaznamu>()> make;
        QStringList order;
    } cases[] = {
        {make<TEditadresar>(),
         {"CB_TYP", "Edit_NAZEV", "Edit_JMENO", "Edit_PRIJMENI", "Edit_EMAIL", "SB_SendMail", "Edit_TELEFON1",
          "Edit_TELEFON2", "Edit_ULICE", "Edit_PSC", "Edit_MESTO", "Edit_STAT", "Edit_POZNAMKA",
          "ChB_ZASILAT_INFORMACE", "SB_Save"}},
        {make<Teditudalost>(),
         {"KTEDITDC_DATUM", "ChB_CELY_DEN", "KTEDITDC_CAS_OD", "KTEDITDC_CAS_DO", "KTEDITDC_DATUM_DO",
          "ChB_VSE_STEJNE", "CB_CIST"}},
        {make<Tedit_UZIVATEL_ZAKL>(),
         {"Edit_NAZEV", "Edit_NAZEV2", "CB_TITUL", "Edit_JMENO", "Edit_PRIJMENI", "CB_ZA_PRIJMENIM",
          "Edit_NAZEV_ZKRACENY", "Edit_EMAIL1", "SB_SENDMAIL1", "Edit_EMAIL2", "SB_SENDMAIL2",
          "Edit_TELEFON1"}},
        {make<Tedit_KJ_AUTO>(),
         {"Edit_SPZ", "Edit_POPIS", "CB_PALIVO", "Edit_SPOTREBA", "Edit_TACHOMETR_START", "ChB_VSE_STEJNE"}},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<TEditorZaznamu> ed = c.make();
        ed->OtevriZpravou(0);
        ed->show();
        ed->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ed.get()));
        EXPECT_EQ(tabOrder(ed.get(), int(c.order.size())), c.order) << ed->objectName().toStdString();
    }
}

// Another workstation saved or deleted the record while it was open here.
// The question keeps what was typed until the user chooses: back to the
// editor, overwrite with the typed values, or store them as a new record.
TEST_F(Editors, SaveAfterAnotherWorkstationAsks)
{
    TSQLDATA other;
    ASSERT_TRUE(other.PripojDatabazi(dbPath(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    setSQLDATA(&db());
    // Logins and group names are unique: earlier tests may have stored these.
    exec(QStringLiteral("delete from uzivatel where login=\"novy\""));
    exec(QStringLiteral("delete from uzivskupina where popis=\"Nová\""));
    enum { Prepsat, Nacist, Zpet };
    for (const Editor& e : editors()) {
        const QString table = QLatin1String(e.table), key = table + QStringLiteral("_ID");
        const std::unique_ptr<TEditorZaznamu> ed = e.make();
        ed->Nacti_zaznam(0);
        ed->show();
        fill(*ed, e);
        click(ed->SB_SAVE);
        ASSERT_EQ(messages::takeShown(), QStringList()) << e.name;
        const int id = value(QStringLiteral("select max(%1) from %2").arg(key, table)).toInt();

        // Opened here, then saved elsewhere (a user's row counts only what its editor writes).
        ASSERT_TRUE(ed->OtevriZpravou(id)) << e.name;
        ed->show();
        const QString change = table == QLatin1String("UZIVATEL") ? QStringLiteral("popis=\"Jinde\"")
                                                                  : QStringLiteral("%1=%1").arg(key);
        ASSERT_TRUE(
            other.ProvedSQL(QStringLiteral("update %1 set %2 where %3=%4").arg(table, change, key).arg(id))
                .ok)
            << e.name;
        const char* field = e.fields.front().first;
        auto* f = ed->findChild<QLineEdit*>(QLatin1String(field));
        const QString typed =
            QString::fromLatin1(field).startsWith(QLatin1String("KTEDITDC")) ? QStringLiteral("2.5.2004")
            : QLatin1String(field) == QLatin1String("Edit_LITRY")            ? QStringLiteral("41")
                                                                             : QStringLiteral("Změněno");
        type(f, typed);
        const QString shown = f->text();

        messages::queueChoice(Zpet);
        click(ed->SB_SAVE);
        const QStringList asked = messages::takeShown();
        ASSERT_EQ(asked.size(), 1) << e.name;
        EXPECT_TRUE(asked.front().startsWith(QStringLiteral("Záznam mezitím změnil a uložil "))) << e.name;
        EXPECT_TRUE(ed->isVisible() && ed->Zmeneno()) << e.name;
        EXPECT_EQ(f->text(), shown) << e.name;

        messages::queueChoice(Prepsat);
        click(ed->SB_SAVE);
        EXPECT_EQ(messages::takeShown().size(), 1) << e.name;
        EXPECT_FALSE(ed->isVisible()) << e.name << " closes after the save";
        const std::unique_ptr<TEditorZaznamu> check = e.make();
        ASSERT_TRUE(check->OtevriZpravou(id)) << e.name;
        EXPECT_EQ(check->findChild<QLineEdit*>(QLatin1String(field))->text(), shown) << e.name;

        // Deleted elsewhere: stored as a new record on request.
        ASSERT_TRUE(ed->OtevriZpravou(id)) << e.name;
        ed->show();
        const int before = count(e.table);
        ASSERT_TRUE(other.ProvedSQL(QStringLiteral("delete from %1 where %2=%3").arg(table, key).arg(id)).ok)
            << e.name;
        type(f, typed);
        messages::queueChoice(0);
        click(ed->SB_SAVE);
        const QStringList deleted = messages::takeShown();
        ASSERT_EQ(deleted.size(), 1) << e.name;
        EXPECT_TRUE(deleted.front().startsWith(QStringLiteral("Záznam mezitím smazal jiný uživatel.")))
            << e.name;
        EXPECT_EQ(count(e.table), before) << e.name << ": one deleted there, one stored here";
        EXPECT_NE(ed->ZaznamID(), id) << e.name;
    }
}

} // namespace
