#include "dblog.h"

Q_LOGGING_CATEGORY(orvanDb, "orvan.db", QtWarningMsg)
