#include "data/fb.h"

#include <gtest/gtest.h>
#include <ibase.h>

namespace
{

// An event registration that counts how often it is released. Like the client
// library's, a successful cancel releases it; a failed one leaves it held.
class CountingEvents : public Firebird::IEventsImpl<CountingEvents, Firebird::ThrowStatusWrapper>
{
public:
    CountingEvents(int& releases, bool cancelFails) : m_releases(releases), m_cancelFails(cancelFails) {}
    void addRef() override {}
    int release() override
    {
        ++m_releases;
        return 0;
    }
    void cancel(Firebird::ThrowStatusWrapper* status) override
    {
        if (m_cancelFails) {
            static const ISC_STATUS lost[] = {isc_arg_gds, isc_network_error, isc_arg_end};
            status->setErrors(lost);
            return;
        }
        release();
    }

private:
    int& m_releases;
    bool m_cancelFails;
};

// Every way a handle ends gives the interface back exactly once.
TEST(FirebirdHandles, EveryInterfaceIsReleasedExactlyOnce)
{
    const struct {
        const char* what;
        bool cancel;
        bool cancelFails;
    } cases[] = {
        {"dropped without a cancel", false, false},
        {"cancelled (the cancel releases it)", true, false},
        {"cancel failed (connection lost)", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int releases = 0;
        CountingEvents events(releases, c.cancelFails);
        {
            fb::Ref<Firebird::IEvents> handle(&events);
            if (c.cancel) {
                fb::Status st(fb::status());
                try {
                    handle.end([&](Firebird::IEvents* e) { e->cancel(&st); });
                    EXPECT_FALSE(c.cancelFails);
                } catch (const Firebird::FbException&) {
                    EXPECT_TRUE(c.cancelFails);
                }
            }
        }
        EXPECT_EQ(releases, 1);
    }
}

} // namespace
