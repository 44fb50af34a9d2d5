#include "alarmakce.h"

#include <QFileInfo>

bool SmiOtevritSoubor(const QString& cesta)
{
    const QString c = cesta.trimmed();
    if (c.isEmpty()) return false;
    // isFile and isExecutable follow symbolic links; a link's own name says
    // nothing about what it names.
    const QFileInfo f(c);
    if (!f.exists() || !f.isFile() || f.isExecutable()) return false;
    for (const QString& name : {f.fileName(), QFileInfo(f.canonicalFilePath()).fileName()})
        if (name.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive)) return false;
    return true;
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
