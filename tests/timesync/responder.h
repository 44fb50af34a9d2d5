#pragma once

#include <QByteArray>
#include <QList>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// A server header: leap 0, version 4, mode 4, the stratum, the transmit timestamp.
inline QByteArray serverReply(quint32 seconds, quint32 fraction, quint8 first = 0x24, quint8 stratum = 2,
                              int size = 48)
{
    QByteArray b(size, '\0');
    b[0] = char(first);
    b[1] = char(stratum);
    auto put = [&b](int at, quint32 v) {
        if (at + 4 > b.size()) return;
        b[at] = char(v >> 24);
        b[at + 1] = char(v >> 16);
        b[at + 2] = char(v >> 8);
        b[at + 3] = char(v);
    };
    put(40, seconds);
    put(44, fraction);
    return b;
}

// A small SNTP server of the test on 127.0.0.1: each request gets the reply
// the test scripted, possibly late or from another port, or none at all.
class SntpResponder
{
public:
    struct Reply {
        QByteArray bytes; // empty: no reply
        int delayMs = 0;
        bool fromOtherPort = false;
    };

    explicit SntpResponder(std::function<Reply(const QByteArray& request)> script)
        : m_script(std::move(script))
    {
        m_fd = openSocket(&m_port);
        m_other = openSocket(nullptr);
        m_thread = std::thread([this] { run(); });
    }
    // Always the same reply.
    explicit SntpResponder(Reply reply) : SntpResponder([reply](const QByteArray&) { return reply; }) {}

    ~SntpResponder()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_fd);
        ::close(m_other);
    }

    int port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QList<QByteArray> requests() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

private:
    static int openSocket(int* port)
    {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
        if (port) *port = ntohs(a.sin_port);
        return fd;
    }

    void run()
    {
        while (!m_stop) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            char buf[512];
            sockaddr_in from{};
            socklen_t len = sizeof from;
            const ssize_t n = ::recvfrom(m_fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n < 0) continue;
            const QByteArray request(buf, int(n));
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                m_requests << request;
            }
            const Reply r = m_script(request);
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(r.delayMs);
            while (!m_stop && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (m_stop || r.bytes.isEmpty()) continue;
            ::sendto(r.fromOtherPort ? m_other : m_fd, r.bytes.constData(), size_t(r.bytes.size()), 0,
                     reinterpret_cast<sockaddr*>(&from), len);
        }
    }

    std::function<Reply(const QByteArray&)> m_script;
    int m_fd = -1;
    int m_other = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    QList<QByteArray> m_requests;
    std::thread m_thread;
};
