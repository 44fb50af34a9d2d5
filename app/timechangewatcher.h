#pragma once

#include <QObject>

class QSocketNotifier;

// Reports when the system clock is set (the kernel cancels a timerfd armed
// with TFD_TIMER_CANCEL_ON_SET); re-arms itself after each report.
class TimeChangeWatcher : public QObject
{
    Q_OBJECT
public:
    explicit TimeChangeWatcher(QObject* parent = nullptr);
    ~TimeChangeWatcher() override;

signals:
    void timeChanged();

private:
    void arm();
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
