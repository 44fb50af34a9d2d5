#include "sqlmanager.h"

#include "common/session.h"
#include "data/sqldata.h"

#include <QStandardItemModel>

namespace sqlmanager
{

bool SmiPouzitKonzoli(const Session& s)
{
    return s.UzivatelID != 0 && s.Administrator;
}

const QString& ZpravaBezPrava()
{
    static const QString t = QStringLiteral("Přímou práci s databází smí používat jen administrátor !");
    return t;
}

QString NajdiTabulku(const QStringList& tabulky, const QString& zadano)
{
    const QString t = zadano.trimmed();
    if (t.isEmpty()) return QString();
    if (tabulky.contains(t)) return t;
    QString nalezena;
    for (const QString& jmeno : tabulky) {
        if (jmeno.compare(t, Qt::CaseInsensitive) != 0) continue;
        if (!nalezena.isEmpty()) return QString(); // two tables differ only in case: say which
        nalezena = jmeno;
    }
    return nalezena;
}

QString NactiVysledek(TDataModuleIb& db, const QString& sql, QStandardItemModel& model)
{
    QStringList radky;
    db.NactiDotaz(sql, true, radky, QString());
    NaplnMrizku(&radky, &model);
    if (model.columnCount() < 2 || model.rowCount() == 0) return QString();
    const QString prvni = model.horizontalHeaderItem(0) ? model.horizontalHeaderItem(0)->text() : QString();
    const QList<QStandardItem*> sloupec = model.takeColumn(0);
    QStringList popisky;
    popisky.reserve(sloupec.size());
    for (QStandardItem* i : sloupec) {
        popisky << (i ? i->text() : QString());
        delete i;
    }
    model.setVerticalHeaderLabels(popisky);
    return prvni;
}

} // namespace sqlmanager
