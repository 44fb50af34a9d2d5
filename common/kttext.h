#pragma once

#include <QChar>
#include <QString>

// String, number and file helpers shared by the whole program.

// Replaces every occurrence of `hledany` in `text`, left to right. Text that a
// replacement inserts is not searched again, so a replacement may contain the
// searched text. An empty searched text changes nothing.
void NahradVse(QString& text, const QString& hledany, const QString& nahrada);

// `znak` repeated `pocet` times; empty for pocet <= 0.
QString OpakujZnak(int pocet, QChar znak);

// Reads a plain decimal number: leading spaces, optional sign, digits, an
// optional fraction after '.', an optional exponent. Anything else gives 0.
// Independent of the locale.
double TextNaCislo(const QString& text);

// Fixed-point text with `desetiny` digits after '.', right-aligned with spaces
// to `sirka` (never cut). Independent of the locale.
QString CisloNaText(int sirka, int desetiny, double cislo);

// Creates (or replaces) the file and writes `radek` + CR LF in Windows-1250.
// Returns false on any failure, including a character the code page lacks; the
// file is then not touched. `chyba`, when given, receives the reason.
bool ZapisSoubor(const QString& soubor, const QString& radek, QString* chyba = nullptr);

// The same in UTF-8 with a byte-order mark (what spreadsheets and browsers
// need to tell it), for exports of the database's texts: any stored text fits.
bool ZapisSouborUtf8(const QString& soubor, const QString& radek, QString* chyba = nullptr);

// Upper case of a-z and of the Central European letters of Windows-1250 that
// the program knows; every other character is returned unchanged.
QChar VelkePismeno(QChar znak);

// VelkePismeno applied to every character; the length never changes.
QString VelkaPismena(const QString& text);
