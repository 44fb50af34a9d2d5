#include "common/chybyserveru.h"
#include "common/messages.h"
#include "common/ui/framecheckbox.h"
#include "data/dberror.h"
#include "data/fb.h"
#include "data/hesla.h"
#include "data/sqlvalues.h"
#include "fixtures/editor_fixture.h"
#include "records/printers.h"
#include "users/ui/edit_uzivatel.h"
#include "users/ui/edit_uzivskupina.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLoggingCategory>
#include <QTest>
#include <QToolButton>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace
{

const QString kChybnaData = QStringLiteral("Data obsahují nepovolené údaje !");
const QString kNemateMenit = QStringLiteral("Nemáte právo měnit záznam !");
const QString kNemateSmazat = QStringLiteral("Nemáte právo smazat záznam !");
const QString kUlozit = QStringLiteral("Chcete data uložit ?");
const QString kOpravduSmazat = QStringLiteral("Opravdu chcete smazat zobrazený záznam ?");

// Groups in list order (by name): Kancelář 10, Sklad 30, Vedení 20.
constexpr int kKancelar = 10, kSkupinaVedeni = 20, kSklad = 30;

// Users and groups of a small office; the logged-in user is the administrator "spravce".
class UsersTest : public EditorFixture
{
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        exec(QStringLiteral("delete from spoj_uzivatel_uzivskupina"));
        exec(QStringLiteral("delete from uzivskupina"));
        exec(QStringLiteral("delete from uzivatel"));
        exec(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (10, \"Kancelář\")"));
        exec(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (20, \"Vedení\")"));
        exec(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (30, \"Sklad\")"));
        m_admin = testdb::addUser(db(), QStringLiteral("spravce"), QString(), true, false,
                                  QStringLiteral("Správce"));
        m_jana = testdb::addUser(db(), QStringLiteral("jana"), QStringLiteral("tajne"), false, false,
                                 QStringLiteral("Jana Nováková"));
        link(m_jana, kKancelar);
        m_saved = session();
        session().UzivatelID = m_admin;
        session().Administrator = true;
    }
    void TearDown() override
    {
        m_user.reset();
        m_group.reset();
        session() = m_saved;
        EditorFixture::TearDown();
    }

    static void link(int user, int group)
    {
        exec(QStringLiteral(
                 "insert into spoj_uzivatel_uzivskupina (uzivatel_id, uzivskupina_id) values (%1, %2)")
                 .arg(user)
                 .arg(group));
    }
    static QString value(const QString& sql) { return db().VratRadek(sql).trimmed(); }
    static QString groupsOf(int user)
    {
        return db().VratSloupec(QStringLiteral("select uzivskupina_id from spoj_uzivatel_uzivskupina where "
                                               "uzivatel_id=%1 order by uzivskupina_id")
                                    .arg(user),
                                QStringLiteral(","));
    }
    static QString membersOf(int group)
    {
        return db().VratSloupec(QStringLiteral("select uzivatel_id from spoj_uzivatel_uzivskupina where "
                                               "uzivskupina_id=%1 order by uzivatel_id")
                                    .arg(group),
                                QStringLiteral(","));
    }

    Tedit_UZIVATEL& user()
    {
        if (!m_user) m_user = std::make_unique<Tedit_UZIVATEL>();
        return *m_user;
    }
    Tedit_UZIVSKUPINA& group()
    {
        if (!m_group) m_group = std::make_unique<Tedit_UZIVSKUPINA>();
        return *m_group;
    }
    void openUser(int id)
    {
        user().OtevriZpravou(id);
        user().show();
    }
    void openGroup(int id)
    {
        group().OtevriZpravou(id);
        group().show();
    }

    // Clicks the check box of the list item with that caption.
    static void clickItem(TFrameCheckBox* f, const QString& caption)
    {
        QListWidget* l = f->JvCheckListBox1;
        const QList<QListWidgetItem*> items = l->findItems(caption, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << caption.toStdString();
        items.first()->setCheckState(items.first()->checkState() == Qt::Checked ? Qt::Unchecked
                                                                                : Qt::Checked);
    }
    static QStringList checked(TFrameCheckBox* f)
    {
        QStringList out;
        for (int i = 0; i < f->Pocet(); ++i)
            if (f->Zaskrtnuto(i)) out << f->JvCheckListBox1->item(i)->text();
        return out;
    }

    int m_admin = 0, m_jana = 0;
    Session m_saved;
    std::unique_ptr<Tedit_UZIVATEL> m_user;
    std::unique_ptr<Tedit_UZIVSKUPINA> m_group;
};

using UserEditor = UsersTest;
using GroupEditor = UsersTest;

TEST_F(UserEditor, NewUserStoresADigestAndTheCheckedGroups)
{
    openUser(0);
    EXPECT_EQ(user().windowTitle(), QStringLiteral("Orvan - Editace Uživatele"));
    EXPECT_TRUE(user().ChB_PRAVO_PRIHLASENI->isChecked());
    EXPECT_EQ(checked(user().FrameCheckBox1), QStringList());
    EXPECT_EQ(user().Edit_HESLO->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(user().SB_delete->isVisible());

    type(user().Edit_LOGIN, QStringLiteral("petr"));
    type(user().Edit_POPIS, QStringLiteral("Petr Dvořák"));
    type(user().Edit_HESLO, QStringLiteral("Kůň"));
    click(user().ChB_ADMINISTRATOR);
    clickItem(user().FrameCheckBox1, QStringLiteral("Vedení"));
    clickItem(user().FrameCheckBox1, QStringLiteral("Sklad"));
    click(user().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList());
    EXPECT_FALSE(user().isVisible());

    const int id = value(QStringLiteral("select uzivatel_id from uzivatel where login=\"petr\"")).toInt();
    ASSERT_NE(id, 0);
    EXPECT_EQ(
        value(QStringLiteral("select popis||\"/\"||administrator||\"/\"||pravo_prihlaseni||\"/\"||prihlasen "
                             "from uzivatel where uzivatel_id=%1")
                  .arg(id)),
        QStringLiteral("Petr Dvořák/1/1/0"));
    const QString digest = value(QStringLiteral("select heslo from uzivatel where uzivatel_id=%1").arg(id));
    EXPECT_TRUE(hesla::JeOtisk(digest));
    EXPECT_TRUE(hesla::Over(QStringLiteral("KŮŇ"), digest));
    EXPECT_EQ(groupsOf(id), QStringLiteral("20,30"));

    // Opened again: the password is not shown; saving without typing one keeps it;
    // the memberships become exactly the checked ones.
    openUser(id);
    EXPECT_EQ(user().Edit_HESLO->text(), QString());
    EXPECT_EQ(checked(user().FrameCheckBox1),
              (QStringList{QStringLiteral("Sklad"), QStringLiteral("Vedení")}));
    clickItem(user().FrameCheckBox1, QStringLiteral("Sklad"));
    clickItem(user().FrameCheckBox1, QStringLiteral("Kancelář"));
    EXPECT_TRUE(user().Zmeneno());
    click(user().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList());
    EXPECT_EQ(groupsOf(id), QStringLiteral("10,20"));
    EXPECT_EQ(value(QStringLiteral("select heslo from uzivatel where uzivatel_id=%1").arg(id)), digest);
    EXPECT_EQ(groupsOf(m_jana), QStringLiteral("10"));

    // A new password replaces the digest.
    openUser(id);
    type(user().Edit_HESLO, QStringLiteral("nové"));
    click(user().SB_SAVE);
    const QString changed = value(QStringLiteral("select heslo from uzivatel where uzivatel_id=%1").arg(id));
    EXPECT_TRUE(hesla::Over(QStringLiteral("NOVÉ"), changed));
    EXPECT_FALSE(hesla::Over(QStringLiteral("kůň"), changed));
}

// "Smí se přihlásit" starts ticked for every new user, also right after a user
// without the right was shown, and is stored as shown.
TEST_F(UserEditor, ANewUserMayLogInUnlessUnticked)
{
    openUser(m_jana);
    EXPECT_FALSE(user().ChB_PRAVO_PRIHLASENI->isChecked());
    openUser(0);
    EXPECT_TRUE(user().ChB_PRAVO_PRIHLASENI->isChecked());
    type(user().Edit_LOGIN, QStringLiteral("host"));
    click(user().ChB_PRAVO_PRIHLASENI);
    click(user().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList());
    EXPECT_EQ(value(QStringLiteral("select pravo_prihlaseni from uzivatel where login=\"host\"")),
              QStringLiteral("0"));
    openUser(0);
    EXPECT_TRUE(user().ChB_PRAVO_PRIHLASENI->isChecked());
}

// An empty login, or one another user has in any case, is refused; the window
// keeps the input and nothing is written.
TEST_F(UserEditor, EmptyOrUsedLoginsAreRefused)
{
    testdb::addUser(db(), QStringLiteral("šárka"), QString());
    const struct {
        int id; // 0: a new user; otherwise the administrator's own record
        const char* login;
        bool refused;
    } cases[] = {
        {0, "", true},      {0, "   ", true},       {0, "jana", true},
        {0, "ŠÁRKA", true}, {0, "JANA", true},      {0, " Jana ", true},
        {-1, "Jana", true}, {-1, "SPRAVCE", false}, {0, "jana2", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.login);
        const int id = c.id < 0 ? m_admin : 0;
        const QStringList before = testdb::snapshot(db());
        m_user.reset();
        openUser(id);
        type(user().Edit_LOGIN, QString::fromUtf8(c.login));
        click(user().SB_SAVE);
        if (c.refused) {
            EXPECT_EQ(messages::takeShown(), QStringList{kChybnaData});
            EXPECT_TRUE(user().isVisible());
            EXPECT_EQ(user().Edit_LOGIN->text(), QString::fromUtf8(c.login));
            EXPECT_EQ(testdb::snapshot(db()), before);
        } else {
            EXPECT_EQ(messages::takeShown(), QStringList());
            EXPECT_FALSE(user().isVisible());
            EXPECT_EQ(value(QStringLiteral("select count(*) from uzivatel where login=\"%1\"")
                                .arg(QString::fromUtf8(c.login).trimmed())),
                      QStringLiteral("1"));
        }
    }
}

TEST_F(UserEditor, OnlyAnAdministratorChangesOrDeletesUsers)
{
    session().Administrator = false;
    session().UzivatelID = m_jana;
    const QStringList before = testdb::snapshot(db());
    openUser(m_jana);
    EXPECT_FALSE(user().GroupBox_UZIVATEL->isEnabled());
    EXPECT_FALSE(user().GroupBox_SKUPINY->isEnabled());
    click(user().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList{kNemateMenit});
    click(user().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{kNemateSmazat});
    EXPECT_EQ(testdb::snapshot(db()), before);

    // An administrator demoted by another one since his login stores nothing more.
    session().Administrator = true;
    session().UzivatelID = m_admin;
    m_user.reset();
    openUser(m_jana);
    click(user().ChB_ADMINISTRATOR);
    exec(QStringLiteral("update uzivatel set administrator=0 where uzivatel_id=%1").arg(m_admin));
    const QStringList demoted = testdb::snapshot(db());
    click(user().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList{kNemateMenit});
    EXPECT_TRUE(user().isVisible());
    EXPECT_EQ(testdb::snapshot(db()), demoted);
}

TEST_F(UserEditor, DeletingKeepsTheLoggedInUserAndTheLastAdministrator)
{
    // The logged-in user and the only administrator: neither may go.
    openUser(m_admin);
    click(user().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{QStringLiteral("Přihlášeného uživatele nelze smazat !")});
    click(user().ChB_ADMINISTRATOR);
    click(user().SB_SAVE);
    EXPECT_EQ(messages::takeShown(),
              QStringList{QStringLiteral("Alespoň jeden uživatel musí zůstat administrátorem.")});
    EXPECT_EQ(value(QStringLiteral("select administrator from uzivatel where uzivatel_id=%1").arg(m_admin)),
              QStringLiteral("1"));

    // Another user goes with the memberships, after the question.
    m_user.reset();
    openUser(m_jana);
    messages::queueAnswer(false);
    click(user().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{kOpravduSmazat});
    EXPECT_EQ(value(QStringLiteral("select count(*) from uzivatel where uzivatel_id=%1").arg(m_jana)),
              QStringLiteral("1"));
    messages::queueAnswer(true);
    click(user().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{kOpravduSmazat});
    EXPECT_FALSE(user().isVisible());
    EXPECT_EQ(value(QStringLiteral("select count(*) from uzivatel where uzivatel_id=%1").arg(m_jana)),
              QStringLiteral("0"));
    EXPECT_EQ(groupsOf(m_jana), QString());
}

// Every field and the group list mark the user modified; closing then asks.
TEST_F(UserEditor, EveryChangeIsOfferedForSavingOnClose)
{
    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"login", [&] { type(user().Edit_LOGIN, QStringLiteral("jana.n")); }},
        {"name", [&] { type(user().Edit_POPIS, QStringLiteral("Jana")); }},
        {"password", [&] { type(user().Edit_HESLO, QStringLiteral("x")); }},
        {"administrator", [&] { click(user().ChB_ADMINISTRATOR); }},
        {"may log in", [&] { click(user().ChB_PRAVO_PRIHLASENI); }},
        {"group", [&] { clickItem(user().FrameCheckBox1, QStringLiteral("Sklad")); }},
    };
    const QStringList before = testdb::snapshot(db());
    for (const auto& c : changes) {
        openUser(m_jana);
        ASSERT_FALSE(user().Zmeneno()) << c.what;
        c.change();
        EXPECT_TRUE(user().Zmeneno()) << c.what;
        messages::queueAnswer(false);
        user().close();
        EXPECT_EQ(messages::takeShown(), QStringList{kUlozit}) << c.what;
        EXPECT_FALSE(user().isVisible()) << c.what;
    }
    EXPECT_EQ(testdb::snapshot(db()), before);
    // Yes stores the change.
    openUser(m_jana);
    click(user().ChB_PRAVO_PRIHLASENI);
    messages::queueAnswer(true);
    user().close();
    EXPECT_EQ(messages::takeShown(), QStringList{kUlozit});
    EXPECT_EQ(value(QStringLiteral("select pravo_prihlaseni from uzivatel where uzivatel_id=%1").arg(m_jana)),
              QStringLiteral("1"));
}

