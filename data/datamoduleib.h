#pragma once

#include "data/fb.h"
#include "data/vysledekzapisu.h"
#include "ibevents.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class CommandTarget;
class QObject;
class QTextDocument;
class QTimer;
class TDataModuleIb;

// Shown once when the server is lost; writes refused meanwhile say the second.
extern const QString TextSpojeniPreruseno; // "Spojení se serverem databáze bylo přerušeno. ..."
extern const QString TextBezSpojeni;

// A SELECT read in parts over a read-only snapshot of its own, so that the
// shared cursor and transaction stay free for other reads and writes while
// rows remain to be read. The module closes it when it disconnects.
class CteniPoCastech
{
public:
    // Throws DbError when the server refuses the statement.
    CteniPoCastech(TDataModuleIb& db, const QString& sql);
    ~CteniPoCastech();
    CteniPoCastech(const CteniPoCastech&) = delete;
    CteniPoCastech& operator=(const CteniPoCastech&) = delete;

    fb::Cursor& cursor() { return m_cursor; }
    bool otevreno() const { return m_cursor.isOpen(); }
    // Closes the cursor and ends the snapshot; repeating it does nothing.
    void zavri();

private:
    TDataModuleIb* m_db;
    fb::Ref<Firebird::ITransaction> m_tra;
    fb::Cursor m_cursor;
};

// A note stored with the statements of a record, through one of the note
// procedures (an integer id and a blob).
struct PoznamkaZapisu {
    QString procedura;
    int id = 0;
    QByteArray data;
};

// The program's only door to the database: one connection, one shared read
// transaction (a snapshot that lasts until the next write, procedure call or
// restart), statement execution with its own commit, generators, the server
// clock, the note blobs and the change event.
class TDataModuleIb
{
public:
    TDataModuleIb();
    virtual ~TDataModuleIb();
    TDataModuleIb(const TDataModuleIb&) = delete;
    TDataModuleIb& operator=(const TDataModuleIb&) = delete;

    // Receives WM_DATA_CHANGED when any client announces a change.
    CommandTarget* NotifyWindow = nullptr;

    bool PripojDatabazi(const QString& path, const QString& user, const QString& password);
    void Odpoj();
    bool Pripojeno() const { return bool(m_att); }

    // A lost server: the first failure that finds the connection gone shows
    // TextSpojeniPreruseno once; reads then fail without a box (the user was
    // told) and writes are refused with TextBezSpojeni, until a background
    // thread has attached again. Then the change event is registered anew,
    // the notify target gets WM_DATA_CHANGED and ZmenaSpojeni(true) runs.
    bool SpojeniPreruseno() const { return m_preruseno; }
    std::function<void(bool pripojeno)> ZmenaSpojeni;
    // How often a reconnection is tried (milliseconds).
    void setIntervalObnovy(int ms) { m_intervalObnovy = ms; }

    void ObnovTransakci();
    void OtevriDotaz(const QString& sql);

    QString VratSloupec(const QString& sql, const QString& separator);
    QString VratRadek(const QString& sql);
    int VratInt(const QString& sql);
    void NactiDotaz(const QString& sql, bool withHeader, QStringList& lines, const QString& separator);

    // Writes never throw: a failure carries the server's text.
    VysledekZapisu ProvedSQL(const QString& sql);
    VysledekZapisu ProvedSQLSeznam(const QStringList& statements);
    // The statements and then the note, all in one transaction: either the
    // whole record is stored or nothing of it.
    VysledekZapisu ProvedSQLSeznam(const QStringList& statements, const PoznamkaZapisu& poznamka);
    // The save of a stored record: like ProvedSQLSeznam, but the first
    // statement (the update naming the revision that was read) must change a
    // row. When it changes none, or a link statement finds the record gone,
    // nothing is written and the result says ZmenenoMezitim or SmazanoMezitim
    // (the caller tells the two apart).
    VysledekZapisu ProvedHlidanyZapis(const QStringList& statements, const PoznamkaZapisu* poznamka);

    // A batch of writes (an import): one transaction for all of them, each
    // write under a savepoint of its own, so that a refused one rolls back
    // alone and the others stay. Reads in between see the batch's rows;
    // other connections see none of them until DokonciDavku commits.
    // Background writes (ProvedSQLBezCekani) are refused meanwhile.
    void ZacniDavku();
    // Commits the batch (with `potvrdit` false rolls it back); on failure
    // nothing of it is stored and the result says why.
    VysledekZapisu DokonciDavku(bool potvrdit = true);
    bool Davka() const { return m_davka; }

