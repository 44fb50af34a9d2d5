#include "clocksetter.h"

#include "timesync/settime.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace
{

ClockSetter* g_current = nullptr;

// The helper does one system call; anything longer is a hung process.
constexpr int kCekaniMs = 5000;

} // namespace

ClockSetter& ClockSetter::current()
{
    static HelperClockSetter helper;
    return g_current ? *g_current : helper;
}

void ClockSetter::setCurrent(ClockSetter* setter)
{
    g_current = setter;
}

HelperClockSetter::HelperClockSetter(QString helperPath) : m_path(std::move(helperPath)) {}

QString HelperClockSetter::defaultHelperPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("orvan-settime"));
}

QString HelperClockSetter::argument(qint64 utcMs)
{
    return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC)
        .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QString HelperClockSetter::set(qint64 utcMs)
{
    const QFileInfo info(m_path);
    if (!info.isFile())
        return QStringLiteral("Pomocný program pro nastavení času %1 nebyl nalezen.").arg(m_path);
    if (!info.isExecutable())
        return QStringLiteral("Pomocný program pro nastavení času %1 nesmíte spustit; správce může uživatele "
                              "přidat do skupiny, které program patří.")
            .arg(m_path);
    QProcess p;
    p.setProgram(m_path);
    p.setArguments({argument(utcMs)});
    p.start();
    if (!p.waitForStarted(kCekaniMs))
        return QStringLiteral("Pomocný program %1 nelze spustit: %2").arg(m_path, p.errorString());
    if (!p.waitForFinished(kCekaniMs)) {
        p.kill();
        p.waitForFinished(1000);
        return QStringLiteral("Pomocný program %1 neskončil včas.").arg(m_path);
    }
    const QString vypis = QString::fromUtf8(p.readAllStandardError()).trimmed();
    if (p.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("Pomocný program %1 skončil chybou.").arg(m_path);
    switch (p.exitCode()) {
    case settime::kHotovo:
        return QString();
    case settime::kBezOpravneni:
        return QStringLiteral("Program nemá právo nastavit systémový čas. Správce je může udělit pomocnému "
                              "programu příkazem:\nsetcap cap_sys_time+ep %1")
            .arg(m_path);
    default:
        return vypis.isEmpty() ? QStringLiteral("Nastavení času selhalo (kód %1).").arg(p.exitCode()) : vypis;
    }
}
