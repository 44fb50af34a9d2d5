#include "data/datamoduleib.h"
#include "dblog.h"

#include "commatext.h"
#include "common/chybyserveru.h"
#include "common/commandtarget.h"
#include "common/messages.h"
#include "dberror.h"
#include "notetext.h"
#include "zameksouboru.h"

#include <ibase.h>

#include <QCursor>
#include <QGuiApplication>
#include <QObject>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <cstring>

using namespace Firebird;

namespace
{

QString appendJoined(QString& acc, const QString& value, const QString& separator)
{
    // A separator goes in only after a non-empty beginning.
    if (!acc.isEmpty()) acc += separator;
    acc += value;
    return acc;
}

} // namespace

const QString TextSpojeniPreruseno =
    QStringLiteral("Spojení se serverem databáze bylo přerušeno. Program se pokusí připojit znovu.");
const QString TextBezSpojeni =
    QStringLiteral("Bez spojení se serverem databáze nelze nic uložit. Zadané údaje zůstávají v okně; "
                   "uložte je znovu, až se program připojí.");

namespace
{

// Every module, so that a failure met in a cursor reaches the module whose
// attachment it was.
std::vector<TDataModuleIb*>& moduly()
{
    static std::vector<TDataModuleIb*> m;
    return m;
}

} // namespace

TDataModuleIb::TDataModuleIb() : m_kontext(std::make_unique<QObject>()), m_obnova(std::make_unique<QTimer>())
{
    static const bool nastaveno = [] {
        fb::setConnectionLostHandler([](IAttachment* att) {
            for (TDataModuleIb* m : moduly())
                if (att && m->m_att.get() == att) m->spojeniZtraceno(true);
        });
        return true;
    }();
    (void)nastaveno;
    moduly().push_back(this);
    QObject::connect(m_obnova.get(), &QTimer::timeout, m_kontext.get(), [this] { zkusObnovit(); });
}

TDataModuleIb::~TDataModuleIb()
{
    Odpoj();
    std::erase(moduly(), this);
}

void TDataModuleIb::Odpoj()
{
    m_obnova->stop();
    if (m_pokus.joinable()) m_pokus.join();
    m_preruseno = false;
    m_events.reset();
    for (CteniPoCastech* c : std::vector<CteniPoCastech*>(m_cteni))
        c->zavri();
    zavriKurzor();
    fb::Status st(fb::status());
    try {
        m_tra.end([&](ITransaction* t) { t->rollback(&st); });
    } catch (const FbException& e) {
        qCInfo(orvanDb) << "rollback before detaching:" << fb::errorText(e);
        m_tra.reset();
    }
    try {
        m_att.end([&](IAttachment* a) { a->detach(&st); });
    } catch (const FbException& e) {
        qCInfo(orvanDb) << "detaching:" << fb::errorText(e);
        m_att.reset();
    }
}

bool TDataModuleIb::PripojDatabazi(const QString& path, const QString& user, const QString& password)
{
    Odpoj();
    // A file another process holds through its own embedded engine is not even
    // tried: the attempt alone leaves that process unable to close the file.
    if (const auto drzitel = zameksouboru::drzitel(path);
        drzitel && drzitel->pid > 0 && !drzitel->jeServer()) {
        messages::error(
            chybyserveru::souborPouzivan(path, drzitel->program),
            QStringLiteral("Zámek souboru drží proces %1 (%2).").arg(drzitel->pid).arg(drzitel->program));
        return false;
    }
    m_cesta = path;
    m_uzivatel = user;
    m_heslo = password;
    fb::Status st(fb::status());
    const fb::Ref<IProvider> prov(fb::master()->getDispatcher());
    QString detail;
    try {
        const auto dpb = fb::dpb(user, password, false);
        const QByteArray name = fb::encodeSql(path);
        m_att.reset(prov->attachDatabase(&st, name.constData(), unsigned(dpb.size()), dpb.data()));
    } catch (const FbException& e) {
        detail = fb::errorText(e);
    } catch (const DbError& e) {
        detail = e.text();
    }
    if (!m_att) {
        // Another process holds the file through its own embedded engine.
        if (detail.contains(QLatin1String("already opened with engine instance")) ||
            detail.contains(QLatin1String("during \"lock\" operation"))) {
            messages::error(chybyserveru::souborPouzivan(path), detail);
            return false;
        }
        QString text = QStringLiteral("Chyba připojení k databázi:") + path;
        if (!detail.isEmpty()) text += QStringLiteral("\r\n") + detail;
        messages::error(text);
        return false;
    }
    spustUdalosti();
    return true;
}

