#pragma once

// Exit codes of the clock helper (orvan-settime), shared by the helper and
// the program that runs it. The helper is plain C++ without Qt.
namespace settime
{

inline constexpr int kHotovo = 0;       // the clock is set
inline constexpr int kSpatnyCas = 2;    // usage or a time that is refused
inline constexpr int kBezOpravneni = 3; // the helper lacks cap_sys_time
inline constexpr int kSelhalo = 4;      // the system refused for another reason

// The one argument: a UTC time "YYYY-MM-DDTHH:MM:SS[.mmm]Z" within these years.
inline constexpr int kPrvniRok = 2000;
inline constexpr int kPosledniRok = 2199;

} // namespace settime
