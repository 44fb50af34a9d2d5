#include "app/login.h"
#include "app/ui/mainform.h"
#include "app/ui/passworddlg.h"
#include "app/ui/startup.h"
#include "common/commandtarget.h"
#include "common/messages.h"
#include "common/session.h"
#include "data/dbupgrade.h"
#include "data/hesla.h"
#include "data/sqlvalues.h"
#include "fixtures/testdb.h"
#include "users/ui/edit_uzivatel.h"
#include "users/ui/edit_uzivskupina.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace
{

const QString kWrong = QStringLiteral("Špatné jméno nebo heslo !");
const QString kConfig = QStringLiteral("Chyba v konfiguraci !\rNení možné použít login=1");
const QString kNesmi = QStringLiteral("Tento uživatel se nesmí přihlásit !");

struct User {
    QString login;
    QString password;
    bool mayLogIn = true; // "Smí se přihlásit"
};

class Login : public DbTest
{
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        exec(QStringLiteral("delete from spoj_uzivatel_uzivskupina"));
        exec(QStringLiteral("delete from uzivskupina"));
        exec(QStringLiteral("delete from uzivatel"));
        session() = Session{};
        login::NastavCiselnikyViditelne(true);
    }

    static QMap<QString, int> addUsers(const QList<User>& users)
    {
        QMap<QString, int> ids;
        for (const User& u : users)
            ids[u.login] = testdb::addUser(db(), u.login, u.password, false, u.mayLogIn);
        return ids;
    }

    static void link(int user, int group)
    {
        exec(QStringLiteral(
                 "insert into spoj_uzivatel_uzivskupina (uzivatel_id, uzivskupina_id) values (%1, %2)")
                 .arg(user)
                 .arg(group));
    }

    // Types into a fresh dialog and presses OK; answers whether it accepted.
    static bool typeAndOk(const QString& name, const QString& password)
    {
        TPasswordDlg dlg(QStringLiteral("nekdo"));
        dlg.Edit_JMENO->setText(name);
        dlg.EDIT_Password->setText(password);
        dlg.OKBtn->click();
        return dlg.result() == QDialog::Accepted;
    }

    static QList<int> sessionGroups()
    {
        const Session& s = session();
        return QList<int>(s.Skupiny.begin(), s.Skupiny.begin() + s.PocetSkupin);
    }
};

