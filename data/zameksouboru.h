#pragma once

#include <QString>
#include <optional>

// Who holds a database file open through an embedded engine. That engine locks
// the whole file for its process; another process that merely tries to open it
// with its own engine disturbs the shared state the holder needs to close it,
// so a start asks first, without the engine.
namespace zameksouboru
{

struct Drzitel {
    qint64 pid = 0;  // 0 when the lock's owner is not visible here
    QString program; // the holder's command name, empty when unknown
    bool jeServer() const;
};

// The holder of the file's lock; nothing when the file is free, cannot be read
// or is held by this process itself.
std::optional<Drzitel> drzitel(const QString& path);

} // namespace zameksouboru