// Every log line of the process while a test runs, every category switched on.
class LogCapture
{
public:
    LogCapture()
    {
        s_lines = &lines;
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& m) { s_lines->append(m); });
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=true"));
    }
    ~LogCapture()
    {
        QLoggingCategory::setFilterRules(QString());
        qInstallMessageHandler(m_previous);
        s_lines = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines;

private:
    static inline QStringList* s_lines = nullptr;
    QtMessageHandler m_previous = nullptr;
};

// Another workstation holds the user's row while the administrator saves a new
// password: the save fails with the server's words and the statement, which
// show neither the typed password, nor its digest, nor the database password.
TEST_F(UserEditor, RefusedSaveShowsNoPassword)
{
    const QString heslo = QStringLiteral("Tajné-Heslo-77");
    LogCapture log;
    openUser(m_jana);
    type(user().Edit_HESLO, heslo);
    const QStringList before = testdb::snapshot(db());

    TSQLDATA other;
    ASSERT_TRUE(other.PripojDatabazi(dbPath(), QStringLiteral("orvan"), QStringLiteral("qelmo.")));
    fb::Status st(fb::status());
    Firebird::ITransaction* held = other.attachment()->startTransaction(&st, 0, nullptr);
    const QByteArray lock =
        QStringLiteral("update uzivatel set popis=popis where uzivatel_id=%1").arg(m_jana).toLatin1();
    other.attachment()->execute(&st, held, 0, lock.constData(), 1, nullptr, nullptr, nullptr, nullptr);

    // The holder commits once the save waits on its lock, so the save ends with
    // the update conflict instead of getting through.
    std::atomic<bool> waited{false};
    std::thread holder([&] {
        for (int i = 0; i < 1200 && !waited; ++i) {
            try {
                other.ObnovTransakci();
                waited =
                    other.VratInt(QStringLiteral(
                        "select count(*) from mon$statements where mon$state=1 and "
                        "mon$attachment_id<>current_connection and mon$sql_text containing 'heslo'")) > 0;
            } catch (const DbError&) {
            }
            if (!waited) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        fb::Status commit(fb::status());
        held->commit(&commit);
    });
    click(user().SB_SAVE);
    holder.join();
    ASSERT_TRUE(waited) << "the save never waited on the lock";

    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(
        chybyserveru::veta(shown[0]).startsWith(QStringLiteral("Záznam právě mění jiná pracovní stanice.")))
        << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("update uzivatel set login="))) << shown[0].toStdString();
    const QStringList everything = shown + log.lines;
    for (const QString& secret : {heslo, QStringLiteral("pbkdf2"), QStringLiteral("qelmo.")})
        for (const QString& text : everything)
            EXPECT_FALSE(text.contains(secret, Qt::CaseInsensitive)) << text.toStdString();

    // Nothing was stored, and the window keeps the typed password for another try.
    db().ObnovTransakci();
    EXPECT_EQ(testdb::snapshot(db()), before);
    EXPECT_TRUE(user().isVisible());
    EXPECT_EQ(user().Edit_HESLO->text(), heslo);
}