void TDataModuleIb::spustUdalosti()
{
    m_events = std::make_unique<IbEvents>(m_att.get(), QByteArrayLiteral("UDELEJTE REFRESH"), [this] {
        IBEvents1EventAlert(QStringLiteral("UDELEJTE REFRESH"));
    });
    m_events->start();
}

void TDataModuleIb::spojeniZtraceno(bool oznamit)
{
    if (m_preruseno) return;
    m_preruseno = true;
    qCWarning(orvanDb) << "the connection to the database server was lost";
    if (ZmenaSpojeni) ZmenaSpojeni(false);
    if (oznamit) messages::error(TextSpojeniPreruseno);
    // What is left of the old attachment is closed from the event loop, not
    // inside the failing call.
    QMetaObject::invokeMethod(
        m_kontext.get(), [this] { zavriZtracene(); }, Qt::QueuedConnection);
}

void TDataModuleIb::zavriZtracene()
{
    if (!m_preruseno) return;
    m_events.reset();
    for (CteniPoCastech* c : std::vector<CteniPoCastech*>(m_cteni))
        c->zavri();
    zavriKurzor();
    m_tra.reset();
    fb::Status st(fb::status());
    try {
        m_att.end([&](IAttachment* a) { a->detach(&st); });
    } catch (const FbException& e) {
        qCInfo(orvanDb) << "detaching the lost attachment:" << fb::errorText(e);
        m_att.reset();
    }
    m_obnova->start(m_intervalObnovy);
}

void TDataModuleIb::zkusObnovit()
{
    if (!m_preruseno || m_att) return;
    if (m_pokus.joinable()) {
        // The last attempt's result is still on its way.
        return;
    }
    m_obnova->stop();
    const QByteArray name = fb::encodeSql(m_cesta);
    const auto dpb = fb::dpb(m_uzivatel, m_heslo, false, true, 10);
    QObject* cil = m_kontext.get();
    // The attach waits on the network: never on the window's thread.
    m_pokus = std::thread([this, name, dpb, cil] {
        IAttachment* att = nullptr;
        try {
            fb::Status st(fb::status());
            const fb::Ref<IProvider> prov(fb::master()->getDispatcher());
            att = prov->attachDatabase(&st, name.constData(), unsigned(dpb.size()), dpb.data());
        } catch (const FbException&) {
            att = nullptr;
        }
        // Odpoj joins this thread before the module goes; a call still queued
        // then dies with the module's context object.
        QMetaObject::invokeMethod(
            cil, [this, att] { obnoveno(att); }, Qt::QueuedConnection);
    });
}

void TDataModuleIb::obnoveno(IAttachment* att)
{
    if (m_pokus.joinable()) m_pokus.join();
    if (!m_preruseno || m_att) {
        if (att) {
            fb::Status st(fb::status());
            try {
                att->detach(&st);
            } catch (const FbException&) {
                att->release();
            }
        }
        return;
    }
    if (!att) {
        m_obnova->start(m_intervalObnovy);
        return;
    }
    m_att.reset(att);
    m_preruseno = false;
    spustUdalosti();
    qCInfo(orvanDb) << "connected to the database server again";
    if (ZmenaSpojeni) ZmenaSpojeni(true);
    // Everything shown may be stale.
    if (NotifyWindow) NotifyWindow->command(WM_DATA_CHANGED, 0, 0);
}

