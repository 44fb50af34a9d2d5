#include "monthhtml.h"

#include "calendar/datamesice.h"
#include "calendar/mesicnimrizka.h"
#include "common/ktdatumj.h"
#include "common/kttext.h"

#include <cmath>

namespace
{

QString barvaDne(DatumCas den, DatumCas dnes)
{
    if (JeStatniSvatek(den)) return QStringLiteral("#008000");
    if (std::floor(den) == std::floor(dnes)) return QStringLiteral("#ff0000");
    return QStringLiteral("#0000ff");
}

QString radekUdalosti(const UdalostDne& u)
{
    QString text = u.cas() + QLatin1Char(' ') + u.nazev.toHtmlEscaped();
    NahradVse(text, QStringLiteral(" "), QStringLiteral("&nbsp;"));
    const QColor barva = BarvaZHodnoty(u.barva);
    if (barva.isValid())
        text = QStringLiteral("<font color=\"") + BarvaHtml(barva) + QStringLiteral("\">") + text +
               QStringLiteral("</font>");
    return text + QStringLiteral("<br>");
}

} // namespace

QStringList HtmlMesice(const MesicniMrizka& mrizka, const DataMesice& data, double dnes)
{
    QStringList out;
    out << QStringLiteral("<META charset=\"utf-8\">") << QStringLiteral("<TABLE border=1>");
    QString hlavicka = QStringLiteral("<TR><TD>&nbsp;</TD>");
    for (int d = 1; d <= 7; ++d)
        hlavicka += QStringLiteral("<TD><b>") + NazevDne(d, 0, u'C') + QStringLiteral("</b></TD>");
    out << hlavicka + QStringLiteral("</TR>");
    for (int r = 1; r <= mrizka.tydny(); ++r) {
        out << QStringLiteral("<TR>");
        out << QStringLiteral("<TD VALIGN=\"TOP\"><b>%1.&nbsp;týden</b></TD>").arg(mrizka.cisloTydne(r));
        for (int s = 1; s <= 7; ++s) {
            const DatumCas den = mrizka.datumBunky(s, r);
            out << QStringLiteral("<TD VALIGN=\"TOP\"><font color=\"") + barvaDne(den, dnes) +
                       QStringLiteral("\"><b>") + KlicNaText(1, DatumNaKlic(1, den)) +
                       QStringLiteral("</b></font><br>");
            for (const UdalostDne& u : data.den(den).udalosti)
                out << radekUdalosti(u);
            out << QStringLiteral("</TD>");
        }
        out << QStringLiteral("</TR>");
    }
    out << QStringLiteral("</TABLE>");
    return out;
}

bool UlozHtml(const QString& soubor, const QStringList& radky, QString& chyba)
{
    // The file ends the text with CR LF, so the lines are joined with it.
    return ZapisSouborUtf8(soubor, radky.join(QStringLiteral("\r\n")), &chyba);
}
