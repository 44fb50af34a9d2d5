#pragma once

#include <QString>
#include <QtGlobal>

// Sets the system clock. The program has no right to do that itself: the real
// setter runs the helper program orvan-settime beside it, which an
// administrator grants the one capability cap_sys_time. Tests install a fake,
// so no test touches the real clock.
class ClockSetter
{
public:
    virtual ~ClockSetter() = default;
    // Sets the clock to the UTC instant (milliseconds since 1.1.1970 UTC).
    // Empty on success, else the reason in Czech.
    virtual QString set(qint64 utcMs) = 0;

    static ClockSetter& current();
    static void setCurrent(ClockSetter* setter); // nullptr restores the helper
};

class HelperClockSetter : public ClockSetter
{
public:
    explicit HelperClockSetter(QString helperPath = defaultHelperPath());
    QString set(qint64 utcMs) override;

    // orvan-settime in the program's folder.
    static QString defaultHelperPath();
    // The helper's argument for the instant: "YYYY-MM-DDTHH:MM:SS.mmmZ".
    static QString argument(qint64 utcMs);

private:
    QString m_path;
};
