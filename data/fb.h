#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <firebird/Interface.h>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

// Thin helpers over the Firebird OO API shared by the database module and the
// schema builder. Every failure becomes a DbError with the server's text.
namespace fb
{

Firebird::IMaster* master();
Firebird::IUtil* util();
Firebird::IStatus* status();

using Status = Firebird::ThrowStatusWrapper;

// Holds one reference to a Firebird interface and gives it back exactly once,
// also when a call throws. Calls that end the object and release it themselves
// when they succeed (IResultSet::close, IEvents::cancel, IBlob::close,
// IStatement::free, ITransaction::commit and rollback, IAttachment::detach) go
// through end(), so the handle does not release it a second time.
template <typename T> class Ref
{
public:
    Ref() = default;
    explicit Ref(T* p) : m_p(p) {}
    ~Ref() { reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    Ref& operator=(Ref&& o) noexcept
    {
        if (this != &o) {
            reset();
            m_p = std::exchange(o.m_p, nullptr);
        }
        return *this;
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    void reset(T* p = nullptr)
    {
        if (m_p) {
            if constexpr (std::is_base_of_v<Firebird::IReferenceCounted, T>)
                m_p->release();
            else
                m_p->dispose();
        }
        m_p = p;
    }

    // Runs a call that releases the interface when it succeeds; when it throws,
    // the handle still holds the reference and releases it later.
    template <typename F> void end(F&& call)
    {
        if (!m_p) return;
        std::forward<F>(call)(m_p);
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

// The server's error text of a failed call.
QString errorText(const Firebird::FbException& e);
// Whether a failed call's status names the error code (isc_foreign_key, ...).
bool hasError(const Firebird::FbException& e, intptr_t code);
// Whether a failed call lost the connection: the network, or the server shut down.
bool lostConnection(const Firebird::FbException& e);
// Told of every failure that lost the connection of an attachment, on the
// thread that met it (the data module starts its reconnection from here).
void setConnectionLostHandler(std::function<void(Firebird::IAttachment*)> handler);
// Throws the failure as DbError; a lost connection goes to the handler first.
[[noreturn]] void throwDbError(const Firebird::FbException& e, Firebird::IAttachment* att);

// SQL text as UTF-8, the connection's character set; throws DbError naming a
// character no stored text may hold.
QByteArray encodeSql(const QString& sql);

// Connection parameter block: user, password, lc_ctype=UTF8 (plus extras for
// creation); a connect timeout in seconds when not 0.
std::vector<unsigned char> dpb(const QString& user, const QString& password, bool forCreate,
                               bool forcedWrites = true, int connectTimeout = 0);

// A SELECT opened on a transaction, read front to back with every value as text.
class Cursor
{
public:
    Cursor() = default;
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    void open(Firebird::IAttachment* att, Firebird::ITransaction* tra, const QString& sql);
    // Runs a statement that returns at most one row (EXECUTE PROCEDURE) and keeps
    // its output readable through the accessors below.
    void executeSingleton(Firebird::IAttachment* att, Firebird::ITransaction* tra, const QString& sql);
    void close();
    bool isOpen() const { return bool(m_rs); }
    bool next();

    int columnCount() const { return int(m_cols.size()); }
    QString columnName(int i) const { return m_cols[i].name; }
    bool isNull(int i) const;
    QString text(int i) const;
    // Appends the text form to out; with commaQuote, quotes it as comma text needs.
    void appendText(int i, QString& out, bool commaQuote) const;
    QByteArray bytes(int i) const; // blobs and strings as stored
    QDateTime dateTime(
        int i) const; // timestamps as plain date-times (UTC spec, no zone); invalid when NULL or another type

private:
    void prepare(Firebird::IAttachment* att, Firebird::ITransaction* tra, const QString& sql);
    struct Column {
        QString name;
        unsigned type = 0;
        unsigned subType = 0;
        int scale = 0;
        unsigned length = 0;
        // CHAR in UTF-8: the server pads to 4 bytes a character; the value
        // is this many characters (0: the whole length).
        unsigned characters = 0;
        unsigned offset = 0;
        unsigned nullOffset = 0;
    };
    QByteArray blob(const Column& c) const;
    // The one decoding of a non-NULL value, shared by text() and appendText().
    struct ValueText;
    void valueText(const Column& c, ValueText& v) const;
    static qsizetype textBytes(const Column& c, const unsigned char* p);

    Firebird::IAttachment* m_att = nullptr;
    Firebird::ITransaction* m_tra = nullptr;
    Ref<Firebird::IStatement> m_stmt;
    Ref<Firebird::IResultSet> m_rs;
    Ref<Firebird::IMessageMetadata> m_meta;
    std::vector<unsigned char> m_buffer;
    std::vector<Column> m_cols;
};

// Text form of a timestamp: d.m.yyyy, then " h:mm:ss" when the time is not midnight.
QString timestampText(ISC_DATE date, ISC_TIME time);

} // namespace fb
