#include "alarmakce.h"

#include <QFileInfo>

bool SmiOtevritSoubor(const QString& cesta)
{
    return !cesta.trimmed().isEmpty() && DuvodNeotevreni(cesta).isEmpty();
}

QString DuvodNeotevreni(const QString& cesta)
{
    const QString c = cesta.trimmed();
    if (c.isEmpty()) return QStringLiteral("Není zadán žádný soubor.");
    // isFile and isExecutable follow symbolic links; a link's own name says
    // nothing about what it names.
    const QFileInfo f(c);
    if (!f.exists()) return QStringLiteral("Soubor \"%1\" neexistuje.").arg(c);
    if (!f.isFile()) return QStringLiteral("\"%1\" není soubor.").arg(c);
    if (f.isExecutable())
        return QStringLiteral("Soubor \"%1\" je spustitelný, otevírají se jen dokumenty.").arg(c);
    for (const QString& name : {f.fileName(), QFileInfo(f.canonicalFilePath()).fileName()})
        if (name.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive))
            return QStringLiteral("Soubor \"%1\" je spouštěč programu, otevírají se jen dokumenty.").arg(c);
    return QString();
}

QString SouborZvuku(const QString& akce, const QString& vychozi)
{
    const QString a = akce.trimmed();
    if (!a.isEmpty() && QFileInfo(a).isFile()) return a;
    if (!vychozi.isEmpty() && QFileInfo(vychozi).isFile()) return vychozi;
    return QString();
}

const QStringList& TypyAkce()
{
    static const QStringList t = {QStringLiteral("Dialog"), QStringLiteral("Dialog + Zvuk"),
                                  QStringLiteral("Pouze zvuk"), QStringLiteral("Spustit soubor")};
    return t;
}