TEST(LoginStatements, ExactTexts)
{
    const struct {
        QString actual;
        const char* expected;
    } cases[] = {
        {login::SqlPocetOpravnenych(), "Select count(*) from uzivatel where pravo_prihlaseni=1"},
        {login::SqlPrvniOpravneny(), "Select FIRST 1 uzivatel_id from uzivatel where pravo_prihlaseni=1"},
        {login::SqlPocetUzivateleSystemu(QStringLiteral("jana")),
         "Select count(*) from uzivatel where (pravo_prihlaseni=1) and (upper(login)=upper(\"jana\") and "
         "(heslo=\"\"));"},
        {login::SqlIdUzivateleSystemu(QStringLiteral("jana")),
         "Select uzivatel_id from uzivatel where (pravo_prihlaseni=1) and (upper(login)=upper(\"jana\") and "
         "(heslo=\"\"));"},
        // A typed quote cannot end the literal; a typed "%1" is not filled in again.
        {login::SqlUctyDialog(QStringLiteral("a\" or \"\"=\"%1")),
         "Select uzivatel_id,heslo from uzivatel where (upper(login)=upper(\"a\"\" or \"\"\"\"=\"\"%1\"));"},
        {login::SqlSkupiny(7), "Select uzivskupina_id from spoj_uzivatel_uzivskupina where uzivatel_id=7"},
        {login::SqlVychoziSkupina(7),
         "Select uzivskupina_id from uzivatel,uzivskupina where(uzivatel.uzivatel_id=7) "
         "and (upper(uzivatel.popis)=upper(uzivskupina.popis))"},
        {login::SqlUzivatel(7), "Select * from uzivatel where uzivatel_id=7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, QString::fromUtf8(c.expected));
}

TEST_F(Login, DialogChecksLoginAndPassword)
{
    QMap<QString, int> ids = addUsers({
        {QStringLiteral("novak"), QStringLiteral("tajne")},
        {QStringLiteral("šťastná"), QStringLiteral("žluťoučký kůň")},
        {QStringLiteral("prazdny"), QString()},
        {QStringLiteral("mezery"), QStringLiteral("   ")},
        {QStringLiteral("o'brien"), QStringLiteral("p")},
    });
    // Two accounts with one login and one password.
    addUsers(
        {{QStringLiteral("dvojce"), QStringLiteral("x")}, {QStringLiteral("DVOJCE"), QStringLiteral("x")}});
    // One login, two passwords: a typed password tells them apart, an empty one counts by login.
    ids.insert(addUsers({{QStringLiteral("dva"), QStringLiteral("a")}}));
    addUsers({{QStringLiteral("DVA"), QString()}});
    exec(QStringLiteral("insert into uzivatel (uzivatel_id, login, heslo, pravo_prihlaseni) values (900, "
                        "\"o\"\"neil\", \"p\", 1)"));
    ids.insert(QStringLiteral("o\"neil"), 900);
    // Without "Smí se přihlásit": refused, but only the right password learns why.
    addUsers({{QStringLiteral("bezprava"), QStringLiteral("b"), false},
              {QStringLiteral("bez_hesla"), QString(), false}});

    const struct {
        const char* login;
        const char* password;
        const char* user; // nullptr: the login fails
        QString refusal = kWrong;
    } cases[] = {
        {"novak", "tajne", "novak"},
        {"NOVAK", "TAJNE", "novak"},
        {"NoVaK", "tAjNe", "novak"},
        {"ŠŤASTNÁ", "ŽLUŤOUČKÝ KŮŇ", "šťastná"},
        {"novak", "spatne", nullptr},
        {"novak", "", nullptr},    // empty password for a user who has one
        {"novak", "   ", nullptr}, // blanks are looked up as the password
        {"nikdo", "tajne", nullptr},
        {"prazdny", "", "prazdny"},
        {"mezery", "   ", "mezery"},
        {"dvojce", "x", nullptr},
        {"Dva", "A", "dva"},
        {"dva", "", nullptr},
        // A typed double quote is the stored double quote, never an apostrophe.
        {"o\"neil", "p", "o\"neil"},
        {"o\"brien", "p", nullptr},
        {"\" or \"\"=\"", "\" or \"\"=\"", nullptr},
        {"bezprava", "b", nullptr, kNesmi},
        {"BEZPRAVA", "B", nullptr, kNesmi},
        {"bezprava", "x", nullptr},
        {"bezprava", "", nullptr},
        {"bez_hesla", "", nullptr, kNesmi},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.login) + " / " + c.password);
        session() = Session{};
        const bool accepted = typeAndOk(QString::fromUtf8(c.login), QString::fromUtf8(c.password));
        if (c.user) {
            EXPECT_TRUE(accepted);
            EXPECT_EQ(session().UzivatelID, ids.value(QString::fromUtf8(c.user)));
            EXPECT_EQ(messages::takeShown(), QStringList());
        } else {
            EXPECT_FALSE(accepted);
            EXPECT_EQ(session().UzivatelID, 0);
            EXPECT_EQ(messages::takeShown(), QStringList{c.refusal});
        }
    }
}

