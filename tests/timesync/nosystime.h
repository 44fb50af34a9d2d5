#pragma once

// This test program never holds the right to set the system clock, also when
// run as root: the capability leaves the process and its bounding set before
// any test runs, so no child it starts can gain it either.
// True when this process, or the given program started from it, could set
// the clock after all (the capability could not be dropped here).
bool muzeNastavitCas(const char* program);
