#pragma once

#include <QList>
#include <QString>
#include <optional>

class TSQLDATA;
struct Session;

// Who uses the program: the automatic login of the configured mode, the
// dialog's check of login name and password, and loading the chosen user into
// the session. No widgets here; TPasswordDlg only reads its fields and calls in.
namespace login
{

// Answers of the automatic login; the numbers are those start-up expects.
enum class Odpoved { Prihlasen = 0, Nic = 1, Dialog = 2 };

// The statements, exactly as the database gets them. Texts are quoted with
// TextSQL inside, so callers pass what the user typed.
QString SqlPocetOpravnenych();
QString SqlPrvniOpravneny();
QString SqlPocetUzivateleSystemu(const QString& jmeno);
QString SqlIdUzivateleSystemu(const QString& jmeno);
// The accounts of a login (any case) with their stored passwords, which the
// program compares itself: they are digests (data/hesla.h).
QString SqlUctyDialog(const QString& login);
QString SqlSkupiny(int uzivatelId);
QString SqlVychoziSkupina(int uzivatelId);
QString SqlUzivatel(int uzivatelId);

// The user's groups as read from the database: the comma text and its ids.
// Beyond `maximum` ids only the first `maximum` are kept and the text is cut to
// the same ids, so the rights filter (built from the text) and the membership
// test (from the ids) never disagree and the user gets no right he is not
// counted in. Empty parts are skipped: no groups gives no ids.
struct Skupiny {
    QString text;
    QList<int> ids;
};
Skupiny RozdelSkupiny(const QString& text, int maximum);

// Everything a login puts into the session. Read completely first and written
// at once, so a read failure half way never leaves a user without groups (who
// would see every record) in the session.
struct Prihlaseni {
    int uzivatelId = 0;
    bool administrator = false;
    int vychoziSkupina = 0;
    Skupiny skupiny;
    QString alarmPoslDatum; // empty: the session keeps its value
    QString alarmPoslCas;
    bool smiSePrihlasit = false; // "Smí se přihlásit" (PRAVO_PRIHLASENI)

    void ZapisDo(Session& s) const;
};

// Loads groups, then the user. Empty when the user row is gone. Throws DbError
// on a read failure.
std::optional<Prihlaseni> NactiPrihlaseni(TSQLDATA& db, int uzivatelId);

// The automatic login of `rezim` (LoginRezim) for the operating-system user
// `jmenoSystemu`. Mode 0 shows the configuration error box when it cannot log
// in. Throws DbError on a read failure; the session is then untouched.
Odpoved AutomatickePrihlaseni(TSQLDATA& db, int rezim, const QString& jmenoSystemu, Session& s);

// The dialog's OK: true when the login and password name exactly one user
// who may log in, who is then in the session; otherwise shows "Špatné jméno
// nebo heslo !" (or, for the right password of a user without the right,
// TextNesmiSePrihlasit) and leaves the session alone. An empty (or blank) password counts the accounts
// by login alone and matches only a stored password equal to it. A password
// still stored as plain text is replaced by its digest at this login. A
// successful login also decides the code-list page. Throws DbError on a read
// failure.
bool PrihlaseniDialogem(TSQLDATA& db, const QString& login, const QString& heslo, Session& s);
extern const QString TextNesmiSePrihlasit;

// Whether the main window shows the page "Číselníky": true until a dialog
// login of a non-administrator hides it (an automatic login leaves it shown).
bool CiselnikyViditelne();
void NastavCiselnikyViditelne(bool viditelne);

} // namespace login
