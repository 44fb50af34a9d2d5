// The SNTP exchange: the request, which replies count, the time they carry
// (also after the 32-bit seconds wrap in 2036), and the query over UDP against
// a responder of the test on 127.0.0.1.
#include "timesync/responder.h"

#include "timesync/nastavcas.h"
#include "timesync/sntp.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace
{

using sntp::Chyba;

constexpr quint32 k2020 = 3786825600u; // 1.1.2020 00:00:00 UTC in seconds since 1900
constexpr qint64 kEra = qint64(1) << 32;

QString text(DatumCas d)
{
    return DatumNaText(2, d);
}

TEST(Sntp, RequestIsOneClientHeader)
{
    const QByteArray r = sntp::Pozadavek();
    ASSERT_EQ(r.size(), 48);
    EXPECT_EQ(quint8(r[0]), 0x1B);
    EXPECT_EQ(r.mid(1), QByteArray(47, '\0'));
}

TEST(Sntp, TimesAcrossTheEraAndTheFraction)
{
    const struct {
        quint32 pole, zlomek;
        const char* utc;
        const char* mistni;
    } cases[] = {
        {k2020, 0, "01.01.2020 00:00:00", "01.01.2020 01:00:00"},
        // Summer time starts at 1:00 UTC on 29.3.2020.
        {k2020 + 88 * 86400 + 3599, 0, "29.03.2020 00:59:59", "29.03.2020 01:59:59"},
        {k2020 + 88 * 86400 + 3600, 0, "29.03.2020 01:00:00", "29.03.2020 03:00:00"},
        // The last second of the first era and the first of the next one.
        {0xFFFFFFFFu, 0, "07.02.2036 06:28:15", "07.02.2036 07:28:15"},
        {0u, 1u, "07.02.2036 06:28:16", "07.02.2036 07:28:16"},
        {quint32(4417977600LL - kEra), 0, "01.01.2040 00:00:00", "01.01.2040 01:00:00"},
        // The fraction rounds to 1/10000 s: 0.99995 s and more is the next second.
        {k2020, 0xFFFF0000u, "01.01.2020 00:00:01", "01.01.2020 01:00:01"},
    };
    for (const auto& c : cases) {
        const sntp::Vysledek v = sntp::CtiOdpoved(serverReply(c.pole, c.zlomek));
        ASSERT_TRUE(v.ok()) << c.utc << ' ' << v.popis.toStdString();
        EXPECT_EQ(text(v.utc), QLatin1String(c.utc));
        EXPECT_EQ(text(sntp::MistniCas(v.utc)), QLatin1String(c.mistni));
    }
    // 1968-2036 keeps the first era; anything below 2^31 belongs to the next.
    EXPECT_EQ(sntp::SekundyVEre(0x80000000u), qint64(0x80000000u));
    EXPECT_EQ(sntp::SekundyVEre(0x7FFFFFFFu), qint64(0x7FFFFFFFu) + kEra);
    // The instant handed to the clock setter, to the millisecond.
    const sntp::Vysledek half = sntp::CtiOdpoved(serverReply(k2020, 0x80000000u));
    EXPECT_EQ(half.unixMs(), 1577836800500LL);
    EXPECT_EQ(sntp::CtiOdpoved(serverReply(quint32(4417977600LL - kEra), 0)).unixMs(), 2208988800000LL);
}

TEST(Sntp, OnlyAServersReplyWithATimeCounts)
{
    const struct {
        const char* what;
        QByteArray reply;
        Chyba chyba;
    } cases[] = {
        {"48 bytes", serverReply(k2020, 0), Chyba::Zadna},
        {"longer, with an extension", serverReply(k2020, 0, 0x24, 2, 68), Chyba::Zadna},
        {"version 3", serverReply(k2020, 0, 0x1C), Chyba::Zadna},
        {"47 bytes", serverReply(k2020, 0).left(47), Chyba::KratkaOdpoved},
        {"empty", QByteArray(), Chyba::KratkaOdpoved},
        {"our own request echoed", sntp::Pozadavek(), Chyba::NeniServer},
        {"client mode with a time", serverReply(k2020, 0, 0x23), Chyba::NeniServer},
        {"broadcast mode", serverReply(k2020, 0, 0x25), Chyba::NeniServer},
        {"leap indicator 3", serverReply(k2020, 0, 0xE4), Chyba::Nesynchronizovany},
        {"stratum 0 (kiss of death)", serverReply(k2020, 0, 0x24, 0), Chyba::Stratum},
        {"stratum 16", serverReply(k2020, 0, 0x24, 16), Chyba::Stratum},
        {"zero transmit time", serverReply(0, 0), Chyba::NulovyCas},
    };
    for (const auto& c : cases) {
        const sntp::Vysledek v = sntp::CtiOdpoved(c.reply);
        EXPECT_EQ(v.chyba, c.chyba) << c.what;
        EXPECT_EQ(v.popis.isEmpty(), c.chyba == Chyba::Zadna) << c.what;
    }
}

TEST(SntpDotaz, GoodAndBadRepliesFromTheResponder)
{
    const struct {
        const char* what;
        SntpResponder::Reply reply;
        Chyba chyba;
    } cases[] = {
        {"good", {serverReply(k2020, 0)}, Chyba::Zadna},
        {"after 2036", {serverReply(quint32(4417977600LL - kEra), 0)}, Chyba::Zadna},
        {"zero time", {serverReply(0, 0)}, Chyba::NulovyCas},
        {"wrong mode", {serverReply(k2020, 0, 0x23)}, Chyba::NeniServer},
        {"truncated", {serverReply(k2020, 0).left(40)}, Chyba::KratkaOdpoved},
        {"late", {serverReply(k2020, 0), 900}, Chyba::CasVyprsel},
        {"from another port", {serverReply(k2020, 0), 0, true}, Chyba::CasVyprsel},
        {"no reply", {QByteArray()}, Chyba::CasVyprsel},
    };
    for (const auto& c : cases) {
        SntpResponder server(c.reply);
        QElapsedTimer t;
        t.start();
        const sntp::Vysledek v = sntp::Dotaz(QStringLiteral("127.0.0.1"), server.port(), 300);
        EXPECT_EQ(v.chyba, c.chyba) << c.what << ": " << v.popis.toStdString();
        EXPECT_LT(t.elapsed(), 2000) << c.what; // never waits for more than its limit
        ASSERT_EQ(server.requests().size(), 1) << c.what;
        EXPECT_EQ(server.requests().front(), sntp::Pozadavek()) << c.what;
        if (c.chyba == Chyba::Zadna) {
            EXPECT_GE(v.utc, 43831.0) << c.what; // 1.1.2020 or later
        }
    }
}

TEST(SntpDotaz, NoServerAndNoNameFailAtOnce)
{
    int closedPort = 0;
    {
        SntpResponder gone({QByteArray()});
        closedPort = gone.port();
    }
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(sntp::Dotaz(QStringLiteral("127.0.0.1"), closedPort, 3000).chyba, Chyba::Sit);
    EXPECT_LT(t.elapsed(), 2000); // the refusal comes back, no waiting for the limit
    EXPECT_EQ(sntp::Dotaz(QStringLiteral("  "), sntp::kPort, 300).chyba, Chyba::PrazdnyServer);
    EXPECT_EQ(sntp::Dotaz(QStringLiteral("server.invalid"), sntp::kPort, 300).chyba, Chyba::Adresa);
}

TEST(SntpDotaz, ServerFieldNamesHostAndPort)
{
    const struct {
        const char* field;
        bool ok;
        const char* host;
        int port;
    } cases[] = {
        {"tik.cesnet.cz", true, "tik.cesnet.cz", 123},
        {" 195.113.144.201 ", true, "195.113.144.201", 123},
        {"127.0.0.1:1123", true, "127.0.0.1", 1123},
        {"[::1]:1123", true, "::1", 1123},
        {"[::1]", true, "::1", 123},
        {"2001:db8::1", true, "2001:db8::1", 123},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:abc", false, "", 0},
        {"[::1", false, "", 0},
        {"[::1]x", false, "", 0},
    };
    for (const auto& c : cases) {
        QString host;
        int port = 0;
        EXPECT_EQ(nastavcas::RozdelServer(QLatin1String(c.field), host, port), c.ok) << c.field;
        if (!c.ok) continue;
        EXPECT_EQ(host, QLatin1String(c.host)) << c.field;
        EXPECT_EQ(port, c.port) << c.field;
    }
    EXPECT_EQ(nastavcas::ZjistiCas(QStringLiteral("127.0.0.1:99999"), 300).chyba, Chyba::Adresa);
}

} // namespace
