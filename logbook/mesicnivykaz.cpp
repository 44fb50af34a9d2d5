#include "mesicnivykaz.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "overview/ktpreviewprint.h"
#include "records/pravazaznamu.h"

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QMap>
#include <cmath>

namespace
{

double cislo(const QString& s)
{
    bool ok = false;
    const double v = s.trimmed().toDouble(&ok);
    return ok ? v : 0;
}

QString penize(double v)
{
    return QLocale(QLocale::Czech).toString(v, 'f', 2).remove(QChar(0xA0)).remove(QLatin1Char(' '));
}

QString csvPole(const QString& s)
{
    if (!s.contains(QLatin1Char(';')) && !s.contains(QLatin1Char('"')) && !s.contains(QLatin1Char('\n')) &&
        !s.contains(QLatin1Char('\r')))
        return s;
    QString t = s;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

// Half a haléř rounds up even where binary fractions fall just short of it.
double naHalere(double v)
{
    return double(std::llround(v * 100.0 + (v >= 0 ? 1e-6 : -1e-6))) / 100.0;
}

} // namespace

double Nahrada(int km, double sazba, double spotreba, double cenaPaliva)
{
    const double v = km * sazba + km * spotreba / 100.0 * cenaPaliva;
    return naHalere(v);
}

QStringList KontrolaNavaznosti(const QString& vuz, const QList<StavTachometru>& jizdy)
{
    QStringList out;
    for (qsizetype i = 1; i < jizdy.size(); ++i) {
        const QString konec = jizdy[i - 1].do_.trimmed();
        const QString zacatek = jizdy[i].od.trimmed();
        if (konec.isEmpty() || zacatek.isEmpty() || konec == zacatek) continue;
        const int rozdil = zacatek.toInt() - konec.toInt();
        out << QStringLiteral("%1: jízda %2 začíná na %3 km, předchozí skončila na %4 km (%5 %6 km)")
                   .arg(vuz, jizdy[i].popis, zacatek, konec,
                        rozdil > 0 ? QStringLiteral("mezera") : QStringLiteral("překryv"))
                   .arg(std::abs(rozdil));
    }
    return out;
}

MesicniVykaz SestavMesicniVykaz(TSQLDATA& db, int rok, int mesic, int autoId)
{
    MesicniVykaz v;
    v.Rok = rok;
    v.Mesic = mesic;
    const QDate prvni(rok, mesic, 1);
    const QString od = DatumSQL(prvni.toString(QStringLiteral("d.M.yyyy")));
    const QString pristi = DatumSQL(prvni.addMonths(1).toString(QStringLiteral("d.M.yyyy")));
    const QString auto_ = autoId > 0 ? QStringLiteral(" and (kj_auto.kj_auto_id=%1)").arg(autoId) : QString();

    // The year's rates.
    TKTDATASET s;
    db.NactiTabulku(QStringLiteral("select zakladni from kj_sazby where rok=%1").arg(rok), s);
    const double sazba = s.PocetRadku() > 0 ? cislo(s.Hodnota(1, 1)) : 0;
    if (sazba <= 0) v.Upozorneni << QStringLiteral("Pro rok %1 chybí základní sazba náhrady.").arg(rok);
    TKTDATASET ceny;
    db.NactiTabulku(QStringLiteral("select palivo, cena from kj_ceny_paliv where rok=%1").arg(rok), ceny);
    QHash<QString, double> cenaPaliva;
    for (int r = 1; r <= ceny.PocetRadku(); ++r)
        cenaPaliva.insert(ceny.HodnotaJmeno(r, QStringLiteral("PALIVO")).trimmed().toUpper(),
                          cislo(ceny.HodnotaJmeno(r, QStringLiteral("CENA"))));

    // Every car with a ride or a fuel purchase in the month: one that was
    // only fuelled still owes the accountant its receipts.
    const QString vMesici = QStringLiteral("(datum>=%1) and (datum<%2)").arg(od, pristi);
    TKTDATASET a;
    db.NactiTabulku(
        QStringLiteral("select kj_auto.kj_auto_id, kj_auto.spz, kj_auto.popis as vuz, kj_auto.palivo, "
                       "kj_auto.spotreba from kj_auto where (exists (select 1 from kj where "
                       "kj.kj_auto_id=kj_auto.kj_auto_id and %1) or exists (select 1 from kj_tankovani where "
                       "kj_tankovani.kj_auto_id=kj_auto.kj_auto_id and %1))%2%3 order by kj_auto.popis, "
                       "kj_auto.kj_auto_id")
            .arg(vMesici, auto_, FiltrCteni(QStringLiteral("KJ_AUTO"), false)),
        a);
    TKTDATASET j;
    db.NactiTabulku(
        QStringLiteral(
            "select kj.kj_auto_id, kj.datum, kj.poradi, kj.vzdalenost, kj.soukroma, kj.tachometr_od, "
            "kj.tachometr_do, coalesce(kj.ridic_id, kj.vytvoril_kdo) as ridic, u.popis as ridic_popis, "
            "u.login as ridic_login from kj join kj_auto on kj.kj_auto_id=kj_auto.kj_auto_id left join "
            "uzivatel u on u.uzivatel_id=coalesce(kj.ridic_id, kj.vytvoril_kdo) where (kj.datum>=%1) "
            "and (kj.datum<%2)%3%4 order by kj.kj_auto_id, kj.datum, kj.poradi")
            .arg(od, pristi, auto_, FiltrCteni(QStringLiteral("KJ_AUTO"), false)),
        j);
    QHash<int, QList<int>> jizdyAuta; // car → its rides' rows in date and order
    for (int r = 1; r <= j.PocetRadku(); ++r)
        jizdyAuta[j.HodnotaInt(r, QStringLiteral("KJ_AUTO_ID"))] << r;
    TKTDATASET t;
    db.NactiTabulku(
        QStringLiteral("select kj_tankovani.kj_auto_id, sum(litry) as litry, sum(cena) as cena from "
                       "kj_tankovani join kj_auto on kj_tankovani.kj_auto_id=kj_auto.kj_auto_id where "
                       "(datum>=%1) and (datum<%2)%3%4 group by kj_tankovani.kj_auto_id")
            .arg(od, pristi, auto_, FiltrCteni(QStringLiteral("KJ_AUTO"), false)),
        t);
    QHash<int, std::pair<double, double>> palivo;
    for (int r = 1; r <= t.PocetRadku(); ++r)
        palivo.insert(t.HodnotaInt(r, QStringLiteral("KJ_AUTO_ID")),
                      {cislo(t.HodnotaJmeno(r, QStringLiteral("LITRY"))),
                       cislo(t.HodnotaJmeno(r, QStringLiteral("CENA")))});

    for (int ra = 1; ra <= a.PocetRadku(); ++ra) {
        const int vuzId = a.HodnotaInt(ra, QStringLiteral("KJ_AUTO_ID"));
        const QList<int> jizdy = jizdyAuta.value(vuzId);
        RadekVykazu celkem;
        celkem.Celkem = true;
        celkem.AutoId = vuzId;
        celkem.Spz = a.HodnotaJmeno(ra, QStringLiteral("SPZ")).trimmed();
        celkem.Vuz = a.HodnotaJmeno(ra, QStringLiteral("VUZ")).trimmed();
        celkem.Spotreba = cislo(a.HodnotaJmeno(ra, QStringLiteral("SPOTREBA")));
        celkem.Sazba = sazba;
        const QString druh = a.HodnotaJmeno(ra, QStringLiteral("PALIVO")).trimmed();
        celkem.CenaPaliva = cenaPaliva.value(druh.toUpper());
        // What the reimbursement lacks matters only when there are kilometres to reimburse.
        if (!jizdy.isEmpty()) {
            if (druh.isEmpty())
                v.Upozorneni << QStringLiteral("%1: vůz nemá zadaný druh paliva; náhrada je bez ceny paliva.")
                                    .arg(celkem.Spz);
            else if (celkem.CenaPaliva <= 0)
                v.Upozorneni << QStringLiteral("%1: chybí průměrná cena paliva „%2“ pro rok %3; náhrada je "
                                               "bez ceny paliva.")
                                    .arg(celkem.Spz, druh)
                                    .arg(rok);
            if (celkem.Spotreba <= 0)
                v.Upozorneni << QStringLiteral("%1: chybí spotřeba z technického průkazu.").arg(celkem.Spz);
        }
        const RadekVykazu zaklad = celkem;
        QMap<QString, RadekVykazu> ridici;
        QStringList poradiRidicu;
        QList<StavTachometru> stavy;
        for (const int r : jizdy) {
            QString ridic = j.HodnotaJmeno(r, QStringLiteral("RIDIC_POPIS")).trimmed();
            if (ridic.isEmpty()) ridic = j.HodnotaJmeno(r, QStringLiteral("RIDIC_LOGIN")).trimmed();
            if (ridic.isEmpty()) ridic = QStringLiteral("neuveden");
            if (!ridici.contains(ridic)) {
                RadekVykazu d = zaklad;
                d.Celkem = false;
                d.Ridic = ridic;
                ridici.insert(ridic, d);
                poradiRidicu << ridic;
            }
            const int km = j.HodnotaInt(r, QStringLiteral("VZDALENOST"));
            const bool soukroma = j.HodnotaInt(r, QStringLiteral("SOUKROMA")) == 1;
            const QString tOd = j.HodnotaJmeno(r, QStringLiteral("TACHOMETR_OD")).trimmed();
            const QString tDo = j.HodnotaJmeno(r, QStringLiteral("TACHOMETR_DO")).trimmed();
            stavy << StavTachometru{DatumCast(j.HodnotaJmeno(r, QStringLiteral("DATUM"))) + QLatin1Char('/') +
                                        j.HodnotaJmeno(r, QStringLiteral("PORADI")),
                                    tOd, tDo};
            for (RadekVykazu* x : {&ridici[ridic], &celkem}) {
                (soukroma ? x->KmSoukrome : x->KmSluzebni) += km;
                if (x->TachometrZacatek.isEmpty()) x->TachometrZacatek = tOd;
                if (!tDo.isEmpty()) x->TachometrKonec = tDo;
            }
        }
        for (const QString& ridic : poradiRidicu) {
            RadekVykazu d = ridici.value(ridic);
            d.Nahrada = Nahrada(d.KmSluzebni, d.Sazba, d.Spotreba, d.CenaPaliva);
            celkem.Nahrada += d.Nahrada;
            v.Radky << d;
        }
        const auto p = palivo.value(vuzId);
        celkem.Litry = p.first;
        celkem.CenaTankovani = p.second;
        celkem.Nahrada = naHalere(celkem.Nahrada);
        v.Radky << celkem;
        v.Upozorneni << KontrolaNavaznosti(celkem.Spz, stavy);
    }
    return v;
}

QByteArray VykazCsv(const MesicniVykaz& v)
{
    QStringList radky;
    radky << QStringLiteral("Měsíc;SPZ;Vůz;Řidič;Tachometr začátek;Tachometr konec;Služební km;Soukromé km;"
                            "Natankováno l;Tankování Kč;Sazba Kč/km;Spotřeba l/100 km;Cena paliva Kč/l;"
                            "Náhrada Kč");
    const QString mesic = QStringLiteral("%1/%2").arg(v.Mesic, 2, 10, QLatin1Char('0')).arg(v.Rok);
    for (const RadekVykazu& r : v.Radky) {
        const QStringList pole = {mesic,
                                  r.Spz,
                                  r.Vuz,
                                  r.Celkem ? QStringLiteral("Celkem vůz") : r.Ridic,
                                  r.TachometrZacatek,
                                  r.TachometrKonec,
                                  QString::number(r.KmSluzebni),
                                  QString::number(r.KmSoukrome),
                                  r.Celkem ? penize(r.Litry) : QString(),
                                  r.Celkem ? penize(r.CenaTankovani) : QString(),
                                  penize(r.Sazba),
                                  penize(r.Spotreba),
                                  penize(r.CenaPaliva),
                                  penize(r.Nahrada)};
        QStringList q;
        for (const QString& p : pole)
            q << csvPole(p);
        radky << q.join(QLatin1Char(';'));
    }
    return QByteArray("\xEF\xBB\xBF") +
           (radky.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

void RozvrhniVykaz(TPreviewDocument& doc, const MesicniVykaz& v)
{
    TKTPreviewPrint tisk(doc);
    tisk.Zacni();
    tisk.NastavZahlavi(1, 1, 2, 8421504, 12, QStringLiteral("Vytištěno programem Orvan (orvan.cz)"));
    doc.Zacni();
    tisk.TiskZahlavi();
    tisk.TiskTextu(
        0, 1, 0, 1, 0, 20,
        QStringLiteral("Měsíční výkaz jízd %1/%2").arg(v.Mesic, 2, 10, QLatin1Char('0')).arg(v.Rok));
    for (const RadekVykazu& r : v.Radky) {
        const int styl = r.Celkem ? 1 : 0;
        tisk.TiskTextu(0, 1, 0, styl, 0, 12,
                       r.Celkem ? QStringLiteral("%1 %2 – celkem").arg(r.Spz, r.Vuz)
                                : QStringLiteral("%1 %2 – řidič %3").arg(r.Spz, r.Vuz, r.Ridic));
        tisk.TiskTextu(0, 40, 0, 0, 0, 11,
                       QStringLiteral("tachometr %1 – %2 km, služební %3 km, soukromé %4 km")
                           .arg(r.TachometrZacatek.isEmpty() ? QStringLiteral("?") : r.TachometrZacatek,
                                r.TachometrKonec.isEmpty() ? QStringLiteral("?") : r.TachometrKonec)
                           .arg(r.KmSluzebni)
                           .arg(r.KmSoukrome));
        if (r.Celkem)
            tisk.TiskTextu(
                0, 40, 0, 0, 0, 11,
                QStringLiteral("natankováno %1 l za %2 Kč").arg(penize(r.Litry), penize(r.CenaTankovani)));
        tisk.TiskTextu(
            0, 40, 0, styl, 0, 11,
            QStringLiteral("náhrada %1 km × %2 Kč + %1 km × %3 l/100 km × %4 Kč/l = %5 Kč")
                .arg(r.KmSluzebni)
                .arg(penize(r.Sazba), penize(r.Spotreba), penize(r.CenaPaliva), penize(r.Nahrada)));
    }
    if (!v.Upozorneni.isEmpty()) {
        tisk.TiskTextu(0, 1, 0, 1, 255, 12, QStringLiteral("Upozornění"));
        for (const QString& u : v.Upozorneni)
            tisk.TiskTextu(0, 1, 0, 0, 255, 11, u);
    }
    doc.Konec();
}
