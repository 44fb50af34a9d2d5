#include "common/polepickeru.h"

#include "kttext.h"

QString MaskaKTEDITDC(int typ)
{
    switch (typ) {
    case 1:
        return QStringLiteral("DD.MM.RRRR hh:mm:ss");
    case 2:
        return QStringLiteral("DD.MM.RRRR hh:mm");
    case 3:
        return QStringLiteral("DD.MM.RRRR");
    case 4:
        return QStringLiteral("hh:mm:ss");
    case 5:
        return QStringLiteral("hh:mm");
    default:
        return {};
    }
}

QString DoplnNulu(const QString& pole)
{
    return pole.size() == 1 ? QLatin1Char('0') + pole : pole;
}

namespace
{

QString cast(const QString& text, const QString& maska, const QString& token)
{
    const qsizetype p = maska.indexOf(token);
    return p < 0 ? QString() : text.mid(p, token.size());
}

} // namespace

QString NastavVnitrky(const QString& maska, const QString& text, PolePickeru& pole)
{
    QString prac = text;
    if (prac.isEmpty()) {
        prac = maska;
        for (QChar c : {QLatin1Char('R'), QLatin1Char('D'), QLatin1Char('M'), QLatin1Char('h'),
                        QLatin1Char('m'), QLatin1Char('s')})
            prac.replace(c, QLatin1Char('0'));
    }
    const std::pair<const char*, char> tokens[] = {{"DD", '.'}, {"MM", '.'}, {"hh", ':'}, {"mm", ':'}};
    for (const auto& [token, sep] : tokens) {
        const qsizetype p = maska.indexOf(QLatin1String(token));
        if (p >= 0 && p + 1 < prac.size() && prac.at(p + 1) == QLatin1Char(sep))
            prac.insert(p, QLatin1Char('0'));
    }
    pole.den = cast(prac, maska, QStringLiteral("DD"));
    pole.mesic = cast(prac, maska, QStringLiteral("MM"));
    pole.rok = cast(prac, maska, QStringLiteral("RRRR"));
    pole.hodiny = cast(prac, maska, QStringLiteral("hh"));
    pole.minuty = cast(prac, maska, QStringLiteral("mm"));
    pole.sekundy = cast(prac, maska, QStringLiteral("ss"));
    return prac;
}

QString VratVysledek(const QString& maska, PolePickeru& pole)
{
    for (QString* f : {&pole.den, &pole.mesic, &pole.hodiny, &pole.minuty, &pole.sekundy})
        *f = DoplnNulu(*f);
    QString out = maska;
    NahradVse(out, QStringLiteral("DD"), pole.den);
    NahradVse(out, QStringLiteral("MM"), pole.mesic);
    NahradVse(out, QStringLiteral("RRRR"), pole.rok);
    NahradVse(out, QStringLiteral("hh"), pole.hodiny);
    NahradVse(out, QStringLiteral("mm"), pole.minuty);
    NahradVse(out, QStringLiteral("ss"), pole.sekundy);
    return out;
}
