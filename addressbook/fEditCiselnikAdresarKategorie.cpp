#include "fEditCiselnikAdresarKategorie.h"

#include "adresarkategorie.h"

TFormEditCiselnikAdresarKategorie::TFormEditCiselnikAdresarKategorie(QWidget* parent)
    : TFormEditCiselnikKategorie(CiselnikAdresare, QStringLiteral("Orvan - Editace kategorií v adresáři"),
                                 QStringLiteral("FormEditCiselnikAdresarKategorie"), parent)
{
}