TEST_F(GroupEditor, SavesTheNameAndReplacesTheMembers)
{
    openGroup(0);
    EXPECT_EQ(group().windowTitle(), QStringLiteral("Orvan - Editace uživatelské skupiny"));
    EXPECT_EQ(checked(group().FrameCheckBox1), QStringList());
    type(group().Edit_POPIS, QStringLiteral("Obchod"));
    clickItem(group().FrameCheckBox1, QStringLiteral("Jana Nováková"));
    click(group().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList());
    const int id =
        value(QStringLiteral("select uzivskupina_id from uzivskupina where popis=\"Obchod\"")).toInt();
    ASSERT_NE(id, 0);
    EXPECT_EQ(membersOf(id), QString::number(m_jana));

    openGroup(kKancelar);
    EXPECT_EQ(checked(group().FrameCheckBox1), QStringList{QStringLiteral("Jana Nováková")});
    type(group().Edit_POPIS, QStringLiteral("Kancelář 2"));
    clickItem(group().FrameCheckBox1, QStringLiteral("Jana Nováková"));
    clickItem(group().FrameCheckBox1, QStringLiteral("Správce"));
    click(group().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList());
    EXPECT_EQ(value(QStringLiteral("select popis from uzivskupina where uzivskupina_id=10")),
              QStringLiteral("Kancelář 2"));
    EXPECT_EQ(membersOf(kKancelar), QString::number(m_admin));
    EXPECT_EQ(groupsOf(m_jana), QString::number(id));

    // The name alone is a change that closing offers to save.
    openGroup(kSklad);
    type(group().Edit_POPIS, QStringLiteral("Sklad nový"));
    messages::queueAnswer(false);
    group().close();
    EXPECT_EQ(messages::takeShown(), QStringList{kUlozit});
    EXPECT_EQ(value(QStringLiteral("select popis from uzivskupina where uzivskupina_id=30")),
              QStringLiteral("Sklad"));
}

