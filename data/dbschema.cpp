#include "dbschema.h"
#include "data/sqldata.h"
#include "dblog.h"
#include "dbupgrade.h"

#include "data/fb.h"
#include "dberror.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

using namespace Firebird;

namespace dbschema
{

QStringList splitScript(const QString& text)
{
    static const QRegularExpression setTerm(QStringLiteral("^\\s*SET\\s+TERM\\s+(\\S+)\\s*(\\S*)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString buffer;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        const QString trimmed = line.trimmed();
        if (buffer.trimmed().isEmpty() && (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("--"))))
            continue;
        // "SET TERM ^ ;" ends with the old terminator; strip it before matching.
        QString candidate = trimmed;
        if (candidate.endsWith(terminator)) candidate.chop(terminator.size());
        const auto m = setTerm.match(candidate);
        if (buffer.trimmed().isEmpty() && m.hasMatch()) {
            terminator = m.captured(1);
            continue;
        }
        buffer += line + QLatin1Char('\n');
        if (trimmed.endsWith(terminator)) {
            QString stmt = buffer.trimmed();
            stmt.chop(terminator.size());
            statements << stmt.trimmed();
            buffer.clear();
        }
    }
    if (!buffer.trimmed().isEmpty()) statements << buffer.trimmed();
    return statements;
}

QList<QPair<QString, QString>> scripts()
{
    QStringList names;
    QDirIterator it(QStringLiteral(":/schema/sql"));
    while (it.hasNext())
        names << it.next();
    names.sort();
    QList<QPair<QString, QString>> out;
    for (const QString& name : names) {
        QFile f(name);
        if (f.open(QIODevice::ReadOnly))
            out.append({name.section(QLatin1Char('/'), -1), QString::fromUtf8(f.readAll())});
    }
    return out;
}

namespace
{

// The upgrade steps on a database the scripts have just made; a failure drops it.
void upgradeNew(const QString& path, const QString& user, const QString& password)
{
    TSQLDATA db;
    QString error;
    if (!db.PripojDatabazi(path, user, password)) {
        error = QStringLiteral("Nová databáze se nepřipojila.");
    } else {
        error = dbupgrade::Aktualizuj(db).chyba;
        db.Odpoj();
    }
    if (error.isEmpty()) return;
    fb::Status st(fb::status());
    fb::Ref<IProvider> prov(fb::master()->getDispatcher());
    try {
        const auto dpb = fb::dpb(user, password, false);
        const QByteArray name = fb::encodeSql(path);
        fb::Ref<IAttachment> att(
            prov->attachDatabase(&st, name.constData(), unsigned(dpb.size()), dpb.data()));
        att.end([&](IAttachment* a) { a->dropDatabase(&st); });
    } catch (...) {
        qCInfo(orvanDb) << "a half-made database could not be dropped:" << path;
    }
    throw DbError(error);
}

} // namespace

void createDatabase(const QString& path, const QString& user, const QString& password, bool forcedWrites,
                    bool upgrade)
{
    const auto all = scripts();
    if (all.isEmpty()) throw DbError(QStringLiteral("Skripty databáze nejsou v programu."));
    fb::Status st(fb::status());
    fb::Ref<IProvider> prov(fb::master()->getDispatcher());
    fb::Ref<IAttachment> att;
    QString current;
    // A half-made database is dropped, whatever the failure.
    auto drop = [&] {
        fb::Status st2(fb::status());
        try {
            att.end([&](IAttachment* a) { a->dropDatabase(&st2); });
        } catch (...) {
            qCInfo(orvanDb) << "a half-made database could not be dropped:" << path;
        }
    };
    try {
        const auto dpb = fb::dpb(user, password, true, forcedWrites);
        const QByteArray name = fb::encodeSql(path);
        att.reset(prov->createDatabase(&st, name.constData(), unsigned(dpb.size()), dpb.data()));
        for (const auto& [file, text] : all) {
            for (const QString& stmt : splitScript(text)) {
                current = file + QStringLiteral(": ") + stmt.left(200);
                const QByteArray sql = fb::encodeSql(stmt);
                // Each statement commits, so later ones see the objects made before.
                fb::Ref<ITransaction> tra(att->startTransaction(&st, 0, nullptr));
                try {
                    att->execute(&st, tra.get(), sql.size(), sql.constData(), 1, nullptr, nullptr, nullptr,
                                 nullptr);
                    tra.end([&](ITransaction* t) { t->commit(&st); });
                } catch (...) {
                    fb::Status st2(fb::status());
                    try {
                        tra.end([&](ITransaction* t) { t->rollback(&st2); });
                    } catch (...) {
                    }
                    throw;
                }
            }
        }
        att.end([&](IAttachment* a) { a->detach(&st); });
    } catch (const FbException& e) {
        const QString msg = fb::errorText(e);
        drop();
        throw DbError(current.isEmpty() ? msg : msg + QStringLiteral("\n") + current);
    } catch (const DbError& e) {
        drop();
        throw DbError(current.isEmpty() ? e.text() : e.text() + QStringLiteral("\n") + current);
    }
    if (upgrade) upgradeNew(path, user, password);
}

} // namespace dbschema
