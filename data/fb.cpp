#include "data/fb.h"
#include "dblog.h"

#include "common/cp1250.h"
#include "common/platnytext.h"
#include "dberror.h"

#include <QDate>
#include <algorithm>
#include <cstring>
#include <ibase.h>

using namespace Firebird;

namespace fb
{

namespace
{
// RDB$CHARACTER_SETS; a column's number carries its collation in the byte above.
constexpr unsigned kUtf8CharSet = 4;
} // namespace

IMaster* master()
{
    static IMaster* m = fb_get_master_interface();
    return m;
}

IUtil* util()
{
    return master()->getUtilInterface();
}

IStatus* status()
{
    // One status object per thread, reused by every call (wrapped per call).
    thread_local IStatus* s = master()->getStatus();
    return s;
}

QString errorText(const FbException& e)
{
    char buf[2048];
    util()->formatStatus(buf, sizeof buf, e.getStatus());
    const QByteArray raw(buf);
    auto utf = QString::fromUtf8(raw);
    // Server texts are ASCII or the connection's code page.
    return utf.contains(QChar::ReplacementCharacter) ? cp1250::decode(raw) : utf;
}

bool hasError(const FbException& e, intptr_t code)
{
    // The vector is a sequence of (argument kind, value) pairs ending with isc_arg_end.
    for (const intptr_t* v = e.getStatus()->getErrors(); v && *v != isc_arg_end; v += 2)
        if (*v == isc_arg_gds && v[1] == code) return true;
    return false;
}

bool lostConnection(const FbException& e)
{
    for (const intptr_t code :
         {isc_network_error, isc_net_read_err, isc_net_write_err, isc_conn_lost, isc_lost_db_connection,
          isc_att_shutdown, isc_shutdown, isc_net_server_shutdown})
        if (hasError(e, code)) return true;
    return false;
}

namespace
{
std::function<void(IAttachment*)>& lostHandler()
{
    static std::function<void(IAttachment*)> h;
    return h;
}
} // namespace

void setConnectionLostHandler(std::function<void(IAttachment*)> handler)
{
    lostHandler() = std::move(handler);
}

void throwDbError(const FbException& e, IAttachment* att)
{
    const QString msg = errorText(e);
    if (lostConnection(e) && lostHandler()) {
        lostHandler()(att);
        throw DbError(msg, true);
    }
    throw DbError(msg);
}

QByteArray encodeSql(const QString& sql)
{
    // The connection speaks UTF-8. A character no stored text may hold (NUL
    // among them) is refused here, not left to the server's parser.
    QByteArray out;
    char32_t bad = 0;
    if (!platnytext::Zakoduj(sql, out, &bad)) throw DbError(platnytext::Zprava(bad));
    return out;
}

std::vector<unsigned char> dpb(const QString& user, const QString& password, bool forCreate,
                               bool forcedWrites, int connectTimeout)
{
    Status st(status());
    const QByteArray u = encodeSql(user), p = encodeSql(password);
    Ref<IXpbBuilder> b(util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0));
    b->insertString(&st, isc_dpb_user_name, u.constData());
    b->insertString(&st, isc_dpb_password, p.constData());
    b->insertString(&st, isc_dpb_lc_ctype, "UTF8");
    if (connectTimeout > 0) b->insertInt(&st, isc_dpb_connect_timeout, connectTimeout);
    if (forCreate) {
        b->insertInt(&st, isc_dpb_sql_dialect, 1);
        // Created as the first schema was; the upgrade steps turn it to UTF-8.
        b->insertString(&st, isc_dpb_set_db_charset, "WIN1250");
        b->insertInt(&st, isc_dpb_page_size, 8192);
        b->insertInt(&st, isc_dpb_force_write, forcedWrites ? 1 : 0);
    }
    const unsigned len = b->getBufferLength(&st);
    const unsigned char* data = b->getBuffer(&st);
    return std::vector<unsigned char>(data, data + len);
}

Cursor::~Cursor()
{
    close();
}

void Cursor::close()
{
    Status st(status());
    try {
        m_rs.end([&](IResultSet* rs) { rs->close(&st); });
    } catch (const FbException& e) {
        // A lost connection: the result set is released below instead.
        qCInfo(orvanDb) << "closing a cursor:" << errorText(e);
    }
    m_rs.reset();
    m_stmt.reset();
    m_meta.reset();
    m_cols.clear();
}