void TDataModuleIb::zavriKurzor()
{
    m_cursor.close();
}

void TDataModuleIb::ukonciTransakci()
{
    zavriKurzor();
    // A batch keeps its transaction until it is finished.
    if (m_davka && m_tra) return;
    fb::Status st(fb::status());
    try {
        m_tra.end([&](ITransaction* t) { t->rollback(&st); });
    } catch (const FbException& e) {
        qCInfo(orvanDb) << "ending the shared transaction:" << fb::errorText(e);
        m_tra.reset();
    }
}

ITransaction* TDataModuleIb::sdilenaTransakce()
{
    if (m_preruseno) throw DbError(TextBezSpojeni, true);
    if (!m_att) throw DbError(QStringLiteral("Databáze není připojena."));
    if (!m_tra) {
        fb::Status st(fb::status());
        try {
            m_tra.reset(m_att->startTransaction(&st, 0, nullptr));
        } catch (const FbException& e) {
            fb::throwDbError(e, m_att.get());
        }
    }
    return m_tra.get();
}

void TDataModuleIb::ObnovTransakci()
{
    ukonciTransakci();
    sdilenaTransakce();
}

void TDataModuleIb::OtevriDotaz(const QString& sql)
{
    zavriKurzor();
    m_cursor.open(m_att.get(), sdilenaTransakce(), sql);
}

QString TDataModuleIb::VratSloupec(const QString& sql, const QString& separator)
{
    OtevriDotaz(sql);
    QString result;
    while (m_cursor.next())
        appendJoined(result, m_cursor.text(0), separator);
    zavriKurzor();
    return result;
}

QString TDataModuleIb::VratRadek(const QString& sql)
{
    OtevriDotaz(sql);
    QString result;
    if (m_cursor.next()) {
        QStringList values;
        for (int i = 0; i < m_cursor.columnCount(); ++i)
            values << m_cursor.text(i);
        result = values.join(QLatin1Char(','));
    }
    zavriKurzor();
    return result;
}

int TDataModuleIb::VratInt(const QString& sql)
{
    OtevriDotaz(sql);
    int result = 0;
    if (m_cursor.next() && m_cursor.columnCount() > 0) {
        const QString t = m_cursor.text(0).trimmed();
        if (!t.isEmpty()) {
            bool ok = false;
            result = t.toInt(&ok);
            if (!ok) throw DbError(QStringLiteral("\"%1\" není platné celé číslo.").arg(t));
        }
    }
    zavriKurzor();
    return result;
}

void TDataModuleIb::NactiDotaz(const QString& sql, bool withHeader, QStringList& lines,
                               const QString& separator)
{
    // A list read again keeps its strings: each row is written into the room
    // of the row before it, so a repeated read neither allocates nor frees
    // per row. New rows are stored at their exact size.
    qsizetype r = 0;
    const qsizetype stare = lines.size();
    const auto uloz = [&](const QString& line) {
        if (r < stare) {
            QString& l = lines[r];
            l.truncate(0);
            l.append(line);
        } else {
            lines << QString(line.constData(), line.size());
        }
        ++r;
    };
    try {
        OtevriDotaz(sql);
        const int n = m_cursor.columnCount();
        const bool comma = separator.isEmpty();
        if (withHeader) {
            QStringList names;
            for (int i = 0; i < n; ++i)
                names << m_cursor.columnName(i);
            if (comma) {
                uloz(commatext::encode(names));
            } else {
                QString line;
                for (const QString& v : names)
                    appendJoined(line, v, separator);
                uloz(line);
            }
        }
        // Values go straight from the fetch buffer into one working line that keeps its room.
        QString line;
        line.reserve(256);
        while (m_cursor.next()) {
            line.truncate(0);
            for (int i = 0; i < n; ++i) {
                if (comma) {
                    if (i > 0) line += QLatin1Char(',');
                    m_cursor.appendText(i, line, true);
                } else {
                    // A separator goes in only after a non-empty beginning.
                    if (!line.isEmpty()) line += separator;
                    m_cursor.appendText(i, line, false);
                }
            }
            if (comma && n == 1 && line.isEmpty()) line += QLatin1String("\"\"");
            uloz(line);
        }
    } catch (...) {
        lines.resize(r); // the rows read before the failure, none of the old list
        throw;
    }
    lines.resize(r);
    zavriKurzor();
}

