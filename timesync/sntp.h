#pragma once

#include "common/ktdatumj.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Reading the time from an SNTP server: one 48-byte request, one reply.
// Building the request, checking the reply and turning it into a time are
// plain functions; Dotaz adds the UDP exchange.
namespace sntp
{

inline constexpr int kPort = 123;                   // the "ntp" service
inline constexpr int kCekaniMs = 5000;              // the longest wait for the reply
inline constexpr int kDelkaHlavicky = 48;           // request and reply header
inline constexpr quint8 kPrvniBajt = 0x1B;          // leap 0, version 3, mode 3 (client)
inline constexpr qint64 kUnixOd1900 = 2208988800LL; // 1.1.1970 in seconds since 1.1.1900

// Why a query gave no time.
enum class Chyba {
    Zadna,
    PrazdnyServer,     // no server named
    Adresa,            // the name does not resolve
    Sit,               // socket error, refused by the server
    CasVyprsel,        // no reply within the wait
    KratkaOdpoved,     // fewer than 48 bytes
    NeniServer,        // mode other than 4 (server)
    Nesynchronizovany, // leap indicator 3: the server's clock is not set
    Stratum,           // 0 (kiss of death) or above 15
    NulovyCas,         // transmit timestamp 0
};

struct Vysledek {
    Chyba chyba = Chyba::Zadna;
    QString popis;      // Czech reason, for a log or details
    qint64 sekundy = 0; // whole seconds since 1.1.1900 UTC, after the era is applied
    quint32 zlomek = 0; // fraction of a second in units of 1/2^32
    DatumCas utc = 0;

    bool ok() const { return chyba == Chyba::Zadna; }
    // The received instant to the millisecond.
    qint64 unixMs() const;
};

// The 48-byte client request.
QByteArray Pozadavek();

// Seconds since 1.1.1900 from the 32-bit field: a value with the top bit clear
// belongs to the era that starts on 7.2.2036 06:28:16 UTC (years 1968-2104).
qint64 SekundyVEre(quint32 pole);

// (seconds + fraction rounded to 1/10000 s) / 86400 + 2: days since 30.12.1899.
DatumCas CasNaDatum(qint64 sekundy1900, quint32 zlomek);

// The Central European local time of a UTC value.
DatumCas MistniCas(DatumCas utc);

// Checks a received datagram and reads its transmit timestamp.
Vysledek CtiOdpoved(const QByteArray& odpoved);

// Sends the request to server:port and waits up to cekaniMs for a reply from
// that address and port; blocks the caller meanwhile.
Vysledek Dotaz(const QString& server, int port = kPort, int cekaniMs = kCekaniMs);

} // namespace sntp
