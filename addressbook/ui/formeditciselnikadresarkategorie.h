#pragma once

#include "records/ui/formeditciselnikkategorie.h"

// The address categories (ADRESAR_C_KAT). After a save or delete the main
// window reloads its category bar with the kind "ADRESAR".
class TFormEditCiselnikAdresarKategorie : public TFormEditCiselnikKategorie
{
public:
    explicit TFormEditCiselnikAdresarKategorie(QWidget* parent = nullptr);
};