void Cursor::prepare(IAttachment* att, ITransaction* tra, const QString& sql)
{
    close();
    m_att = att;
    m_tra = tra;
    const QByteArray text = encodeSql(sql);
    Status st(status());
    m_stmt.reset(
        att->prepare(&st, tra, text.size(), text.constData(), 1, IStatement::PREPARE_PREFETCH_METADATA));
    m_meta.reset(m_stmt->getOutputMetadata(&st));
    const unsigned n = m_meta->getCount(&st);
    m_cols.resize(n);
    for (unsigned i = 0; i < n; ++i) {
        Column& c = m_cols[i];
        c.name = QString::fromUtf8(m_meta->getAlias(&st, i));
        c.type = m_meta->getType(&st, i) & ~1u;
        c.subType = m_meta->getSubType(&st, i);
        c.scale = m_meta->getScale(&st, i);
        c.length = m_meta->getLength(&st, i);
        if (c.type == SQL_TEXT && (m_meta->getCharSet(&st, i) & 0xFFu) == kUtf8CharSet)
            c.characters = c.length / 4;
        c.offset = m_meta->getOffset(&st, i);
        c.nullOffset = m_meta->getNullOffset(&st, i);
    }
    m_buffer.assign(m_meta->getMessageLength(&st), 0);
}

void Cursor::open(IAttachment* att, ITransaction* tra, const QString& sql)
{
    try {
        prepare(att, tra, sql);
        Status st(status());
        m_rs.reset(m_stmt->openCursor(&st, tra, nullptr, nullptr, m_meta.get(), 0));
    } catch (const FbException& e) {
        close();
        throwDbError(e, att);
    }
}

void Cursor::executeSingleton(IAttachment* att, ITransaction* tra, const QString& sql)
{
    try {
        prepare(att, tra, sql);
        Status st(status());
        m_stmt->execute(&st, tra, nullptr, nullptr, m_meta.get(), m_buffer.data());
    } catch (const FbException& e) {
        close();
        throwDbError(e, att);
    }
}

QDateTime Cursor::dateTime(int i) const
{
    if (isNull(i) || m_cols[i].type != SQL_TIMESTAMP) return QDateTime();
    ISC_TIMESTAMP v;
    std::memcpy(&v, m_buffer.data() + m_cols[i].offset, sizeof v);
    const QDate d = QDate::fromJulianDay(qint64(v.timestamp_date) + 2400001);
    // A timestamp column holds a wall-clock value without a zone: kept as such,
    // so no local-time gap or repeat can shift or void it.
    return QDateTime(d, QTime::fromMSecsSinceStartOfDay(int(v.timestamp_time / 10)), Qt::UTC);
}

bool Cursor::next()
{
    if (!m_rs) return false;
    Status st(status());
    try {
        const bool ok = m_rs->fetchNext(&st, m_buffer.data()) == IStatus::RESULT_OK;
        return ok;
    } catch (const FbException& e) {
        throwDbError(e, m_att);
    }
}

bool Cursor::isNull(int i) const
{
    return *reinterpret_cast<const short*>(m_buffer.data() + m_cols[i].nullOffset) != 0;
}

namespace
{

// ASCII text of a number, date or time formed on the stack, so that decoding
// a value allocates nothing but its QString.
struct AsciiText {
    char buf[64];
    int n = 0;

