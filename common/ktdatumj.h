#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>

// Date and time values, their fixed texts and integer keys, day names, Easter,
// public holidays and Central European summer time.
//
// Every conversion that meets a malformed text or an impossible date throws
// ActionError (action.h) with a Czech message; nothing is returned then.

// Day number: whole days since 30.12.1899, the fraction being the time of day.
// Before that day the whole part still names the day and the time is
// subtracted (-1.25 is 29.12.1899 6:00). Valid from 1.1.0001 to 31.12.9999.
using DatumCas = double;

struct RozlozenyCas {
    int rok = 0, mesic = 0, den = 0;
    int hodina = 0, minuta = 0, sekunda = 0, ms = 0;
};

// Calendar arithmetic (proleptic Gregorian), to the millisecond.
DatumCas ZakodujDatum(int rok, int mesic, int den);
DatumCas ZakodujDatumCas(int rok, int mesic, int den, int hodina, int minuta, int sekunda, int ms = 0);
RozlozenyCas RozlozDatum(DatumCas datum);
DatumCas DatumZQDateTime(const QDateTime& cas); // the wall-clock reading of `cas`
QDateTime DatumNaQDateTime(DatumCas datum);     // local time

// Now and today from Clock::current(), so tests can set them.
DatumCas Ted();
DatumCas Dnes();

// 1 = Monday ... 7 = Sunday.
int DenVTydnu(int den, int mesic, int rok);

// Index 1-6 Monday-Saturday, 0 and 7 Sunday, anything else "other"; jazyk 'A'
// gives English, any other character Czech. Padded with spaces to `sirka`.
QString NazevDne(int index, int sirka, QChar jazyk);

// The date with each non-zero part replaced; the time of day is dropped.
DatumCas ZmenDatum(int rok, int mesic, int den, DatumCas datum);

DatumCas VelikonocniPondeli(int rok);
DatumCas VelkyPatek(int rok);

// Last Sunday of March / October; 0 for years before 1996.
DatumCas ZacatekLetnihoCasu(int rok);
DatumCas KonecLetnihoCasu(int rok);

// For a date without time of day: 0 before 1996, 1 the October switch day,
// 2 the March switch day, 3 summer time, 4 winter time.
int StavLetnihoCasu(DatumCas datum);

// Hours to add to the UTC instant `utc` for Central European local time: 2 in
// summer time, else 1. Both switches happen at 1:00 UTC.
int PosunOdUTC(DatumCas utc);

// Public holiday of the country ("SK", compared upper-cased, selects Slovakia;
// anything else the Czech Republic). `nazev` gets its name, empty when none.
// The overloads without a country take it from session().Stat.
bool StatniSvatek(const QString& stat, DatumCas datum, QString& nazev);
bool StatniSvatek(DatumCas datum, QString& nazev);
bool JeStatniSvatek(const QString& stat, DatumCas datum);
bool JeStatniSvatek(DatumCas datum);

// Pads a date-time text with leading zeros. Kinds: 2 dd.mm.yyyy[ hh:mm[:ss[.ff]]],
// 3 the same with the time completed to hh:mm:ss.ff, 11 h:mm:ss, 12 h:mm,
// 13 hh:mm:ss.
QString UpravTextData(int druh, const QString& text);

// Kinds: 1 YYYYMMDD, 2 d.m.yyyy with an optional time (the fraction after the
// seconds is a decimal fraction of a second), 3 a time alone.
DatumCas TextNaDatum(int druh, const QString& text);

// Kinds: 1 YYYYMMDD, 2 dd.mm.yyyy hh:mm:ss, 3 h:mm:ss, 4 dd.mm.yyyy,
// 5 YYYYMMDD h:mm:ss. Milliseconds are dropped, not rounded.
QString DatumNaText(int druh, DatumCas datum);

// Kind 1: date key YYYYMMDD; kind 2: time key HHMMSS.
int DatumNaKlic(int druh, DatumCas datum);

// As DatumNaKlic for a text read like TextNaDatum kind 2; kind 2 gives -1 when
// the text has no time.
int TextNaKlic(int druh, const QString& text);

// Kind 1: d.m.yyyy; kind 2: h:mm:ss, empty for -1; other kinds "error".
QString KlicNaText(int druh, int klic);
