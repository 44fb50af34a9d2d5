#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (desktop logout, shutdown, a closed
// terminal) into a Qt signal on the main thread, so the program ends the same
// way as when its main window is closed.
class UnixSignals : public QObject
{
    Q_OBJECT
public:
    explicit UnixSignals(QObject* parent = nullptr);
    ~UnixSignals() override;

    // Called first in main(), before any thread exists: blocks the three
    // signals in every thread and takes them on one thread of their own with
    // sigwait. No thread of the database engine is then interrupted by them,
    // and the client library's own handler never runs. Until a UnixSignals
    // object exists, such a signal ends the process as its default would.
    static void takeInOwnThread();

signals:
    void terminationRequested(int signalNumber);

private:
    QSocketNotifier* m_notifier = nullptr;
};
