#include "nastavcas.h"

#include "clocksetter.h"
#include "common/messages.h"

#include <sys/timex.h>

namespace nastavcas
{

bool RozdelServer(const QString& text, QString& host, int& port)
{
    const QString t = text.trimmed();
    host = t;
    port = sntp::kPort;
    QString cislo;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype konec = t.indexOf(QLatin1Char(']'));
        if (konec < 0) return false;
        host = t.mid(1, konec - 1);
        const QString zbytek = t.mid(konec + 1);
        if (zbytek.isEmpty()) return true;
        if (!zbytek.startsWith(QLatin1Char(':'))) return false;
        cislo = zbytek.mid(1);
    } else if (t.count(QLatin1Char(':')) == 1) {
        const qsizetype dvojtecka = t.indexOf(QLatin1Char(':'));
        host = t.left(dvojtecka);
        cislo = t.mid(dvojtecka + 1);
    } else {
        return true; // a name, an IPv4 address or a bare IPv6 address
    }
    bool ok = false;
    const int p = cislo.toInt(&ok);
    if (!ok || p < 1 || p > 65535) return false;
    port = p;
    return true;
}

sntp::Vysledek ZjistiCas(const QString& server, int cekaniMs)
{
    QString host;
    int port = sntp::kPort;
    if (!RozdelServer(server, host, port)) {
        sntp::Vysledek v;
        v.chyba = sntp::Chyba::Adresa;
        v.popis = QStringLiteral("Neplatné číslo portu v adrese %1.").arg(server.trimmed());
        return v;
    }
    return sntp::Dotaz(host, port, cekaniMs);
}

Nastaveni NastavCas(const QString& server, int cekaniMs)
{
    Nastaveni n;
    n.dotaz = ZjistiCas(server, cekaniMs);
    if (!n.dotaz.ok()) return n;
    n.chybaNastaveni = ClockSetter::current().set(n.dotaz.unixMs());
    return n;
}

QString ZpravaNeuspechu(const QString& server)
{
    return QStringLiteral("Čas ze nepodařilo ze SNTP serveru ") + server + QStringLiteral(" nastavit!");
}

void NastavCasSNTP(const QString& server)
{
    const Nastaveni n = NastavCas(server);
    if (n.ok()) return;
    const QString duvod = n.dotaz.ok() ? n.chybaNastaveni : n.dotaz.popis;
    messages::error(ZpravaNeuspechu(server) + QLatin1Char('\n') + duvod);
}

bool JadroMaSynchronizovaneHodiny()
{
    timex t{};
    const int stav = ::adjtimex(&t); // modes 0: only reads
    return stav != -1 && stav != TIME_ERROR && !(t.status & STA_UNSYNC);
}

bool NastavitPriStartu(bool prihlasen, int sntpAuto, const QString& sntpServer, bool jadroSynchronizovano)
{
    return prihlasen && sntpAuto == 1 && !sntpServer.trimmed().isEmpty() && !jadroSynchronizovano;
}

} // namespace nastavcas
