#pragma once

#include "data/datamoduleib.h"
#include "data/vysledekzapisu.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class TSQLDATA;

// Writes one record: for id 0 a new id from `generator` (empty: the database
// assigns the key), the statements that `prikazy` builds for that id and the
// note, all in one transaction; after success the change is announced (unless
// `oznamit` is false: an import announces once at its end). On failure
// nothing is stored and nothing announced.
VysledekZapisu ZapisZaznam(TDataModuleIb& db, int id, const QString& generator,
                           const std::function<QStringList(int id)>& prikazy,
                           const std::optional<PoznamkaZapisu>& poznamka = std::nullopt, bool oznamit = true);

// Deletes with the statements in one transaction and announces the change.
VysledekZapisu SmazZaznam(TDataModuleIb& db, const QStringList& prikazy);
