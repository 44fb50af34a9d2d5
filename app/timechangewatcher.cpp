#include "app/timechangewatcher.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstdint>
#include <sys/timerfd.h>
#include <unistd.h>

TimeChangeWatcher::TimeChangeWatcher(QObject* parent) : QObject(parent)
{
    m_fd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0) return;
    arm();
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        std::uint64_t expirations = 0;
        const auto n = ::read(m_fd, &expirations, sizeof expirations);
        if (n < 0 && errno == ECANCELED) {
            arm();
            emit timeChanged();
        }
    });
}

TimeChangeWatcher::~TimeChangeWatcher()
{
    delete m_notifier;
    if (m_fd >= 0) ::close(m_fd);
}

void TimeChangeWatcher::arm()
{
    // An absolute timer far in the future: it never expires, it only gets cancelled.
    itimerspec spec{};
    spec.it_value.tv_sec = 0x7FFFFFFF;
    ::timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &spec, nullptr);
}
