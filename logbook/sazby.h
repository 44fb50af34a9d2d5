#pragma once

#include "data/zapiszaznam.h"

#include <QList>
#include <QString>
#include <QStringList>

class TSQLDATA;

// The yearly rates of the per-km reimbursement (KJ_SAZBY) and the decree's
// average fuel prices (KJ_CENY_PALIV). Only an administrator changes them.

struct SazbyRoku {
    int Rok = 0;
    QString Zakladni;                        // Kč/km as typed, empty = not fixed
    QList<std::pair<QString, QString>> Ceny; // fuel type, Kč/l (empty = not fixed)
};

// The year's rates, with a row for every fuel type of DruhyPaliva() and any other stored.
SazbyRoku NactiSazby(TSQLDATA& db, int rok);
// Every amount is empty or a non-negative number (decimal comma or point).
bool SazbyMajiPlatnaData(const SazbyRoku& s);
// Replaces the year's rates in one transaction and announces the change.
VysledekZapisu UlozSazby(TDataModuleIb& db, const SazbyRoku& s);
