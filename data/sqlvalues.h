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

// "NULL" for an empty date ("", blanks, "00.00.0000", "0.0.0000", "0.0.0");
// otherwise the parsed date in the form d.m.yyyy between double quotes.
// Throws ActionError with TextChybnaData on a text that is no date.
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
