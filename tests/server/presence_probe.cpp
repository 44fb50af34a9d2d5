// Another start of the program for the presence tests: connects to a database,
// takes the given user as logged in and asks whether he may start.
// Usage: presence_probe PATH USER_ID [hold]
// Prints 1 (accepted), 0 (present on another workstation), 2 (the user's
// program still runs on this workstation) or 3 (a write failed). With "hold"
// an accepted start keeps the presence until its input closes (then it logs
// out) or it is killed.
#include "common/messages.h"
#include "common/session.h"
#include "data/sqldata.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) return 2;
    const bool hold = argc > 3 && QByteArray(argv[3]) == "hold";
    messages::startRecording();
    TSQLDATA db;
    setSQLDATA(&db);
    if (!db.PripojDatabazi(QString::fromLocal8Bit(argv[1]), QStringLiteral("orvan"),
                           QStringLiteral("qelmo.")))
        return 3;
    session().UzivatelID = QByteArray(argv[2]).toInt();
    using Pritomnost = TSQLDATA::Pritomnost;
    const Pritomnost p = db.Prihlas();
    const int answer = p == Pritomnost::Prihlasen ? 1
                       : p == Pritomnost::Jinde   ? 0
                       : p == Pritomnost::BeziZde ? 2
                                                  : 3;
    std::printf("%d\n", answer);
    std::fflush(stdout);
    if (hold && p == Pritomnost::Prihlasen) {
        QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
        QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
            char c;
            if (::read(STDIN_FILENO, &c, 1) <= 0) app.quit();
        });
        app.exec();
        db.Odhlas();
    }
    return messages::takeShown().isEmpty() ? 0 : 4;
}