TEST_F(Login, AutomaticLoginModes)
{
    const struct {
        const char* label;
        int mode;
        QList<User> users;
        const char* loggedIn; // nullptr: nobody
        int answer;
        QStringList shown;
    } cases[] = {
        {"0: the one user who may",
         0,
         {{QStringLiteral("admin"), QStringLiteral("heslo"), true},
          {QStringLiteral("novak"), QString(), false}},
         "admin",
         0,
         {}},
        {"0: nobody may", 0, {{QStringLiteral("novak"), QString(), false}}, nullptr, 2, {kConfig}},
        {"0: two may",
         0,
         {{QStringLiteral("a"), QString(), true}, {QStringLiteral("b"), QString(), true}},
         nullptr,
         2,
         {kConfig}},
        {"1: OS user in other case", 1, {{QStringLiteral("JANA"), QString(), true}}, "JANA", 0, {}},
        {"1: no login right", 1, {{QStringLiteral("jana"), QString(), false}}, nullptr, 2, {}},
        {"1: user has a password", 1, {{QStringLiteral("jana"), QStringLiteral("x"), true}}, nullptr, 2, {}},
        {"1: another user", 1, {{QStringLiteral("petr"), QString(), true}}, nullptr, 2, {}},
        {"1: name shared by two accounts",
         1,
         {{QStringLiteral("jana"), QString(), true}, {QStringLiteral("JANA"), QString(), true}},
         nullptr,
         2,
         {}},
        {"2: always the dialog", 2, {{QStringLiteral("jana"), QString(), true}}, nullptr, 2, {}},
        {"3: neither", 3, {{QStringLiteral("jana"), QString(), true}}, nullptr, 1, {}},
        {"-1: neither", -1, {{QStringLiteral("jana"), QString(), true}}, nullptr, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        exec(QStringLiteral("delete from uzivatel"));
        const QMap<QString, int> ids = addUsers(c.users);
        session() = Session{};
        session().LoginRezim = c.mode;

        TPasswordDlg dlg(QStringLiteral("Jana"));
        EXPECT_EQ(dlg.AutomatickePrihlaseni(), c.answer);
        EXPECT_EQ(session().UzivatelID, c.loggedIn ? ids.value(QString::fromUtf8(c.loggedIn)) : 0);
        EXPECT_EQ(messages::takeShown(), c.shown);
        // The dialog, when it comes, offers the OS user's name.
        EXPECT_EQ(dlg.Edit_JMENO->text(), c.answer == 1 ? QString() : QStringLiteral("Jana"));
        EXPECT_TRUE(login::CiselnikyViditelne());
    }
}

TEST_F(Login, GroupsAndUserFillTheSession)
{
    exec(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (10, \"Obchod\")"));
    exec(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (20, \"Účetní\")"));
    exec(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (30, \"Vedení\")"));
    const int eva = testdb::addUser(db(), QStringLiteral("eva"), QStringLiteral("e"), true, true,
                                    QStringLiteral("ÚČETNÍ"));
    exec(QStringLiteral("update uzivatel set alarm_posl_datum=\"12.03.2004\", alarm_posl_cas=\"08:15:00\" "
                        "where uzivatel_id=%1")
             .arg(eva));
    link(eva, 30);
    link(eva, 10);
    link(eva, 20);
    const int karel = testdb::addUser(db(), QStringLiteral("karel"), QString(), false, true);
    link(karel, 20);
    link(karel, 30);
    const int host = testdb::addUser(db(), QStringLiteral("host"), QString(), false, true);

    // Default group by name, without regard to case; alarm values taken.
    ASSERT_TRUE(typeAndOk(QStringLiteral("eva"), QStringLiteral("e")));
    EXPECT_EQ(session().UzivatelID, eva);
    EXPECT_TRUE(session().Administrator);
    EXPECT_EQ(session().SkupinyText, QStringLiteral("30,10,20"));
    EXPECT_EQ(sessionGroups(), (QList<int>{30, 10, 20}));
    EXPECT_EQ(session().VychoziSkupina, 20);
    EXPECT_EQ(session().AlarmPoslDatum, QStringLiteral("12.03.2004"));
    EXPECT_EQ(session().AlarmPoslCas, QStringLiteral("08:15:00"));
    EXPECT_TRUE(session().JeVeSkupine(10));
    EXPECT_FALSE(session().JeVeSkupine(40));

    // The automatic path loads the same way. A second login replaces the
    // groups instead of adding to them; empty alarm values keep the session's.
    session().AlarmPoslDatum = QStringLiteral("01.01.0001");
    session().AlarmPoslCas = QStringLiteral("00:00");
    session().LoginRezim = 1;
    TPasswordDlg automatic(QStringLiteral("KAREL"));
    ASSERT_EQ(automatic.AutomatickePrihlaseni(), 0);
    EXPECT_EQ(session().UzivatelID, karel);
    EXPECT_FALSE(session().Administrator);
    EXPECT_EQ(session().SkupinyText, QStringLiteral("20,30"));
    EXPECT_EQ(sessionGroups(), (QList<int>{20, 30}));
    EXPECT_EQ(session().VychoziSkupina, 20); // no group named "karel": the first one
    EXPECT_EQ(session().AlarmPoslDatum, QStringLiteral("01.01.0001"));
    EXPECT_EQ(session().AlarmPoslCas, QStringLiteral("00:00"));
    EXPECT_FALSE(session().JeVeSkupine(10));

    ASSERT_TRUE(typeAndOk(QStringLiteral("host"), QString()));
    EXPECT_EQ(session().UzivatelID, host);
    EXPECT_EQ(session().SkupinyText, QString());
    EXPECT_EQ(session().PocetSkupin, 0);
    EXPECT_EQ(session().VychoziSkupina, 0);
    EXPECT_EQ(messages::takeShown(), QStringList());
}

TEST_F(Login, MoreThanAThousandGroupsKeepsTheFirstThousandEverywhere)
{
    const int user = testdb::addUser(db(), QStringLiteral("velky"), QStringLiteral("v"), false, true);
    QStringList inserts;
    for (int group = 1; group <= Session::kMaxSkupiny + 5; ++group)
        inserts << QStringLiteral("update or insert into uzivskupina (uzivskupina_id, popis) values (%1, "
                                  "'Skupina %1') matching (uzivskupina_id)")
                       .arg(group)
                << QStringLiteral(
                       "insert into spoj_uzivatel_uzivskupina (uzivatel_id, uzivskupina_id) values (%1, %2)")
                       .arg(user)
                       .arg(group);
    QString error;
    ASSERT_TRUE(ok(db().ProvedSQLSeznam(inserts), error)) << error.toStdString();

    ASSERT_TRUE(typeAndOk(QStringLiteral("velky"), QStringLiteral("v")));
    const QList<int> kept = sessionGroups();
    ASSERT_EQ(kept.size(), Session::kMaxSkupiny);
    // The text that builds the rights filter names exactly the ids the session holds.
    QStringList keptText;
    for (int id : kept)
        keptText << QString::number(id);
    EXPECT_EQ(session().SkupinyText, keptText.join(QLatin1Char(',')));
    EXPECT_EQ(session().VychoziSkupina, kept.first());
}

TEST_F(Login, CodeListPageFollowsTheDialogLogin)
{
    const int admin = testdb::addUser(db(), QStringLiteral("admin"), QStringLiteral("a"), true, true);
    testdb::addUser(db(), QStringLiteral("novak"), QStringLiteral("n"), false, true);

    ASSERT_TRUE(typeAndOk(QStringLiteral("novak"), QStringLiteral("n")));
    EXPECT_FALSE(login::CiselnikyViditelne());
    ASSERT_TRUE(typeAndOk(QStringLiteral("admin"), QStringLiteral("a")));
    EXPECT_TRUE(login::CiselnikyViditelne());
    EXPECT_FALSE(typeAndOk(QStringLiteral("novak"), QStringLiteral("x")));
    EXPECT_TRUE(login::CiselnikyViditelne());

    // An automatic login of a non-administrator leaves the page alone (mode 0:
    // novak is then the one user who may log in).
    exec(QStringLiteral("update uzivatel set pravo_prihlaseni=0 where uzivatel_id=%1").arg(admin));
    TPasswordDlg dlg(QStringLiteral("nekdo"));
    ASSERT_EQ(dlg.AutomatickePrihlaseni(), 0);
    EXPECT_EQ(session().Administrator, false);
    EXPECT_TRUE(login::CiselnikyViditelne());
    messages::takeShown();
}

TEST_F(Login, DialogWindow)
{
    TPasswordDlg dlg(QStringLiteral("jana"));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Orvan - Přihlášení"));
    EXPECT_EQ(dlg.findChild<QLineEdit*>(QStringLiteral("Edit_JMENO")), dlg.Edit_JMENO);
    EXPECT_EQ(dlg.findChild<QLineEdit*>(QStringLiteral("EDIT_Password")), dlg.EDIT_Password);
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("OKBtn")), dlg.OKBtn);
    EXPECT_EQ(dlg.findChild<QPushButton*>(QStringLiteral("CancelBtn")), dlg.CancelBtn);
    EXPECT_EQ(dlg.Label_JMENO->text(), QStringLiteral("Login"));
    EXPECT_EQ(dlg.Label_Password->text(), QStringLiteral("Heslo"));
    EXPECT_EQ(dlg.OKBtn->text(), QStringLiteral("OK"));
    EXPECT_EQ(dlg.CancelBtn->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(dlg.OKBtn->isDefault());
    EXPECT_EQ(dlg.EDIT_Password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dlg.EDIT_Password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr,
                                                    dlg.EDIT_Password),
              '*');
}

