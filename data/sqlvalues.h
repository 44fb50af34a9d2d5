#pragma once

#include <QString>

// Literals of SQL dialect 1 as every statement template of the program expects
// them, and the splitting of the date-time texts that reads return.

QString TextSQLMax(const QString& text, int maximum);
inline QString TextSQL(const QString& text) { return TextSQLMax(text, 0); }
QString DatumSQL(const QString& date);
QString DatumCasSQL(const QString& date, const QString& time);
QString LogikaSQL(bool flag);

// Trimmed decimal integer; empty gives 0. Throws ActionError on other text.
int CisloZTextu(const QString& text);

QString DatumCast(const QString& dateTime);
QString CasCast(const QString& dateTime);
// Day number (days since 30.12.1899) of the date part. Throws ActionError on a malformed date.
double DatumZTextu(const QString& dateTime);
// Fraction of a day of the time part; midnight when there is none. Throws on a malformed time.
double CasZTextu(const QString& dateTime);
