#include "polozkasoubor.h"

#include "common/inifile.h"
#include "common/ktdatumj.h"

const QString FiltrPolozky = QStringLiteral("*.orvan|*.orvan|*.orv|*.orv");
const QString TextZastaralaVerze =
    QStringLiteral("Soubor této verze nelze zpracovat, zřejmě máte zastaralou verzi programu ! ");
const QString TextJinyTyp = QStringLiteral("Soubor není odpovídajícího typu !");

namespace
{
const QString kData = QStringLiteral("DATA");
const QString kFile = QStringLiteral("FILE");
const QString kDataType = QStringLiteral("DATATYPE");
const QString kMemo = QStringLiteral("DATAMEMO");
const QString kType = QStringLiteral("type");
constexpr int kVerze = 1;

QString bit(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

bool ZapisPolozku(IniFile& f, const PolozkaSouboru& p)
{
    const DatumCas ted = Ted();
    bool ok = true;
    auto w = [&](const QString& sekce, const char* klic, const QString& hodnota) {
        ok = f.WriteString(sekce, QLatin1String(klic), hodnota) && ok;
    };
    w(QStringLiteral("USER"), "sign", QStringLiteral("0"));
    w(QStringLiteral("USER"), "number", QStringLiteral("00000"));
    w(kFile, "date", DatumNaText(4, ted));
    w(kFile, "time", DatumNaText(3, ted));
    w(kFile, "type", QString::number(kVerze));
    w(kFile, "code", QStringLiteral("0"));
    w(kDataType, "type", QStringLiteral("KU"));
    w(kData, "datum", p.Datum);
    w(kData, "cas_od", p.CasOd);
    w(kData, "cas_do", p.CasDo);
    w(kData, "cely_den", bit(p.CelyDen));
    w(kData, "nazev", p.Nazev);
    w(kData, "alarm", bit(p.Alarm));
    w(kData, "alarm_datum", p.AlarmDatum);
    w(kData, "alarm_cas", p.AlarmCas);
    w(kData, "alarm_akce", p.Akce);
    ok = UlozSeznamIni(f, kMemo, p.Poznamka) && ok;
    return ok;
}

QString OverPolozku(const IniFile& f)
{
    if (f.ReadInteger(kFile, kType, 999) >= 2) return TextZastaralaVerze;
    if (f.ReadString(kDataType, kType, QStringLiteral("KU")) != QLatin1String("KU")) return TextJinyTyp;
    return {};
}

PolozkaSouboru CtiPolozku(const IniFile& f)
{
    PolozkaSouboru p;
    auto r = [&](const char* klic) { return f.ReadString(kData, QLatin1String(klic), QString()); };
    p.Datum = r("datum");
    p.CasOd = r("cas_od");
    p.CasDo = r("cas_do");
    p.CelyDen = f.ReadInteger(kData, QStringLiteral("cely_den"), 0) != 0;
    p.Nazev = r("nazev");
    p.Alarm = f.ReadInteger(kData, QStringLiteral("alarm"), 0) != 0;
    p.AlarmDatum = r("alarm_datum");
    p.AlarmCas = r("alarm_cas");
    p.Akce = r("alarm_akce");
    NactiSeznamIni(f, kMemo, p.Poznamka);
    return p;
}
