#pragma once

#include <QString>

// What the program knows about the workstation and about itself.

// Name of the user logged on to the operating system (the account of the
// process, else $USER); empty when neither can be read.
QString JmenoUzivatele();

// The computer's network name; empty when it cannot be read.
QString JmenoPocitace();

// The workstation as a user's presence names it: "user@computer", with every
// character outside plain ASCII percent-encoded so that any database code page
// holds it.
QString OznaceniStanice();

// One process of this computer, unmistakably: "<boot id>/<pid>/<start time>",
// so that a process id used again after a crash or a restart never passes for
// the process that had it. `pid` 0 is this process. Empty where the system
// does not tell (no /proc) or the process does not run.
QString OznaceniProcesu(qint64 pid = 0);
// Whether the process of a mark made by OznaceniProcesu still runs here (a
// process that has ended but was not yet reaped does not).
bool ProcesBezi(const QString& oznaceni);

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
