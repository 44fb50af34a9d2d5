#include "session.h"

Session& Session::instance()
{
    static Session s;
    return s;
}
