#include "kategorie.h"

#include "data/sqldata.h"

#include <algorithm>

QList<KategorieBox> NactiKategorie(TSQLDATA& data, const QString& druh)
{
    const bool ku = druh == QLatin1String("KU");
    TKTDATASET t;
    data.NactiTabulku(
        ku ? QStringLiteral("Select * from ku_c_kat;") : QStringLiteral("Select * from adresar_c_kat;"), t);
    const QString prefix = ku ? QStringLiteral("KU_C_KAT_") : QStringLiteral("ADRESAR_C_KAT_");
    QList<KategorieBox> boxy{KategorieBox()};
    for (int r = 1; r <= std::min(t.PocetRadku(), 1000); ++r) {
        KategorieBox b;
        b.id = t.HodnotaInt(r, prefix + QStringLiteral("ID"));
        b.nazev = t.HodnotaJmeno(r, prefix + QStringLiteral("NAZEV"));
        b.barva = t.HodnotaInt(r, prefix + QStringLiteral("BARVA"));
        boxy << b;
    }
    return boxy;
}

QString SestavFiltrKategorii(const QList<KategorieBox>& boxy)
{
    QString filtr;
    for (qsizetype i = 1; i < boxy.size(); ++i) {
        if (!boxy[i].zaskrtnuto) continue;
        if (!filtr.isEmpty()) filtr += QLatin1Char(',');
        filtr += QString::number(boxy[i].id);
    }
    return filtr.isEmpty() ? QStringLiteral("0") : filtr;
}

void PrevezmiZaskrtnuti(QList<KategorieBox>& nove, const QList<KategorieBox>& stare)
{
    for (KategorieBox& b : nove)
        for (const KategorieBox& s : stare)
            if (s.id == b.id) {
                b.zaskrtnuto = s.zaskrtnuto;
                break;
            }
}

QRect PoziceBoxu(int index)
{
    return QRect(index == 0 ? 25 : 35 * index + 25, 2, 25, 25);
}

QRect UmistiOkno(QRect okno, int w, int h, int c)
{
    int left = okno.left(), top = okno.top();
    if (left + okno.width() > w) left = w - okno.width();
    if (left <= 0) left = 1;
    if (top + okno.height() > h + c) top = h + c - okno.height();
    if (top <= 0) top = 1;
    okno.moveTo(left, top);
    return okno;
}
