#pragma once

#include "data/zapiszaznam.h"
#include "records/pravazaznamu.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class TSQLDATA;
class TKTDATASET;

// Users (UZIVATEL) and user groups (UZIVSKUPINA) with their memberships
// (SPOJ_UZIVATEL_UZIVSKUPINA): what the two editors read, check and write.
// Only an administrator changes them; a login and a group name must be
// unique regardless of case, as login and the default group compare them so.

// ---- Users -------------------------------------------------------------------

struct UzivatelPole {
    QString Login;
    QString Popis;
    // A newly typed password; empty keeps the stored one (a new user then has none).
    QString Heslo;
    bool Administrator = false;
    bool PravoPrihlaseni = true;
    QList<int> Skupiny; // checked groups in list order
};

// The stored password is never read: "%1" = UZIVATEL_ID.
extern const QString SqlNactiUzivatele;
// The check list of groups (ID, POPIS, HODNOTA) for a user id (0: none checked).
QString SqlSkupinyUzivatele(int uzivatelId);

// Fields from a row of SqlNactiUzivatele (no password, no groups).
UzivatelPole UzivatelZRadku(const TKTDATASET& tabulka, int radek);

// Empty when the user may be stored as `zaznamId` (0 = new): the login is not
// empty and no other user has it in any case, and the last administrator
// keeps the flag. Otherwise the message to show. Reads the database.
QString ChybaUzivatele(TSQLDATA& db, const UzivatelPole& u, int zaznamId);
extern const QString TextPosledniAdministrator;

// The statements of one save: for a stored user the update (the password only
// when a new one was typed, as its digest), the delete of the memberships and
// their inserts; for a new one the insert and the membership inserts.
// With the revision the editor read, the update names it and a save after
// another workstation's reports the conflict instead.
QStringList PrikazyUlozeniUzivatele(const UzivatelPole& u, int zaznamId, int noveId,
                                    std::optional<int> revize = std::nullopt);
VysledekZapisu UlozUzivatele(TDataModuleIb& db, const UzivatelPole& u, int zaznamId,
                             std::optional<int> revize = std::nullopt);

// Empty when the user may be deleted: not the logged-in user, not present
// elsewhere and not the last administrator. Otherwise the message to show.
QString ChybaSmazaniUzivatele(TSQLDATA& db, int zaznamId, const Session& s = session());
// Deletes the user and the memberships in one transaction; the server's error text.
VysledekZapisu SmazUzivatele(TDataModuleIb& db, int zaznamId);

// ---- Groups ------------------------------------------------------------------

struct SkupinaPole {
    QString Popis;
    QList<int> Clenove; // checked users in list order
};

extern const QString SqlNactiSkupinu; // "%1" = UZIVSKUPINA_ID
// The check list of users (ID, POPIS, HODNOTA) for a group id (0: none checked).
QString SqlClenoveSkupiny(int skupinaId);

// Empty when the name is not empty and no other group has it in any case;
// otherwise the message to show.
QString ChybaSkupiny(TSQLDATA& db, const SkupinaPole& s, int zaznamId);
QStringList PrikazyUlozeniSkupiny(const SkupinaPole& s, int zaznamId, int noveId,
                                  std::optional<int> revize = std::nullopt);
VysledekZapisu UlozSkupinu(TDataModuleIb& db, const SkupinaPole& s, int zaznamId,
                           std::optional<int> revize = std::nullopt);

// Empty when no record's rights name the group (deleting it would open those
// records to everybody on their next save); otherwise the message to show.
QString ChybaSmazaniSkupiny(TSQLDATA& db, int zaznamId);
VysledekZapisu SmazSkupinu(TDataModuleIb& db, int zaznamId);
