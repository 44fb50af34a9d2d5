#pragma once

#include "records/ui/formeditciselnikkategorie.h"

// The calendar categories (KU_C_KAT). After a save or delete the main window
// reloads its category bar with the kind "KU".
class TFormEditCiselnikKalendarKategorie : public TFormEditCiselnikKategorie
{
public:
    explicit TFormEditCiselnikKalendarKategorie(QWidget* parent = nullptr);
};