TEST_F(GroupEditor, EmptyOrUsedNamesAndNonAdministratorsAreRefused)
{
    const QStringList before = testdb::snapshot(db());
    for (const char* name : {"", "  ", "vedení", "VEDENÍ", " Sklad "}) {
        SCOPED_TRACE(name);
        m_group.reset();
        openGroup(kKancelar);
        type(group().Edit_POPIS, QString::fromUtf8(name));
        click(group().SB_SAVE);
        EXPECT_EQ(messages::takeShown(), QStringList{kChybnaData});
        EXPECT_TRUE(group().isVisible());
        EXPECT_EQ(group().Edit_POPIS->text(), QString::fromUtf8(name));
    }
    session().Administrator = false;
    m_group.reset();
    openGroup(0);
    EXPECT_FALSE(group().GroupBox_SKUPINA->isEnabled());
    click(group().SB_SAVE);
    EXPECT_EQ(messages::takeShown(), QStringList{kNemateMenit});
    openGroup(kSkupinaVedeni);
    click(group().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{kNemateSmazat});
    EXPECT_EQ(testdb::snapshot(db()), before);
}

// A group that a record's rights name stays: deleting it would open the
// record to everybody on its next save.
TEST_F(GroupEditor, DeletesOnlyAGroupNoRecordNames)
{
    exec(QStringLiteral("insert into kj_auto (kj_auto_id, spz, f_cist, f_editovat, f_smazat, f_alarm, "
                        "f_administrovat) values (1, \"1A1 0001\", 0, 0, 0, 0, 20)"));
    openGroup(kSkupinaVedeni);
    click(group().SB_delete);
    EXPECT_EQ(messages::takeShown(),
              QStringList{QStringLiteral("Záznam je již použit v systému a není možné ho smazat !")});
    EXPECT_EQ(value(QStringLiteral("select count(*) from uzivskupina where uzivskupina_id=20")),
              QStringLiteral("1"));
    exec(QStringLiteral("delete from kj_auto"));

    openGroup(kKancelar);
    messages::queueAnswer(true);
    click(group().SB_delete);
    EXPECT_EQ(messages::takeShown(), QStringList{kOpravduSmazat});
    EXPECT_EQ(value(QStringLiteral("select count(*) from uzivskupina where uzivskupina_id=10")),
              QStringLiteral("0"));
    EXPECT_EQ(membersOf(kKancelar), QString());
    EXPECT_FALSE(group().isVisible());
}

