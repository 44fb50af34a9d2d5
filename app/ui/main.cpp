#include "app/unixsignals.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    UnixSignals::takeInOwnThread();
    QApplication app(argc, argv);
    return runOrvan(app);
}
