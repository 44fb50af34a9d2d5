#include "udalost.h"

#include "common/action.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/kategoriekuc.h"
#include "records/opakovani.h"
#include "records/vyskyty.h"

const QString kNacti = QStringLiteral(
    "Select DATUM,CAS_OD,CAS_DO,CELY_DEN,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,ALARM_TYP_AKCE,ALARM_AKCE,F_CIST,"
    "F_EDITOVAT,F_SMAZAT,F_ALARM,F_ADMINISTROVAT,REVIZE,OPAKOVANI,DATUM_DO from ku where (ku.ku_id=%d);");
const QString SqlPoznamkaUdalosti = QStringLiteral("Select poznamka from ku where (ku.ku_id=%d);");

namespace
{

const QString kUpdate =
    QStringLiteral("update ku set "
                   "datum=%s,cas_od=%s,cas_do=%s,cely_den=%s,NAZEV=%s,ALARM=%s,ALARM_DATUM=%s,ALARM_CAS=%s,"
                   "ALARM_TYP_AKCE=%d,ALARM_AKCE=%s,editoval_kdo=%d,editoval_kdy=%s,") +
    QStringLiteral("F_CIST=%d,F_EDITOVAT=%d,F_SMAZAT=%d,F_ALARM=%d,F_ADMINISTROVAT=%d where "
                   "KU_ID=%d");
const QString kInsert =
    QStringLiteral(
        "insert into ku(ku_id,datum,cas_od,cas_do,CELY_DEN,NAZEV,ALARM,ALARM_DATUM,ALARM_CAS,"
        "ALARM_TYP_AKCE,ALARM_AKCE,vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,F_CIST,F_EDITOVAT,"
        "F_SMAZAT,F_ALARM,F_ADMINISTROVAT) ") +
    QStringLiteral(" values(%d,%s,%s,%s,%s,%s,%s,%s,%s,%d,%s,%d,%s,%d,%s,%d,%d,%d,%d,%d);");

QString n(int v)
{
    return QString::number(v);
}

QString prikazPravidla(const UdalostPole& u, int id)
{
    return PrikazPravidla(QStringLiteral("ku"), u.Opakovani, ZacatekUdalosti(u), id);
}

} // namespace

std::optional<UdalostPole> NactiUdalost(TSQLDATA& db, int id)
{
    TKTDATASET t;
    db.NactiTabulku(VyplnSablonu(kNacti, {QString::number(id)}), t);
    if (t.PocetRadku() < 1) return std::nullopt;
    UdalostPole u;
    PolozkaZRadku(u, t, 1, -1);
    u.CasOd = CasCast(t.HodnotaJmeno(1, QStringLiteral("CAS_OD")));
    u.CelyDen = t.HodnotaBool(1, QStringLiteral("CELY_DEN"));
    u.Revize = t.HodnotaInt(1, QStringLiteral("REVIZE"));
    u.Opakovani = t.HodnotaJmeno(1, QStringLiteral("OPAKOVANI")).trimmed();
    const QString posledni = u.CelyDen ? DatumCast(t.HodnotaJmeno(1, QStringLiteral("DATUM_DO")))
                                       : DatumCast(t.HodnotaJmeno(1, QStringLiteral("CAS_DO")));
    if (!posledni.trimmed().isEmpty() && KanonickeDatum(posledni) != KanonickeDatum(u.Datum))
        u.DatumDo = posledni;
    return u;
}

bool UdalostMaPlatnaData(const UdalostPole& u)
{
    if (!MaDatum(u) || !PlatneDatum(u.Datum) || !PlatnyCas(u.CasOd) || !PlatnyCas(u.CasDo) ||
        !PlatneDatum(u.DatumDo) || !AlarmMaPlatnaData(u))
        return false;
    // The last day is not before the first.
    const std::optional<QString> od = KanonickeDatum(u.Datum), doDne = KanonickeDatum(u.DatumDo);
    return !doDne || QDate::fromString(*doDne, QStringLiteral("d.M.yyyy")) >=
                         QDate::fromString(*od, QStringLiteral("d.M.yyyy"));
}

