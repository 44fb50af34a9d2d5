#include "addressbook/ui/formeditciselnikadresarkategorie.h"

#include "records/ciselnikkategorii.h"

TFormEditCiselnikAdresarKategorie::TFormEditCiselnikAdresarKategorie(QWidget* parent)
    : TFormEditCiselnikKategorie(CiselnikAdresare, QStringLiteral("Orvan - Editace kategorií v adresáři"),
                                 QStringLiteral("FormEditCiselnikAdresarKategorie"), parent)
{
}
