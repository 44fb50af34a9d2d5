#include "logbook_fixture.h"

#include "common/action.h"
#include "logbook/jizda.h"
#include "logbook/kjauto.h"
#include "logbook/tankovani.h"
#include "logbook/ui/edit_kj_tankovani.h"

#include <QComboBox>
#include <QToolButton>

namespace
{

class NumberFields : public LogbookTest
{
};

// Every number field of the logbook against its column: the highest value
// the check lets through is stored by the server as typed, the next one up
// is refused with a Czech message that names the field by its caption.
TEST_F(NumberFields, FollowTheirColumnsAndNameTheField)
{
    exec(QStringLiteral("insert into kj_tankovani (kj_tankovani_id, kj_auto_id, datum, litry, cena) values "
                        "(900, %1, \"1.3.2026\", 1, 1)")
             .arg(s_octavia));
    exec(QStringLiteral("insert into kj (kj_id, kj_auto_id, datum, poradi, vzdalenost) values (900, %1, "
                        "\"1.3.2026\", 1, 1)")
             .arg(s_octavia));
    const QString car = QStringLiteral("kj_auto_id=%1").arg(s_octavia);
    const struct {
        const CiselnePole* pole;
        const char* table;
        QString row;
        const char* column;
        const char* highest;
        const char* above;
        const char* message;
    } cases[] = {
        {&PoleLitry, "kj_tankovani", "kj_tankovani_id=900", "litry", "9999999,99", "10000000",
         "Pole „Litry“ musí obsahovat číslo větší než 0 a nejvýše 9999999,99."},
        {&PoleCena, "kj_tankovani", "kj_tankovani_id=900", "cena", "9999999999999,99", "10000000000000",
         "Pole „Cena Kč s DPH“ musí obsahovat číslo od 0 do 9999999999999,99."},
        {&PoleTachometrTankovani, "kj_tankovani", "kj_tankovani_id=900", "tachometr", "2147483647",
         "2147483648", "Pole „Tachometr km“ musí obsahovat celé číslo od 0 do 2147483647."},
        {&PoleSpotreba, "kj_auto", car, "spotreba", "9999999.99", "10000000,00",
         "Pole „Spotřeba“ musí obsahovat číslo od 0 do 9999999,99."},
        {&PoleTachometrStart, "kj_auto", car, "tachometr_start", "2147483647", "99999999999",
         "Pole „Tachometr“ musí obsahovat celé číslo od 0 do 2147483647."},
        {&PoleVzdalenost, "kj", "kj_id=900", "vzdalenost", "2147483647", "2147483648",
         "Pole „Vzdálenost“ musí obsahovat celé číslo od 0 do 2147483647."},
        {&PoleTachometrOd, "kj", "kj_id=900", "tachometr_od", "2147483647", "2147483648",
         "Pole „Stav od“ musí obsahovat celé číslo od 0 do 2147483647."},
        {&PoleTachometrDo, "kj", "kj_id=900", "tachometr_do", "02147483647", "1e3",
         "Pole „Stav do“ musí obsahovat celé číslo od 0 do 2147483647."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        const QString highest = QString::fromUtf8(c.highest), above = QString::fromUtf8(c.above);
        EXPECT_EQ(ChybaCisla(highest, *c.pole), QString());
        EXPECT_EQ(ChybaCisla(above, *c.pole), QString::fromUtf8(c.message));
        EXPECT_THROW(CisloSQL(above, *c.pole), ActionError);
        const QString table = QLatin1String(c.table), column = QLatin1String(c.column);
        QString error;
        EXPECT_TRUE(ok(db().ProvedSQL(QStringLiteral("update %1 set %2=%3 where %4")
                                          .arg(table, column, CisloSQL(highest, *c.pole), c.row)),
                       error))
            << error.toStdString();
        const QString stored = value(QStringLiteral("select %1 from %2 where %3").arg(column, table, c.row));
        EXPECT_EQ(HodnotaPole(stored, *c.pole), HodnotaPole(highest, *c.pole)) << stored.toStdString();
        EXPECT_TRUE(HodnotaPole(stored, *c.pole).has_value()) << stored.toStdString();
    }
    exec(QStringLiteral("delete from kj where kj_id=900"));
    exec(QStringLiteral("delete from kj_tankovani where kj_tankovani_id=900"));
    exec(QStringLiteral("update kj_auto set spotreba=null, tachometr_start=null"));
}

// What a number field takes, whole or with places; more places than the
// column keeps round half up, and a rounding over the top is refused.
TEST_F(NumberFields, TextsTheyTake)
{
    const struct {
        const char* text;
        const char* whole;   // CisloSQL for an integer column; "" refused
        const char* decimal; // the same for numeric(9,2)
    } cases[] = {
        {"42", "42", "42.00"},    {" 42 ", "42", "42.00"}, {"0042", "42", "42.00"}, {"0", "0", "0.00"},
        {"6,5", "", "6.50"},      {"6.5", "", "6.50"},     {"6,555", "", "6.56"},   {"6,554", "", "6.55"},
        {"9999999,995", "", ""},  {"-1", "", ""},          {"1e3", "", ""},         {"12 km", "", ""},
        {"1 530", "", ""},        {",5", "", ""},          {"5,", "", ""},          {"0x10", "", ""},
        {"\xef\xbc\x96", "", ""}, // a full-width digit
        {"\xd9\xa3", "", ""},     // an Arabic-Indic digit
        {"1\"--", "", ""},
    };
    const CiselnePole cele = PoleInteger(QStringLiteral("Celé")),
                      desetinne = PoleNumeric(QStringLiteral("Deset"), 9, 2);
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        for (const auto& [pole, expected] : {std::pair{&cele, c.whole}, std::pair{&desetinne, c.decimal}}) {
            SCOPED_TRACE(std::string(c.text) + " as " + pole->popisek.toStdString());
            if (*expected) {
                EXPECT_EQ(CisloSQL(text, *pole), QString::fromUtf8(expected));
                EXPECT_EQ(ChybaCisla(text, *pole), QString());
            } else {
                EXPECT_THROW(CisloSQL(text, *pole), ActionError);
                EXPECT_TRUE(ChybaCisla(text, *pole).contains(QStringLiteral("„%1“").arg(pole->popisek)));
                EXPECT_FALSE(HodnotaPole(text, *pole).has_value());
            }
        }
    }
    // Blank text is the caller's to allow: NULL, and no number.
    EXPECT_EQ(CisloSQL(QStringLiteral("  "), cele), QStringLiteral("NULL"));
    EXPECT_EQ(ChybaCisla(QString(), desetinne), QString());
    EXPECT_FALSE(HodnotaPole(QString(), desetinne).has_value());
    // A field that must be above 0 refuses what rounds to 0.
    EXPECT_EQ(CisloSQL(QStringLiteral("0,005"), PoleLitry), QStringLiteral("0.01"));
    EXPECT_THROW(CisloSQL(QStringLiteral("0,004"), PoleLitry), ActionError);
    EXPECT_THROW(CisloSQL(QStringLiteral("0"), PoleLitry), ActionError);
}

// Through the editors: a number outside its column is refused before any
// statement with the field's name, the window keeps the input and nothing
// is written; the highest value is stored.
TEST_F(NumberFields, EditorsRefuseWithTheFieldsName)
{
    Tedit_KJ_TANKOVANI tankovani;
    Tedit_KJ_AUTO vuz;
    const auto fuel = [&]() -> TEditorZaznamu& {
        EXPECT_TRUE(tankovani.OtevriZpravou(0));
        tankovani.show();
        tankovani.KTCB_AUTO->VyberID(s_octavia);
        type(tankovani.KTEDITDC_DATUM, QStringLiteral("12.3.2026"));
        type(tankovani.Edit_LITRY, QStringLiteral("40"));
        type(tankovani.Edit_CENA, QStringLiteral("1450"));
        return tankovani;
    };
    const auto car = [&]() -> TEditorZaznamu& {
        EXPECT_TRUE(vuz.OtevriZpravou(s_fabia));
        vuz.show();
        return vuz;
    };
    const struct {
        const char* what;
        std::function<TEditorZaznamu&()> open;
        QLineEdit* edit;
        const char* text;
        const char* message; // nullptr: stored
        const char* stored;  // the column read back
    } cases[] = {
        {"litres", fuel, tankovani.Edit_LITRY, "999999999",
         "Pole „Litry“ musí obsahovat číslo větší než 0 a nejvýše 9999999,99.", nullptr},
        {"no litres", fuel, tankovani.Edit_LITRY, "0",
         "Pole „Litry“ musí obsahovat číslo větší než 0 a nejvýše 9999999,99.", nullptr},
        {"price", fuel, tankovani.Edit_CENA, "1 530",
         "Pole „Cena Kč s DPH“ musí obsahovat číslo od 0 do 9999999999999,99.", nullptr},
        {"odometer", fuel, tankovani.Edit_TACHOMETR, "12500,5",
         "Pole „Tachometr km“ musí obsahovat celé číslo od 0 do 2147483647.", nullptr},
        {"most litres", fuel, tankovani.Edit_LITRY, "9999999,99", nullptr,
         "select litry from kj_tankovani where litry>1000"},
        {"consumption", car, vuz.Edit_SPOTREBA, "10000000",
         "Pole „Spotřeba“ musí obsahovat číslo od 0 do 9999999,99.", nullptr},
        {"start odometer", car, vuz.Edit_TACHOMETR_START, "-5",
         "Pole „Tachometr“ musí obsahovat celé číslo od 0 do 2147483647.", nullptr},
        {"highest start odometer", car, vuz.Edit_TACHOMETR_START, "2147483647", nullptr,
         "select tachometr_start from kj_auto where tachometr_start is not null"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList before = testdb::snapshot(db());
        TEditorZaznamu& ed = c.open();
        type(c.edit, QString::fromUtf8(c.text));
        click(ed.SB_SAVE);
        if (c.message) {
            EXPECT_EQ(messages::takeShown(), QStringList{QString::fromUtf8(c.message)});
            EXPECT_TRUE(ed.isVisible());
            EXPECT_EQ(c.edit->text(), QString::fromUtf8(c.text));
            EXPECT_EQ(testdb::snapshot(db()), before);
            click(ed.SB_ZnovuNacist);
            ed.close();
            messages::takeShown();
        } else {
            EXPECT_TRUE(messages::takeShown().isEmpty());
            EXPECT_FALSE(ed.isVisible());
            const QString stored = value(QString::fromUtf8(c.stored));
            EXPECT_EQ(stored.toDouble(),
                      QString::fromUtf8(c.text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble())
                << stored.toStdString();
        }
    }
    exec(QStringLiteral("delete from kj_tankovani"));
    exec(QStringLiteral("update kj_auto set spotreba=null, tachometr_start=null"));
}

} // namespace
