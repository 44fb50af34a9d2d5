#include "common/ktwinsys.h"

#include <QFile>
#include <QStringList>
#include <QUrl>

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace
{

constexpr size_t kBuffer = 1024;

QString passwdName()
{
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(kBuffer);
    // A passwd record with long fields may need more room than the name alone.
    for (;;) {
        const int rc = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (rc == ERANGE && buffer.size() < 64 * kBuffer) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (rc != 0 || !found || !found->pw_name) return QString();
        return QString::fromLocal8Bit(found->pw_name);
    }
}

} // namespace

QString JmenoUzivatele()
{
    const QString name = passwdName();
    if (!name.isEmpty()) return name;
    return qEnvironmentVariable("USER");
}

QString JmenoPocitace()
{
    char buffer[kBuffer] = {};
    if (gethostname(buffer, sizeof buffer - 1) != 0) return QString();
    buffer[sizeof buffer - 1] = '\0'; // gethostname need not terminate a cut name
    return QString::fromLocal8Bit(buffer);
}

QString OznaceniStanice()
{
    return QString::fromLatin1(QUrl::toPercentEncoding(JmenoUzivatele() + u'@' + JmenoPocitace(), "@"));
}

namespace
{

QString bootId()
{
    QFile f(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromLatin1(f.readAll().trimmed());
}

// The start time of a running process in clock ticks after boot; empty when
// it does not run.
QString zacatekProcesu(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return QString();
    const QByteArray stat = f.readAll();
    // The command name in brackets may itself hold blanks and brackets.
    const qsizetype konec = stat.lastIndexOf(')');
    if (konec < 0) return QString();
    const QList<QByteArray> pole = stat.mid(konec + 2).split(' ');
    // From the state (field 3) on; the start time is field 22.
    if (pole.size() < 20 || pole[0] == "Z" || pole[0] == "X") return QString();
    return QString::fromLatin1(pole[19]);
}

} // namespace

QString OznaceniProcesu(qint64 pid)
{
    if (pid <= 0) pid = qint64(getpid());
    const QString boot = bootId(), zacatek = zacatekProcesu(pid);
    if (boot.isEmpty() || zacatek.isEmpty()) return QString();
    return boot + u'/' + QString::number(pid) + u'/' + zacatek;
}

bool ProcesBezi(const QString& oznaceni)
{
    const QStringList casti = oznaceni.split(u'/');
    if (casti.size() != 3) return false;
    bool ok = false;
    const qint64 pid = casti[1].toLongLong(&ok);
    return ok && pid > 0 && OznaceniProcesu(pid) == oznaceni;
}

QString IPAdresa(const QString& jmeno)
{
    QByteArray host = jmeno.toLocal8Bit();
    if (host.isEmpty()) {
        char buffer[260] = {};
        if (gethostname(buffer, sizeof buffer - 1) != 0) return QString();
        host = QByteArray(buffer);
        if (host.isEmpty()) return QString();
    }

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* answer = nullptr;
    if (getaddrinfo(host.constData(), nullptr, &hints, &answer) != 0 || !answer) return QString();

    QString result;
    for (const addrinfo* a = answer; a; a = a->ai_next) {
        if (a->ai_family != AF_INET || !a->ai_addr) continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
        if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) result = QString::fromLatin1(text);
        break;
    }
    freeaddrinfo(answer);
    return result;
}

QString VerzeProgramu()
{
    return QStringLiteral("%1.%2 cz IB").arg(kVerzeHlavni).arg(kVerzeVedlejsi);
}

QString WebProduktu()
{
    return QStringLiteral("https://www.orvan.cz/");
}