// Every text field of both editors takes every hostile text: afterwards only
// the edited record may have changed, and it reads back as typed (a password
// as its digest) or the save was refused with a message and the input kept.
TEST_F(UserEditor, HostileInputInEveryField)
{
    // Logins and group names are stored trimmed, a password as its digest.
    const auto trimmed = [](const QString& stored, const QString& typed) {
        return stored.trimmed() == typed.trimmed();
    };
    const auto digest = [](const QString& stored, const QString& typed) {
        return hesla::Over(typed, stored.trimmed());
    };
    const QString user = QStringLiteral("select %1 from uzivatel where uzivatel_id=%2");
    const QString heslo = value(user.arg(QStringLiteral("heslo")).arg(m_jana));
    hostileInput({.open = [&]() -> TEditorZaznamu& {
                      m_user.reset();
                      openUser(m_jana);
                      return *m_user;
                  },
                  .edited = {{QStringLiteral("UZIVATEL"), QStringLiteral("uzivatel_id=%1").arg(m_jana)}},
                  .row = QStringLiteral("select * from uzivatel where uzivatel_id=%1").arg(m_jana),
                  .reset =
                      [&] {
                          exec(QStringLiteral("update uzivatel set login=\"jana\", popis=\"Jana Nováková\", "
                                              "heslo=%1 where uzivatel_id=%2")
                                   .arg(TextSQL(heslo))
                                   .arg(m_jana));
                      }},
                 {{.edit = [this] { return m_user->Edit_LOGIN; },
                   .readBack = user.arg(QStringLiteral("login")).arg(m_jana),
                   .same = trimmed,
                   .name = "LOGIN"},
                  {.edit = [this] { return m_user->Edit_POPIS; },
                   .readBack = user.arg(QStringLiteral("popis")).arg(m_jana),
                   .same = trimmed,
                   .name = "POPIS"},
                  {.edit = [this] { return m_user->Edit_HESLO; },
                   .readBack = user.arg(QStringLiteral("heslo")).arg(m_jana),
                   .same = digest,
                   .name = "HESLO"}});
    hostileInput(
        {.open = [&]() -> TEditorZaznamu& {
             m_group.reset();
             openGroup(kSkupinaVedeni);
             return *m_group;
         },
         .edited = {{QStringLiteral("UZIVSKUPINA"), QStringLiteral("uzivskupina_id=%1").arg(kSkupinaVedeni)}},
         .row = QStringLiteral("select * from uzivskupina where uzivskupina_id=%1").arg(kSkupinaVedeni),
         .reset =
             [] {
                 exec(QStringLiteral("update uzivskupina set popis=\"Vedení\" where uzivskupina_id=%1")
                          .arg(kSkupinaVedeni));
             }},
        {{.edit = [this] { return m_group->Edit_POPIS; },
          .readBack =
              QStringLiteral("select popis from uzivskupina where uzivskupina_id=%1").arg(kSkupinaVedeni),
          .same = trimmed,
          .name = "UZIVSKUPINA.POPIS"}});
}

} // namespace
