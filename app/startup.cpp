#include "startup.h"

#include "common/action.h"
#include "common/ui_messagebox.h"
#include "data/ktdata.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int runOrvan(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("Orvan"));
    static MessageBoxSink sink;
    messages::setSink(&sink);
    TSQLDATA db;
    setSQLDATA(&db);
    const QString dir = QCoreApplication::applicationDirPath();
    const QString path = QDir(dir).filePath(QStringLiteral("orvan.gdb"));
    if (!db.PripojDatabazi(path, QStringLiteral("orvan"), QStringLiteral("qelmo.")))
        return 1;
    QWidget w;
    w.setWindowTitle(QStringLiteral("ORVAN"));
    auto* layout = new QVBoxLayout(&w);
    auto* label = new QLabel(&w);
    layout->addWidget(label);
    runAction([&] { label->setText(QStringLiteral("Verze dat: %1").arg(db.VerzeDat())); });
    w.resize(400, 120);
    w.show();
    return app.exec();
}
