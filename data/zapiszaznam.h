#pragma once

#include "data/datamoduleib.h"
#include "data/sqlvalues.h"
#include "data/vysledekzapisu.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class TSQLDATA;

// The stored record a save overwrites, for a save that detects what another
// workstation did meanwhile: the first statement is the update that names
// the revision the editor read ("... where X_ID=%d and REVIZE=%d").
struct HlidanyZaznam {
    QString tabulka; // KU
    QString klic;    // KU_ID
};

// The guard an update template ends with when the save names the revision.
extern const QString SqlHlidaniRevize; // " and REVIZE=%d"
// The update template with that guard (before a closing ";").
QString SHlidanimRevize(const QString& sablona);

// The stored record as an editor read it: the revision its save names and
// the fields it compares with (a field still equal to them is not written).
template <typename Pole> struct PrectenyZaznam {
    Pole pole;
    int revize = 0;
};

// The update of a stored record from its template. `hodnoty` gives a
// record's placeholder values, where clause included. With the record as
// read, the update names its revision and writes only the fields that differ
// from it (VyplnSablonu otherwise).
template <typename Pole, typename Hodnoty>
QString PrikazUpravy(const QString& sablona, const Pole& nove,
                     const std::optional<PrectenyZaznam<Pole>>& precteny, Hodnoty hodnoty)
{
    if (!precteny) return VyplnSablonu(sablona, hodnoty(nove));
    const QString revize = QString::number(precteny->revize);
    return VyplnZmenene(SHlidanimRevize(sablona), hodnoty(nove) << revize, hodnoty(precteny->pole) << revize);
}

// The guard of a save: with the revision read, the update must find the record unchanged.
inline std::optional<HlidanyZaznam> Hlidani(std::optional<int> revize, const QString& tabulka,
                                            const QString& klic)
{
    if (!revize) return std::nullopt;
    return HlidanyZaznam{tabulka, klic};
}
template <typename Pole>
std::optional<HlidanyZaznam> Hlidani(const std::optional<PrectenyZaznam<Pole>>& precteny,
                                     const QString& tabulka, const QString& klic)
{
    return Hlidani(precteny ? std::optional<int>(precteny->revize) : std::nullopt, tabulka, klic);
}

// Writes one record: for id 0 a new id from `generator` (empty: the database
// assigns the key), the statements that `prikazy` builds for that id and the
// note, all in one transaction; after success the change is announced (unless
// `oznamit` is false: an import announces once at its end). On failure
// nothing is stored and nothing announced.
VysledekZapisu ZapisZaznam(TDataModuleIb& db, int id, const QString& generator,
                           const std::function<QStringList(int id)>& prikazy,
                           const std::optional<PoznamkaZapisu>& poznamka = std::nullopt, bool oznamit = true,
                           const std::optional<HlidanyZaznam>& hlidany = std::nullopt);

// Who changed a stored record and when, from its audit columns ("Jana
// Nováková, 11.12.2026 14:05"); empty when the table keeps none.
QString KdoZmenil(TDataModuleIb& db, const HlidanyZaznam& z, int id);

// Deletes with the statements in one transaction and announces the change.
VysledekZapisu SmazZaznam(TDataModuleIb& db, const QStringList& prikazy);
