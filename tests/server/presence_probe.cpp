// A second workstation for the presence tests: connects to a database, takes
// the given user as logged in and asks whether he may start.
// Usage: presence_probe PATH USER_ID   -> prints "1" (accepted) or "0" (refused)
#include "common/messages.h"
#include "common/session.h"
#include "data/sqldata.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) return 2;
    messages::startRecording();
    TSQLDATA db;
    setSQLDATA(&db);
    if (!db.PripojDatabazi(QString::fromLocal8Bit(argv[1]), QStringLiteral("orvan"),
                           QStringLiteral("qelmo.")))
        return 3;
    session().UzivatelID = QByteArray(argv[2]).toInt();
    const bool ok = db.Prihlas();
    std::printf("%d\n", ok ? 1 : 0);
    return messages::takeShown().isEmpty() ? 0 : 4;
}
