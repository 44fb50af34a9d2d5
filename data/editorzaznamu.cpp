#include "editorzaznamu.h"

#include "common/messages.h"
#include "sqlvalues.h"

const QString TextUlozitData = QStringLiteral("Chcete data uložit ?");

bool StavEditoru::MuzeOpustit(const std::function<bool()>& uloz)
{
    if (!m_zmeneno)
        return true;
    if (!messages::confirm(TextUlozitData)) {
        m_zmeneno = false;
        return true;
    }
    if (!uloz())
        return false;
    m_zmeneno = false;
    return true;
}

VysledekZapisu ZapisZaznam(TDataModuleIb& db, int id, const QString& generator,
                           const std::function<QStringList(int id)>& prikazy,
                           const std::optional<PoznamkaZapisu>& poznamka)
{
    VysledekZapisu v;
    v.id = id != 0 || generator.isEmpty() ? id : db.NoveID(generator);
    const QStringList sql = prikazy(v.id);
    QString chyba;
    if (poznamka) {
        PoznamkaZapisu p = *poznamka;
        p.id = v.id;
        v.ok = db.ProvedSQLSeznam(sql, p, chyba);
    } else {
        v.ok = db.ProvedSQLSeznam(sql, chyba);
    }
    if (!v.ok) {
        v.chyba = (sql.isEmpty() ? QString() : sql.constFirst() + QStringLiteral("\r\n")) + chyba;
        v.id = id;
        return v;
    }
    db.UdelejRefresh();
    return v;
}

QString SmazZaznam(TDataModuleIb& db, const QStringList& prikazy)
{
    QString chyba;
    if (!db.ProvedSQLSeznam(prikazy, chyba))
        return chyba;
    db.UdelejRefresh();
    return QString();
}

QHash<QString, int> DelkySloupcu(TDataModuleIb& db, const QString& tabulka)
{
    QStringList radky;
    db.NactiDotaz(QStringLiteral("select trim(rf.rdb$field_name), coalesce(f.rdb$character_length, "
                                 "f.rdb$field_length) from rdb$relation_fields rf join rdb$fields f on "
                                 "f.rdb$field_name = rf.rdb$field_source where rf.rdb$relation_name = %1 "
                                 "and f.rdb$field_type in (14, 37)")
                      .arg(TextSQL(tabulka.toUpper())),
                  false, radky, QStringLiteral("|"));
    QHash<QString, int> out;
    for (const QString& r : radky) {
        const qsizetype bar = r.lastIndexOf(QLatin1Char('|'));
        if (bar > 0)
            out.insert(r.left(bar), r.mid(bar + 1).toInt());
    }
    return out;
}
