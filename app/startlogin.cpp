#include "startlogin.h"

#include "common/session.h"

bool prihlasUzivatele(TSQLDATA&)
{
    session().UzivatelID = 0;
    return true;
}
