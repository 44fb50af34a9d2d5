#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Literals of SQL dialect 1 as every statement template of the program expects
// them, and the splitting of the date-time texts that reads return. Whatever
// they are given, the builders return a well-formed literal or throw: typed
// text never ends a literal early.

// The text between double quotes with every double quote doubled; cut to
// `maximum` characters (0 = no limit) before doubling, so the stored value
// never exceeds its column.
QString TextSQLMax(const QString& text, int maximum);
inline QString TextSQL(const QString& text)
{
    return TextSQLMax(text, 0);
}

// "NULL" for an empty date ("" or blanks); otherwise the parsed date in the
// form d.m.yyyy between double quotes. Throws ActionError with TextChybnaData
// on a text that is no date, zero dates ("0.0.0", "00.00.0000") included.
QString DatumSQL(const QString& date);
// "NULL" when both are empty; otherwise the parsed date and time (d.m.yyyy
// h:mm:ss) between double quotes, the time left out when empty. Throws
// ActionError with TextChybnaData on a text that does not parse.
QString DatumCasSQL(const QString& date, const QString& time);
QString LogikaSQL(bool flag);

extern const QString TextChybnaData; // "Data obsahují nepovolené údaje !"

// True for the texts DatumSQL turns into NULL.
bool JePrazdneDatum(const QString& date);
// The canonical d.m.yyyy form of a date text; nothing when it is no date.
std::optional<QString> KanonickeDatum(const QString& date);
// The canonical h:mm:ss form of a time text (h:mm accepted); nothing when it is no time.
std::optional<QString> KanonickyCas(const QString& time);
// A date field may be empty or hold a date; a time field may be empty or hold a time.
bool PlatneDatum(const QString& date);
bool PlatnyCas(const QString& time);

// Trimmed decimal integer; empty gives 0. Throws ActionError on other text.
int CisloZTextu(const QString& text);

// A number field and the range of its column: numeric(p,s) holds p digits,
// s of them after the point; integer holds whole numbers up to 2147483647.
// Typed numbers are not negative and take a decimal comma or point; more
// places than the column keeps are rounded half up.
struct CiselnePole {
    QString popisek;          // the caption the editor shows beside the field
    int desetinnych = 0;      // places after the point; 0 = whole numbers
    qint64 nejvyssiCele = 0;  // the highest value times 10^desetinnych
    bool nulaPovolena = true; // false: the value must be above 0
};
CiselnePole PoleInteger(const QString& popisek, bool nulaPovolena = true);
CiselnePole PoleNumeric(const QString& popisek, int cislic, int desetinnych, bool nulaPovolena = true);

// The typed value rounded to the column's places; nothing when the text is
// blank, no number of the field's kind or outside the column's range.
std::optional<double> HodnotaPole(const QString& text, const CiselnePole& pole);
// Why the text may not be stored, naming the field ("Pole „Litry“ musí
// obsahovat číslo větší než 0 a nejvýše 9999999,99."); empty when it may.
// Blank text passes: whether a field may stay empty is its caller's rule.
QString ChybaCisla(const QString& text, const CiselnePole& pole);
// The literal for the column: NULL for blank text, else the number with the
// column's places. Throws ActionError with ChybaCisla's text.
QString CisloSQL(const QString& text, const CiselnePole& pole);

QString DatumCast(const QString& dateTime);
QString CasCast(const QString& dateTime);
// Day number (days since 30.12.1899) of the date part. Throws ActionError on a malformed date.
double DatumZTextu(const QString& dateTime);
// Fraction of a day of the time part; midnight when there is none. Throws on a malformed time.
double CasZTextu(const QString& dateTime);

// The statement text as a message or log may show it: the values of password
// columns (HESLO in an update, a comparison or an insert's value list, the
// PASSWORD clause of a user statement) and any literal holding a password
// digest become "***". Everything else is left as it was.
QString SkryjHesla(const QString& sql);

// Fills "%s" and "%d" of a statement template in order with the given texts,
// which the builders above have made (typed text never goes in directly).
QString VyplnSablonu(const QString& sablona, const QStringList& hodnoty);
// Fills an update template like VyplnSablonu, but a value of the set part
// equal to the one the record was read with (`puvodni`, the same placeholders
// for the loaded record) is written as its own column ("nazev=nazev"): a field
// the user did not change keeps what another workstation stored meanwhile.
// The audit columns (EDITOVAL_*) and the where clause are always filled.
QString VyplnZmenene(const QString& sablona, const QStringList& hodnoty, const QStringList& puvodni);
