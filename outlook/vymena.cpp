#include "vymena.h"

#include "common/action.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{

QByteArray precti(const QString& soubor)
{
    QFile f(soubor);
    if (!f.open(QIODevice::ReadOnly))
        throw ActionError(QStringLiteral("Soubor %1 nelze otevřít: %2").arg(soubor, f.errorString()));
    return f.readAll();
}

void zapis(const QString& soubor, const QByteArray& data)
{
    // Written whole or not at all: a failed export leaves no half file.
    QSaveFile f(soubor);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit())
        throw ActionError(QStringLiteral("Soubor %1 nelze zapsat: %2").arg(soubor, f.errorString()));
}

// Runs the reader on every file; a failure names the file and reads nothing.
template <typename T, typename F> QList<T> kazdy(const QStringList& soubory, F cti)
{
    QList<T> out;
    for (const QString& s : soubory) {
        try {
            out << cti(precti(s));
        } catch (const ActionError& e) {
            if (e.text().startsWith(QLatin1String("Soubor ") + s)) throw;
            throw ActionError(QStringLiteral("Soubor %1 nelze načíst.\r%2\rNic nebylo importováno.")
                                  .arg(QFileInfo(s).fileName(), e.text()));
        }
    }
    return out;
}

} // namespace

SouboroveUloziste::SouboroveUloziste(QStringList vstupy, QString vystup, QDateTime razitko)
    : m_vstupy(std::move(vstupy)), m_vystup(std::move(vystup)), m_razitko(std::move(razitko))
{
}

QList<Schuzka> SouboroveUloziste::NactiKalendar()
{
    return kazdy<Schuzka>(m_vstupy, ical::Cti);
}

QList<Kontakt> SouboroveUloziste::NactiKontakty()
{
    return kazdy<Kontakt>(m_vstupy, vcard::Cti);
}

void SouboroveUloziste::UlozKalendar(const QList<Schuzka>& polozky)
{
    zapis(m_vystup, ical::Zapis(polozky, m_razitko, false));
}

void SouboroveUloziste::ZrusKalendar(const QList<Schuzka>& polozky)
{
    zapis(m_vystup, ical::Zapis(polozky, m_razitko, true));
}

void SouboroveUloziste::UlozKontakty(const QList<Kontakt>& polozky)
{
    zapis(m_vystup, vcard::Zapis(polozky));
}
