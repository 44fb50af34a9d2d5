#include "vymenaprikazy.h"

#include "outlook/ui/importku.h"
#include "outlook/zaznamyvymeny.h"

#include "common/clock.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "data/sqldata.h"

#include <QFileInfo>
#include <QPointer>

namespace vymena
{

namespace
{

SouboroveUloziste vystup(const QString& soubor)
{
    return SouboroveUloziste({}, soubor, Clock::current().now().toUTC());
}

} // namespace

void ImportCSVAdres(QWidget* okno)
{
    const QString soubor = dialogs::openFileName(okno, QStringLiteral("*.csv|*.csv"), QStringLiteral(".csv"));
    if (soubor.isEmpty()) return;
    SQLDATA().ImportCSV(soubor, QStringLiteral("ADRESAR_ZAKL"), false);
}

void ImportKalendareAAdres(QWidget* okno)
{
    static QPointer<TImportKU> import;
    if (!import) {
        const Presypaci hodiny;
        import = new TImportKU(okno);
    }
    import->Otevri();
}

void ExportKalendare(QWidget* okno)
{
    const QString soubor =
        dialogs::saveFileName(okno, QStringLiteral("Kalendář iCalendar|*.ics"), QStringLiteral("ics"));
    if (soubor.isEmpty()) return;
    QList<Schuzka> udalosti;
    {
        const Presypaci hodiny;
        udalosti = UdalostiKExportu(SQLDATA());
        vystup(soubor).UlozKalendar(udalosti);
    }
    messages::error(QStringLiteral("Uloženo %1 položek do kalendáře v souboru %2")
                        .arg(udalosti.size())
                        .arg(QFileInfo(soubor).fileName()));
}

void VymazKalendare(QWidget* okno)
{
    if (!messages::confirm(QStringLiteral(
            "Opravdu chcete vymazat všechny položky v kalendáři Outlook ?\r"
            "Vytvoří se soubor, který po otevření v kalendářovém programu zruší všechny události, "
            "které z tohoto programu exportoval.")))
        return;
    const QString soubor = dialogs::saveFileName(okno, QStringLiteral("Zrušení kalendáře iCalendar|*.ics"),
                                                 QStringLiteral("ics"));
    if (soubor.isEmpty()) return;
    QList<Schuzka> udalosti;
    {
        const Presypaci hodiny;
        udalosti = UdalostiKExportu(SQLDATA());
        vystup(soubor).ZrusKalendar(udalosti);
    }
    messages::error(QStringLiteral("Smazáno %1 položek v kalendáři souborem %2")
                        .arg(udalosti.size())
                        .arg(QFileInfo(soubor).fileName()));
}

void ExportAdresare(QWidget* okno)
{
    const QString soubor =
        dialogs::saveFileName(okno, QStringLiteral("Kontakty vCard|*.vcf"), QStringLiteral("vcf"));
    if (soubor.isEmpty()) return;
    QList<Kontakt> adresy;
    {
        const Presypaci hodiny;
        adresy = AdresyKExportu(SQLDATA());
        vystup(soubor).UlozKontakty(adresy);
    }
    messages::error(QStringLiteral("Uloženo %1 adres do souboru %2")
                        .arg(adresy.size())
                        .arg(QFileInfo(soubor).fileName()));
}

} // namespace vymena
