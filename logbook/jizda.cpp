#include "jizda.h"

#include "common/action.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "records/pravazaznamu.h"
#include "records/seznamy.h"

const QString TextNeniVyplneno = QStringLiteral("Nejsou vyplněna požadovaná data, záznam nelze uložit !");
const QString TextMaxMensi =
    QStringLiteral("Maximální vzdálenost nesmí být menší než minimální, záznam nelze uložit !");
const QString TextDuvodUlozen = QStringLiteral("Tento důvod je již uložen !");
const CiselnePole PoleVzdalenost = PoleInteger(QStringLiteral("Vzdálenost"));
const CiselnePole PoleTachometrOd = PoleInteger(QStringLiteral("Stav od"));
const CiselnePole PoleTachometrDo = PoleInteger(QStringLiteral("Stav do"));
const QString SqlDuvody =
    QStringLiteral("Select kj_c_duvod_id as ID,duvod as POPIS from kj_c_duvod order by duvod;");

namespace
{

const QString kInsert =
    QStringLiteral(
        "insert into "
        "kj(kj_auto_id,datum,poradi,duvod,Od_Id,Do_Id,Vzdalenost,OD_NAZEV,OD_JMENO,OD_PRIJMENI,OD_"
        "ULICE,OD_PSC,OD_MESTO,OD_STAT,DO_NAZEV,DO_JMENO,DO_PRIJMENI,DO_ULICE,DO_PSC,DO_MESTO,DO_"
        "STAT,vytvoril_kdo,vytvoril_kdy,editoval_kdo,editoval_kdy,tachometr_od,tachometr_do,ridic_id,"
        "soukroma,cas_odjezdu,cas_prijezdu) ") +
    QStringLiteral(" values(%d,%s,%s,%s,%d,%d,%d,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%d,%s,%d,%s,%s,%s,"
                   "%s,%d,%s,%s);");
const QString kPoradi = QStringLiteral("(select coalesce(max(poradi),0)+1 from kj where (datum=%s))");
const QString kTed = QStringLiteral("CURRENT_TIMESTAMP");

QString n(int v)
{
    return QString::number(v);
}

bool prazdne(const QString& s)
{
    return s.trimmed().isEmpty();
}

bool koncJeUplny(const AdresaJizdy& a)
{
    return !prazdne(a.Psc) && !prazdne(a.Mesto) && !(prazdne(a.Nazev) && prazdne(a.Prijmeni));
}

QStringList texty(const AdresaJizdy& a)
{
    return {TextSQL(a.Nazev), TextSQL(a.Jmeno), TextSQL(a.Prijmeni), TextSQL(a.Ulice),
            TextSQL(a.Psc),   TextSQL(a.Mesto), TextSQL(a.Stat)};
}

// Another transaction holds or took the same date and number.
bool kolizePoradi(const QString& chyba)
{
    return chyba.contains(QLatin1String("KJ_DATUM_PORADI"), Qt::CaseInsensitive) ||
           chyba.contains(QLatin1String("concurrent"), Qt::CaseInsensitive) ||
           chyba.contains(QLatin1String("deadlock"), Qt::CaseInsensitive);
}

QString casNeboNull(const QString& datum, const QString& cas)
{
    return cas.trimmed().isEmpty() ? QStringLiteral("NULL") : DatumCasSQL(datum, cas);
}

} // namespace

QString ChybaUdajuJizdy(const JizdaPole& j)
{
    if (!PlatneDatum(j.Datum) || !PlatnyCas(j.CasOdjezdu) || !PlatnyCas(j.CasPrijezdu)) return TextChybnaData;
    for (const auto& [text, pole] :
         {std::pair{&j.TachometrOd, &PoleTachometrOd}, std::pair{&j.TachometrDo, &PoleTachometrDo}})
        if (const QString chyba = ChybaCisla(*text, *pole); !chyba.isEmpty()) return chyba;
    const auto od = HodnotaPole(j.TachometrOd, PoleTachometrOd);
    const auto do_ = HodnotaPole(j.TachometrDo, PoleTachometrDo);
    if (od && do_ && *do_ < *od) return TextChybnaData;
    return QString();
}