VysledekZapisu TDataModuleIb::ProvedSQL(const QString& sql)
{
    return ProvedSQLSeznam(QStringList{sql});
}

VysledekZapisu TDataModuleIb::ProvedSQLSeznam(const QStringList& statements)
{
    return provedVTransakci(statements, nullptr, 0, nullptr);
}

VysledekZapisu TDataModuleIb::ProvedSQLSeznam(const QStringList& statements, const PoznamkaZapisu& poznamka)
{
    return provedVTransakci(statements, &poznamka, 0, nullptr);
}

VysledekZapisu TDataModuleIb::ProvedHlidanyZapis(const QStringList& statements,
                                                 const PoznamkaZapisu* poznamka)
{
    return provedVTransakci(statements, poznamka, 0, nullptr, true);
}

bool TDataModuleIb::provedPrikazy(const QStringList& statements, bool hlidany)
{
    fb::Status st(fb::status());
    for (qsizetype i = 0; i < statements.size(); ++i) {
        const QByteArray text = fb::encodeSql(statements[i]);
        if (hlidany && i == 0) {
            fb::Ref<IStatement> stmt(m_att->prepare(&st, m_tra.get(), text.size(), text.constData(), 1, 0));
            stmt->execute(&st, m_tra.get(), nullptr, nullptr, nullptr, nullptr);
            const ISC_UINT64 radky = stmt->getAffectedRecords(&st);
            stmt.end([&](IStatement* s) { s->free(&st); });
            if (radky == 0) return false;
            continue;
        }
        m_att->execute(&st, m_tra.get(), text.size(), text.constData(), 1, nullptr, nullptr, nullptr,
                       nullptr);
    }
    return true;
}

VysledekZapisu TDataModuleIb::provedVTransakci(const QStringList& statements, const PoznamkaZapisu* poznamka,
                                               unsigned tpbLength, const unsigned char* tpb, bool hlidany)
{
    if (m_preruseno) return VysledekZapisu::Odmitnuto(TextBezSpojeni);
    if (!m_att) return VysledekZapisu::Odmitnuto(QStringLiteral("Databáze není připojena."));
    if (m_davka) {
        if (tpb) return VysledekZapisu::Odmitnuto(QStringLiteral("Probíhá import, zápis počká."));
        return provedVDavce(statements, poznamka, hlidany);
    }
    ukonciTransakci();
    fb::Status st(fb::status());
    QString error;
    VysledekZapisu::Konflikt konflikt = VysledekZapisu::Konflikt::Zadny;
    try {
        m_tra.reset(m_att->startTransaction(&st, tpbLength, tpb));
        if (!provedPrikazy(statements, hlidany)) konflikt = VysledekZapisu::Konflikt::ZmenenoMezitim;
        if (konflikt == VysledekZapisu::Konflikt::Zadny) {
            if (poznamka) zapisPoznamku(m_tra.get(), *poznamka);
            m_tra.end([&](ITransaction* t) { t->commit(&st); });
            return VysledekZapisu::Zapsano();
        }
    } catch (const FbException& e) {
        error = fb::errorText(e);
        // A link row of a record that another workstation deleted.
        if (hlidany && fb::hasError(e, isc_foreign_key)) konflikt = VysledekZapisu::Konflikt::SmazanoMezitim;
        if (fb::lostConnection(e)) {
            // A background write (tpb given) tells of the loss itself; a
            // user's save says it together with its own refusal.
            spojeniZtraceno(tpb != nullptr);
            m_tra.reset();
            return VysledekZapisu::Odmitnuto(TextSpojeniPreruseno + QLatin1Char('\n') + TextBezSpojeni);
        }
    } catch (const DbError& e) {
        error = e.text();
    }
    ukonciTransakci();
    VysledekZapisu v = VysledekZapisu::Odmitnuto(error);
    v.konflikt = konflikt;
    return v;
}

