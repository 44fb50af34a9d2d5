#include "zameksouboru.h"

#include <QFile>
#include <QStringList>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace zameksouboru
{

bool Drzitel::jeServer() const
{
    return program == QLatin1String("firebird") || program.startsWith(QLatin1String("fb_"));
}

std::optional<Drzitel> drzitel(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st = {};
    const bool known = ::fstat(fd, &st) == 0;
    // A shared lock is refused only while an engine holds the file exclusively.
    const bool free = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    if (free) ::flock(fd, LOCK_UN);
    ::close(fd);
    if (free) return std::nullopt;

    Drzitel d;
    QFile locks(QStringLiteral("/proc/locks"));
    if (known && locks.open(QIODevice::ReadOnly)) {
        // "1: FLOCK  ADVISORY  WRITE 4711 08:01:1234567 0 EOF": device in hex, inode in decimal.
        const QByteArray device = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') + ':' +
                                  QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0') + ':' +
                                  QByteArray::number(qulonglong(st.st_ino));
        for (const QByteArray& line : locks.readAll().split('\n')) {
            const QList<QByteArray> f = line.simplified().split(' ');
            if (f.size() >= 6 && f[1] == "FLOCK" && f[5] == device) {
                d.pid = f[4].toLongLong();
                break;
            }
        }
    }
    // This process's own engine may hold the file for another connection.
    if (d.pid == qint64(::getpid())) return std::nullopt;
    if (d.pid > 0) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(d.pid));
        if (comm.open(QIODevice::ReadOnly)) d.program = QString::fromLocal8Bit(comm.readAll().trimmed());
    }
    return d;
}

} // namespace zameksouboru