// Runs the dialog modally; `interact` runs inside its event loop.
int runModal(TPasswordDlg& dlg, const std::function<void()>& interact)
{
    QTimer::singleShot(0, &dlg, interact);
    QTimer::singleShot(5000, &dlg, [&dlg] { dlg.done(-1); }); // never hang the test run
    return dlg.exec();
}

TEST_F(Login, ModalDialogEndsWithEnterEscapeOrCancel)
{
    const int jana = testdb::addUser(db(), QStringLiteral("jana"), QStringLiteral("heslo"), false, true);

    TPasswordDlg enter(QStringLiteral("jana"));
    session().LoginRezim = 2;
    ASSERT_EQ(enter.AutomatickePrihlaseni(), 2);
    EXPECT_EQ(runModal(enter,
                       [&] {
                           QTest::keyClicks(enter.EDIT_Password, QStringLiteral("HESLO"));
                           QTest::keyClick(enter.EDIT_Password, Qt::Key_Return);
                       }),
              QDialog::Accepted);
    EXPECT_EQ(session().UzivatelID, jana);

    session() = Session{};
    TPasswordDlg escape(QStringLiteral("jana"));
    escape.EDIT_Password->setText(QStringLiteral("heslo"));
    EXPECT_EQ(runModal(escape, [&] { QTest::keyClick(escape.EDIT_Password, Qt::Key_Escape); }),
              QDialog::Rejected);

    TPasswordDlg cancel(QStringLiteral("jana"));
    cancel.EDIT_Password->setText(QStringLiteral("heslo"));
    EXPECT_EQ(runModal(cancel, [&] { QTest::mouseClick(cancel.CancelBtn, Qt::LeftButton); }),
              QDialog::Rejected);
    EXPECT_EQ(session().UzivatelID, 0);
    EXPECT_EQ(messages::takeShown(), QStringList());
}

