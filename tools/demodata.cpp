#include "demodata.h"

#include "common/action.h"
#include "data/dbupgrade.h"
#include "data/hesla.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/vyskyty.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QTime>
#include <array>
#include <iterator>
#include <utility>
#include <vector>

namespace demodata
{

namespace
{

// Colour value 0x00BBGGRR. Medium tones: categories are drawn both as white text
// on the colour and as coloured text on white.
constexpr int rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

QString u(const char* text)
{
    return QString::fromUtf8(text);
}
QString num(int value)
{
    return QString::number(value);
}
QString text(const char* value)
{
    return TextSQL(u(value));
}
QString textOrNull(const char* value)
{
    return *value ? text(value) : QStringLiteral("NULL");
}
QString dateSql(const QDate& d)
{
    return DatumSQL(d.toString(QStringLiteral("d.M.yyyy")));
}
QString dateTimeSql(const QDate& d, const QTime& t)
{
    return DatumCasSQL(d.toString(QStringLiteral("d.M.yyyy")), t.toString(QStringLiteral("h:mm:ss")));
}
const QString kNow = QStringLiteral("CURRENT_TIMESTAMP");

enum KuCat { Porady, Klienti, Terminy, Skoleni, Cesty, Osobni, Provoz, KuCatCount };
enum AdrCat { Zakaznici, Dodavatele, Urady, Partneri, Soukrome, NaseFirma, AdrCatCount };
constexpr int kNone = -1;

struct CategoryDef {
    const char* name;
    int colour;
};

const std::array<CategoryDef, KuCatCount> kKuCategories{{
    {"Porady", rgb(41, 98, 168)},
    {"Klienti", rgb(39, 135, 75)},
    {"Termíny", rgb(196, 48, 43)},
    {"Školení", rgb(128, 70, 160)},
    {"Služební cesty", rgb(214, 110, 20)},
    {"Osobní", rgb(20, 140, 140)},
    {"Provoz kanceláře", rgb(120, 100, 80)},
}};

const std::array<CategoryDef, AdrCatCount> kAdrCategories{{
    {"Zákazníci", rgb(41, 98, 168)},
    {"Dodavatelé", rgb(39, 135, 75)},
    {"Úřady a instituce", rgb(105, 105, 115)},
    {"Obchodní partneři", rgb(128, 70, 160)},
    {"Soukromé kontakty", rgb(20, 140, 140)},
    {"Naše firma", rgb(196, 48, 43)},
}};

struct AddressDef {
    const char* key; // internal handle; also NAZEV_ZKRACENY for companies
    bool company;
    const char* name;
    const char* name2;
    const char* title;
    const char* first;
    const char* last;
    const char* after;
    const char* street;
    const char* town;
    const char* zip;
    const char* phone;
    const char* mobile;
    const char* email;
    const char* web;
    int icoStem; // first seven digits of the IČO; 0 = none
    int mainCat;
    int secondCat;
    bool board; // private contact of the management
};

// The office itself comes first: rides start and end there.
const AddressDef kAddresses[] = {
    {"LIPA", true, "Ekonomická kancelář Lipa s.r.o.", "", "", "", "", "", "Údolní 15", "Brno", "602 00",
     "+420 541 212 300", "", "info@kancelar-lipa.cz", "www.kancelar-lipa.cz", 2748391, NaseFirma, kNone,
     false},
    {"KUBICEK", true, "Stavebniny Kubíček s.r.o.", "", "Ing.", "Radek", "Kubíček", "", "Hlavní 120",
     "Blansko", "678 01", "+420 516 412 870", "+420 603 218 447", "kubicek@stavebniny-kubicek.cz",
     "www.stavebniny-kubicek.cz", 4617203, Zakaznici, Dodavatele, false},
    {"PEKARNA", true, "Pekárna U Mlýna s.r.o.", "", "", "Alena", "Šimková", "", "Mlýnská 8", "Vyškov",
     "682 01", "+420 517 330 214", "+420 724 551 092", "objednavky@pekarna-umlyna.cz",
     "www.pekarna-umlyna.cz", 2590418, Zakaznici, kNone, false},
    {"POSPISIL", true, "Autoservis Pospíšil", "", "", "Luboš", "Pospíšil", "", "Průmyslová 44", "Brno",
     "627 00", "+420 548 221 665", "+420 777 402 318", "servis@autopospisil.cz", "www.autopospisil.cz",
     7304512, Dodavatele, kNone, false},
    {"TISKARNA", true, "Tiskárna Morava a.s.", "Provozovna Křenová", "", "Jitka", "Vaňková", "", "Křenová 67",
     "Brno", "602 00", "+420 543 118 900", "", "obchod@tiskarna-morava.cz", "www.tiskarna-morava.cz", 2819357,
     Zakaznici, Dodavatele, false},
    {"VESELA", true, "Zahradnictví Veselá", "", "", "Ivana", "Veselá", "", "Zahradní 3", "Kuřim", "664 34",
     "+420 541 230 155", "+420 731 604 228", "ivana@zahradnictvi-vesela.cz", "", 6822749, Zakaznici, kNone,
     false},
    {"SEDLACEK", true, "Elektro Sedláček s.r.o.", "", "", "Miroslav", "Sedláček", "", "Nádražní 17",
     "Boskovice", "680 01", "+420 516 452 371", "+420 602 773 105", "info@elektro-sedlacek.cz",
     "www.elektro-sedlacek.cz", 2531086, Zakaznici, Dodavatele, false},
    {"FIALA", true, "Kancelářské potřeby Fiala", "", "", "Ondřej", "Fiala", "", "Masarykova 22", "Brno",
     "602 00", "+420 542 210 478", "", "prodejna@papirnictvi-fiala.cz", "www.papirnictvi-fiala.cz", 7125493,
     Dodavatele, kNone, false},
    {"FU BRNO", true, "Finanční úřad, územní pracoviště Brno II", "Podatelna", "", "", "", "", "Nové sady 22",
     "Brno", "602 00", "+420 545 333 111", "", "", "", 0, Urady, kNone, false},
    {"BENES", true, "Stolařství Beneš", "", "", "Vladimír", "Beneš", "", "Lesní 5", "Tišnov", "666 01",
     "+420 549 410 262", "+420 605 113 940", "benes@stolarstvi-benes.cz", "", 4429871, Zakaznici, kNone,
     false},
    {"SLUNCE", true, "Hotel Slunce", "", "", "Renata", "Kolářová", "", "Náměstí Míru 9", "Znojmo", "669 02",
     "+420 515 224 610", "", "recepce@hotel-slunce-znojmo.cz", "www.hotel-slunce-znojmo.cz", 2677015,
     Partneri, Zakaznici, false},
    {"KRATOCHVIL", true, "Vinařství Kratochvíl", "", "", "Stanislav", "Kratochvíl", "", "Sklepní 12",
     "Mikulov", "692 01", "+420 519 512 733", "+420 736 228 419", "vino@vinarstvi-kratochvil.cz",
     "www.vinarstvi-kratochvil.cz", 6013258, Zakaznici, Partneri, false},
    {"MAREK", true, "Dopravní firma Marek s.r.o.", "", "", "Roman", "Marek", "", "Vídeňská 150", "Brno",
     "619 00", "+420 547 243 580", "+420 608 334 271", "dispecink@doprava-marek.cz", "www.doprava-marek.cz",
     2964137, Dodavatele, Partneri, false},
    {"OSSZ", true, "Okresní správa sociálního zabezpečení", "", "", "", "", "", "Křížová 26", "Brno",
     "603 00", "+420 542 173 111", "", "", "", 0, Urady, kNone, false},
    {"CERNY", false, "", "", "Ing.", "Pavel", "Černý", "", "Lidická 40", "Brno", "602 00", "",
     "+420 604 381 225", "pavel.cerny@inbox-mail.cz", "", 8604417, Zakaznici, kNone, false},
    {"PROCHAZKOVA", false, "", "", "Mgr.", "Lucie", "Procházková", "", "Palackého 7", "Olomouc", "779 00",
     "+420 585 224 107", "+420 728 613 054", "lucie.prochazkova@inbox-mail.cz", "", 7790215, Partneri, kNone,
     false},
    {"SVOBODA", false, "", "", "", "Jiří", "Svoboda", "", "Polní 18", "Židlochovice", "667 01", "",
     "+420 739 205 816", "jiri.svoboda@inbox-mail.cz", "", 0, Zakaznici, kNone, false},
    {"NEMCOVA", false, "", "", "", "Eva", "Němcová", "", "Komenského 4", "Vyškov", "682 01", "",
     "+420 721 440 393", "eva.nemcova@inbox-mail.cz", "", 0, Zakaznici, Soukrome, false},
    {"RUZICKA", false, "", "", "MUDr.", "Karel", "Růžička", "", "Nemocniční 2", "Boskovice", "680 01",
     "+420 516 491 200", "+420 602 918 334", "ordinace.ruzicka@inbox-mail.cz", "", 0, Soukrome, kNone, true},
    {"MARKOVA", false, "", "", "Ing.", "Hana", "Marková", "Ph.D.", "Kounicova 30", "Brno", "602 00",
     "+420 549 494 118", "+420 775 162 480", "hana.markova@inbox-mail.cz", "", 0, Partneri, kNone, false},
    {"POKORNY", false, "", "", "", "Zdeněk", "Pokorný", "", "Husova 11", "Blansko", "678 01", "",
     "+420 603 557 190", "zdenek.pokorny@inbox-mail.cz", "", 7331920, Zakaznici, kNone, false},
    {"STASTNA", false, "", "", "", "Veronika", "Šťastná", "", "Jiráskova 25", "Kuřim", "664 34", "",
     "+420 732 804 661", "veronika.stastna@inbox-mail.cz", "", 0, Soukrome, kNone, false},
    {"BARTOS", false, "", "", "", "Martin", "Bartoš", "", "Sokolská 9", "Tišnov", "666 01", "",
     "+420 606 271 448", "m.bartos@inbox-mail.cz", "", 8811432, Zakaznici, kNone, false},
    {"JELINKOVA", false, "", "", "", "Alena", "Jelínková", "", "Školní 14", "Znojmo", "669 02", "",
     "+420 739 662 015", "alena.jelinkova@inbox-mail.cz", "", 0, Soukrome, kNone, true},
    {"HAVLICEK", false, "", "", "", "Josef", "Havlíček", "", "Na Výsluní 6", "Rosice", "665 01", "",
     "+420 604 725 387", "josef.havlicek@inbox-mail.cz", "", 6915374, Zakaznici, Dodavatele, false},
};

// Czech company number: seven digits and a mod-11 check digit.
QString ico(int stem)
{
    const QString digits = QStringLiteral("%1").arg(stem, 7, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += digits.at(i).digitValue() * (8 - i);
    return digits + QString::number((11 - sum % 11) % 10);
}

struct Visit {
    const char* name;
    const char* address;
    QTime start;
    int minutes;
    bool away;
};

const Visit kVisits[] = {
    {"Jednání se Stavebninami Kubíček", "KUBICEK", QTime(10, 0), 90, true},
    {"Pekárna U Mlýna - roční uzávěrka", "PEKARNA", QTime(9, 0), 120, true},
    {"Schůzka s Ing. Černým", "CERNY", QTime(14, 0), 60, false},
    {"Tiskárna Morava - kontrola faktur", "TISKARNA", QTime(13, 0), 90, false},
    {"Návštěva Zahradnictví Veselá", "VESELA", QTime(10, 30), 60, true},
    {"Konzultace mezd, Elektro Sedláček", "SEDLACEK", QTime(9, 30), 90, true},
    {"Schůzka s paní Němcovou", "NEMCOVA", QTime(15, 0), 45, false},
    {"Hotel Slunce - daňové přiznání", "SLUNCE", QTime(10, 0), 120, true},
    {"Vinařství Kratochvíl, předání dokladů", "KRATOCHVIL", QTime(13, 30), 60, true},
    {"Dopravní firma Marek - kontrola knihy jízd", "MAREK", QTime(9, 0), 180, false},
    {"Konzultace s Mgr. Procházkovou", "PROCHAZKOVA", QTime(11, 0), 60, true},
    {"Stolařství Beneš - nová smlouva", "BENES", QTime(14, 0), 60, true},
    {"Schůzka s panem Svobodou", "SVOBODA", QTime(16, 0), 45, false},
    {"Zdeněk Pokorný - přiznání k dani z příjmů", "POKORNY", QTime(10, 0), 60, false},
    {"Martin Bartoš - paušální daň", "BARTOS", QTime(13, 0), 45, false},
    {"Josef Havlíček - kontrola účetnictví", "HAVLICEK", QTime(9, 0), 90, false},
    {"Finanční úřad - podání přiznání", "FU BRNO", QTime(10, 0), 45, false},
    {"Ing. Marková - příprava školení", "MARKOVA", QTime(15, 0), 60, false},
};
const int kVisitDays[] = {3, 8, 12, 17, 22, 26};

struct TaskDef {
    int month; // -1 previous, 0 current, 1 next
    int day;
    QTime due;
    const char* name;
    int mainCat;
    int secondCat;
    bool stillOpenWhenLate;
    bool board;
};

const TaskDef kTasks[] = {
    {-1, 10, QTime(12, 0), "Připravit podklady k daňovému přiznání", Terminy, Klienti, false, false},
    {-1, 18, QTime(16, 0), "Objednat tonery a kancelářský papír", Provoz, kNone, false, false},
    {-1, 27, QTime(15, 0), "Vyúčtovat cestovní náhrady", Provoz, Cesty, false, false},
    {0, 4, QTime(10, 0), "Odeslat fakturu Stavebninám Kubíček", Klienti, kNone, false, false},
    {0, 9, QTime(16, 0), "Aktualizovat kontakty v adresáři", Provoz, kNone, true, false},
    {0, 15, QTime(12, 0), "Zkontrolovat došlé platby, poslat upomínky", Terminy, Klienti, false, false},
    {0, 21, QTime(14, 0), "Prodloužit pojištění služebního auta", Provoz, Cesty, true, false},
    {0, 28, QTime(16, 0), "Předat mzdové podklady", Terminy, kNone, false, false},
    {1, 5, QTime(10, 0), "Připravit smlouvu pro Tiskárnu Morava", Klienti, Terminy, false, false},
    {1, 12, QTime(12, 0), "Přihlásit kolegy na seminář", Skoleni, kNone, false, false},
    {1, 19, QTime(9, 0), "Zajistit revizi hasicích přístrojů", Provoz, kNone, false, false},
    {1, 26, QTime(15, 0), "Připravit přehled výsledků pro vedení", Porady, kNone, false, true},
};

// Typical rounds of the office's cars, as chains of addresses.
const std::vector<std::vector<const char*>> kRounds = {
    {"LIPA", "KUBICEK", "SEDLACEK", "LIPA"},
    {"LIPA", "PEKARNA", "LIPA"},
    {"LIPA", "TISKARNA", "FIALA", "LIPA"},
    {"LIPA", "POSPISIL", "LIPA"},
    {"LIPA", "KRATOCHVIL", "SLUNCE", "LIPA"},
    {"LIPA", "VESELA", "BENES", "LIPA"},
    {"LIPA", "CERNY", "LIPA"},
    {"LIPA", "FU BRNO", "MAREK", "LIPA"},
    {"LIPA", "PROCHAZKOVA", "LIPA"},
};

struct Leg {
    const char* from;
    const char* to;
    int km;
};

const Leg kLegs[] = {
    {"LIPA", "KUBICEK", 28},      {"KUBICEK", "SEDLACEK", 21}, {"SEDLACEK", "LIPA", 46},
    {"LIPA", "PEKARNA", 36},      {"LIPA", "TISKARNA", 3},     {"TISKARNA", "FIALA", 2},
    {"FIALA", "LIPA", 2},         {"LIPA", "POSPISIL", 7},     {"LIPA", "KRATOCHVIL", 52},
    {"KRATOCHVIL", "SLUNCE", 51}, {"SLUNCE", "LIPA", 68},      {"LIPA", "VESELA", 15},
    {"VESELA", "BENES", 14},      {"BENES", "LIPA", 27},       {"LIPA", "CERNY", 4},
    {"LIPA", "FU BRNO", 5},       {"FU BRNO", "MAREK", 6},     {"MAREK", "LIPA", 5},
    {"LIPA", "PROCHAZKOVA", 79},
};

// Remembered purpose per destination; the ride entry proposes it up to the first comma.
const std::pair<const char*, const char*> kPurposes[] = {
    {"LIPA", "Návrat do kanceláře"},
    {"KUBICEK", "Předání účetních dokladů"},
    {"SEDLACEK", "Konzultace mzdového účetnictví"},
    {"PEKARNA", "Roční uzávěrka, jednání"},
    {"TISKARNA", "Kontrola faktur"},
    {"FIALA", "Nákup kancelářských potřeb"},
    {"POSPISIL", "Servis, výměna pneumatik"},
    {"KRATOCHVIL", "Převzetí dokladů"},
    {"SLUNCE", "Jednání o daňovém přiznání"},
    {"VESELA", "Předání účetních dokladů"},
    {"BENES", "Podpis smlouvy"},
    {"CERNY", "Jednání s klientem"},
    {"FU BRNO", "Podání daňového přiznání"},
    {"MAREK", "Kontrola knihy jízd"},
    {"PROCHAZKOVA", "Konzultace smluv"},
};

class Builder
{
public:
    Builder(TSQLDATA& db, int adminId, const QDate& today, StoredPassword storedPassword)
        : m_db(db), m_admin(adminId), m_today(today),
          m_first(QDate(today.year(), today.month(), 1).addMonths(-1)),
          m_last(QDate(today.year(), today.month(), 1).addMonths(2).addDays(-1)),
          m_storedPassword(std::move(storedPassword))
    {
    }

    VysledekZapisu run()
    {
        users();
        categories();
        addresses();
        specialAddresses();
        events();
        tasks();
        logbook();
        return m_db.ProvedSQLSeznam(m_sql);
    }

private:
    using Columns = std::vector<std::pair<const char*, QString>>;

    void insert(const char* table, const Columns& columns)
    {
        QStringList names, values;
        for (const auto& [name, value] : columns) {
            names << u(name);
            values << value;
        }
        m_sql << QStringLiteral("insert into %1 (%2) values (%3)")
                     .arg(u(table), names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    }

    static Columns rights(int read, int edit, int remove, int alarm, int admin)
    {
        return {{"F_CIST", num(read)},
                {"F_EDITOVAT", num(edit)},
                {"F_SMAZAT", num(remove)},
                {"F_ALARM", num(alarm)},
                {"F_ADMINISTROVAT", num(admin)}};
    }

    static Columns audit(int creator, int editor)
    {
        return {{"VYTVORIL_KDO", num(creator)},
                {"VYTVORIL_KDY", kNow},
                {"EDITOVAL_KDO", num(editor)},
                {"EDITOVAL_KDY", kNow}};
    }

    static void append(Columns& to, const Columns& more) { to.insert(to.end(), more.begin(), more.end()); }

    // Czech public holidays: the fixed ones, Good Friday and Easter Monday.
    static bool holiday(const QDate& d)
    {
        static const int fixed[][2] = {{1, 1},   {1, 5},   {8, 5},   {5, 7},   {6, 7},  {28, 9},
                                       {28, 10}, {17, 11}, {24, 12}, {25, 12}, {26, 12}};
        for (const auto& f : fixed)
            if (d.day() == f[0] && d.month() == f[1]) return true;
        const int y = d.year(), a = y % 19, b = y / 100, c = y % 100, dd = b / 4, e = b % 4;
        const int g = (8 * b + 13) / 25, h = (19 * a + b - dd - g + 15) % 30, i = c / 4, k = c % 4;
        const int l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 19 * l) / 433;
        const QDate easter(y, (h + l - 7 * m + 90) / 25,
                           (h + l - 7 * m + 33 * ((h + l - 7 * m + 90) / 25) + 19) % 32);
        return d == easter.addDays(-2) || d == easter.addDays(1);
    }

    static bool workingDay(const QDate& d) { return d.dayOfWeek() <= 5 && !holiday(d); }

    // Days off move to the next working day, or back when that leaves the demo's three months.
    QDate workday(const QDate& d) const
    {
        for (QDate f = d; f <= m_last; f = f.addDays(1))
            if (workingDay(f)) return f;
        for (QDate b = d; b >= m_first; b = b.addDays(-1))
            if (workingDay(b)) return b;
        return d;
    }

    QDate dayOfMonth(int monthOffset, int day) const
    {
        const QDate start = QDate(m_today.year(), m_today.month(), 1).addMonths(monthOffset);
        return workday(start.addDays(qMin(day, start.daysInMonth()) - 1));
    }

    int creator(int index) const { return m_users.at(size_t(index) % m_users.size()); }

    void users()
    {
        m_office = m_db.NoveID(QStringLiteral("UZIVSKUPINA_ID"));
        m_board = m_db.NoveID(QStringLiteral("UZIVSKUPINA_ID"));
        insert("UZIVSKUPINA", {{"UZIVSKUPINA_ID", num(m_office)}, {"POPIS", text("Kancelář")}});
        insert("UZIVSKUPINA", {{"UZIVSKUPINA_ID", num(m_board)}, {"POPIS", text("Vedení")}});

        struct UserDef {
            const char* login;
            const char* password;
            const char* name;
            bool office;
            bool board;
        };
        static const UserDef defs[] = {
            {"jnovakova", "jana", "Jana Nováková", true, false},
            {"pdvorak", "petr", "Petr Dvořák", true, true},
            {"mhorakova", "marie", "Marie Horáková", true, false},
            {"tkral", "tomas", "Tomáš Král", false, true},
        };
        m_users = {m_admin};
        auto member = [this](int user, int group) {
            insert("SPOJ_UZIVATEL_UZIVSKUPINA", {{"UZIVATEL_ID", num(user)}, {"UZIVSKUPINA_ID", num(group)}});
        };
        member(m_admin, m_office);
        member(m_admin, m_board);
        for (const UserDef& d : defs) {
            const int id = m_db.NoveID(QStringLiteral("UZIVATEL_ID"));
            // Only the administrator may log in, so the default login mode logs him in
            // automatically; the others wait for "Smí se přihlásit".
            insert("UZIVATEL", {{"UZIVATEL_ID", num(id)},
                                {"LOGIN", text(d.login)},
                                {"HESLO", TextSQL(m_storedPassword(QString::fromUtf8(d.password)))},
                                {"POPIS", text(d.name)},
                                {"ADMINISTRATOR", LogikaSQL(false)},
                                {"PRAVO_PRIHLASENI", LogikaSQL(false)},
                                {"PRIHLASEN", num(0)}});
            if (d.office) member(id, m_office);
            if (d.board) member(id, m_board);
            m_users.push_back(id);
        }
        m_director = m_users.at(2);
    }

    void categories()
    {
        for (int i = 0; i < KuCatCount; ++i) {
            m_kuCat[size_t(i)] = m_db.NoveID(QStringLiteral("KU_C_KAT_ID"));
            insert("KU_C_KAT", {{"KU_C_KAT_ID", num(m_kuCat[size_t(i)])},
                                {"KU_C_KAT_NAZEV", text(kKuCategories[size_t(i)].name)},
                                {"KU_C_KAT_BARVA", num(kKuCategories[size_t(i)].colour)},
                                {"KU_C_KAT_PORADI", num(i + 1)}});
        }
        for (int i = 0; i < AdrCatCount; ++i) {
            m_adrCat[size_t(i)] = m_db.NoveID(QStringLiteral("ADRESAR_C_KAT_ID"));
            insert("ADRESAR_C_KAT", {{"ADRESAR_C_KAT_ID", num(m_adrCat[size_t(i)])},
                                     {"ADRESAR_C_KAT_NAZEV", text(kAdrCategories[size_t(i)].name)},
                                     {"ADRESAR_C_KAT_BARVA", num(kAdrCategories[size_t(i)].colour)},
                                     {"ADRESAR_C_KAT_PORADI", num(i + 1)}});
        }
    }

    void addresses()
    {
        int index = 0;
        for (const AddressDef& a : kAddresses) {
            const int id = m_db.NoveID(QStringLiteral("ADRESAR_ZAKL_ID"));
            m_address.insert(u(a.key), {id, &a});
            const bool withIco = a.icoStem > 0;
            const int group = a.board ? m_board : 0;
            Columns c = {
                {"ADRESAR_ZAKL_ID", num(id)},
                {"NAZEV", textOrNull(a.name)},
                {"NAZEV2", textOrNull(a.name2)},
                {"TITUL", textOrNull(a.title)},
                {"JMENO", textOrNull(a.first)},
                {"PRIJMENI", textOrNull(a.last)},
                {"ZA_PRIJMENIM", textOrNull(a.after)},
                {"ULICE", text(a.street)},
                {"MESTO", text(a.town)},
                {"PSC", text(a.zip)},
                {"STAT", text("Česká republika")},
                {"EMAIL1", textOrNull(a.email)},
                {"TELEFON1", textOrNull(a.phone)},
                {"MOBIL1", textOrNull(a.mobile)},
                {"WWW1", textOrNull(a.web)},
                {"ICO", withIco ? TextSQL(ico(a.icoStem)) : QStringLiteral("NULL")},
                {"DIC", withIco && a.company ? TextSQL(QStringLiteral("CZ") + ico(a.icoStem))
                                             : QStringLiteral("NULL")},
                {"NAZEV_ZKRACENY", a.company ? TextSQLMax(u(a.key), 10) : QStringLiteral("NULL")},
            };
            if (withIco && a.company) {
                static const char* const banks[][2] = {{"0100", "Moravská obchodní banka"},
                                                       {"0300", "Lidová banka"},
                                                       {"0800", "Spořitelna Brno"}};
                const auto& bank = banks[index % 3];
                c.push_back({"BU_UCET",
                             TextSQL(QStringLiteral("%1/%2").arg(a.icoStem * 37 + 100003).arg(u(bank[0])))});
                c.push_back({"BU_BANKA", text(bank[1])});
            }
            append(c, audit(creator(index), m_admin));
            append(c, {{"F_CIST", num(group)},
                       {"F_EDITOVAT", num(group)},
                       {"F_SMAZAT", num(group)},
                       {"F_ADMINISTROVAT", num(group)}});
            insert("ADRESAR_ZAKL", c);
            insert("ADRESAR_ZAKL_KAT", {{"ADRESAR_ZAKL_ID", num(id)},
                                        {"ADRESAR_C_KAT_ID", num(m_adrCat[size_t(a.mainCat)])},
                                        {"HLAVNI", num(1)}});
            if (a.secondCat != kNone)
                insert("ADRESAR_ZAKL_KAT", {{"ADRESAR_ZAKL_ID", num(id)},
                                            {"ADRESAR_C_KAT_ID", num(m_adrCat[size_t(a.secondCat)])},
                                            {"HLAVNI", num(0)}});
            ++index;
        }
    }

    void specialAddresses()
    {
        struct SpecDef {
            const char* name;
            const char* first;
            const char* last;
            const char* email;
            const char* phone;
            const char* street;
            const char* town;
            const char* zip;
            bool inform;
            int type; // 0 person, 1 company, 2 agency, 3 business partners, 4 other
            const char* note;
        };
        static const SpecDef defs[] = {
            {"", "Ludmila", "Tichá", "ludmila.ticha@inbox-mail.cz", "+420 723 118 504", "Veveří 41", "Brno",
             "602 00", true, 0, "Zájemkyně o vedení účetnictví od příštího roku."},
            {"Reklamní studio Duha s.r.o.", "Filip", "Kadlec", "studio@duha-reklama.cz", "+420 543 902 117",
             "Cejl 88", "Brno", "602 00", true, 1, "Tiskne naše letáky a vizitky."},
            {"Personální agentura Krok", "Simona", "Urbanová", "urbanova@agentura-krok.cz",
             "+420 545 610 330", "Lidická 12", "Brno", "602 00", false, 2, "Hledá nám asistentku."},
            {"Sdružení podnikatelů Blanenska", "Aleš", "Vlček", "info@podnikatele-blansko.cz",
             "+420 516 410 990", "Rožmitálova 3", "Blansko", "678 01", true, 3, "Pořádá společná setkání."},
            {"Spolek přátel Pálavy", "Jarmila", "Doležalová", "", "+420 519 300 442", "Vinohradská 7",
             "Pavlov", "692 01", false, 4, "Firemní výlet."},
        };
        for (const SpecDef& d : defs) {
            const int id = m_db.NoveID(QStringLiteral("ADRESAR_SPEC_ID"));
            m_special.push_back(id);
            insert("ADRESAR_SPEC", {{"ADRESAR_SPEC_ID", num(id)},
                                    {"NAZEV", textOrNull(d.name)},
                                    {"JMENO", text(d.first)},
                                    {"PRIJMENI", text(d.last)},
                                    {"EMAIL", textOrNull(d.email)},
                                    {"TELEFON1", text(d.phone)},
                                    {"ULICE", text(d.street)},
                                    {"MESTO", text(d.town)},
                                    {"PSC", text(d.zip)},
                                    {"STAT", text("Česká republika")},
                                    {"ZASILAT_INFORMACE", LogikaSQL(d.inform)},
                                    {"TYP", num(d.type)},
                                    {"POZNAMKA", text(d.note)}});
        }
    }

    struct Event {
        QDate date;
        QTime from; // invalid for an all-day event
        int minutes = 60;
        QString name;
        int mainCat = Porady;
        int secondCat = kNone;
        int alarmBefore = 0; // minutes before the start; 0 = none
        int alarmType = 0;
        int group = 0; // every right of the event; 0 = everybody
        int author = 0;
    };

    int addEvent(const Event& e)
    {
        const int id = m_db.NoveID(QStringLiteral("KU_ID"));
        const bool allDay = !e.from.isValid();
        const QTime from = allDay ? QTime(0, 0) : e.from;
        const QTime to = allDay ? QTime(0, 0) : e.from.addSecs(e.minutes * 60);
        // Alarms only lie ahead, so the first start does not open a pile of past reminders.
        const bool alarm = e.alarmBefore > 0 && e.date > m_today;
        QDateTime at = QDateTime(e.date, from).addSecs(-qint64(e.alarmBefore) * 60);
        if (allDay) { // the morning of the working day before
            QDate before = e.date.addDays(-1);
            while (!workingDay(before))
                before = before.addDays(-1);
            at = QDateTime(before, QTime(8, 0));
        }
        const int author = e.author ? e.author : creator(m_eventCount);
        Columns c = {
            {"KU_ID", num(id)},
            {"DATUM", dateSql(e.date)},
            {"CAS_OD", dateTimeSql(e.date, from)},
            {"CAS_DO", dateTimeSql(e.date, to)},
            {"CELY_DEN", LogikaSQL(allDay)},
            {"NAZEV", TextSQL(e.name)},
            {"ALARM", LogikaSQL(alarm)},
            {"ALARM_DATUM", alarm ? dateSql(at.date()) : QStringLiteral("NULL")},
            {"ALARM_CAS", alarm ? dateTimeSql(at.date(), at.time()) : QStringLiteral("NULL")},
            {"ALARM_TYP_AKCE", num(alarm ? e.alarmType : 0)},
            {"ALARM_AKCE", TextSQL(QString())},
        };
        append(c, audit(author, m_eventCount % 4 == 0 ? m_admin : author));
        append(c, rights(e.group, e.group, e.group, e.group, e.group));
        insert("KU", c);
        insert("KU_KAT",
               {{"KU_ID", num(id)}, {"KU_C_KAT_ID", num(m_kuCat[size_t(e.mainCat)])}, {"HLAVNI", num(1)}});
        if (e.secondCat != kNone)
            insert(
                "KU_KAT",
                {{"KU_ID", num(id)}, {"KU_C_KAT_ID", num(m_kuCat[size_t(e.secondCat)])}, {"HLAVNI", num(0)}});
        ++m_eventCount;
        return id;
    }

    // Makes the event a series: its RRULE, the days it leaves out; the
    // office's series go on.
    void series(int id, const QString& rule, const QTime& from, const QList<QDate>& skip = {})
    {
        QList<QDateTime> skipped;
        for (const QDate& d : skip)
            skipped << QDateTime(d, from);
        m_sql << QStringLiteral("update KU set OPAKOVANI=%1, VYNECHANE=%2, KONEC_OPAKOVANI=%3 where KU_ID=%4")
                     .arg(TextSQL(rule),
                          skipped.isEmpty() ? QStringLiteral("NULL") : TextSQL(VynechaneNaText(skipped)),
                          dateSql(QDate(9999, 12, 31)))
                     .arg(id);
    }

    void events()
    {
        // Weekly team meeting every Monday and the accountant's monthly
        // deadlines: a series each (a row per date in a database of before series).
        const bool serie = dbupgrade::MaSloupec(m_db, QStringLiteral("KU"), QStringLiteral("OPAKOVANI"));
        QDate pondeli = m_first;
        while (pondeli.dayOfWeek() != 1)
            pondeli = pondeli.addDays(1);
        const Event porada{pondeli, QTime(8, 30), 60, u("Porada kanceláře"), Porady, kNone, 15, 0,
                           0,       m_admin};
        const QDate prvniMesic = QDate(m_today.year(), m_today.month(), 1).addMonths(-1);
        const Event odvod{prvniMesic.addDays(19),
                          QTime(9, 0),
                          30,
                          u("Odvod pojistného na sociální a zdravotní pojištění"),
                          Terminy,
                          kNone,
                          60,
                          0,
                          0,
                          0};
        const Event dph{prvniMesic.addDays(24),
                        QTime(),
                        0,
                        u("Uzávěrka DPH, kontrolní hlášení"),
                        Terminy,
                        kNone,
                        1,
                        1,
                        0,
                        0};
        QList<QDate> svatky;
        for (QDate d = pondeli; d <= m_last; d = d.addDays(7))
            if (holiday(d)) svatky << d;
        if (serie) {
            series(addEvent(porada), u("FREQ=WEEKLY;BYDAY=MO"), porada.from, svatky);
            series(addEvent(odvod), u("FREQ=MONTHLY;BYMONTHDAY=20"), odvod.from);
            series(addEvent(dph), u("FREQ=MONTHLY;BYMONTHDAY=25"), QTime(0, 0));
        } else {
            for (QDate d = pondeli; d <= m_last; d = d.addDays(7)) {
                if (svatky.contains(d)) continue;
                Event e = porada;
                e.date = d;
                addEvent(e);
            }
            for (int month = 0; month < 3; ++month)
                for (Event e : {odvod, dph}) {
                    e.date = e.date.addMonths(month);
                    addEvent(e);
                }
        }

        int visit = 0;
        for (int month = -1; month <= 1; ++month) {
            const QDate start = QDate(m_today.year(), m_today.month(), 1).addMonths(month);

            // Last Thursday of the month.
            QDate thursday = start.addDays(start.daysInMonth() - 1);
            while (thursday.dayOfWeek() != 4 || holiday(thursday))
                thursday = thursday.addDays(-1);
            addEvent({thursday, QTime(14, 0), 90, u("Porada, plán na příští měsíc"), Porady, Provoz, 15, 1, 0,
                      m_director});

            // Second Wednesday: management only.
            QDate wednesday = start;
            while (wednesday.dayOfWeek() != 3)
                wednesday = wednesday.addDays(1);
            addEvent({workday(wednesday.addDays(7)), QTime(10, 0), 90,
                      u("Porada vedení, rozpočet a personální věci"), Porady, kNone, 15, 1, m_board,
                      m_director});

            for (int day : kVisitDays) {
                const Visit& v = kVisits[size_t(visit++) % std::size(kVisits)];
                const QDate date = dayOfMonth(month, day);
                // Keep Monday mornings free for the team meeting.
                const QTime from =
                    date.dayOfWeek() == 1 && v.start < QTime(10, 0) ? v.start.addSecs(2 * 3600) : v.start;
                addEvent({date, from, v.minutes, u(v.name), Klienti, v.away ? Cesty : kNone, 30, 0, 0, 0});
            }
        }

        addEvent({dayOfMonth(-1, 10), QTime(), 0, u("Školení BOZP a požární ochrany"), Skoleni, kNone, 0, 0,
                  0, 0});
        addEvent(
            {dayOfMonth(0, 14), QTime(7, 30), 60, u("Servis služebního auta"), Provoz, Cesty, 30, 0, 0, 0});
        addEvent({dayOfMonth(0, 18), QTime(), 0, u("Dovolená - Jana Nováková"), Osobni, kNone, 0, 0, 0,
                  m_users.at(1)});
        addEvent(
            {dayOfMonth(0, 21), QTime(), 0, u("Narozeniny - Marie Horáková"), Osobni, kNone, 0, 0, 0, 0});
        addEvent({dayOfMonth(1, 6), QTime(), 0, u("Seminář: novela zákona o účetnictví"), Skoleni, Cesty, 1,
                  0, 0, 0});
        addEvent({dayOfMonth(1, 11), QTime(13, 0), 60, u("Pohovor s uchazečkou o místo asistentky"), Porady,
                  kNone, 15, 1, m_board, m_director});
        addEvent({dayOfMonth(1, 15), QTime(), 0, u("Firemní výlet, Pálava"), Osobni, Cesty, 0, 0, 0, 0});
        const int lunch = addEvent({dayOfMonth(1, 20), QTime(12, 0), 90, u("Oběd s klientem, Hotel Slunce"),
                                    Klienti, kNone, 30, 0, 0, 0});
        insert("KU_SPEC", {{"KU_ID", num(lunch)},
                           {"OBJEDNAL_ID", num(m_special.at(1))},
                           {"UCASTNIK_ID", num(m_special.at(0))}});
    }

    void tasks()
    {
        int index = 0;
        for (const TaskDef& t : kTasks) {
            const int id = m_db.NoveID(QStringLiteral("UKOLY_ID"));
            const QDate date = dayOfMonth(t.month, t.day);
            const bool active = date >= m_today || t.stillOpenWhenLate;
            const bool alarm = active && date > m_today;
            const int group = t.board ? m_board : 0;
            const int author = t.board ? m_director : creator(index + 1);
            Columns c = {
                {"UKOLY_ID", num(id)},
                {"DATUM", dateSql(date)},
                {"CAS_DO", dateTimeSql(date, t.due)},
                {"AKTIVNI", LogikaSQL(active)},
                {"NAZEV", text(t.name)},
                {"ALARM", LogikaSQL(alarm)},
                {"ALARM_DATUM", alarm ? dateSql(date) : QStringLiteral("NULL")},
                {"ALARM_CAS", alarm ? dateTimeSql(date, QTime(8, 0)) : QStringLiteral("NULL")},
                {"ALARM_TYP_AKCE", num(0)},
                {"ALARM_AKCE", TextSQL(QString())},
            };
            append(c, audit(author, author));
            append(c, rights(group, group, group, group, group));
            insert("UKOLY", c);
            insert("UKOLY_KAT", {{"UKOLY_ID", num(id)},
                                 {"KU_C_KAT_ID", num(m_kuCat[size_t(t.mainCat)])},
                                 {"HLAVNI", num(1)}});
            if (t.secondCat != kNone)
                insert("UKOLY_KAT", {{"UKOLY_ID", num(id)},
                                     {"KU_C_KAT_ID", num(m_kuCat[size_t(t.secondCat)])},
                                     {"HLAVNI", num(0)}});
            ++index;
        }
    }

    static int legKm(const char* from, const char* to)
    {
        for (const Leg& l : kLegs)
            if ((qstrcmp(l.from, from) == 0 && qstrcmp(l.to, to) == 0) ||
                (qstrcmp(l.from, to) == 0 && qstrcmp(l.to, from) == 0))
                return l.km;
        return 10;
    }

    static int legMax(int km) { return km + qMax(1, km / 8); }

    void logbook()
    {
        // A database of the first schema has none of the logbook's columns for the accountant.
        m_ucetni = m_db.VratInt(QStringLiteral("select count(*) from rdb$relations where "
                                               "rdb$relation_name='KJ_TANKOVANI'")) > 0;
        const int car1 = m_db.NoveID(QStringLiteral("KJ_AUTO_ID"));
        const int car2 = m_db.NoveID(QStringLiteral("KJ_AUTO_ID"));
        Columns c = {
            {"KJ_AUTO_ID", num(car1)}, {"SPZ", text("1AB 2345")}, {"POPIS", text("Osobní kombi, stříbrné")}};
        append(c, audit(m_admin, m_admin));
        append(c, rights(0, 0, 0, 0, 0));
        insert("KJ_AUTO", c);
        c = {{"KJ_AUTO_ID", num(car2)}, {"SPZ", text("6B7 1180")}, {"POPIS", text("Dodávka, bílá")}};
        append(c, audit(m_director, m_director));
        append(c, rights(0, m_office, m_board, 0, m_board));
        insert("KJ_AUTO", c);
        if (m_ucetni) {
            m_tachometr[car1] = 48210;
            m_tachometr[car2] = 112540;
            m_sql << QStringLiteral(
                         "update kj_auto set palivo='Benzin 95', spotreba=6.4, tachometr_start=48210 "
                         "where kj_auto_id=%1")
                         .arg(car1)
                  << QStringLiteral("update kj_auto set palivo='Nafta', spotreba=7.9, tachometr_start=112540 "
                                    "where kj_auto_id=%1")
                         .arg(car2);
            // Demo prices, not the decree's: the administrator enters those.
            for (const auto& [palivo, cena] : {std::pair{"Benzin 95", "35.80"}, std::pair{"Nafta", "34.70"}})
                m_sql << QStringLiteral("insert into kj_ceny_paliv (rok, palivo, cena) values (%1, '%2', %3)")
                             .arg(m_today.year())
                             .arg(QLatin1String(palivo), QLatin1String(cena));
            // Ids from the generator, as the program takes them: its next purchase gets a free one.
            for (const auto& [car, days, litres, price] :
                 {std::tuple{car1, 20, "41.50", "1490.90"}, std::tuple{car2, 12, "58.20", "2024.40"}})
                m_sql << QStringLiteral(
                             "insert into kj_tankovani (kj_tankovani_id, kj_auto_id, datum, litry, cena) "
                             "values (%1, %2, %3, %4, %5)")
                             .arg(m_db.NoveID(QStringLiteral("KJ_TANKOVANI_ID")))
                             .arg(car)
                             .arg(dateSql(m_today.addDays(-days)), QLatin1String(litres),
                                  QLatin1String(price));
        }

        QStringList purposes;
        for (const auto& [key, purpose] : kPurposes) {
            insert("KJ_DUVOD",
                   {{"ADRESAR_ZAKL_ID", num(m_address.value(u(key)).id)}, {"DUVOD", text(purpose)}});
            if (!purposes.contains(u(purpose))) purposes << u(purpose);
        }
        purposes << u("Školení") << u("Pošta a banka");
        for (const QString& p : purposes)
            insert("KJ_C_DUVOD", {{"DUVOD", TextSQL(p)}});

        for (const Leg& l : kLegs) {
            for (int dir = 0; dir < 2; ++dir) {
                const char* a = dir ? l.to : l.from;
                const char* b = dir ? l.from : l.to;
                insert("KJ_VZDALENOST", {{"OD_ADRESAR_ZAKL_ID", num(m_address.value(u(a)).id)},
                                         {"DO_ADRESAR_ZAKL_ID", num(m_address.value(u(b)).id)},
                                         {"VZDALENOST", num(l.km)},
                                         {"VZDALENOST_MAX", num(legMax(l.km))}});
            }
        }

        // Rides on about three working days of five in the last four weeks; order numbers
        // count the rides of a day across both cars.
        int round = 0;
        for (QDate d = m_today.addDays(-28); d < m_today; d = d.addDays(1)) {
            const qint64 jd = d.toJulianDay();
            if (!workingDay(d) || jd % 5 == 1 || jd % 5 == 4) continue;
            int order = 0;
            const int trips = jd % 7 == 3 ? 2 : 1;
            for (int t = 0; t < trips; ++t) {
                const int car = round % 2 == 0 ? car1 : car2;
                const auto& chain = kRounds[size_t(round % int(kRounds.size()))];
                for (size_t i = 1; i < chain.size(); ++i)
                    addRide(car, d, ++order, chain[i - 1], chain[i], creator(round));
                ++round;
            }
        }
    }

    void addRide(int car, const QDate& date, int order, const char* fromKey, const char* toKey, int author)
    {
        const AddressRef from = m_address.value(u(fromKey)), to = m_address.value(u(toKey));
        const int km = legKm(fromKey, toKey);
        const int spread = legMax(km) - km + 1;
        QString purpose;
        for (const auto& [key, p] : kPurposes)
            if (qstrcmp(key, toKey) == 0) purpose = u(p);
        Columns c = {
            {"KJ_AUTO_ID", num(car)},
            {"DATUM", dateSql(date)},
            {"PORADI", num(order)},
            {"DUVOD", TextSQL(purpose)},
            {"OD_ID", num(from.id)},
            {"DO_ID", num(to.id)},
            {"VZDALENOST", num(km + int((date.toJulianDay() + order) % spread))},
        };
        auto copy = [&c](const char* prefix, const AddressDef& a) {
            static const char* const od[] = {"OD_NAZEV", "OD_JMENO", "OD_PRIJMENI", "OD_ULICE",
                                             "OD_PSC",   "OD_MESTO", "OD_STAT"};
            static const char* const dn[] = {"DO_NAZEV", "DO_JMENO", "DO_PRIJMENI", "DO_ULICE",
                                             "DO_PSC",   "DO_MESTO", "DO_STAT"};
            const char* const* names = prefix[0] == 'O' ? od : dn;
            const char* values[] = {a.name, a.first, a.last, a.street, a.zip, a.town, "Česká republika"};
            for (int i = 0; i < 7; ++i)
                c.push_back({names[i], text(values[i])});
        };
        copy("OD", *from.def);
        copy("DO", *to.def);
        if (m_ucetni) {
            int& stav = m_tachometr[car];
            c.push_back({"TACHOMETR_OD", num(stav)});
            stav += km + int((date.toJulianDay() + order) % spread);
            c.push_back({"TACHOMETR_DO", num(stav)});
            c.push_back({"RIDIC_ID", num(author)});
            c.push_back({"SOUKROMA", num(0)});
        }
        append(c, audit(author, author));
        insert("KJ", c);
    }

    struct AddressRef {
        int id = 0;
        const AddressDef* def = nullptr;
    };

    bool m_ucetni = false;
    QHash<int, int> m_tachometr; // car → odometer after its last ride so far

    TSQLDATA& m_db;
    const int m_admin;
    const QDate m_today, m_first, m_last;
    QStringList m_sql;
    StoredPassword m_storedPassword;
    int m_office = 0, m_board = 0, m_director = 0;
    std::vector<int> m_users; // the administrator first
    std::array<int, KuCatCount> m_kuCat{};
    std::array<int, AdrCatCount> m_adrCat{};
    QHash<QString, AddressRef> m_address;
    std::vector<int> m_special;
    int m_eventCount = 0;
};

} // namespace

VysledekZapisu fill(TSQLDATA& db, int adminId, const QDate& today, const StoredPassword& storedPassword)
{
    try {
        return Builder(db, adminId, today, storedPassword ? storedPassword : StoredPassword(hesla::Otisk))
            .run();
    } catch (const ActionError& e) {
        return VysledekZapisu::Odmitnuto(e.text());
    }
}

} // namespace demodata
