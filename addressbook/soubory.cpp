#include "soubory.h"

#include "data/sqldata.h"
#include "data/sqlvalues.h"
#include "data/tablecolumns.h"
#include "data/zapiszaznam.h"

const QString TextNeniVybrano = QStringLiteral("Není vybrána žádná položka !");

namespace
{

const QString kNacti =
    QStringLiteral("Select soubor_id,jmeno,popis from soubor where (cil=%d) and (cil_id=%d) order by popis;");
const QString kVlozit =
    QStringLiteral("insert into soubor(jmeno,popis,cil,cil_id,vytvoril_kdo,vytvoril_kdy,editoval_kdo,"
                   "editoval_kdy) ") +
    QStringLiteral(" values(%s,%s,%d,%d,%d,%s,%d,%s);");
const QString kSmazat = QStringLiteral("delete from soubor where (soubor_id=%d);");
const QString kPopis = QStringLiteral("update soubor set popis=%s where (soubor_id=%d);");
const QString kTed = QStringLiteral("CURRENT_TIMESTAMP");

QString prilisDlouhyPopis(int delka)
{
    return QStringLiteral("Popis je delší než %1 znaků, zkraťte ho prosím.").arg(delka);
}

// A failure carries the statement, CR LF and the server's text.
VysledekZapisu proved(TDataModuleIb& db, const QString& sql)
{
    VysledekZapisu v = db.ProvedSQL(sql);
    if (!v.ok) v.chyba = SkryjHesla(sql) + QStringLiteral("\r\n") + v.chyba;
    return v;
}

} // namespace

DelkySouboru DelkySouboru::Z(TSQLDATA& db)
{
    const QHash<QString, int> d = DelkySloupcu(db, QStringLiteral("SOUBOR"));
    DelkySouboru out;
    out.Jmeno = d.value(QStringLiteral("JMENO"), out.Jmeno);
    out.Popis = d.value(QStringLiteral("POPIS"), out.Popis);
    return out;
}

QList<SouborRadek> NactiSoubory(TSQLDATA& db, int cil, int cilId)
{
    TKTDATASET t;
    db.NactiTabulku(VyplnSablonu(kNacti, {QString::number(cil), QString::number(cilId)}), t);
    QList<SouborRadek> out;
    for (int r = 1; r <= t.PocetRadku(); ++r)
        out.append({t.HodnotaInt(r, QStringLiteral("SOUBOR_ID")), t.HodnotaJmeno(r, QStringLiteral("JMENO")),
                    t.HodnotaJmeno(r, QStringLiteral("POPIS"))});
    return out;
}

QString PopisZCesty(const QString& cesta, int delka)
{
    if (cesta.size() <= delka) return cesta;
    static const QString tri = QStringLiteral("…");
    QString konec = cesta.right(delka - tri.size());
    // Never start with half of a character outside the basic plane.
    if (!konec.isEmpty() && konec.front().isLowSurrogate()) konec.remove(0, 1);
    return tri + konec;
}

QString OverPridaniSouboru(int cilId, const QString& cesta, const QString& popis, const DelkySouboru& delky)
{
    if (cilId == 0) return QStringLiteral("Soubory lze připojit až k uloženému záznamu.");
    if (cesta.trimmed().isEmpty()) return QStringLiteral("Není zadán žádný soubor.");
    if (cesta.size() > delky.Jmeno)
        return QStringLiteral("Cesta k souboru je delší než %1 znaků, soubor nelze připojit:\n%2")
            .arg(delky.Jmeno)
            .arg(cesta);
    if (popis.size() > delky.Popis) return prilisDlouhyPopis(delky.Popis);
    return QString();
}

VysledekZapisu PridejSoubor(TDataModuleIb& db, int cil, int cilId, const QString& cesta, const QString& popis,
                            int uzivatel, const DelkySouboru& delky)
{
    if (const QString chyba = OverPridaniSouboru(cilId, cesta, popis, delky); !chyba.isEmpty())
        return VysledekZapisu::Odmitnuto(chyba);
    const QString u = QString::number(uzivatel);
    return proved(db, VyplnSablonu(kVlozit, {TextSQL(cesta), TextSQL(popis), QString::number(cil),
                                             QString::number(cilId), u, kTed, u, kTed}));
}

VysledekZapisu ZmenPopisSouboru(TDataModuleIb& db, int souborId, const QString& popis,
                                const DelkySouboru& delky)
{
    if (popis.size() > delky.Popis) return VysledekZapisu::Odmitnuto(prilisDlouhyPopis(delky.Popis));
    return proved(db, VyplnSablonu(kPopis, {TextSQL(popis), QString::number(souborId)}));
}

VysledekZapisu SmazOdkazNaSoubor(TDataModuleIb& db, int souborId)
{
    return proved(db, VyplnSablonu(kSmazat, {QString::number(souborId)}));
}
