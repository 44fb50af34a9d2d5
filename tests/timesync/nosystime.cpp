#include "nosystime.h"

#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace
{

constexpr unsigned kIndex = CAP_SYS_TIME / 32;
constexpr unsigned kBit = 1u << (CAP_SYS_TIME % 32);

bool caps(__user_cap_data_struct (&d)[2], bool set)
{
    __user_cap_header_struct h{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &h, d) == 0;
}

const bool g_dropped = [] {
    ::prctl(PR_CAPBSET_DROP, CAP_SYS_TIME, 0, 0, 0);
    ::prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_LOWER, CAP_SYS_TIME, 0, 0);
    __user_cap_data_struct d[2]{};
    if (!caps(d, false)) return false;
    d[kIndex].effective &= ~kBit;
    d[kIndex].permitted &= ~kBit;
    d[kIndex].inheritable &= ~kBit;
    return caps(d, true);
}();

} // namespace

bool muzeNastavitCas(const char* program)
{
    (void)g_dropped;
    __user_cap_data_struct d[2]{};
    if (!caps(d, false)) return true; // unknown: assume the worst
    if ((d[kIndex].effective & kBit) || (d[kIndex].permitted & kBit) || (d[kIndex].inheritable & kBit))
        return true;
    // A child gains it only through the bounding set: as root, or from the file's own capabilities.
    if (::prctl(PR_CAPBSET_READ, CAP_SYS_TIME, 0, 0, 0) != 1) return false;
    return ::geteuid() == 0 || ::getxattr(program, "security.capability", nullptr, 0) > 0;
}
