#pragma once

#include "common/action.h"

// A failed read or procedure call; the text is the server's error text.
class DbError : public ActionError
{
public:
    using ActionError::ActionError;
};
