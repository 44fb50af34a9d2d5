// orvan-settime: sets the system clock to one UTC time and does nothing else.
// It is the only part of Orvan that may hold a privilege: an administrator
// grants this file the capability cap_sys_time (setcap cap_sys_time+ep), and
// the desktop program runs it. Plain C++ without Qt, so that the privileged
// file loads as little as possible.
//
//     orvan-settime 2026-12-10T15:55:05.250Z
//
// Exit codes: see settime_codes.h.
#include "settime.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace
{

bool digits(const char* s, int n, int& value)
{
    value = 0;
    for (int i = 0; i < n; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

bool leap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Strict "YYYY-MM-DDTHH:MM:SS[.mmm]Z"; nothing before, between or after.
bool parse(const char* s, timespec& out)
{
    const std::size_t len = std::strlen(s);
    if (len != 20 && len != 24) return false;
    int y, mo, d, h, mi, se, ms = 0;
    if (!digits(s, 4, y) || s[4] != '-' || !digits(s + 5, 2, mo) || s[7] != '-' || !digits(s + 8, 2, d) ||
        s[10] != 'T' || !digits(s + 11, 2, h) || s[13] != ':' || !digits(s + 14, 2, mi) || s[16] != ':' ||
        !digits(s + 17, 2, se))
        return false;
    if (len == 24) {
        if (s[19] != '.' || !digits(s + 20, 3, ms) || s[23] != 'Z') return false;
    } else if (s[19] != 'Z') {
        return false;
    }
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < settime::kPrvniRok || y > settime::kPosledniRok || mo < 1 || mo > 12 || d < 1) return false;
    if (d > days[mo - 1] + (mo == 2 && leap(y) ? 1 : 0)) return false;
    if (h > 23 || mi > 59 || se > 59) return false;
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = se;
    const time_t secs = timegm(&t);
    if (secs == time_t(-1)) return false;
    out.tv_sec = secs;
    out.tv_nsec = long(ms) * 1000000L;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    timespec when{};
    if (argc != 2 || !parse(argv[1], when)) {
        std::fprintf(stderr,
                     "orvan-settime: očekává jediný údaj, čas UTC ve tvaru RRRR-MM-DDTHH:MM:SS[.mmm]Z "
                     "v letech %d až %d.\n",
                     settime::kPrvniRok, settime::kPosledniRok);
        return settime::kSpatnyCas;
    }
    if (clock_settime(CLOCK_REALTIME, &when) != 0) {
        const int e = errno;
        if (e == EPERM) {
            std::fprintf(stderr, "orvan-settime: chybí oprávnění cap_sys_time (setcap cap_sys_time+ep).\n");
            return settime::kBezOpravneni;
        }
        std::fprintf(stderr, "orvan-settime: systém čas nenastavil: %s\n", std::strerror(e));
        return settime::kSelhalo;
    }
    return settime::kHotovo;
}