namespace
{

const char kSavepoint[] = "SAVEPOINT ORVAN_ZAPIS";
const char kUvolnit[] = "RELEASE SAVEPOINT ORVAN_ZAPIS ONLY";
const char kVratit[] = "ROLLBACK TO SAVEPOINT ORVAN_ZAPIS";

} // namespace

void TDataModuleIb::ZacniDavku()
{
    if (m_davka) return;
    ukonciTransakci();
    sdilenaTransakce();
    m_davka = true;
}

VysledekZapisu TDataModuleIb::DokonciDavku(bool potvrdit)
{
    if (!m_davka) return VysledekZapisu::Zapsano();
    m_davka = false;
    zavriKurzor();
    if (!m_tra) return VysledekZapisu::Odmitnuto(TextBezSpojeni);
    fb::Status st(fb::status());
    try {
        m_tra.end([&](ITransaction* t) { potvrdit ? t->commit(&st) : t->rollback(&st); });
        return VysledekZapisu::Zapsano();
    } catch (const FbException& e) {
        const QString error = fb::errorText(e);
        if (fb::lostConnection(e)) spojeniZtraceno(false);
        m_tra.reset();
        return VysledekZapisu::Odmitnuto(error);
    }
}

VysledekZapisu TDataModuleIb::provedVDavce(const QStringList& statements, const PoznamkaZapisu* poznamka,
                                           bool hlidany)
{
    zavriKurzor();
    fb::Status st(fb::status());
    const auto proved = [&](const char* sql) {
        m_att->execute(&st, m_tra.get(), 0, sql, 1, nullptr, nullptr, nullptr, nullptr);
    };
    QString error;
    VysledekZapisu::Konflikt konflikt = VysledekZapisu::Konflikt::Zadny;
    try {
        if (!m_tra) throw DbError(TextBezSpojeni, true);
        proved(kSavepoint);
        if (!provedPrikazy(statements, hlidany)) konflikt = VysledekZapisu::Konflikt::ZmenenoMezitim;
        if (konflikt == VysledekZapisu::Konflikt::Zadny) {
            if (poznamka) zapisPoznamku(m_tra.get(), *poznamka);
            proved(kUvolnit);
            return VysledekZapisu::Zapsano();
        }
    } catch (const FbException& e) {
        error = fb::errorText(e);
        if (hlidany && fb::hasError(e, isc_foreign_key)) konflikt = VysledekZapisu::Konflikt::SmazanoMezitim;
        if (fb::lostConnection(e)) {
            m_davka = false;
            spojeniZtraceno(false);
            m_tra.reset();
            return VysledekZapisu::Odmitnuto(TextSpojeniPreruseno + QLatin1Char('\n') + TextBezSpojeni);
        }
    } catch (const DbError& e) {
        error = e.text();
    }
    // Only this write goes; the batch's earlier ones stay.
    try {
        if (m_tra) proved(kVratit);
    } catch (const FbException& e) {
        qCInfo(orvanDb) << "rolling back to the savepoint:" << fb::errorText(e);
    }
    VysledekZapisu v = VysledekZapisu::Odmitnuto(error);
    v.konflikt = konflikt;
    return v;
}

