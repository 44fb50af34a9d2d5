#include "timesync/sntp.h"

#include <QElapsedTimer>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sntp
{

namespace
{

quint32 ctiSlovo(const QByteArray& b, int at)
{
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

Vysledek chyba(Chyba c, const QString& popis)
{
    Vysledek v;
    v.chyba = c;
    v.popis = popis;
    return v;
}

QString systemovaChyba(int cislo)
{
    return QString::fromLocal8Bit(std::strerror(cislo));
}

// Closes the socket when the query ends, however it ends.
struct Soket {
    int fd = -1;
    ~Soket()
    {
        if (fd >= 0) ::close(fd);
    }
};

} // namespace

qint64 Vysledek::unixMs() const
{
    return (sekundy - kUnixOd1900) * 1000 + qint64(std::llround(double(zlomek) * 1000.0 / 4294967296.0));
}

QByteArray Pozadavek()
{
    QByteArray b(kDelkaHlavicky, '\0');
    b[0] = char(kPrvniBajt);
    return b;
}

qint64 SekundyVEre(quint32 pole)
{
    constexpr qint64 era = qint64(1) << 32;
    return (pole & 0x80000000u) ? qint64(pole) : qint64(pole) + era;
}

DatumCas CasNaDatum(qint64 sekundy1900, quint32 zlomek)
{
    const double desetitisiciny = std::round(double(zlomek) * 10000.0 / 4294967296.0);
    return (double(sekundy1900) + desetitisiciny / 10000.0) / 86400.0 + 2.0;
}

DatumCas MistniCas(DatumCas utc)
{
    return utc + PosunOdUTC(utc) / 24.0;
}

Vysledek CtiOdpoved(const QByteArray& odpoved)
{
    if (odpoved.size() < kDelkaHlavicky)
        return chyba(Chyba::KratkaOdpoved,
                     QStringLiteral("Odpověď serveru je příliš krátká (%1 bajtů).").arg(odpoved.size()));
    const auto prvni = quint8(odpoved[0]);
    const int rezim = prvni & 0x07;
    const int prestupna = prvni >> 6;
    const int stratum = quint8(odpoved[1]);
    if (rezim != 4)
        return chyba(Chyba::NeniServer,
                     QStringLiteral("Odpověď nepochází od serveru (režim %1).").arg(rezim));
    if (prestupna == 3) return chyba(Chyba::Nesynchronizovany, QStringLiteral("Server nemá nastavený čas."));
    if (stratum == 0 || stratum > 15)
        return chyba(Chyba::Stratum, QStringLiteral("Server čas neposkytl (stratum %1).").arg(stratum));
    const quint32 pole = ctiSlovo(odpoved, 40);
    const quint32 zlomek = ctiSlovo(odpoved, 44);
    if (pole == 0 && zlomek == 0)
        return chyba(Chyba::NulovyCas, QStringLiteral("Odpověď serveru neobsahuje čas."));
    Vysledek v;
    v.sekundy = SekundyVEre(pole);
    v.zlomek = zlomek;
    v.utc = CasNaDatum(v.sekundy, zlomek);
    return v;
}

Vysledek Dotaz(const QString& server, int port, int cekaniMs)
{
    const QString jmeno = server.trimmed();
    if (jmeno.isEmpty()) return chyba(Chyba::PrazdnyServer, QStringLiteral("Není zadán SNTP server."));

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_protocol = IPPROTO_UDP;
    addrinfo* nalezene = nullptr;
    const int gai =
        ::getaddrinfo(jmeno.toUtf8().constData(), QByteArray::number(port).constData(), &hints, &nalezene);
    if (gai != 0 || !nalezene)
        return chyba(Chyba::Adresa, QStringLiteral("Adresu serveru %1 nelze zjistit: %2")
                                        .arg(jmeno, QString::fromLocal8Bit(::gai_strerror(gai))));
    const std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> adresy(nalezene, &::freeaddrinfo);

    Soket s;
    s.fd = ::socket(nalezene->ai_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (s.fd < 0) return chyba(Chyba::Sit, QStringLiteral("Síťová chyba: %1").arg(systemovaChyba(errno)));
    // A connected socket takes replies only from the server asked; the kernel
    // drops datagrams from any other address or port.
    if (::connect(s.fd, nalezene->ai_addr, nalezene->ai_addrlen) != 0)
        return chyba(Chyba::Sit, QStringLiteral("Síťová chyba: %1").arg(systemovaChyba(errno)));
    const QByteArray pozadavek = Pozadavek();
    if (::send(s.fd, pozadavek.constData(), size_t(pozadavek.size()), MSG_NOSIGNAL) != pozadavek.size())
        return chyba(Chyba::Sit, QStringLiteral("Síťová chyba: %1").arg(systemovaChyba(errno)));

    QElapsedTimer cas;
    cas.start();
    char buf[512];
    for (;;) {
        const qint64 zbyva = cekaniMs - cas.elapsed();
        if (zbyva <= 0) break;
        pollfd p{s.fd, POLLIN, 0};
        const int r = ::poll(&p, 1, int(zbyva));
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return chyba(Chyba::Sit, QStringLiteral("Síťová chyba: %1").arg(systemovaChyba(errno)));
        if (r == 0) break;
        const ssize_t n = ::recv(s.fd, buf, sizeof buf, MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
            return chyba(Chyba::Sit, QStringLiteral("Síťová chyba: %1").arg(systemovaChyba(errno)));
        }
        return CtiOdpoved(QByteArray(buf, int(n)));
    }
    return chyba(Chyba::CasVyprsel, QStringLiteral("Server neodpověděl do %1 ms.").arg(cekaniMs));
}

} // namespace sntp
