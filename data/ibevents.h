#pragma once

#include "data/fb.h"

#include <QByteArray>
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

// Listens for one database event. The client library calls back on its own
// thread; the counts are carried to the main thread, where the event is queued
// again and the handler runs when the count changed.
class IbEvents : public QObject
{
    Q_OBJECT
public:
    IbEvents(Firebird::IAttachment* att, const QByteArray& name, std::function<void()> onEvent);
    ~IbEvents() override;

    // Queues the event; the first delivery only takes the counts as they are,
    // so what was posted before start() is not reported. start() after
    // start() begins anew from the counts of that moment.
    void start();
    void stop();

    // Deliveries handled so far, the baseline after queuing included.
    int deliveries() const { return m_deliveries; }

private:
    struct Callback;
    void delivered(const QByteArray& counts, int generace);
    void queue();

    Firebird::IAttachment* m_att;
    QByteArray m_name;
    std::function<void()> m_onEvent;
    unsigned char* m_eventBuffer = nullptr;
    unsigned char* m_resultBuffer = nullptr;
    long m_length = 0;
    fb::Ref<Firebird::IEvents> m_events;
    Callback* m_callback = nullptr;
    bool m_baseline = true;
    std::atomic<int> m_generace{0}; // of the current registration
    int m_deliveries = 0;
};