VysledekZapisu UlozUdalost(TDataModuleIb& db, const UdalostPole& u, int zaznamId, int uzivatel,
                           const TKategorieKUC& kategorie, const std::optional<QByteArray>& poznamka,
                           const std::optional<PrectenyZaznam<UdalostPole>>& precteny)
{
    std::optional<PoznamkaZapisu> p;
    if (poznamka) p = PoznamkaZapisu{QStringLiteral("UPDATE_KU_POZNAMKA"), 0, *poznamka};
    return ZapisZaznam(
        db, zaznamId, QStringLiteral("KU_ID"),
        [&](int id) {
            return PrikazyUlozeniUdalosti(u, zaznamId, zaznamId == 0 ? id : 0, uzivatel, kategorie, precteny);
        },
        p, true, Hlidani(precteny, QStringLiteral("KU"), QStringLiteral("KU_ID")));
}

VysledekZapisu SmazUdalost(TDataModuleIb& db, int zaznamId)
{
    const QString id = QString::number(zaznamId);
    return SmazZaznam(
        db, {VyplnSablonu(SqlSmazatKuKat, {id}), QStringLiteral("delete from ku where ku_id=") + id});
}

QStringList PrikazyUlozeniUdalosti(const UdalostPole& u, int zaznamId, int noveId, int uzivatel,
                                   const TKategorieKUC& kategorie,
                                   const std::optional<PrectenyZaznam<UdalostPole>>& precteny)
{
    const auto hodnoty = [](const UdalostPole& x) {
        // An end after midnight keeps its own day.
        const QString denKonce = x.CelyDen || JePrazdneDatum(x.DatumDo) ? x.Datum : x.DatumDo;
        return QStringList{DatumSQL(x.Datum), DatumCasSQL(x.Datum, x.CasOd), DatumCasSQL(denKonce, x.CasDo),
                           LogikaSQL(x.CelyDen), TextSQL(x.Nazev)} +
               AlarmSQL(x);
    };
    const QStringList pole = hodnoty(u);
    QStringList out;
    if (zaznamId != 0) {
        out << PrikazUpravy(kUpdate, u, precteny, [&](const UdalostPole& x) {
            return hodnoty(x) + UpravaSPravySQL(uzivatel, x.Prava) << n(zaznamId);
        });
        // Links the user left alone keep what others stored.
        if (!precteny || kategorie.Zmeneno())
            out << kategorie.PrikazyOdkazu(zaznamId, SqlSmazatKuKat, SqlVlozitKuKat);
    } else {
        out << VyplnSablonu(kInsert, QStringList{n(noveId)} + pole + VlozeniSPravySQL(uzivatel, u.Prava));
        out << kategorie.PrikazyOdkazu(noveId, QString(), SqlVlozitKuKatNovy);
    }
    // The rule's columns follow the rule and the start (a counted series ends by it).
    const bool zmenaPravidla =
        zaznamId == 0 || !precteny
            ? !u.Opakovani.isEmpty()
            : precteny->pole.Opakovani != u.Opakovani ||
                  (!u.Opakovani.isEmpty() && ZacatekUdalosti(precteny->pole) != ZacatekUdalosti(u));
    if (zmenaPravidla) out << prikazPravidla(u, zaznamId != 0 ? zaznamId : noveId);
    // A whole-day event over several days names its last day.
    const auto posledniDen = [](const UdalostPole& x) {
        return x.CelyDen && !JePrazdneDatum(x.DatumDo) ? DatumSQL(x.DatumDo) : QStringLiteral("NULL");
    };
    const QString den = posledniDen(u);
    if (zaznamId == 0 || !precteny ? den != QLatin1String("NULL") : posledniDen(precteny->pole) != den)
        out << QStringLiteral("update ku set datum_do=%1 where ku_id=%2")
                   .arg(den)
                   .arg(zaznamId != 0 ? zaznamId : noveId);
    return out;
}

QDateTime ZacatekUdalosti(const UdalostPole& u)
{
    const std::optional<QString> d = KanonickeDatum(u.Datum);
    if (!d) return QDateTime();
    const QDate den = QDate::fromString(*d, QStringLiteral("d.M.yyyy"));
    const std::optional<QString> c = u.CelyDen ? std::nullopt : KanonickyCas(u.CasOd);
    return QDateTime(den, c ? QTime::fromString(*c, QStringLiteral("H:mm:ss")) : QTime(0, 0));
}

namespace
{

// The alarm's date moved by as many days as the event.
void posunAlarm(UdalostPole& u, qint64 dnu)
{
    if (dnu == 0) return;
    if (const std::optional<QString> d = KanonickeDatum(u.AlarmDatum))
        u.AlarmDatum = QDate::fromString(*d, QStringLiteral("d.M.yyyy"))
                           .addDays(dnu)
                           .toString(QStringLiteral("d.M.yyyy"));
}

} // namespace

