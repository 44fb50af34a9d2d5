#include "common/ktwinsys.h"

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
