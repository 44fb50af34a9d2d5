#pragma once

#include "fixtures/testdb.h"
#include "records/pravazaznamu.h"

#include <ostream>

// Readable gtest failure output for the values these tests compare (texts:
// fixtures/testdb.h).

inline void PrintTo(const PravaZaznamu& p, std::ostream* os)
{
    *os << "{cist " << p.Cist << ", editovat " << p.Editovat << ", smazat " << p.Smazat << ", alarm "
        << p.Alarm << ", administrovat " << p.Administrovat << "}";
}

inline void PrintTo(const PravidloEditoru& r, std::ostream* os)
{
    *os << "{jenCteni " << r.JenCteni << ", smiSmazat " << r.SmiSmazat << ", pravaZamcena " << r.PravaZamcena
        << "}";
}
