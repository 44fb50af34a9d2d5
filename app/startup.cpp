#include "startup.h"

#include "app/fmain.h"
#include "common/ui_messagebox.h"

#include <QApplication>

int runOrvan(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Orvan"));
    static MessageBoxSink sink;
    messages::setSink(&sink);
    int code = 0;
    {
        Tmainform w(QCoreApplication::applicationFilePath(), QCoreApplication::arguments());
        if (!w.Prihlaseno())
            return 1; // nothing to show: connection or login failed
        w.show();
        code = app.exec();
    }
    return code;
}