    void put(char c) { buf[n++] = c; }
    void putUnsigned(quint64 v)
    {
        char rev[24];
        int k = 0;
        do {
            rev[k++] = char('0' + v % 10);
            v /= 10;
        } while (v);
        while (k)
            put(rev[--k]);
    }
    void putSigned(qint64 v)
    {
        if (v < 0) {
            put('-');
            putUnsigned(quint64(-(v + 1)) + 1);
        } else {
            putUnsigned(quint64(v));
        }
    }
    void put2(unsigned v)
    {
        put(char('0' + v / 10));
        put(char('0' + v % 10));
    }
};

// An integer column with a negative scale as a decimal: 1234 at scale -2 is "12.34".
void putScaled(AsciiText& a, qint64 v, int scale)
{
    if (scale >= 0) {
        a.putSigned(v);
        return;
    }
    const int frac = std::min(-scale, 38);
    quint64 m = v < 0 ? quint64(-(v + 1)) + 1 : quint64(v);
    char rev[48];
    int k = 0;
    do {
        rev[k++] = char('0' + m % 10);
        m /= 10;
    } while (m);
    while (k < frac + 1)
        rev[k++] = '0';
    if (v < 0) a.put('-');
    while (k) {
        if (k == frac) a.put('.');
        a.put(rev[--k]);
    }
}

// Civil date of an ISC_DATE (days since 17.11.1858) without going through QDate.
inline void civil(ISC_DATE date, int& y, unsigned& m, unsigned& d)
{
    const qint64 days = qint64(date) + 678881; // days since 1.3.0000 (proleptic Gregorian)
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned doe = unsigned(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = int(yoe + era * 400 + (m <= 2));
}

void putTimestamp(AsciiText& a, ISC_DATE date, ISC_TIME time)
{
    int y;
    unsigned m, d;
    civil(date, y, m, d);
    a.putUnsigned(d);
    a.put('.');
    a.putUnsigned(m);
    a.put('.');
    a.putSigned(y);
    const unsigned secs = time / ISC_TIME_SECONDS_PRECISION;
    if (secs != 0) {
        a.put(' ');
        a.putUnsigned(secs / 3600);
        a.put(':');
        a.put2(secs / 60 % 60);
        a.put(':');
        a.put2(secs % 60);
    }
}

void putTime(AsciiText& a, ISC_TIME time)
{
    const unsigned secs = time / ISC_TIME_SECONDS_PRECISION;
    a.putUnsigned(secs / 3600);
    a.put(':');
    a.put2(secs / 60 % 60);
    a.put(':');
    a.put2(secs % 60);
}

template <typename T> T load(const unsigned char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void appendBytes(QString& out, const char* p, qsizetype n, bool commaQuote)
{
    bool quote = false;
    if (commaQuote) {
        for (qsizetype i = 0; i < n; ++i) {
            const auto b = static_cast<unsigned char>(p[i]);
            if (b <= 32 || b == '"' || b == ',') {
                quote = true;
                break;
            }
        }
    }
    if (!quote) {
        platnytext::PripojUtf8(out, p, n);
        return;
    }
    out += QLatin1Char('"');
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == '"') {
            platnytext::PripojUtf8(out, p + from, i + 1 - from);
            out += QLatin1Char('"');
            from = i + 1;
        }
    }
    platnytext::PripojUtf8(out, p + from, n - from);
    out += QLatin1Char('"');
}

} // namespace

// One value's text before it becomes a QString: UTF-8 bytes (in the
// row buffer, in a blob, or ASCII formed here), or a floating-point number
// already formatted by Qt. Not copyable: data may point into ascii.
struct Cursor::ValueText {
    enum Form { None, Bytes, Formatted } form = None;
    const char* data = nullptr;
    qsizetype size = 0;
    QString formatted;
    QByteArray blob;
    AsciiText ascii;

    ValueText() = default;
    ValueText(const ValueText&) = delete;
    ValueText& operator=(const ValueText&) = delete;

    void bytes(const void* p, qsizetype n)
    {
        form = Bytes;
        data = static_cast<const char*>(p);
        size = n;
    }
    void fromAscii() { bytes(ascii.buf, ascii.n); }
};

// The bytes of a CHAR value: in UTF-8 its characters without the padding
// that fills the rest of its four bytes a character.
qsizetype Cursor::textBytes(const Column& c, const unsigned char* p)
{
    if (c.characters == 0) return c.length;
    qsizetype i = 0;
    for (unsigned n = 0; n < c.characters && i < qsizetype(c.length); ++n) {
        const unsigned char b = p[i];
        i += b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    }
    return std::min<qsizetype>(i, c.length);
}

