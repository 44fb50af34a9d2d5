#include "login.h"

#include "common/messages.h"
#include "common/session.h"
#include "data/hesla.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"

#include <QLoggingCategory>

// A login's failures that do not stop it (a password digest not stored).
Q_LOGGING_CATEGORY(orvanLogin, "orvan.login", QtWarningMsg)

namespace login
{

namespace
{

bool g_ciselnikyViditelne = true;

QString podminkaUzivateleSystemu(const QString& jmeno)
{
    return QStringLiteral("(pravo_prihlaseni=1) and (upper(login)=upper(%1) and (heslo=\"\"));")
        .arg(TextSQL(jmeno));
}

} // namespace

QString SqlPocetOpravnenych()
{
    return QStringLiteral("Select count(*) from uzivatel where pravo_prihlaseni=1");
}

QString SqlPrvniOpravneny()
{
    return QStringLiteral("Select FIRST 1 uzivatel_id from uzivatel where pravo_prihlaseni=1");
}

QString SqlPocetUzivateleSystemu(const QString& jmeno)
{
    return QStringLiteral("Select count(*) from uzivatel where ") + podminkaUzivateleSystemu(jmeno);
}

QString SqlIdUzivateleSystemu(const QString& jmeno)
{
    return QStringLiteral("Select uzivatel_id from uzivatel where ") + podminkaUzivateleSystemu(jmeno);
}

QString SqlUctyDialog(const QString& login)
{
    return QStringLiteral("Select uzivatel_id,heslo from uzivatel where (upper(login)=upper(%1));")
        .arg(TextSQL(login));
}

QString SqlSkupiny(int uzivatelId)
{
    return QStringLiteral("Select uzivskupina_id from spoj_uzivatel_uzivskupina where uzivatel_id=%1")
        .arg(uzivatelId);
}

QString SqlVychoziSkupina(int uzivatelId)
{
    return QStringLiteral(
               "Select uzivskupina_id from uzivatel,uzivskupina where(uzivatel.uzivatel_id=%1) and "
               "(upper(uzivatel.popis)=upper(uzivskupina.popis))")
        .arg(uzivatelId);
}

QString SqlUzivatel(int uzivatelId)
{
    return QStringLiteral("Select * from uzivatel where uzivatel_id=%1").arg(uzivatelId);
}

Skupiny RozdelSkupiny(const QString& text, int maximum)
{
    Skupiny out;
    bool cut = false;
    for (const QString& part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int id = part.trimmed().toInt(&ok);
        if (!ok) continue;
        if (out.ids.size() >= maximum) {
            cut = true;
            break;
        }
        out.ids << id;
    }
    if (cut) {
        QStringList kept;
        for (int id : out.ids)
            kept << QString::number(id);
        out.text = kept.join(QLatin1Char(','));
    } else {
        out.text = text;
    }
    return out;
}

void Prihlaseni::ZapisDo(Session& s) const
{
    s.UzivatelID = uzivatelId;
    s.Administrator = administrator;
    s.VychoziSkupina = vychoziSkupina;
    s.NastavSkupiny(skupiny.ids);
    if (!alarmPoslCas.isEmpty()) s.AlarmPoslCas = alarmPoslCas;
    if (!alarmPoslDatum.isEmpty()) s.AlarmPoslDatum = alarmPoslDatum;
}

std::optional<Prihlaseni> NactiPrihlaseni(TSQLDATA& db, int uzivatelId)
{
    Prihlaseni p;
    p.uzivatelId = uzivatelId;

    p.skupiny =
        RozdelSkupiny(db.VratSloupec(SqlSkupiny(uzivatelId), QStringLiteral(",")), Session::kMaxSkupiny);
    p.vychoziSkupina = db.VratInt(SqlVychoziSkupina(uzivatelId));
    if (p.vychoziSkupina == 0 && !p.skupiny.ids.isEmpty()) p.vychoziSkupina = p.skupiny.ids.first();

    TKTDATASET user;
    db.NactiTabulku(SqlUzivatel(uzivatelId), user);
    if (user.PocetRadku() < 1) return std::nullopt;
    p.administrator = user.HodnotaInt(1, QStringLiteral("ADMINISTRATOR")) != 0;
    p.alarmPoslCas = user.HodnotaJmeno(1, QStringLiteral("ALARM_POSL_CAS"));
    p.alarmPoslDatum = user.HodnotaJmeno(1, QStringLiteral("ALARM_POSL_DATUM"));
    p.smiSePrihlasit = user.HodnotaInt(1, QStringLiteral("PRAVO_PRIHLASENI")) != 0;
    return p;
}

namespace
{

bool prihlas(TSQLDATA& db, int uzivatelId, Session& s)
{
    if (uzivatelId == 0) return false;
    const std::optional<Prihlaseni> p = NactiPrihlaseni(db, uzivatelId);
    if (!p) return false;
    p->ZapisDo(s);
    return true;
}

} // namespace

Odpoved AutomatickePrihlaseni(TSQLDATA& db, int rezim, const QString& jmenoSystemu, Session& s)
{
    switch (rezim) {
    case 0:
        if (db.VratInt(SqlPocetOpravnenych()) == 1 && prihlas(db, db.VratInt(SqlPrvniOpravneny()), s))
            return Odpoved::Prihlasen;
        messages::error(QStringLiteral("Chyba v konfiguraci !\rNení možné použít login=1"));
        return Odpoved::Dialog;
    case 1:
        // Only an unambiguous match logs in: two accounts sharing the name would
        // otherwise hand out whichever the database returns first.
        if (db.VratInt(SqlPocetUzivateleSystemu(jmenoSystemu)) == 1 &&
            prihlas(db, db.VratInt(SqlIdUzivateleSystemu(jmenoSystemu)), s))
            return Odpoved::Prihlasen;
        return Odpoved::Dialog;
    case 2:
        return Odpoved::Dialog;
    default:
        return Odpoved::Nic;
    }
}

namespace
{

// The one account that the login and password name; 0 when none or several.
int overUcet(const TKTDATASET& ucty, const QString& heslo, QString* ulozene)
{
    // A blank password counts by login alone, as the accounts without one do.
    if (heslo.trimmed().isEmpty() && ucty.PocetRadku() != 1) return 0;
    int nalezeno = 0;
    for (int r = 1; r <= ucty.PocetRadku(); ++r) {
        const QString h = ucty.HodnotaJmeno(r, QStringLiteral("HESLO"));
        if (!hesla::Over(heslo, h)) continue;
        if (nalezeno != 0) return 0;
        nalezeno = ucty.HodnotaInt(r, QStringLiteral("UZIVATEL_ID"));
        *ulozene = h;
    }
    return nalezeno;
}

// A password from before digests becomes one now that it has been typed. A
// failed write (a read-only database) does not stop the login.
void nahradOtiskem(TSQLDATA& db, int uzivatelId, const QString& heslo)
{
    const QString sql = QStringLiteral("update uzivatel set heslo=%1 where uzivatel_id=%2")
                            .arg(TextSQL(hesla::Otisk(heslo)))
                            .arg(uzivatelId);
    if (const VysledekZapisu v = db.ProvedSQL(sql); !v.ok)
        qCInfo(orvanLogin) << "password digest not stored:" << v.chyba;
}

} // namespace

const QString TextNesmiSePrihlasit = QStringLiteral("Tento uživatel se nesmí přihlásit !");

bool PrihlaseniDialogem(TSQLDATA& db, const QString& login, const QString& heslo, Session& s)
{
    TKTDATASET ucty;
    db.NactiTabulku(SqlUctyDialog(login), ucty);
    QString ulozene;
    const int id = overUcet(ucty, heslo, &ulozene);
    const std::optional<Prihlaseni> p = id != 0 ? NactiPrihlaseni(db, id) : std::nullopt;
    if (!p) {
        messages::error(QStringLiteral("Špatné jméno nebo heslo !"));
        return false;
    }
    // Said only after the right password, so it tells a stranger nothing.
    if (!p->smiSePrihlasit) {
        messages::error(TextNesmiSePrihlasit);
        return false;
    }
    p->ZapisDo(s);
    if (!ulozene.isEmpty() && !hesla::JeOtisk(ulozene)) nahradOtiskem(db, id, heslo);
    NastavCiselnikyViditelne(s.Administrator);
    return true;
}

bool CiselnikyViditelne()
{
    return g_ciselnikyViditelne;
}
void NastavCiselnikyViditelne(bool viditelne)
{
    g_ciselnikyViditelne = viditelne;
}

} // namespace login
