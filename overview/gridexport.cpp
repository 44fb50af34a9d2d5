#include "gridexport.h"

#include "common/action.h"
#include "common/kttext.h"
#include "gridmodel.h"

namespace gridexport
{

namespace
{

const QString kCrLf = QStringLiteral("\r\n");

QString csvCell(QString text)
{
    text.replace(QLatin1Char(';'), QLatin1Char(','));
    text.replace(kCrLf, QStringLiteral(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

QString htmlEscaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        default:
            out += ch;
        }
    }
    return out;
}

} // namespace

QString csvText(const GridText& grid)
{
    QString out;
    const int columns = grid.gridColumnCount();
    for (int r = 0; r < grid.gridRowCount(); ++r) {
        if (r > 0) out += kCrLf;
        for (int c = 0; c < columns; ++c) {
            if (c > 0) out += QLatin1Char(';');
            out += csvCell(grid.cellText(c, r));
        }
    }
    return out;
}

QString htmlText(const GridText& grid)
{
    QStringList lines;
    lines << QStringLiteral("<META charset=\"utf-8\">") << QStringLiteral("<TABLE border=1>");
    const int columns = grid.gridColumnCount();
    for (int r = 0; r < grid.gridRowCount(); ++r) {
        lines << QStringLiteral("<TR>");
        for (int c = 0; c < columns; ++c) {
            const QString text = grid.cellText(c, r);
            QString html = text.trimmed().isEmpty() ? QStringLiteral("&nbsp;") : htmlEscaped(text);
            if (r == 0) html = QStringLiteral("<b>") + html + QStringLiteral("</b>");
            lines << QStringLiteral("<TD>") + html + QStringLiteral("</TD>");
        }
        lines << QStringLiteral("</TR>");
    }
    lines << QStringLiteral("</TABLE>");
    return lines.join(kCrLf);
}

QString columnText(const GridText& grid, int column)
{
    QString out;
    for (int r = 1; r < grid.gridRowCount(); ++r)
        out += grid.cellText(column, r) + QLatin1Char(';');
    return out;
}

void writeExportFile(const QString& fileName, const QString& text)
{
    QString error;
    if (!ZapisSouborUtf8(fileName, text, &error)) throw ActionError(error);
}

} // namespace gridexport
