#include "ibevents.h"
#include "dblog.h"

#include "data/fb.h"

#include <QMetaObject>
#include <QPointer>
#include <atomic>
#include <cstring>
#include <ibase.h>
#include <mutex>

using namespace Firebird;

// Lives as long as the client library holds it; forwards deliveries to the
// listener while the listener exists.
struct IbEvents::Callback : IEventCallbackImpl<IbEvents::Callback, CheckStatusWrapper> {
    std::atomic<int> refs{1};
    std::mutex mutex;
    IbEvents* owner;

    explicit Callback(IbEvents* o) : owner(o) {}

    void addRef() override { ++refs; }
    int release() override
    {
        if (--refs == 0) {
            delete this;
            return 0;
        }
        return 1;
    }

    void eventCallbackFunction(unsigned length, const unsigned char* events) override
    {
        QByteArray copy(reinterpret_cast<const char*>(events), int(length));
        std::lock_guard<std::mutex> lock(mutex);
        if (owner) {
            // The registration that fires is the current one: a cancelled one never fires again.
            IbEvents* target = owner;
            const int generace = target->m_generace.load();
            QMetaObject::invokeMethod(
                target, [target, copy, generace] { target->delivered(copy, generace); },
                Qt::QueuedConnection);
        }
    }

    void detach()
    {
        std::lock_guard<std::mutex> lock(mutex);
        owner = nullptr;
    }
};

IbEvents::IbEvents(IAttachment* att, const QByteArray& name, std::function<void()> onEvent)
    : m_att(att), m_name(name), m_onEvent(std::move(onEvent))
{
    m_callback = new Callback(this);
}

IbEvents::~IbEvents()
{
    stop();
    m_callback->detach();
    m_callback->release();
    if (m_eventBuffer) isc_free(reinterpret_cast<ISC_SCHAR*>(m_eventBuffer));
    if (m_resultBuffer) isc_free(reinterpret_cast<ISC_SCHAR*>(m_resultBuffer));
}

void IbEvents::start()
{
    ++m_generace;
    // Counts of zero: the first delivery then comes at once with the counts
    // of this moment, the baseline.
    if (m_eventBuffer) isc_free(reinterpret_cast<ISC_SCHAR*>(m_eventBuffer));
    if (m_resultBuffer) isc_free(reinterpret_cast<ISC_SCHAR*>(m_resultBuffer));
    m_eventBuffer = m_resultBuffer = nullptr;
    m_length = isc_event_block(&m_eventBuffer, &m_resultBuffer, 1, m_name.constData());
    m_baseline = true;
    queue();
}

void IbEvents::queue()
{
    fb::Status st(fb::status());
    try {
        m_events.reset(m_att->queEvents(&st, m_callback, unsigned(m_length), m_eventBuffer));
    } catch (const FbException& e) {
        // Connection gone: no further notifications; later reads report the failure.
        qCWarning(orvanDb) << "the change event cannot be queued again:" << fb::errorText(e);
        m_events.reset();
    }
}

void IbEvents::stop()
{
    if (!m_events) return;
    fb::Status st(fb::status());
    try {
        // A successful cancel releases the interface itself.
        m_events.end([&](IEvents* e) { e->cancel(&st); });
    } catch (const FbException& e) {
        qCInfo(orvanDb) << "cancelling the change event:" << fb::errorText(e);
        m_events.reset();
    }
}

void IbEvents::delivered(const QByteArray& counts, int generace)
{
    // Length 0: cancelled or the server went away; do not queue again. A
    // delivery of a registration since replaced is stale.
    if (counts.isEmpty() || !m_events || generace != m_generace.load()) return;
    ++m_deliveries;
    std::memcpy(m_resultBuffer, counts.constData(), std::min<qsizetype>(counts.size(), m_length));
    ISC_ULONG vector[20] = {};
    isc_event_counts(vector, short(m_length), m_eventBuffer, m_resultBuffer);
    m_events.reset(); // delivered: this registration has ended
    queue();
    if (m_baseline) {
        m_baseline = false;
        return;
    }
    if (vector[0] != 0 && m_onEvent) m_onEvent();
}