UdalostPole PoleVyskytu(const UdalostPole& serie, const QDateTime& vyskyt)
{
    UdalostPole v = serie;
    const QDateTime zacatek = ZacatekUdalosti(serie);
    if (!zacatek.isValid() || !vyskyt.isValid()) return v;
    v.Datum = vyskyt.date().toString(QStringLiteral("d.M.yyyy"));
    if (const std::optional<QString> d = KanonickeDatum(serie.DatumDo))
        v.DatumDo = QDate::fromString(*d, QStringLiteral("d.M.yyyy"))
                        .addDays(zacatek.date().daysTo(vyskyt.date()))
                        .toString(QStringLiteral("d.M.yyyy"));
    if (!serie.CelyDen && !serie.CasOd.trimmed().isEmpty()) {
        v.CasOd = vyskyt.time().toString(QStringLiteral("H:mm:ss"));
        if (const std::optional<QString> k = KanonickyCas(serie.CasDo)) {
            const qint64 delka = zacatek.time().secsTo(QTime::fromString(*k, QStringLiteral("H:mm:ss")));
            v.CasDo = vyskyt.time().addSecs(int(delka)).toString(QStringLiteral("H:mm:ss"));
        }
    }
    posunAlarm(v, zacatek.date().daysTo(vyskyt.date()));
    return v;
}

QString PravidloDo(const QString& pravidlo, const QDateTime& vyskyt)
{
    QStringList casti;
    for (const QString& c : pravidlo.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!c.trimmed().startsWith(QLatin1String("UNTIL="), Qt::CaseInsensitive) &&
            !c.trimmed().startsWith(QLatin1String("COUNT="), Qt::CaseInsensitive))
            casti << c.trimmed();
    casti << QStringLiteral("UNTIL=") +
                 vyskyt.addSecs(-1).toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    return casti.join(QLatin1Char(';'));
}

namespace
{

QString textDne(const QDateTime& t)
{
    return t.toString(QStringLiteral("d.M.yyyy"));
}

QString okamzikSQL(const QDateTime& t)
{
    return DatumCasSQL(textDne(t), t.toString(QStringLiteral("H:mm:ss")));
}

// A new row of the series takes its note when the user left it alone.
QString kopiePoznamky(int serieId, int noveId)
{
    return QStringLiteral(
               "update ku set poznamka=(select s.poznamka from ku s where s.ku_id=%1) where ku_id=%2")
        .arg(serieId)
        .arg(noveId);
}

// The event's fields moved to start on `den` (the same times, the last day as far after it).
UdalostPole naDen(UdalostPole u, QDate den)
{
    const QDateTime z = ZacatekUdalosti(u);
    if (const std::optional<QString> d = KanonickeDatum(u.DatumDo); d && z.isValid())
        u.DatumDo = QDate::fromString(*d, QStringLiteral("d.M.yyyy"))
                        .addDays(z.date().daysTo(den))
                        .toString(QStringLiteral("d.M.yyyy"));
    u.Datum = den.toString(QStringLiteral("d.M.yyyy"));
    return u;
}

} // namespace

