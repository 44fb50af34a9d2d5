#include "startup.h"

#include "app/ui/mainform.h"
#include "app/ui/pohledy.h"
#include "common/action.h"
#include "common/session.h"
#include "common/ui/messageboxsink.h"
#include "data/datamoduleib.h"
#include "timesync/nastavcas.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

bool nactiCeskePrekladyQt(QCoreApplication& app)
{
    static QTranslator qt;
    if (!qt.isEmpty()) return true;
    if (!qt.load(QLocale(QLocale::Czech, QLocale::Czechia), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    app.installTranslator(&qt);
    return true;
}

int runOrvan(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Orvan"));
    if (!nactiCeskePrekladyQt(app))
        std::fprintf(
            stderr,
            "Orvan: Qt's Czech translation (qtbase_cs.qm, package qt6-translations-l10n) is missing.\n");
    static MessageBoxSink sink;
    messages::setSink(&sink);
    int code = 0;
    {
        const std::unique_ptr<Tmainform> w =
            SpustOrvan(QCoreApplication::applicationFilePath(), QCoreApplication::arguments());
        if (!w->Prihlaseno()) return 1; // nothing to show: connection or login failed
        w->show();
        code = app.exec();
    }
    return code;
}

std::unique_ptr<Tmainform> SpustOrvan(const QString& programPath, const QStringList& arguments)
{
    auto w = std::make_unique<Tmainform>(programPath, arguments);
    if (w->Prihlaseno()) {
        runAction([&] { PripojPohledy(*w); });
        w->SpustSezeni();
    }
    w->UmistiOkno();
    NastavCasPriStartu(w->Prihlaseno());
    return w;
}

void NastavCasPriStartu(bool prihlasen)
{
    const Session& s = session();
    // Asking the kernel costs nothing; the query may wait five seconds.
    if (!nastavcas::NastavitPriStartu(prihlasen, s.SntpAuto, s.SntpServer,
                                      prihlasen && nastavcas::JadroMaSynchronizovaneHodiny()))
        return;
    const Presypaci hodiny;
    nastavcas::NastavCasSNTP(s.SntpServer);
}
