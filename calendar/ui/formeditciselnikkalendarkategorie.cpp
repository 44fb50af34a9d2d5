#include "calendar/ui/formeditciselnikkalendarkategorie.h"

TFormEditCiselnikKalendarKategorie::TFormEditCiselnikKalendarKategorie(QWidget* parent)
    : TFormEditCiselnikKategorie(CiselnikKalendare, QStringLiteral("Orvan - Editace kategorií v kalendáři"),
                                 QStringLiteral("FormEditCiselnikKalendarKategorie"), parent)
{
}
