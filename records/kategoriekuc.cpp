#include "records/kategoriekuc.h"

#include "common/inifile.h"
#include "data/sqldata.h"

const QString SqlSmazatKuKat = QStringLiteral("Delete from KU_KAT where KU_ID=%d");
const QString SqlVlozitKuKat =
    QStringLiteral("Insert into ku_kat(KU_ID,KU_C_KAT_ID,HLAVNI) values(%d,%d,%d)");
const QString SqlVlozitKuKatNovy =
    QStringLiteral("Insert into ku_kat(KU_ID,KU_C_KAT_ID,HLAVNI) values(%d,%d,%d);");
const QString SqlSmazatUkolyKat = QStringLiteral("Delete from UKOLY_KAT where UKOLY_ID=%d");
const QString SqlVlozitUkolyKat =
    QStringLiteral("Insert into ukoly_kat(UKOLY_ID,KU_C_KAT_ID,HLAVNI) values(%d,%d,%d)");
const QString SqlSmazatAdresarKat = QStringLiteral("Delete from adresar_zakl_kat where adresar_zakl_ID=%d;");
const QString SqlVlozitAdresarKat =
    QStringLiteral("Insert into adresar_zakl_kat(adresar_zakl_ID,adresar_C_KAT_ID,HLAVNI) values(%d,%d,%d);");

namespace
{
const QString kSekce = QStringLiteral("CATEGORY");

bool jeAdresar(const QString& druh)
{
    return druh == QLatin1String("ADRESAR");
}

QString klic(int n)
{
    return QStringLiteral("c%1").arg(n, 3, 10, QLatin1Char('0'));
}

} // namespace

QColor BarvaZHodnoty(int hodnota)
{
    return QColor(hodnota & 0xFF, (hodnota >> 8) & 0xFF, (hodnota >> 16) & 0xFF);
}

int HodnotaZBarvy(const QColor& barva)
{
    return barva.red() | (barva.green() << 8) | (barva.blue() << 16);
}

QString TKategorieKUC::SqlKategorii(const QString& druh, int zaznamId)
{
    if (jeAdresar(druh)) {
        if (zaznamId == 0)
            return QStringLiteral(
                "select ADRESAR_C_KAT_NAZEV,ADRESAR_C_KAT_BARVA,ADRESAR_C_KAT_ID from ADRESAR_c_kat;");
        return QStringLiteral(
                   "select ADRESAR_C_KAT_NAZEV,ADRESAR_C_KAT_BARVA,ADRESAR_c_kat.ADRESAR_C_KAT_ID as "
                   "ADRESAR_C_KAT_ID,adresar_zakl_KAT_ID,HLAVNI from ADRESAR_c_kat LEFT JOIN "
                   "adresar_zakl_kat on") +
               QStringLiteral(" (adresar_zakl_kat.adresar_zakl_id=%1) and "
                              "(adresar_zakl_kat.ADRESAR_c_kat_id=ADRESAR_c_kat.ADRESAR_c_kat_id);")
                   .arg(zaznamId);
    }
    if (zaznamId == 0)
        return QStringLiteral("select KU_C_KAT_NAZEV,KU_C_KAT_BARVA,KU_C_KAT_ID from ku_c_kat;");
    if (druh == QLatin1String("UKOLY"))
        return QStringLiteral("select KU_C_KAT_NAZEV,KU_C_KAT_BARVA,ku_c_kat.KU_C_KAT_ID as "
                              "KU_C_KAT_ID,UKOLY_KAT_ID,HLAVNI from ku_c_kat LEFT JOIN ukoly_kat on "
                              "(ukoly_kat.ukoly_id=%1) and (ukoly_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id);")
            .arg(zaznamId);
    return QStringLiteral(
               "select KU_C_KAT_NAZEV,KU_C_KAT_BARVA,ku_c_kat.KU_C_KAT_ID as KU_C_KAT_ID,KU_KAT_ID,"
               "HLAVNI from ku_c_kat LEFT JOIN ku_kat on (ku_kat.ku_id=%1) and "
               "(ku_kat.ku_c_kat_id=ku_c_kat.ku_c_kat_id);")
        .arg(zaznamId);
}

QString TKategorieKUC::SloupecOdkazu(const QString& druh)
{
    if (jeAdresar(druh)) return QStringLiteral("ADRESAR_ZAKL_KAT_ID");
    if (druh == QLatin1String("UKOLY")) return QStringLiteral("UKOLY_KAT_ID");
    return QStringLiteral("KU_KAT_ID");
}

void TKategorieKUC::NastavDruh(bool hlavniRezim, const QString& druh)
{
    m_druh = druh;
    m_hlavniRezim = hlavniRezim;
    NactiKategorie(0, druh);
}