void Cursor::valueText(const Column& c, ValueText& v) const
{
    const unsigned char* p = m_buffer.data() + c.offset;
    switch (c.type) {
    case SQL_VARYING:
        v.bytes(p + 2, load<unsigned short>(p));
        return;
    case SQL_TEXT:
        v.bytes(p, textBytes(c, p));
        return;
    case SQL_SHORT:
        putScaled(v.ascii, load<short>(p), c.scale);
        break;
    case SQL_LONG:
        putScaled(v.ascii, load<ISC_LONG>(p), c.scale);
        break;
    case SQL_INT64:
        putScaled(v.ascii, load<ISC_INT64>(p), c.scale);
        break;
    case SQL_FLOAT:
        v.form = ValueText::Formatted;
        v.formatted = QString::number(double(load<float>(p)), 'g', 7);
        return;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        // Already scaled by the server in dialect 1.
        v.form = ValueText::Formatted;
        v.formatted = QString::number(load<double>(p), 'g', 15);
        return;
    case SQL_TIMESTAMP: {
        const auto t = load<ISC_TIMESTAMP>(p);
        putTimestamp(v.ascii, t.timestamp_date, t.timestamp_time);
        break;
    }
    case SQL_TYPE_DATE:
        putTimestamp(v.ascii, load<ISC_DATE>(p), 0);
        break;
    case SQL_TYPE_TIME:
        putTime(v.ascii, load<ISC_TIME>(p));
        break;
    case SQL_BOOLEAN:
        v.ascii.put(*p ? '1' : '0');
        break;
    case SQL_BLOB:
        v.blob = blob(c);
        v.bytes(v.blob.constData(), v.blob.size());
        return;
    default:
        return;
    }
    v.fromAscii();
}

void Cursor::appendText(int i, QString& out, bool commaQuote) const
{
    if (isNull(i)) return;
    const Column& c = m_cols[i];
    if (c.type == SQL_VARYING) {
        // Most values of a list: straight from the row buffer.
        const unsigned char* p = m_buffer.data() + c.offset;
        appendBytes(out, reinterpret_cast<const char*>(p + 2), load<unsigned short>(p), commaQuote);
        return;
    }
    ValueText v;
    valueText(m_cols[i], v);
    if (v.form == ValueText::Bytes)
        appendBytes(out, v.data, v.size, commaQuote);
    else if (v.form == ValueText::Formatted)
        out += v.formatted; // digits, sign, point and exponent: never quoted
}

QString timestampText(ISC_DATE date, ISC_TIME time)
{
    AsciiText a;
    putTimestamp(a, date, time);
    return QString::fromLatin1(a.buf, a.n);
}

QString Cursor::text(int i) const
{
    if (isNull(i)) return QString();
    ValueText v;
    valueText(m_cols[i], v);
    switch (v.form) {
    case ValueText::Bytes:
        return QString::fromUtf8(v.data, v.size);
    case ValueText::Formatted:
        return v.formatted;
    default:
        return QString();
    }
}

QByteArray Cursor::bytes(int i) const
{
    if (isNull(i)) return QByteArray();
    const Column& c = m_cols[i];
    const unsigned char* p = m_buffer.data() + c.offset;
    switch (c.type) {
    case SQL_BLOB:
        return blob(c);
    case SQL_VARYING: {
        unsigned short len;
        std::memcpy(&len, p, 2);
        return QByteArray(reinterpret_cast<const char*>(p + 2), len);
    }
    case SQL_TEXT:
        return QByteArray(reinterpret_cast<const char*>(p), textBytes(c, p));
    default: {
        QByteArray out;
        out = text(i).toUtf8();
        return out;
    }
    }
}

QByteArray Cursor::blob(const Column& c) const
{
    ISC_QUAD id;
    std::memcpy(&id, m_buffer.data() + c.offset, sizeof id);
    Status st(status());
    QByteArray out;
    try {
        Ref<IBlob> b(m_att->openBlob(&st, m_tra, &id, 0, nullptr));
        char chunk[32768];
        for (;;) {
            unsigned got = 0;
            const int r = b->getSegment(&st, sizeof chunk, chunk, &got);
            if (r == IStatus::RESULT_OK || r == IStatus::RESULT_SEGMENT)
                out.append(chunk, got);
            else
                break;
        }
        b.end([&](IBlob* blob) { blob->close(&st); });
    } catch (const FbException& e) {
        throw DbError(errorText(e));
    }
    return out;
}

} // namespace fb
