#include "startlogin.h"

#include "app/login.h"
#include "app/ui/passworddlg.h"
#include "common/session.h"

bool prihlasUzivatele(TSQLDATA&)
{
    session().UzivatelID = 0;
    login::NastavCiselnikyViditelne(true);
    TPasswordDlg dialog;
    if (dialog.AutomatickePrihlaseni() == 2) dialog.exec();
    return login::CiselnikyViditelne();
}
