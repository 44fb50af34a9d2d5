#include "demodata.h"

#include "data/ktdata.h"

namespace demodata {

QString fill(TSQLDATA&, int, const QDate&) { return QString(); }

} // namespace demodata
