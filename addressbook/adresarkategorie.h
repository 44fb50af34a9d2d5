#pragma once

#include "calendar/kalendarkategorie.h"

// The address categories (ADRESAR_C_KAT); only links of existing address
// book entries keep one in use.
extern const CiselnikKategorii CiselnikAdresare;
