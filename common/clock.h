#pragma once

#include <QDateTime>

// Workstation time, replaceable in tests.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    static const Clock& current();
    static void setCurrent(const Clock* clock); // nullptr restores the system clock
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class TestClock : public Clock
{
public:
    explicit TestClock(QDateTime t = QDateTime::currentDateTime()) : m_now(std::move(t)) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& t) { m_now = t; }
    void advanceSecs(qint64 s) { m_now = m_now.addSecs(s); }

private:
    QDateTime m_now;
};
