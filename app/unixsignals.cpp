#include "unixsignals.h"

#include <QSocketNotifier>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <ibase.h>
#include <pthread.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace
{

int g_fds[2] = {-1, -1};
// The writing end, read also by the client library's shutdown thread.
std::atomic<int> g_writeFd{-1};

void onSignal(int sig)
{
    const unsigned char b = static_cast<unsigned char>(sig);
    // Only async-signal-safe work here: hand the number to the event loop.
    const int fd = g_writeFd.load();
    if (fd >= 0) [[maybe_unused]]
        const auto n = ::write(fd, &b, 1);
}

// The Firebird client library catches SIGINT and SIGTERM itself and, on its own
// thread, shuts every provider down. With the embedded engine that shutdown
// races the main thread's last writes and detach, and the detach then spins for
// ever holding the engine's lock files. The program refuses that shutdown and
// ends through its own path instead, which detaches before the library exits.
int refuseSignalShutdown(const int reason, const int, void*)
{
    // 0 lets the shutdown go on; anything else cancels it.
    if (reason != fb_shutrsn_signal) return 0;
    onSignal(SIGTERM);
    return 1;
}

const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

} // namespace

void UnixSignals::takeInOwnThread()
{
    sigset_t set;
    sigemptyset(&set);
    for (int sig : kSignals)
        sigaddset(&set, sig);
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0) return;
    std::thread([set] {
        for (;;) {
            int sig = 0;
            if (sigwait(&set, &sig) != 0) continue;
            if (g_writeFd.load() >= 0)
                onSignal(sig);
            else
                std::_Exit(128 + sig); // no window yet, or no longer: what the default would do
        }
    }).detach();
}

UnixSignals::UnixSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_fds) != 0) return;
    g_writeFd = g_fds[0];
    m_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char b = 0;
        if (::read(g_fds[1], &b, 1) == 1) emit terminationRequested(b);
    });
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
    // Stays registered for the life of the process: a signal during the final
    // detach must not start the library's shutdown either.
    static const bool refused = [] {
        ISC_STATUS_ARRAY status = {};
        return fb_shutdown_callback(status, refuseSignalShutdown, fb_shut_confirmation, nullptr) == 0;
    }();
    (void)refused;
}

UnixSignals::~UnixSignals()
{
    struct sigaction sa = {};
    sa.sa_handler = SIG_DFL;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
    g_writeFd = -1;
    delete m_notifier;
    m_notifier = nullptr;
    for (int& fd : g_fds)
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
}
