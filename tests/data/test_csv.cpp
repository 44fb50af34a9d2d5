// Address lists in ";"-separated files as spreadsheets write them.
#include "common/commandtarget.h"
#include "common/messages.h"
#include "common/session.h"
#include "data/csv.h"
#include "data/sqldata.h"
#include "fixtures/session_groups.h"
#include "fixtures/testdb.h"

#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace
{

TEST(Csv, RecordsWithAndWithoutQuotes)
{
    const QString text = QStringLiteral("NAZEV;MESTO\r\n"
                                        "\"Novák; syn\";Praha\r\n"
                                        "\r\n"
                                        "\"Řekl \"\"ahoj\"\"\";\"dva\r\nřádky\"\r\n"
                                        "O\"Brien;Dublin\r\n"
                                        "\"\";\n"
                                        "Bez konce;Brno");
    const QList<csv::Zaznam> z = csv::Zaznamy(text);
    const struct {
        int radek;
        bool prazdny;
        QStringList hodnoty;
    } expected[] = {
        {1, false, {"NAZEV", "MESTO"}},
        {2, false, {"Novák; syn", "Praha"}},
        {3, true, {""}},
        {4, false, {"Řekl \"ahoj\"", "dva\r\nřádky"}},
        {6, false, {"O\"Brien", "Dublin"}},
        {7, false, {"", ""}},
        {8, false, {"Bez konce", "Brno"}},
    };
    ASSERT_EQ(z.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(z[i].radek, expected[i].radek) << i;
        EXPECT_EQ(z[i].prazdny, expected[i].prazdny) << i;
        EXPECT_EQ(z[i].hodnoty, expected[i].hodnoty) << i;
    }
}

TEST(Csv, EncodingOfTheFile)
{
    const QString czech = QStringLiteral("Plzeň;Žatec");
    EXPECT_EQ(csv::Dekoduj("\xEF\xBB\xBF" + czech.toUtf8()), czech);
    EXPECT_EQ(csv::Dekoduj(czech.toUtf8()), czech);
    EXPECT_EQ(csv::Dekoduj("Plze\xf2;\x8e"
                           "atec"),
              czech); // Windows-1250
}

class CsvImport : public DbTest
{
protected:
    class Recorder : public CommandTarget
    {
    public:
        void command(int message, std::intptr_t, std::intptr_t) override { received << message; }
        QList<int> received;
    };

    QString file(const QByteArray& content)
    {
        const QString f = m_dir.filePath(QStringLiteral("adresy.csv"));
        QFile out(f);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
        return f;
    }
    QStringList rows(const QString& sql)
    {
        db().ObnovTransakci();
        TKTDATASET t;
        db().NactiTabulku(sql, t);
        QStringList out;
        for (int r = 1; r <= t.PocetRadku(); ++r)
            out << t.Hodnoty(r).join(QLatin1Char('|'));
        return out;
    }

    QTemporaryDir m_dir;
};

// Quoted values, the user's rights and audit columns, one announcement.
TEST_F(CsvImport, QuotedUtf8FileWithRightsAndOneAnnouncement)
{
    exec(QStringLiteral("delete from adresar_zakl"));
    SessionGroups groups({10}, 10);
    session().UzivatelID = 7;
    session().Administrator = true; // rights columns in a file are an administrator's
    const auto zpet = qScopeGuard([] { session().Administrator = false; });
    Recorder target;
    db().NotifyWindow = &target;
    ASSERT_TRUE(QTest::qWaitFor([&] { return db().DoruceniUdalosti() >= 1; }, 5000));
    const int before = db().DoruceniUdalosti();
    db().ImportCSV(file("\xEF\xBB\xBFNAZEV;MESTO;F_CIST\r\n\"Novák; syn\";\"Plzeň\";20\r\nSvoboda;Brno;\r\n"),
                   QStringLiteral("ADRESAR_ZAKL"), false);
    EXPECT_TRUE(messages::takeShown().isEmpty());
    EXPECT_EQ(
        rows(QStringLiteral("select nazev,mesto,f_cist,f_editovat,f_smazat,f_administrovat,vytvoril_kdo,"
                            "editoval_kdo from adresar_zakl order by nazev")),
        (QStringList{"Novák; syn|Plzeň|20|10|10|10|7|7", "Svoboda|Brno||10|10|10|7|7"}));
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from adresar_zakl where vytvoril_kdy is null")),
              0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !target.received.isEmpty(); }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(target.received, QList<int>{WM_DATA_CHANGED});
    EXPECT_GT(db().DoruceniUdalosti(), before);
    db().NotifyWindow = nullptr;
    session().UzivatelID = 0;
    exec(QStringLiteral("delete from adresar_zakl"));
}

// A file names only what the user may set: never who and when, and rights
// only as an administrator. Nothing is written then.
TEST_F(CsvImport, AuditAndRightsColumnsAreTheProgramsAndTheAdministrators)
{
    exec(QStringLiteral("delete from adresar_zakl"));
    SessionGroups groups({10}, 10);
    session().UzivatelID = 7;
    const struct {
        const char* header;
        bool admin;
        const char* reason;
    } cases[] = {
        {"NAZEV;VYTVORIL_KDO", true, "Sloupec \"VYTVORIL_KDO\" vyplňuje program"},
        {"NAZEV;EDITOVAL_KDY", true, "Sloupec \"EDITOVAL_KDY\" vyplňuje program"},
        {"NAZEV;REVIZE", true, "Sloupec \"REVIZE\" vyplňuje program"},
        {"NAZEV;F_CIST", false, "Sloupec práv \"F_CIST\" smí v souboru uvádět jen administrátor"},
    };
    for (const auto& c : cases) {
        session().Administrator = c.admin;
        db().ImportCSV(file(QByteArray(c.header) + "\r\nFirma;1\r\n"), QStringLiteral("ADRESAR_ZAKL"), false);
        const QStringList shown = messages::takeShown();
        ASSERT_EQ(shown.size(), 1) << c.header;
        EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Chyba na řádku: 1\r") + QString::fromUtf8(c.reason)))
            << shown[0].toStdString();
        EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from adresar_zakl")), 0) << c.header;
    }
    session().Administrator = false;
    session().UzivatelID = 0;
}

// A line the server refuses names its line in the box's own text, not only
// in the details under a general sentence.
TEST_F(CsvImport, ServerRefusalNamesItsLine)
{
    exec(QStringLiteral("delete from adresar_zakl"));
    db().ImportCSV(file("NAZEV;PSC\r\nFirma;602 00\r\nJiná;" + QByteArray(40, '9') + "\r\n"),
                   QStringLiteral("ADRESAR_ZAKL"), false);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(
        shown[0].startsWith(QStringLiteral("Chyba na řádku: 3\rZadaná hodnota nemá správný typ nebo je "
                                           "příliš dlouhá")))
        << shown[0].toStdString();
    EXPECT_EQ(db().VratInt(QStringLiteral("select count(*) from adresar_zakl")), 1);
    exec(QStringLiteral("delete from adresar_zakl"));
}

TEST_F(CsvImport, UnreadableFileIsReported)
{
    db().ImportCSV(m_dir.filePath(QStringLiteral("chybi.csv")), QStringLiteral("ADRESAR_ZAKL"), false);
    const QStringList shown = messages::takeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Soubor "))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("chybi.csv")));
}

} // namespace
