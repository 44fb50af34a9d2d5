#include "uzivatele.h"

#include "data/hesla.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"

const QString SqlNactiUzivatele = QStringLiteral("Select LOGIN,POPIS,ADMINISTRATOR,PRAVO_PRIHLASENI,REVIZE "
                                                 "from uzivatel where (uzivatel.uzivatel_id=%1);");
const QString SqlNactiSkupinu =
    QStringLiteral("Select POPIS,REVIZE from uzivskupina where (uzivskupina_id=%1);");
const QString TextPosledniAdministrator =
    QStringLiteral("Alespoň jeden uživatel musí zůstat administrátorem.");

namespace
{

const QString kUpdate =
    QStringLiteral("update uzivatel set login=%1,popis=%2,heslo=%3,administrator=%4,pravo_prihlaseni=%5 "
                   "where uzivatel_id=%6");
const QString kUpdateBezHesla = QStringLiteral(
    "update uzivatel set login=%1,popis=%2,administrator=%3,pravo_prihlaseni=%4 where uzivatel_id=%5");
const QString kInsert =
    QStringLiteral(
        "insert into uzivatel(uzivatel_id,login,popis,heslo,administrator,PRAVO_PRIHLASENI,prihlasen) ") +
    QStringLiteral(" values(%1,%2,%3,%4,%5,%6,%7);");
const QString kSmazatClenstviUzivatele =
    QStringLiteral("delete from spoj_uzivatel_uzivskupina where uzivatel_id=%1;");
const QString kSmazatClenstviSkupiny =
    QStringLiteral("delete from spoj_uzivatel_uzivskupina where uzivskupina_id=%1;");
const QString kVlozitClenstvi =
    QStringLiteral("insert into spoj_uzivatel_uzivskupina(uzivatel_id,uzivskupina_id) values(%1,%2);");
const QString kUpdateSkupiny = QStringLiteral("update uzivskupina set popis=%1 where uzivskupina_id=%2");
const QString kInsertSkupiny =
    QStringLiteral("insert into uzivskupina(uzivskupina_id,popis) ") + QStringLiteral(" values(%1,%2);");

QString n(int v)
{
    return QString::number(v);
}

// The where clause's key, with the revision the editor read when it gives one.
QString klicSRevizi(int id, std::optional<int> revize)
{
    return revize ? VyplnSablonu(QString::number(id) + SqlHlidaniRevize, {QString::number(*revize)})
                  : QString::number(id);
}

QString clenstvi(int uzivatel, int skupina)
{
    return kVlozitClenstvi.arg(n(uzivatel), n(skupina));
}

// Administrators other than the given user.
int jinychAdministratoru(TSQLDATA& db, int uzivatelId)
{
    return db.VratInt(
        QStringLiteral("select count(*) from uzivatel where administrator=1 and uzivatel_id<>%1")
            .arg(uzivatelId));
}

} // namespace

// ---- Users -------------------------------------------------------------------

QString SqlSkupinyUzivatele(int uzivatelId)
{
    return QStringLiteral(
               "Select uzivskupina.uzivskupina_id as ID,POPIS,spoj_uzivatel_uzivskupina.uzivskupina_id "
               "as HODNOTA from uzivskupina left join spoj_uzivatel_uzivskupina on") +
           QStringLiteral(" (uzivskupina.uzivskupina_id=spoj_uzivatel_uzivskupina.uzivskupina_id) and "
                          "(spoj_uzivatel_uzivskupina.uzivatel_id=") +
           n(uzivatelId) + QStringLiteral(") order by popis");
}

UzivatelPole UzivatelZRadku(const TKTDATASET& t, int r)
{
    UzivatelPole u;
    u.Login = t.HodnotaJmeno(r, QStringLiteral("LOGIN"));
    u.Popis = t.HodnotaJmeno(r, QStringLiteral("POPIS"));
    u.Administrator = t.HodnotaBool(r, QStringLiteral("ADMINISTRATOR"));
    u.PravoPrihlaseni = t.HodnotaBool(r, QStringLiteral("PRAVO_PRIHLASENI"));
    return u;
}

QString ChybaUzivatele(TSQLDATA& db, const UzivatelPole& u, int zaznamId)
{
    const QString login = u.Login.trimmed();
    if (login.isEmpty()) return TextChybnaData;
    // Compared as the login compares it; two accounts of one login lock both out.
    if (db.VratInt(
            QStringLiteral("select count(*) from uzivatel where upper(login)=upper(%1) and uzivatel_id<>%2")
                .arg(TextSQL(login), n(zaznamId))) > 0)
        return TextChybnaData;
    if (!u.Administrator && zaznamId != 0 && jinychAdministratoru(db, zaznamId) == 0)
        return TextPosledniAdministrator;
    return QString();
}

QStringList PrikazyUlozeniUzivatele(const UzivatelPole& u, int zaznamId, int noveId,
                                    std::optional<int> revize)
{
    const QString login = TextSQL(u.Login.trimmed());
    const QString popis = TextSQL(u.Popis);
    const QString admin = LogikaSQL(u.Administrator);
    const QString smi = LogikaSQL(u.PravoPrihlaseni);
    QStringList out;
    const int id = zaznamId != 0 ? zaznamId : noveId;
    if (zaznamId != 0) {
        const QString klic = klicSRevizi(zaznamId, revize);
        if (u.Heslo.isEmpty())
            out << kUpdateBezHesla.arg(login, popis, admin, smi, klic);
        else
            out << kUpdate.arg(login, popis, TextSQL(hesla::Otisk(u.Heslo)), admin, smi, klic);
        out << kSmazatClenstviUzivatele.arg(n(zaznamId));
    } else {
        out << kInsert.arg(n(noveId), login, popis, TextSQL(hesla::Otisk(u.Heslo)), admin, smi, n(0));
    }
    for (int skupina : u.Skupiny)
        out << clenstvi(id, skupina);
    return out;
}