    int NoveID(const QString& generator);
    void UdelejRefresh();
    // The server's wall clock as a plain date-time (UTC spec, never converted to
    // or from the workstation's zone).
    QDateTime CasServeru(double offsetDays);
    void CasServeruText(double offsetDays, QString& text);

    void NactiPoznamku(const QString& sql, const QString& column, QTextDocument* note);
    void UlozPoznamku(const QString& procedure, const QString& table, const QTextDocument* note, int id,
                      const QString& column);

    void SeznamTabulek(QStringList& lines, int kind);

    // A write for background timers: read committed, and a row that another
    // connection holds locked fails it at once instead of making it wait.
    VysledekZapisu ProvedSQLBezCekani(const QString& sql);

    // Runs when the change event arrives (from any client, this one included).
    void IBEvents1EventAlert(const QString& eventName);

    // The read cursor, for callers that walk a result themselves.
    fb::Cursor& cursor() { return m_cursor; }
    Firebird::IAttachment* attachment() const { return m_att.get(); }

    // How many times the change event has been handed to the notify target.
    int ZmenyPrijate() const { return m_changesDelivered; }
    // Deliveries of the change event handled, the baseline after registering
    // included: a test waits for the baseline instead of sleeping.
    int DoruceniUdalosti() const;
    // Change events count from now on: what this workstation posted so far
    // (its own logon) does not come back as a change.
    void SledujZmenyOdTed();

protected:
    // Reads go through the shared transaction; starts it when inactive.
    Firebird::ITransaction* sdilenaTransakce();
    void ukonciTransakci();
    void zavriKurzor();

private:
    friend class CteniPoCastech;
    // The statements, then the note when given, in one transaction of the
    // given kind (tpbLength 0: the server's default).
    VysledekZapisu provedVTransakci(const QStringList& statements, const PoznamkaZapisu* poznamka,
                                    unsigned tpbLength, const unsigned char* tpb, bool hlidany = false);
    void zapisPoznamku(Firebird::ITransaction* tra, const PoznamkaZapisu& poznamka);
    // The statements in m_tra; false when the guarded first one (hlidany)
    // changed no row, and then the rest are not run. Failures throw.
    bool provedPrikazy(const QStringList& statements, bool hlidany);
    // One write of a batch under its savepoint.
    VysledekZapisu provedVDavce(const QStringList& statements, const PoznamkaZapisu* poznamka, bool hlidany);
    // Runs the work in a fresh transaction of its own and commits it; any
    // failure rolls back and arrives as DbError.
    template <typename F> void vlastniTransakci(F&& prace);

private:
    fb::Ref<Firebird::IAttachment> m_att;
    fb::Ref<Firebird::ITransaction> m_tra;
    fb::Cursor m_cursor;
    std::unique_ptr<IbEvents> m_events;
    int m_changesDelivered = 0;
    std::vector<CteniPoCastech*> m_cteni; // open part-reads, closed before detaching

    // ---- A lost connection and its return ------------------------------------
    // The failure found the connection gone (any thread): marks it lost and
    // lets the main thread close what remains and start reconnecting.
    void spojeniZtraceno(bool oznamit);
    void zavriZtracene();
    void zkusObnovit();
    void obnoveno(Firebird::IAttachment* att);
    void spustUdalosti();
    QString m_cesta, m_uzivatel, m_heslo;
    bool m_preruseno = false;
    bool m_davka = false;
    int m_intervalObnovy = 5000;
    std::unique_ptr<QObject> m_kontext; // queued calls from other threads land here
    std::unique_ptr<QTimer> m_obnova;
    std::thread m_pokus; // one attach at a time, joined before the next and on Odpoj
};

// A batch for the life of a scope: rolled back unless confirmed.
class DavkaZapisu
{
public:
    explicit DavkaZapisu(TDataModuleIb& db) : m_db(db) { m_db.ZacniDavku(); }
    ~DavkaZapisu()
    {
        if (m_db.Davka()) (void)m_db.DokonciDavku(false);
    }
    VysledekZapisu potvrd() { return m_db.DokonciDavku(true); }
    DavkaZapisu(const DavkaZapisu&) = delete;
    DavkaZapisu& operator=(const DavkaZapisu&) = delete;

private:
    TDataModuleIb& m_db;
};

void KurzorHodiny();
void KurzorNormalni();

// The hourglass for the life of a scope, also when the action inside fails.
class Presypaci
{
public:
    Presypaci() { KurzorHodiny(); }
    ~Presypaci() { KurzorNormalni(); }
    Presypaci(const Presypaci&) = delete;
    Presypaci& operator=(const Presypaci&) = delete;
};