void TKategorieKUC::NactiKategorie(int zaznamId, const QString& druh)
{
    TKTDATASET t;
    SQLDATA().NactiTabulku(SqlKategorii(druh, zaznamId), t);
    NaplnZTabulky(t, zaznamId, druh);
}

void TKategorieKUC::NaplnZTabulky(const TKTDATASET& t, int zaznamId, const QString& druh)
{
    m_polozky.clear();
    m_hlavni = -1;
    const QString prefix = jeAdresar(druh) ? QStringLiteral("ADRESAR_C_KAT_") : QStringLiteral("KU_C_KAT_");
    const QString odkaz = SloupecOdkazu(druh);
    for (int r = 1; r <= t.PocetRadku() && Pocet() < kMaxKategorii; ++r) {
        Polozka p;
        p.Nazev = t.HodnotaJmeno(r, prefix + QStringLiteral("NAZEV"));
        if (jeAdresar(druh)) p.Nazev = p.Nazev.trimmed();
        p.Barva = t.HodnotaInt(r, prefix + QStringLiteral("BARVA"));
        p.Id = t.HodnotaInt(r, prefix + QStringLiteral("ID"));
        if (zaznamId != 0 && !t.HodnotaJmeno(r, odkaz).isEmpty()) {
            p.Zaskrtnuto = true;
            if (t.HodnotaInt(r, QStringLiteral("HLAVNI")) == 1) m_hlavni = Pocet();
        }
        m_polozky.push_back(p);
    }
    m_zmeneno = false;
}

void TKategorieKUC::OverHlavni()
{
    if (!m_hlavniRezim) return;
    if (m_hlavni >= 0 && m_hlavni < Pocet() && Zaskrtnuto(m_hlavni)) return;
    m_hlavni = -1;
    for (int i = 0; i < Pocet(); ++i)
        if (Zaskrtnuto(i)) {
            m_hlavni = i;
            break;
        }
}

void TKategorieKUC::Klik()
{
    m_zmeneno = true;
    OverHlavni();
}

void TKategorieKUC::Zaskrtni(int i, bool zaskrtnuto)
{
    if (i < 0 || i >= Pocet()) return;
    m_polozky[size_t(i)].Zaskrtnuto = zaskrtnuto;
    Klik();
}

void TKategorieKUC::DvojKlik(int i)
{
    m_zmeneno = true;
    if (i >= 0 && i < Pocet()) {
        if (m_hlavniRezim) m_hlavni = i;
        m_polozky[size_t(i)].Zaskrtnuto = true;
    }
    OverHlavni();
}

QColor TKategorieKUC::Barva(int i) const
{
    return BarvaZHodnoty(polozka(i).Barva);
}

QString TKategorieKUC::TextPolozky(int i) const
{
    const bool hlavni = m_hlavniRezim && i == m_hlavni;
    return (hlavni ? QStringLiteral(">") : QStringLiteral(" ")) + polozka(i).Nazev;
}

bool TKategorieKUC::UlozKategorieDoSouboru(IniFile& soubor) const
{
    bool ok = true;
    if (m_hlavniRezim && m_hlavni >= 0 && m_hlavni < Pocet())
        ok = soubor.WriteString(kSekce, QStringLiteral("main"), polozka(m_hlavni).Nazev) && ok;
    int n = 0;
    for (const Polozka& p : m_polozky)
        if (p.Zaskrtnuto) ok = soubor.WriteString(kSekce, klic(++n), p.Nazev) && ok;
    return ok;
}

void TKategorieKUC::NactiKategorieZeSouboru(const IniFile& soubor)
{
    const QString hlavni = soubor.ReadString(kSekce, QStringLiteral("main"), QString());
    for (int n = 1;; ++n) {
        const QString nazev = soubor.ReadString(kSekce, klic(n), QString());
        if (nazev.isEmpty()) break;
        for (int i = 0; i < Pocet(); ++i) {
            if (m_polozky[size_t(i)].Nazev != nazev) continue;
            m_polozky[size_t(i)].Zaskrtnuto = true;
            if (nazev == hlavni) {
                m_hlavni = i;
                m_hlavniRezim = true;
            }
            break;
        }
    }
    m_zmeneno = true;
    OverHlavni();
}

QStringList TKategorieKUC::PrikazyOdkazu(int zaznamId, const QString& smazat, const QString& vlozit) const
{
    QStringList out;
    if (!smazat.isEmpty()) out << QString::asprintf(smazat.toLatin1().constData(), zaznamId);
    for (int i = 0; i < Pocet(); ++i)
        if (Zaskrtnuto(i))
            out << QString::asprintf(vlozit.toLatin1().constData(), zaznamId, Id(i),
                                     m_hlavniRezim && i == m_hlavni ? 1 : 0);
    return out;
}
