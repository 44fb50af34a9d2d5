#pragma once

#include "timesync/sntp.h"

#include <QString>

// Setting the workstation's clock from an SNTP server, for the window, the
// menu and the start of the program.
namespace nastavcas
{

// The server field: "host", "host:port", "[v6]:port" or a bare IPv6 address;
// without a port the SNTP port. False when the port is not a number 1-65535.
bool RozdelServer(const QString& text, QString& host, int& port);

// Queries the server named in the field.
sntp::Vysledek ZjistiCas(const QString& server, int cekaniMs = sntp::kCekaniMs);

// What a query and the clock setting came to.
struct Nastaveni {
    sntp::Vysledek dotaz;
    QString chybaNastaveni; // empty when the clock was set (or the query failed)
    bool ok() const { return dotaz.ok() && chybaNastaveni.isEmpty(); }
};

// Queries the server and sets the clock through ClockSetter::current().
Nastaveni NastavCas(const QString& server, int cekaniMs = sntp::kCekaniMs);

// "Čas ze nepodařilo ze SNTP serveru <server> nastavit!"
QString ZpravaNeuspechu(const QString& server);

// Sets the clock from the server, showing nothing on success; a failure shows
// the error box with the reason on its second line.
void NastavCasSNTP(const QString& server);

// True when the kernel reports its clock as synchronised (a time service
// already keeps it right).
bool JadroMaSynchronizovaneHodiny();

// The start of the program sets the clock only for a logged-in user, with
// "auto" 1 and a server configured, and only when the kernel does not keep
// the clock synchronised already.
bool NastavitPriStartu(bool prihlasen, int sntpAuto, const QString& sntpServer, bool jadroSynchronizovano);

} // namespace nastavcas
