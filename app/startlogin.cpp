#include "startlogin.h"

#include "common/session.h"

void prihlasUzivatele(TSQLDATA&)
{
    session().UzivatelID = 0;
}
