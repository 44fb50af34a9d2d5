#pragma once

#include <QString>

// What the program knows about the workstation and about itself.

// Name of the user logged on to the operating system (the account of the
// process, else $USER); empty when neither can be read.
QString JmenoUzivatele();

// The computer's network name; empty when it cannot be read.
QString JmenoPocitace();

// First IPv4 address of `jmeno` (empty = this computer) in dotted form; empty
// when the name cannot be resolved or has no IPv4 address.
QString IPAdresa(const QString& jmeno = QString());

// The program's version, compiled in.
inline constexpr int kVerzeHlavni = 1;
inline constexpr int kVerzeVedlejsi = 11;

// "1.11 cz IB": major, dot, minor, then the language and database edition.
QString VerzeProgramu();

// The product's own web page (about window, the help menu).
QString WebProduktu();
