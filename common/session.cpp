#include "session.h"

#include <QStringList>

Session& Session::instance()
{
    static Session s;
    return s;
}

void Session::NastavSkupiny(const QList<int>& ids)
{
    QStringList text;
    PocetSkupin = 0;
    for (int id : ids) {
        if (PocetSkupin >= kMaxSkupiny) break;
        Skupiny[size_t(PocetSkupin++)] = id;
        text << QString::number(id);
    }
    SkupinyText = text.join(QLatin1Char(','));
}
