#pragma once

#include <QLoggingCategory>

// Failures the data layer handles without a box: a cursor that cannot be
// closed, a detach or rollback on a lost connection, a change event that
// cannot be queued again, a missed heartbeat. Warnings show by default; the
// quieter ones are switched on with QT_LOGGING_RULES="orvan.db.info=true".
Q_DECLARE_LOGGING_CATEGORY(orvanDb)
