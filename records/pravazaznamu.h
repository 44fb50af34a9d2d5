#pragma once

#include "common/session.h"

#include <QList>
#include <QString>
#include <QStringList>

class TKTDATASET;
class TSQLDATA;

// Record rights: every right names one user group; NULL or 0 means every user.
// The SQL conditions that lists use and the rule that record editors follow.

// ---- Rights filter -------------------------------------------------------

// " where ((alias.f_cist is null) or (alias.f_cist=0) or (alias.f_cist in (groups)))"
// ("and" instead of "where" when first is false). Empty when the user belongs
// to no group: such a user sees every record.
QString FiltrCteni(const QString& alias, bool first);

// Fixed beginnings of the rights conditions; each is followed by the user's
// groups and ")))".
extern const QString FragmentAlarmKu;         // alarms of events
extern const QString FragmentAlarmUkoly;      // alarms of tasks
extern const QString FragmentCteniKu;         // calendar export
extern const QString FragmentCteniAdresar;    // address lists, after " where " or " and "
extern const QString FragmentCteniAdresarAnd; // address lists with the any-category join

// fragment + SkupinyText + ")))", or empty when the user belongs to no group.
QString FiltrFragment(const QString& fragment);

inline QString FiltrAlarmKu()
{
    return FiltrFragment(FragmentAlarmKu);
}
inline QString FiltrAlarmUkoly()
{
    return FiltrFragment(FragmentAlarmUkoly);
}
inline QString FiltrCteniKu()
{
    return FiltrFragment(FragmentCteniKu);
}
inline QString FiltrCteniAdresar()
{
    return FiltrFragment(FragmentCteniAdresar);
}
inline QString FiltrCteniAdresarAnd()
{
    return FiltrFragment(FragmentCteniAdresarAnd);
}

// ---- Rights of one record and the editor rule ----------------------------

struct PravaZaznamu {
    int Cist = 0;
    int Editovat = 0;
    int Smazat = 0;
    int Alarm = 0;
    int Administrovat = 0;

    bool operator==(const PravaZaznamu&) const = default;

    // Every right set to one group (a new record gets VychoziSkupina).
    static PravaZaznamu Vse(int skupina) { return {skupina, skupina, skupina, skupina, skupina}; }
};

// Reads F_CIST, F_EDITOVAT, F_SMAZAT, F_ALARM and F_ADMINISTROVAT of a row;
// NULL reads as 0, and so does F_ALARM when the table has no such column
// (addresses).
PravaZaznamu PravaZRadku(const TKTDATASET& table, int row);

// The audit and rights values that close the statements of every record
// with rights, in the order of their templates: an update's EDITOVAL_KDO and
// EDITOVAL_KDY, then F_CIST, F_EDITOVAT, F_SMAZAT, F_ALARM (not for a table
// without it) and F_ADMINISTROVAT; an insert's VYTVORIL_KDO and VYTVORIL_KDY
// come first.
QStringList UpravaSPravySQL(int uzivatel, const PravaZaznamu& p, bool sAlarmem = true);
QStringList VlozeniSPravySQL(int uzivatel, const PravaZaznamu& p, bool sAlarmem = true);

// What an editor allows for the record it shows.
struct PravidloEditoru {
    bool JenCteni = false;     // fields read-only, nothing is saved
    bool SmiSmazat = true;     // the delete button may delete
    bool PravaZamcena = false; // the rights frame is locked (its JenCteni)

    bool operator==(const PravidloEditoru&) const = default;
};

// A new record: editable, deletable, rights open to change.
inline PravidloEditoru PravidloNovehoZaznamu()
{
    return {};
}

// A stored record. F_CIST is not tested: the record came from a filtered
// list. Administrator does not override any right.
PravidloEditoru PravidloZaznamu(const PravaZaznamu& prava, const Session& s = session());

extern const QString TextNemateMenit;   // "Nemáte právo měnit záznam !"
extern const QString TextNemateSmazat;  // "Nemáte právo smazat záznam !"
extern const QString TextOpravduSmazat; // "Opravdu chcete smazat zobrazený záznam ?"
extern const QString TextZaznamPouzit;  // "Záznam je již použit v systému a není možné ho smazat !"

// Before saving: false with the error box when the record is read-only.
bool OverUlozeni(const PravidloEditoru& pravidlo);

// Before deleting: without the right the error box and false; with it the
// Yes/No question, true on Yes.
bool OverSmazani(const PravidloEditoru& pravidlo);

// Users, groups and the logbook's rates are managed by administrators only: the session's flag
// decides what the editors offer.
inline bool SmiSpravovatUzivatele(const Session& s = session())
{
    return s.Administrator;
}
// Before a write the flag is read again, so an administrator demoted since
// his login changes nothing more. Throws DbError on a read failure.
bool JeStaleAdministratorem(TSQLDATA& db, const Session& s = session());

// ---- User groups ---------------------------------------------------------

struct Skupina {
    int Id = 0;
    QString Nazev;
};

extern const QString SqlSkupiny;      // all groups, sorted by name
extern const QString SqlNazevSkupiny; // the name of one group, "%d" = its id

// All groups in the order the rights lists show them.
QList<Skupina> NactiSkupiny();

// Trimmed name of a group, empty when the group does not exist (or for 0).
QString NazevSkupiny(int skupinaId);

// Position of a group name in names: the first exact match, else the first
// match after Czech upper-casing both sides; -1 when none matches. An empty
// name matches nothing: it stands for "no group chosen".
int NajdiNazevSkupiny(const QStringList& names, const QString& name);