TEST_F(Login, ReadFailureLogsNobodyIn)
{
    testdb::addUser(db(), QStringLiteral("jana"), QString(), false, true);
    TSQLDATA offline;
    setSQLDATA(&offline);

    TPasswordDlg dlg(QStringLiteral("jana"));
    EXPECT_EQ(dlg.AutomatickePrihlaseni(), 1);
    dlg.OKBtn->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    setSQLDATA(&db());

    EXPECT_EQ(session().UzivatelID, 0);
    const QStringList shown = messages::takeShown();
    EXPECT_EQ(shown.size(), 2);
    EXPECT_FALSE(shown.contains(kWrong));
}

} // namespace

namespace
{

// What is stored can never be read back as the password; any case of the
// password matches it.
TEST(Hesla, DigestsHideThePasswordAndIgnoreCase)
{
    const QString password = QStringLiteral("Žluťoučký kůň");
    const QString digest = hesla::Otisk(password);
    const QStringList parts = digest.split(QLatin1Char('$'));
    ASSERT_EQ(parts.size(), 4);
    EXPECT_EQ(parts[0], QStringLiteral("pbkdf2_sha256"));
    EXPECT_EQ(parts[1].toInt(), hesla::PocetIteraci());
    EXPECT_GE(hesla::PocetIteraci(), 600000);
    EXPECT_FALSE(digest.contains(password, Qt::CaseInsensitive));
    EXPECT_LE(digest.size(), 200); // fits the widened column
    // A salt of its own: the same password never gives the same text twice.
    EXPECT_NE(hesla::Otisk(password), digest);
    EXPECT_TRUE(hesla::JeOtisk(digest));

    const struct {
        const char* typed;
        bool matches;
    } cases[] = {
        {"Žluťoučký kůň", true},  {"ŽLUŤOUČKÝ KŮŇ", true},   {"žluťoučký kůň", true},
        {"Zlutoucky kun", false}, {"Žluťoučký kůň ", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hesla::Over(QString::fromUtf8(c.typed), digest), c.matches) << c.typed;

    // "No password" stays empty, for the automatic login by system user name.
    EXPECT_EQ(hesla::Otisk(QString()), QString());
    EXPECT_TRUE(hesla::Over(QString(), QString()));
    // A damaged digest or a plain text that merely looks like one matches nothing but itself.
    for (const QString& bad : {digest.left(digest.size() - 4),
                               parts[0] + QStringLiteral("$10$") + parts[2] + QLatin1Char('$') + parts[3],
                               QStringLiteral("pbkdf2_sha256$600000$***$***")}) {
        EXPECT_FALSE(hesla::JeOtisk(bad)) << bad.toStdString();
        EXPECT_FALSE(hesla::Over(password, bad)) << bad.toStdString();
    }
}

TEST_F(Login, APlainPasswordLogsInOnceAndIsThenADigest)
{
    const int id = testdb::addUser(db(), QStringLiteral("stary"), QStringLiteral("Heslo123"), false, true);
    auto stored = [&] {
        return db()
            .VratRadek(QStringLiteral("select heslo from uzivatel where uzivatel_id=%1").arg(id))
            .trimmed();
    };

    // A wrong password leaves the row as it was.
    EXPECT_FALSE(typeAndOk(QStringLiteral("stary"), QStringLiteral("heslo12")));
    EXPECT_EQ(messages::takeShown(), QStringList{kWrong});
    EXPECT_EQ(stored(), QStringLiteral("Heslo123"));

    EXPECT_TRUE(typeAndOk(QStringLiteral("STARY"), QStringLiteral("hESLO123")));
    EXPECT_EQ(session().UzivatelID, id);
    const QString digest = stored();
    EXPECT_TRUE(hesla::JeOtisk(digest)) << digest.toStdString();

    // From now on the digest is what logs in, in any case, and it stays put.
    session() = Session{};
    EXPECT_TRUE(typeAndOk(QStringLiteral("stary"), QStringLiteral("HESLO123")));
    EXPECT_EQ(session().UzivatelID, id);
    EXPECT_EQ(stored(), digest);
    session() = Session{};
    EXPECT_FALSE(typeAndOk(QStringLiteral("stary"), QStringLiteral("Heslo123x")));
    EXPECT_FALSE(typeAndOk(QStringLiteral("stary"), QString()));
    EXPECT_EQ(session().UzivatelID, 0);
    messages::takeShown();
}

} // namespace

namespace
{

// Start-up opens no session on a database of another version: nobody logs in,
// and the message says what to do.
TEST_F(Login, ADatabaseOfAnotherVersionLogsNobodyIn)
{
    const int admin = testdb::addUser(db(), QStringLiteral("admin"), QString(), true, true);
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("orvan.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[DB-IB]\r\npathname=%1\r\n").arg(dbPath()).toLocal8Bit());
    ini.close();
    const int current = dbupgrade::AktualniVerze();
    for (int version : {current + 1, 1}) {
        SCOPED_TRACE(version);
        exec(QStringLiteral("update verze set verze_cislo=%1").arg(version));
        {
            const std::unique_ptr<Tmainform> okno = SpustOrvan(dir.filePath(QStringLiteral("orvan")), {});
            Tmainform& w = *okno;
            EXPECT_FALSE(w.Prihlaseno());
        }
        setSQLDATA(s_db.get());
        EXPECT_EQ(messages::takeShown(), QStringList{dbupgrade::ChybaVerze(version, dbPath())});
        db().ObnovTransakci();
        EXPECT_EQ(
            db().VratInt(QStringLiteral("select prihlasen from uzivatel where uzivatel_id=%1").arg(admin)),
            0);
    }
    exec(QStringLiteral("update verze set verze_cislo=%1").arg(current));
    {
        const std::unique_ptr<Tmainform> okno = SpustOrvan(dir.filePath(QStringLiteral("orvan")), {});
        Tmainform& w = *okno;
        EXPECT_TRUE(w.Prihlaseno()) << messages::takeShown().join(QLatin1Char('|')).toStdString();
    }
    setSQLDATA(s_db.get());
    session() = Session{};
}

// The overviews' messages open the one user editor and the one group editor.
TEST_F(Login, UserAndGroupMessagesOpenTheirEditors)
{
    const int admin = testdb::addUser(db(), QStringLiteral("admin"), QString(), true, true);
    exec(QStringLiteral("insert into uzivskupina (uzivskupina_id, popis) values (5, \"Kancelář\")"));
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("orvan.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[DB-IB]\r\npathname=%1\r\n").arg(dbPath()).toLocal8Bit());
    ini.close();
    {
        const std::unique_ptr<Tmainform> okno = SpustOrvan(dir.filePath(QStringLiteral("orvan")), {});
        Tmainform& w = *okno;
        ASSERT_TRUE(w.Prihlaseno());
        w.command(WM_EDIT_USER, admin, 0);
        auto* u = w.findChild<Tedit_UZIVATEL*>();
        ASSERT_TRUE(u);
        EXPECT_TRUE(u->isVisible());
        EXPECT_EQ(u->ZaznamID(), admin);
        EXPECT_EQ(u->Edit_LOGIN->text(), QStringLiteral("admin"));
        w.command(WM_EDIT_USER, 0, 0);
        EXPECT_EQ(w.findChildren<Tedit_UZIVATEL*>().size(), 1);
        EXPECT_EQ(u->ZaznamID(), 0);
        w.command(WM_EDIT_USER_GROUP, 5, 0);
        auto* g = w.findChild<Tedit_UZIVSKUPINA*>();
        ASSERT_TRUE(g);
        EXPECT_TRUE(g->isVisible());
        EXPECT_EQ(g->Edit_POPIS->text(), QStringLiteral("Kancelář"));
        EXPECT_EQ(messages::takeShown(), QStringList());
    }
    setSQLDATA(s_db.get());
    session() = Session{};
}

} // namespace