QString OtazkaVzdalenosti(const JizdaPole& j)
{
    const auto od = HodnotaPole(j.TachometrOd, PoleTachometrOd);
    const auto do_ = HodnotaPole(j.TachometrDo, PoleTachometrDo);
    const auto km = HodnotaPole(j.Vzdalenost, PoleVzdalenost);
    if (!od || !do_ || !km) return QString();
    const qint64 rozdil = qint64(*do_) - qint64(*od);
    if (std::abs(rozdil - qint64(*km)) <= 1) return QString();
    return QStringLiteral(
               "Vzdálenost %1 km nesouhlasí s rozdílem stavů tachometru %2 km (%3 – %4 km). Chcete "
               "jízdu přesto uložit ?")
        .arg(qint64(*km))
        .arg(rozdil)
        .arg(qint64(*od))
        .arg(qint64(*do_));
}

QString PosledniTachometr(TSQLDATA& db, int autoId)
{
    TKTDATASET t;
    db.NactiTabulku(
        QStringLiteral("select first 1 tachometr_do from kj where kj_auto_id=%1 and tachometr_do is "
                       "not null order by datum desc, poradi desc")
            .arg(autoId),
        t);
    if (t.PocetRadku() > 0) return t.Hodnota(1, 1).trimmed();
    TKTDATASET v;
    db.NactiTabulku(QStringLiteral("select tachometr_start from kj_auto where kj_auto_id=%1").arg(autoId), v);
    return v.PocetRadku() > 0 ? v.Hodnota(1, 1).trimmed() : QString();
}

QString UpozorneniTachometru(TSQLDATA& db, const JizdaPole& j)
{
    const QString zacatek = j.TachometrOd.trimmed();
    if (zacatek.isEmpty() || j.AutoId <= 0) return QString();
    const QString konec = PosledniTachometr(db, j.AutoId);
    if (konec.isEmpty() || konec.toInt() == zacatek.toInt()) return QString();
    const int rozdil = zacatek.toInt() - konec.toInt();
    return QStringLiteral("Jízda začíná na %1 km, předchozí jízda vozu skončila na %2 km (%3 %4 km). Jízda "
                          "je uložena, zkontrolujte stav tachometru.")
        .arg(zacatek, konec, rozdil > 0 ? QStringLiteral("mezera") : QStringLiteral("překryv"))
        .arg(std::abs(rozdil));
}

AdresaJizdy AdresaJizdy::ZRadku(const TKTDATASET& t, int r, int id)
{
    AdresaJizdy a;
    a.Id = id;
    a.Nazev = t.HodnotaJmeno(r, QStringLiteral("NAZEV"));
    a.Jmeno = t.HodnotaJmeno(r, QStringLiteral("JMENO"));
    a.Prijmeni = t.HodnotaJmeno(r, QStringLiteral("PRIJMENI"));
    a.Ulice = t.HodnotaJmeno(r, QStringLiteral("ULICE"));
    a.Psc = t.HodnotaJmeno(r, QStringLiteral("PSC"));
    a.Mesto = t.HodnotaJmeno(r, QStringLiteral("MESTO"));
    a.Stat = t.HodnotaJmeno(r, QStringLiteral("STAT"));
    return a;
}

bool JizdaJeUplna(const JizdaPole& j)
{
    // Every check runs: the distance's error comes first whatever else is missing.
    if (const QString chyba = ChybaCisla(j.Vzdalenost, PoleVzdalenost); !chyba.isEmpty())
        throw ActionError(chyba);
    const double km = HodnotaPole(j.Vzdalenost, PoleVzdalenost).value_or(0);
    return !prazdne(j.Datum) && km > 0 && koncJeUplny(j.Od) && koncJeUplny(j.Do) && j.AutoId > 0 &&
           !prazdne(j.Duvod);
}

QString PrikazVlozeniJizdy(const JizdaPole& j, int uzivatel)
{
    const QString datum = DatumSQL(j.Datum);
    QStringList h{n(j.AutoId), datum,      VyplnSablonu(kPoradi, {datum}),        TextSQL(j.Duvod),
                  n(j.Od.Id),  n(j.Do.Id), CisloSQL(j.Vzdalenost, PoleVzdalenost)};
    h << texty(j.Od) << texty(j.Do) << n(uzivatel) << kTed << n(uzivatel) << kTed;
    h << CisloSQL(j.TachometrOd, PoleTachometrOd) << CisloSQL(j.TachometrDo, PoleTachometrDo)
      << (j.RidicId > 0 ? n(j.RidicId) : QStringLiteral("NULL")) << n(j.Soukroma ? 1 : 0)
      << casNeboNull(j.Datum, j.CasOdjezdu) << casNeboNull(j.Datum, j.CasPrijezdu);
    return VyplnSablonu(kInsert, h);
}

