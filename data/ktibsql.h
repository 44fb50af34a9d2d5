#pragma once

#include "fbclient.h"
#include "ibevents.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

class CommandTarget;
class QTextDocument;

// The program's only door to the database: one connection, one shared read
// transaction (a snapshot that lasts until the next write, procedure call or
// restart), statement execution with its own commit, generators, the server
// clock, the note blobs and the change event.
class TDataModuleIb {
public:
    TDataModuleIb();
    virtual ~TDataModuleIb();
    TDataModuleIb(const TDataModuleIb&) = delete;
    TDataModuleIb& operator=(const TDataModuleIb&) = delete;

    // Receives WM_DATA_CHANGED when any client announces a change.
    CommandTarget* NotifyWindow = nullptr;

    bool PripojDatabazi(const QString& path, const QString& user, const QString& password);
    void Odpoj();
    bool Pripojeno() const { return m_att != nullptr; }

    void ObnovTransakci();
    void OtevriDotaz(const QString& sql);

    QString VratSloupec(const QString& sql, const QString& separator);
    QString VratRadek(const QString& sql);
    int VratInt(const QString& sql);
    void NactiDotaz(const QString& sql, bool withHeader, QStringList& lines, const QString& separator);

    // Writes never throw: the result is the server's error text, empty on success.
    bool ProvedSQL(const QString& sql, QString& error);
    bool ProvedSQLSeznam(const QStringList& statements, QString& error);

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
    bool ProvedSQLBezCekani(const QString& sql, QString& error);

    // Runs when the change event arrives (from any client, this one included).
    void IBEvents1EventAlert(const QString& eventName);

    // The read cursor, for callers that walk a result themselves.
    fb::Cursor& cursor() { return m_cursor; }
    Firebird::IAttachment* attachment() const { return m_att; }

    // How many times the change event has been handed to the notify target.
    int ZmenyPrijate() const { return m_changesDelivered; }

protected:
    // Reads go through the shared transaction; starts it when inactive.
    Firebird::ITransaction* sdilenaTransakce();
    void ukonciTransakci();
    void zavriKurzor();
    // Runs the statements in one transaction of the given parameters (none: the default).
    bool zapisSeznam(const QStringList& statements, QString& error, unsigned tpbLength, const unsigned char* tpb);

private:
    Firebird::IAttachment* m_att = nullptr;
    Firebird::ITransaction* m_tra = nullptr;
    fb::Cursor m_cursor;
    std::unique_ptr<IbEvents> m_events;
    int m_changesDelivered = 0;
};

void KurzorHodiny();
void KurzorNormalni();
