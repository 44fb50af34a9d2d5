#include "sqlvalues.h"

#include "common/action.h"

#include <QDate>
#include <QRegularExpression>

QString TextSQLMax(const QString& text, int maximum)
{
    QString s = text;
    s.replace(QLatin1Char('"'), QLatin1Char('\''));
    if (maximum > 0 && maximum < s.size())
        s.truncate(maximum);
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString DatumSQL(const QString& date)
{
    if (date.isEmpty() || date == QLatin1String("00.00.0000") || date == QLatin1String("0.0.0000") ||
        date == QLatin1String("0.0.0"))
        return QStringLiteral("NULL");
    return QLatin1Char('"') + date + QLatin1Char('"');
}

QString DatumCasSQL(const QString& date, const QString& time)
{
    if (date.isEmpty() && time.isEmpty())
        return QStringLiteral("NULL");
    if (!time.isEmpty())
        return QLatin1Char('"') + date + QLatin1Char(' ') + time + QLatin1Char('"');
    return QLatin1Char('"') + date + QLatin1Char('"');
}

QString LogikaSQL(bool flag) { return flag ? QStringLiteral("\"1\"") : QStringLiteral("\"0\""); }

int CisloZTextu(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (!ok)
        throw ActionError(QStringLiteral("\"%1\" není platné celé číslo.").arg(text));
    return v;
}

QString DatumCast(const QString& dateTime)
{
    const qsizetype blank = dateTime.indexOf(QLatin1Char(' '));
    return blank < 0 ? dateTime : dateTime.left(blank);
}

QString CasCast(const QString& dateTime)
{
    const qsizetype blank = dateTime.indexOf(QLatin1Char(' '));
    return blank < 0 ? QString() : dateTime.mid(blank + 1);
}

double DatumZTextu(const QString& dateTime)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{1,4})\\s*$"));
    const QString part = DatumCast(dateTime);
    const auto m = re.match(part);
    const QDate d = m.hasMatch() ? QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt())
                                 : QDate();
    if (!d.isValid())
        throw ActionError(QStringLiteral("\"%1\" není platné datum.").arg(part));
    return double(QDate(1899, 12, 30).daysTo(d));
}

double CasZTextu(const QString& dateTime)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*$"));
    QString part = CasCast(dateTime);
    if (part.trimmed().isEmpty())
        part = QStringLiteral("00:00:00");
    const auto m = re.match(part);
    const int h = m.captured(1).toInt(), mi = m.captured(2).toInt(), s = m.captured(3).toInt();
    if (!m.hasMatch() || h > 23 || mi > 59 || s > 59)
        throw ActionError(QStringLiteral("\"%1\" není platný čas.").arg(part));
    return (h * 3600 + mi * 60 + s) / 86400.0;
}