VysledekZapisu UlozJizdu(TDataModuleIb& db, const JizdaPole& j, int uzivatel, int pokusu)
{
    const QString sql = PrikazVlozeniJizdy(j, uzivatel);
    VysledekZapisu v;
    for (int i = 0; i < pokusu; ++i) {
        v = ZapisZaznam(db, 0, QString(), [&](int) { return QStringList{sql}; });
        if (v.ok || !kolizePoradi(v.chyba)) break;
    }
    return v;
}

QString SqlAuta()
{
    return VyplnSablonu(QStringLiteral("Select kj_auto_id as ID,POPIS from kj_auto %s order by popis;"),
                        {FiltrCteni(QStringLiteral("KJ_AUTO"), true)});
}

QString SqlAdresy(const QString& kategorieAdresar)
{
    return VyplnSablonu(QStringLiteral("Select distinct adresar_zakl.adresar_zakl_id as "
                                       "ID,nazev_zkraceny,nazev,prijmeni,jmeno from adresar_zakl %s order by "
                                       "nazev_zkraceny,nazev,prijmeni,jmeno;"),
                        {seznamy::DotazAdresar(kategorieAdresar, false)});
}

QString PopisAdresy(const TKTDATASET& t, int r)
{
    for (const char* s : {"NAZEV_ZKRACENY", "NAZEV", "PRIJMENI", "JMENO"}) {
        const QString v = t.HodnotaJmeno(r, QLatin1String(s)).trimmed();
        if (!v.isEmpty()) return v;
    }
    return QString();
}

Vzdalenost NactiVzdalenost(TSQLDATA& db, int od, int doId)
{
    TKTDATASET t;
    db.NactiTabulku(QStringLiteral("select vzdalenost,vzdalenost_max from kj_vzdalenost where "
                                   "(od_adresar_zakl_id=%1) and (do_adresar_zakl_id=%2);")
                        .arg(od)
                        .arg(doId),
                    t);
    Vzdalenost v;
    if (t.PocetRadku() < 1) return v;
    v.nalezena = true;
    v.min = t.HodnotaInt(1, QStringLiteral("VZDALENOST"));
    v.max = t.HodnotaInt(1, QStringLiteral("VZDALENOST_MAX"));
    return v;
}

QStringList PrikazyVzdalenosti(int od, int doId, int min, int max)
{
    return {
        QStringLiteral("delete from kj_vzdalenost where (od_adresar_zakl_id=%1) and (do_adresar_zakl_id=%2);")
            .arg(od)
            .arg(doId),
        QStringLiteral(
            "insert into kj_vzdalenost(od_adresar_zakl_id,do_adresar_zakl_id,vzdalenost,vzdalenost_"
            "max)  values(%1,%2,%3,%4);")
            .arg(od)
            .arg(doId)
            .arg(min)
            .arg(max)};
}

QString NactiDuvod(TSQLDATA& db, int adresa)
{
    TKTDATASET t;
    db.NactiTabulku(QStringLiteral("select duvod from kj_duvod where (adresar_zakl_id=%1);").arg(adresa), t);
    return t.PocetRadku() < 1 ? QString() : t.HodnotaJmeno(1, QStringLiteral("DUVOD"));
}

VysledekZapisu UlozDuvod(TDataModuleIb& db, int adresa, const QString& duvod)
{
    return db.ProvedSQLSeznam(
        {QStringLiteral("delete from kj_duvod where adresar_zakl_id=%1;").arg(adresa),
         VyplnSablonu(QStringLiteral("insert into kj_duvod(duvod,adresar_zakl_id) values(%s,%d);"),
                      {TextSQL(duvod), n(adresa)})});
}

VysledekZapisu PridejDuvod(TDataModuleIb& db, const QString& duvod)
{
    if (prazdne(duvod)) return VysledekZapisu::Odmitnuto(TextNeniVyplneno);
    if (db.VratInt(VyplnSablonu(QStringLiteral("select count(*) from kj_c_duvod where duvod=%s;"),
                                {TextSQL(duvod.trimmed())})) != 0)
        return VysledekZapisu::Odmitnuto(TextDuvodUlozen);
    return db.ProvedSQL(
        VyplnSablonu(QStringLiteral("insert into kj_c_duvod(duvod) values(%s);"), {TextSQL(duvod)}));
}
