#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class TSQLDATA;

// Bringing a database to the schema this program expects, one numbered step
// at a time. The schema scripts make version 1; every later change of the
// schema or of stored data is a step in the table of dbupgrade.cpp, and a new
// database runs all of them too, so a new and an upgraded database never differ.
// The version is the first row of VERZE.
namespace dbupgrade
{

// One step brings a database of version `verze` - 1 to `verze`. `prikazy`
// reads what it needs and returns the statements still missing (nothing when
// the change is already there, so a step may meet its own work); they run in
// one transaction together with the new version number.
struct Krok {
    int verze = 0;
    QString popis;
    std::function<QStringList(TSQLDATA&)> prikazy;
};

const QList<Krok>& Kroky();

// The collation of every text column: Czech order for text in any script.
inline const QString CeskeRazeni = QStringLiteral("CS_CZ_ICU");
// The version of the last step: what this program needs.
int AktualniVerze();

// The database's version: the first VERZE row; 1 (the scripts' version) when
// the table is empty. Throws DbError on a read failure.
int VerzeDatabaze(TSQLDATA& db);

struct Vysledek {
    int puvodni = 0; // the version found
    int nova = 0;    // the version reached
    QString chyba;   // empty on success
};

// Runs the missing steps in order, each in its own transaction; stops at the
// first failure (the steps before it stay done). A database newer than the
// program is refused untouched. `hlaseni` hears of every step before it runs.
// `azDoVerze` stops after that step (0: the newest), to meet a database as an
// older program left it.
Vysledek Aktualizuj(TSQLDATA& db, const std::function<void(const Krok&)>& hlaseni = {}, int azDoVerze = 0);

// Connections to the database other than this one (workstations still
// running). Throws DbError on a read failure.
int JinaPripojeni(TSQLDATA& db);

// For start-up: the message that stops the program from using a database of
// `verze` (VERZE's first row, 0 without one) at `cesta`, empty when it fits.
QString ChybaVerze(int verze, const QString& cesta);

// ---- Helpers for steps ------------------------------------------------------

// Character length of a text column; 0 when the column does not exist
// (or is no text). Names in capitals.
int DelkaSloupce(TSQLDATA& db, const QString& tabulka, const QString& sloupec);
bool MaSloupec(TSQLDATA& db, const QString& tabulka, const QString& sloupec);
// "alter table … add …" unless the column is there.
QStringList PridejSloupec(TSQLDATA& db, const QString& tabulka, const QString& sloupec, const QString& typ);
// Widens a VARCHAR column to `delka` characters unless it is that wide already.
QStringList RozsirSloupec(TSQLDATA& db, const QString& tabulka, const QString& sloupec, int delka);

} // namespace dbupgrade