VysledekZapisu UlozVyskyt(TDataModuleIb& db, const UdalostPole& u, int serieId, const UdalostPole& serie,
                          int revize, const QDateTime& vyskyt, RozsahZmeny rozsah, int uzivatel,
                          const TKategorieKUC& kategorie, const std::optional<QByteArray>& poznamka)
{
    const QDateTime zacatekSerie = ZacatekUdalosti(serie);
    if (rozsah == RozsahZmeny::TentoANasledujici && vyskyt <= zacatekSerie) rozsah = RozsahZmeny::Vsechny;
    const PrectenyZaznam<UdalostPole> precteno{serie, revize};
    if (rozsah == RozsahZmeny::Vsechny) {
        // The series moves by as many days as the occurrence did; times are the edited ones.
        const qint64 posun = vyskyt.date().daysTo(ZacatekUdalosti(u).date());
        UdalostPole vse = naDen(u, zacatekSerie.date().addDays(posun));
        posunAlarm(vse, ZacatekUdalosti(u).date().daysTo(ZacatekUdalosti(vse).date()));
        return UlozUdalost(db, vse, serieId, uzivatel, kategorie, poznamka, precteno);
    }
    std::optional<PoznamkaZapisu> p;
    if (poznamka) p = PoznamkaZapisu{QStringLiteral("UPDATE_KU_POZNAMKA"), 0, *poznamka};
    const QString id = n(serieId);
    if (rozsah == RozsahZmeny::JenTento) {
        // A row of its own replaces the occurrence; it keeps the series' UID.
        UdalostPole jeden = u;
        jeden.Opakovani.clear();
        return ZapisZaznam(
            db, 0, QStringLiteral("KU_ID"),
            [&](int noveId) {
                QStringList out = PrikazyUlozeniUdalosti(jeden, 0, noveId, uzivatel, kategorie);
                out << QStringLiteral("update ku set serie_id=%1, puvodni_vyskyt=%2, uid=(select s.uid from "
                                      "ku s where s.ku_id=%1) where ku_id=%3")
                           .arg(id, okamzikSQL(vyskyt), n(noveId));
                if (!poznamka) out << kopiePoznamky(serieId, noveId);
                return out;
            },
            p);
    }
    // This and the following: the series ends before the occurrence, a new
    // one starts with it; the changed occurrences after it go along. The
    // series' revision guards the whole write.
    UdalostPole konec = serie;
    konec.Opakovani = PravidloDo(serie.Opakovani, vyskyt);
    // A counted rule left as it was keeps its last occurrence: the new part
    // ends where the whole series ended, not that many occurrences later.
    UdalostPole nova = u;
    if (nova.Opakovani == serie.Opakovani) nova.Opakovani = PravidloSKoncem(serie.Opakovani, zacatekSerie);
    const int noveId = db.NoveID(QStringLiteral("KU_ID"));
    if (p) p->id = noveId;
    const QString nove = n(noveId);
    VysledekZapisu v = ZapisZaznam(
        db, serieId, QString(),
        [&](int) {
            QStringList out;
            out << prikazPravidla(konec, serieId) + QStringLiteral(" and REVIZE=%1").arg(revize);
            out << PrikazyUlozeniUdalosti(nova, 0, noveId, uzivatel, kategorie);
            out << QStringLiteral("update ku set vynechane=(select s.vynechane from ku s where s.ku_id=%1) "
                                  "where ku_id=%2")
                       .arg(id, nove);
            if (!poznamka) out << kopiePoznamky(serieId, noveId);
            out << QStringLiteral("update ku set serie_id=%1 where serie_id=%2 and puvodni_vyskyt>=%3")
                       .arg(nove, id, okamzikSQL(vyskyt));
            return out;
        },
        p, true, HlidanyZaznam{QStringLiteral("KU"), QStringLiteral("KU_ID")});
    if (v.ok) v.id = noveId; // the editor goes on with the new series
    return v;
}

VysledekZapisu SmazVyskyt(TDataModuleIb& db, int serieId, const UdalostPole& serie, int revize,
                          const QDateTime& vyskyt, RozsahZmeny rozsah)
{
    const QDateTime zacatekSerie = ZacatekUdalosti(serie);
    if (rozsah == RozsahZmeny::TentoANasledujici && vyskyt <= zacatekSerie) rozsah = RozsahZmeny::Vsechny;
    if (rozsah == RozsahZmeny::Vsechny) return SmazUdalost(db, serieId);
    const QString id = n(serieId);
    QStringList prikazy;
    if (rozsah == RozsahZmeny::JenTento) {
        // The occurrence is left out of the series; a row that replaced it goes.
        QList<QDateTime> vynechane =
            VynechaneZTextu(db.VratRadek(QStringLiteral("select vynechane from ku where ku_id=") + id));
        if (!vynechane.contains(vyskyt)) vynechane << vyskyt;
        std::sort(vynechane.begin(), vynechane.end());
        prikazy << QStringLiteral("update ku set vynechane=%1 where ku_id=%2 and REVIZE=%3")
                       .arg(TextSQL(VynechaneNaText(vynechane)), id, n(revize));
        prikazy << QStringLiteral("delete from ku where serie_id=%1 and puvodni_vyskyt=%2")
                       .arg(id, okamzikSQL(vyskyt));
    } else {
        UdalostPole konec = serie;
        konec.Opakovani = PravidloDo(serie.Opakovani, vyskyt);
        prikazy << prikazPravidla(konec, serieId) + QStringLiteral(" and REVIZE=%1").arg(revize);
        prikazy << QStringLiteral("delete from ku where serie_id=%1 and puvodni_vyskyt>=%2")
                       .arg(id, okamzikSQL(vyskyt));
    }
    return ZapisZaznam(
        db, serieId, QStringLiteral("KU_ID"), [&](int) { return prikazy; }, std::nullopt, true,
        HlidanyZaznam{QStringLiteral("KU"), QStringLiteral("KU_ID")});
}
