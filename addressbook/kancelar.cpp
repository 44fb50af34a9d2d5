#include "kancelar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace kancelar
{
namespace
{

QString soffice()
{
    for (const char* jmeno : {"soffice", "libreoffice"}) {
        const QString p = QStandardPaths::findExecutable(QLatin1String(jmeno));
        if (!p.isEmpty()) return p;
    }
    return QString();
}

// LibreOffice in the background: an empty text (or CSV) file converted to the
// wanted format, with a profile of its own so that a suite the user has open
// is neither needed nor disturbed.
class LibreOffice : public Balik
{
public:
    bool nainstalovan(Druh) const override { return !soffice().isEmpty(); }

    QString vytvor(Druh druh, const QString& cesta) override
    {
        const QString program = soffice();
        if (program.isEmpty()) return TextNeniNainstalovan(druh);
        const QFileInfo cil(cesta);
        const QString pripona = cil.suffix().isEmpty() ? VychoziPripona(druh) : cil.suffix().toLower();
        QTemporaryDir dir;
        if (!dir.isValid()) return QStringLiteral("Nelze vytvořit dočasnou složku pro nový dokument.");
        const QString zdroj =
            dir.filePath(druh == Druh::Text ? QStringLiteral("novy.txt") : QStringLiteral("novy.csv"));
        QFile prazdny(zdroj);
        if (!prazdny.open(QIODevice::WriteOnly)) return prazdny.errorString();
        prazdny.close();

        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program,
                {QStringLiteral("-env:UserInstallation=") +
                     QUrl::fromLocalFile(dir.filePath(QStringLiteral("profil"))).toString(),
                 QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                 pripona, QStringLiteral("--outdir"), dir.path(), zdroj});
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return QStringLiteral("Kancelářský balík nový dokument nevytvořil (vypršel čas).");
        }
        const QString vystup = dir.filePath(QStringLiteral("novy.") + pripona);
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || !QFileInfo::exists(vystup))
            return QStringLiteral("Kancelářský balík nový dokument nevytvořil:\n%1")
                .arg(QString::fromLocal8Bit(p.readAll()).trimmed());
        if (QFileInfo::exists(cesta) && !QFile::remove(cesta))
            return QStringLiteral("Soubor %1 nelze přepsat.").arg(cesta);
        // copy, not rename: the temporary folder may be on another file system.
        if (!QFile::copy(vystup, cesta)) return QStringLiteral("Soubor %1 nelze zapsat.").arg(cesta);
        return QString();
    }
};

Balik* g_balik = nullptr;

} // namespace

Balik& balik()
{
    static LibreOffice real;
    return g_balik ? *g_balik : real;
}

void setBalik(Balik* b)
{
    g_balik = b;
}

QString TextNeniNainstalovan(Druh druh)
{
    return druh == Druh::Text ? QStringLiteral("Není nainstalován MS Word !")
                              : QStringLiteral("Není nainstalován MS Excel !");
}

QString VychoziPripona(Druh druh)
{
    return druh == Druh::Text ? QStringLiteral("doc") : QStringLiteral("xls");
}

} // namespace kancelar
