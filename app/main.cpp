#include "startup.h"
#include "unixsignals.h"

#include <QApplication>

int main(int argc, char** argv)
{
    UnixSignals::takeInOwnThread();
    QApplication app(argc, argv);
    return runOrvan(app);
}
