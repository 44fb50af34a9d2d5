#include "tiskjizd.h"

#include "common/action.h"
#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "overview/ktpreviewprint.h"
#include "records/pravazaznamu.h"

const QString TextZadneAuto = QStringLiteral("Není vybráno žádné auto.");

namespace
{

constexpr ColourValue kSeda = 8421504;
constexpr ColourValue kCervena = 255;

// " od: Alfa s.r.o., Jan, …": the address pieces that are not blank.
QString adresa(const TKTDATASET& t, int r, const QString& predpona)
{
    QString out = QStringLiteral("  ") + predpona.toLower() + QLatin1Char(':');
    for (const char* s : {"NAZEV", "JMENO", "PRIJMENI", "ULICE", "PSC", "MESTO", "STAT"}) {
        const QString v = t.HodnotaJmeno(r, predpona + QLatin1Char('_') + QLatin1String(s));
        if (!v.trimmed().isEmpty()) out += QLatin1Char(' ') + v + QLatin1Char(',');
    }
    return out;
}

} // namespace

QString PodminkaJizdAuta(int autoId, const QString& od, const QString& doDatum)
{
    QString p = QStringLiteral(" where (KJ.KJ_AUTO_ID=KJ_AUTO.KJ_AUTO_ID) ") +
                FiltrCteni(QStringLiteral("KJ_AUTO"), false) +
                QStringLiteral(" and (KJ.KJ_AUTO_ID=%1)").arg(autoId);
    if (!od.trimmed().isEmpty()) p += QStringLiteral(" and (KJ.DATUM>=%1)").arg(DatumSQL(od));
    if (!doDatum.trimmed().isEmpty()) p += QStringLiteral(" and (KJ.DATUM<=%1)").arg(DatumSQL(doDatum));
    return p;
}

void RozvrhniKnihuJizd(TSQLDATA& db, TPreviewDocument& doc, const TiskKnihyJizd& t)
{
    if (t.AutoId <= 0) throw ActionError(TextZadneAuto);
    TKTDATASET vuz;
    db.NactiTabulku(QStringLiteral("select SPZ,POPIS from kj_auto where kj_auto_id=%1").arg(t.AutoId), vuz);
    if (vuz.PocetRadku() < 1) throw ActionError(TextZadneAuto);
    TKTDATASET jizdy;
    db.NactiTabulku(QStringLiteral("Select * from kj,kj_auto ") + PodminkaJizdAuta(t.AutoId, t.Od, t.Do) +
                        QStringLiteral(" order by datum,poradi;"),
                    jizdy);

    TKTPreviewPrint tisk(doc);
    tisk.Zacni();
    tisk.NastavZahlavi(1, 1, 2, kSeda, 12, QStringLiteral("Vytištěno programem Orvan (orvan.cz)"));
    doc.Zacni();
    tisk.TiskZahlavi();
    for (const QString& titulek : {t.Titulek1, t.Titulek2})
        if (!titulek.trimmed().isEmpty()) tisk.TiskTextu(0, 1, 0, 1, 0, 24, titulek);

    // A logbook names its car by the plate: the tax office asks for it.
    QString hlavicka = QStringLiteral("Kniha jízd: %1, SPZ %2")
                           .arg(vuz.HodnotaJmeno(1, QStringLiteral("POPIS")).trimmed(),
                                vuz.HodnotaJmeno(1, QStringLiteral("SPZ")).trimmed());
    if (!t.Od.trimmed().isEmpty() || !t.Do.trimmed().isEmpty())
        hlavicka += QStringLiteral(", období %1 – %2").arg(t.Od.trimmed(), t.Do.trimmed());
    tisk.TiskTextu(0, 1, 0, 1, 0, 16, hlavicka);

    int celkem = 0;
    for (int r = 1; r <= jizdy.PocetRadku(); ++r) {
        const int km = jizdy.HodnotaInt(r, QStringLiteral("VZDALENOST")); // NULL reads 0
        celkem += km;
        tisk.TiskTextu(-1, 1, 15, 0, 0, 14, DatumCast(jizdy.HodnotaJmeno(r, QStringLiteral("DATUM"))));
        tisk.TiskTextu(-1, 0, 5, 0, 0, 14, QString::number(km));
        tisk.TiskTextu(-1, 0, 0, 0, 0, 14, QStringLiteral(" km  "));
        tisk.TiskTextu(0, 0, 0, 0, 0, 14, jizdy.HodnotaJmeno(r, QStringLiteral("DUVOD")));
        for (const char* strana : {"OD", "DO"}) {
            tisk.TiskTextu(-1, 1, 18, 0, kCervena, 14, QStringLiteral(" "));
            tisk.TiskTextu(0, 0, 0, 0, 0, 14, adresa(jizdy, r, QLatin1String(strana)));
        }
    }
    tisk.TiskTextu(0, 1, 0, 1, 0, 20, QStringLiteral("Celkem %1 km").arg(celkem));
    doc.Konec();
}