int TDataModuleIb::NoveID(const QString& generator)
{
    return VratInt(QStringLiteral("select GEN_ID(") + generator + QStringLiteral(",1) from rdb$database;"));
}

template <typename F> void TDataModuleIb::vlastniTransakci(F&& prace)
{
    if (m_davka && m_tra) {
        // Inside a batch: its transaction, under a savepoint, committed with it.
        zavriKurzor();
        fb::Status st(fb::status());
        const auto proved = [&](const char* sql) {
            m_att->execute(&st, m_tra.get(), 0, sql, 1, nullptr, nullptr, nullptr, nullptr);
        };
        try {
            proved(kSavepoint);
            prace(m_tra.get());
            proved(kUvolnit);
        } catch (const FbException& e) {
            const QString msg = fb::errorText(e);
            if (fb::lostConnection(e)) {
                m_davka = false;
                m_tra.reset();
                fb::throwDbError(e, m_att.get());
            }
            try {
                proved(kVratit);
            } catch (const FbException&) {
            }
            throw DbError(msg);
        }
        return;
    }
    ukonciTransakci();
    try {
        prace(sdilenaTransakce());
        fb::Status st(fb::status());
        m_tra.end([&](ITransaction* t) { t->commit(&st); });
    } catch (const FbException& e) {
        if (fb::lostConnection(e)) {
            m_tra.reset();
            fb::throwDbError(e, m_att.get());
        }
        const QString msg = fb::errorText(e);
        ukonciTransakci();
        throw DbError(msg);
    } catch (const DbError&) {
        ukonciTransakci();
        throw;
    }
}

void TDataModuleIb::UdelejRefresh()
{
    vlastniTransakci([this](ITransaction* tra) {
        fb::Status st(fb::status());
        static const char sql[] = "EXECUTE PROCEDURE PROC_UDELEJTE_REFRESH";
        m_att->execute(&st, tra, 0, sql, 1, nullptr, nullptr, nullptr, nullptr);
    });
}

QDateTime TDataModuleIb::CasServeru(double offsetDays)
{
    QDateTime t;
    vlastniTransakci([&](ITransaction* tra) {
        fb::Cursor out;
        out.executeSingleton(m_att.get(), tra, QStringLiteral("EXECUTE PROCEDURE VRAT_CAS_SERVERU"));
        t = out.dateTime(0);
        out.close();
    });
    return t.addMSecs(qint64(offsetDays * 86400000.0 + (offsetDays < 0 ? -0.5 : 0.5)));
}