VysledekZapisu UlozUzivatele(TDataModuleIb& db, const UzivatelPole& u, int zaznamId,
                             std::optional<int> revize)
{
    return ZapisZaznam(
        db, zaznamId, QStringLiteral("UZIVATEL_ID"),
        [&](int id) { return PrikazyUlozeniUzivatele(u, zaznamId, zaznamId == 0 ? id : 0, revize); },
        std::nullopt, true, Hlidani(revize, QStringLiteral("UZIVATEL"), QStringLiteral("UZIVATEL_ID")));
}

QString ChybaSmazaniUzivatele(TSQLDATA& db, int zaznamId, const Session& s)
{
    if (zaznamId == s.UzivatelID ||
        db.VratInt(QStringLiteral("select count(*) from uzivatel where uzivatel_id=%1 and prihlasen=1")
                       .arg(zaznamId)) > 0)
        return QStringLiteral("Přihlášeného uživatele nelze smazat !");
    if (jinychAdministratoru(db, zaznamId) == 0) return TextPosledniAdministrator;
    return QString();
}

VysledekZapisu SmazUzivatele(TDataModuleIb& db, int zaznamId)
{
    return SmazZaznam(db, {kSmazatClenstviUzivatele.arg(n(zaznamId)),
                           QStringLiteral("delete from uzivatel where uzivatel_id=%1").arg(zaznamId)});
}

// ---- Groups ------------------------------------------------------------------

QString SqlClenoveSkupiny(int skupinaId)
{
    return QStringLiteral(
               "Select uzivatel.uzivatel_id as ID,POPIS,spoj_uzivatel_uzivskupina.uzivskupina_id as "
               "HODNOTA from uzivatel left join spoj_uzivatel_uzivskupina on") +
           QStringLiteral(" (uzivatel.uzivatel_id=spoj_uzivatel_uzivskupina.uzivatel_id) and "
                          "(spoj_uzivatel_uzivskupina.uzivskupina_id=") +
           n(skupinaId) + QStringLiteral(") order by popis");
}

QString ChybaSkupiny(TSQLDATA& db, const SkupinaPole& s, int zaznamId)
{
    const QString popis = s.Popis.trimmed();
    if (popis.isEmpty()) return TextChybnaData;
    // Rights lists and the default group find a group by its name.
    if (db.VratInt(QStringLiteral(
                       "select count(*) from uzivskupina where upper(popis)=upper(%1) and uzivskupina_id<>%2")
                       .arg(TextSQL(popis), n(zaznamId))) > 0)
        return TextChybnaData;
    return QString();
}

QStringList PrikazyUlozeniSkupiny(const SkupinaPole& s, int zaznamId, int noveId, std::optional<int> revize)
{
    const QString popis = TextSQL(s.Popis.trimmed());
    QStringList out;
    const int id = zaznamId != 0 ? zaznamId : noveId;
    if (zaznamId != 0) {
        out << kUpdateSkupiny.arg(popis, klicSRevizi(zaznamId, revize));
        out << kSmazatClenstviSkupiny.arg(n(zaznamId));
    } else {
        out << kInsertSkupiny.arg(n(noveId), popis);
    }
    for (int uzivatel : s.Clenove)
        out << clenstvi(uzivatel, id);
    return out;
}

VysledekZapisu UlozSkupinu(TDataModuleIb& db, const SkupinaPole& s, int zaznamId, std::optional<int> revize)
{
    return ZapisZaznam(
        db, zaznamId, QStringLiteral("UZIVSKUPINA_ID"),
        [&](int id) { return PrikazyUlozeniSkupiny(s, zaznamId, zaznamId == 0 ? id : 0, revize); },
        std::nullopt, true, Hlidani(revize, QStringLiteral("UZIVSKUPINA"), QStringLiteral("UZIVSKUPINA_ID")));
}

QString ChybaSmazaniSkupiny(TSQLDATA& db, int zaznamId)
{
    const QString g = n(zaznamId);
    for (const QString& tabulka :
         {QStringLiteral("KU"), QStringLiteral("UKOLY"), QStringLiteral("KJ_AUTO")}) {
        if (db.VratInt(
                QStringLiteral("select count(*) from %1 where f_cist=%2 or f_editovat=%2 or f_smazat=%2 or "
                               "f_alarm=%2 or f_administrovat=%2")
                    .arg(tabulka, g)) > 0)
            return TextZaznamPouzit;
    }
    if (db.VratInt(QStringLiteral("select count(*) from adresar_zakl where f_cist=%1 or f_editovat=%1 or "
                                  "f_smazat=%1 or f_administrovat=%1")
                       .arg(g)) > 0)
        return TextZaznamPouzit;
    return QString();
}

VysledekZapisu SmazSkupinu(TDataModuleIb& db, int zaznamId)
{
    return SmazZaznam(db, {kSmazatClenstviSkupiny.arg(n(zaznamId)),
                           QStringLiteral("delete from uzivskupina where uzivskupina_id=%1").arg(zaznamId)});
}