void TDataModuleIb::CasServeruText(double offsetDays, QString& text)
{
    text = CasServeru(offsetDays).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

void TDataModuleIb::NactiPoznamku(const QString& sql, const QString& column, QTextDocument* note)
{
    OtevriDotaz(sql);
    QByteArray data;
    if (m_cursor.next()) {
        for (int i = 0; i < m_cursor.columnCount(); ++i)
            if (m_cursor.columnName(i).compare(column, Qt::CaseInsensitive) == 0) {
                data = m_cursor.bytes(i);
                break;
            }
    }
    zavriKurzor();
    if (note) notetext::load(data, note);
}

void TDataModuleIb::UlozPoznamku(const QString& procedure, const QString&, const QTextDocument* note, int id,
                                 const QString&)
{
    const PoznamkaZapisu p{procedure, id, note ? notetext::save(note) : QByteArray()};
    vlastniTransakci([&](ITransaction* tra) { zapisPoznamku(tra, p); });
}

void TDataModuleIb::zapisPoznamku(ITransaction* tra, const PoznamkaZapisu& poznamka)
{
    fb::Status st(fb::status());
    {
        const QByteArray sql = fb::encodeSql(QStringLiteral("EXECUTE PROCEDURE ") + poznamka.procedura +
                                             QStringLiteral("(?, ?)"));
        fb::Ref<IStatement> stmt(m_att->prepare(&st, tra, sql.size(), sql.constData(), 1, 0));
        fb::Ref<IMessageMetadata> in(stmt->getInputMetadata(&st));
        // The procedures take an integer id and a blob.
        std::vector<unsigned char> buf(in->getMessageLength(&st), 0);
        const ISC_LONG idValue = poznamka.id;
        std::memcpy(buf.data() + in->getOffset(&st, 0), &idValue, sizeof idValue);
        ISC_QUAD blobId{};
        fb::Ref<IBlob> blob(m_att->createBlob(&st, tra, &blobId, 0, nullptr));
        const QByteArray& data = poznamka.data;
        for (qsizetype pos = 0; pos < data.size(); pos += 32768) {
            const auto len = unsigned(std::min<qsizetype>(32768, data.size() - pos));
            blob->putSegment(&st, len, data.constData() + pos);
        }
        blob.end([&](IBlob* b) { b->close(&st); });
        std::memcpy(buf.data() + in->getOffset(&st, 1), &blobId, sizeof blobId);
        stmt->execute(&st, tra, in.get(), buf.data(), nullptr, nullptr);
        stmt.end([&](IStatement* s) { s->free(&st); });
    }
}

void TDataModuleIb::SeznamTabulek(QStringList& lines, int kind)
{
    lines.clear();
    if (kind != 1) {
        lines << QStringLiteral("Není implentováno");
        return;
    }
    OtevriDotaz(
        QStringLiteral("select rdb$relation_name from rdb$relations where coalesce(rdb$system_flag,0)=0 "
                       "and rdb$view_blr is null order by rdb$relation_name"));
    while (m_cursor.next())
        lines << m_cursor.text(0).trimmed();
    zavriKurzor();
}

void TDataModuleIb::SledujZmenyOdTed()
{
    if (!m_events) return;
    m_events->stop();
    m_events->start();
}

int TDataModuleIb::DoruceniUdalosti() const
{
    return m_events ? m_events->deliveries() : 0;
}

VysledekZapisu TDataModuleIb::ProvedSQLBezCekani(const QString& sql)
{
    static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                        isc_tpb_rec_version, isc_tpb_nowait};
    return provedVTransakci(QStringList{sql}, nullptr, sizeof tpb, tpb);
}

void TDataModuleIb::IBEvents1EventAlert(const QString&)
{
    ++m_changesDelivered;
    if (NotifyWindow) NotifyWindow->command(WM_DATA_CHANGED, 0, 0);
}

CteniPoCastech::CteniPoCastech(TDataModuleIb& db, const QString& sql) : m_db(&db)
{
    if (db.m_preruseno) throw DbError(TextBezSpojeni, true);
    if (!db.m_att) throw DbError(QStringLiteral("Databáze není připojena."));
    // Read-only snapshot: the rows of later parts belong to the same state as
    // the first ones, and nothing is locked.
    static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_concurrency, isc_tpb_nowait};
    fb::Status st(fb::status());
    try {
        m_tra.reset(db.m_att->startTransaction(&st, sizeof tpb, tpb));
    } catch (const FbException& e) {
        fb::throwDbError(e, db.m_att.get());
    }
    db.m_cteni.push_back(this);
    try {
        m_cursor.open(db.m_att.get(), m_tra.get(), sql);
    } catch (...) {
        zavri();
        throw;
    }
}

CteniPoCastech::~CteniPoCastech()
{
    zavri();
}

void CteniPoCastech::zavri()
{
    m_cursor.close();
    fb::Status st(fb::status());
    try {
        m_tra.end([&](ITransaction* t) { t->commit(&st); });
    } catch (const FbException& e) {
        qCInfo(orvanDb) << "ending a part-read:" << fb::errorText(e);
        m_tra.reset();
    }
    if (m_db) std::erase(m_db->m_cteni, this);
    m_db = nullptr;
}

void KurzorHodiny()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void KurzorNormalni()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}
