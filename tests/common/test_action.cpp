#include "common/action.h"

#include <gtest/gtest.h>

namespace
{

// Every kind of failure ends the action with a message; none ends the program.
TEST(RunAction, EveryFailureBecomesAMessage)
{
    struct Case {
        std::function<void()> action;
        const char* shown;
    };
    const Case cases[] = {
        {[] { throw ActionError(QStringLiteral("Záznam nebyl nalezen.")); }, "Záznam nebyl nalezen."},
        {[] { throw std::runtime_error("disk full"); }, "disk full"},
        {[] { throw 42; }, "Akce skončila neočekávanou chybou."},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(runAction(c.action));
        EXPECT_EQ(messages::takeShown(), QStringList{QString::fromUtf8(c.shown)});
    }
    EXPECT_TRUE(runAction([] {}));
    EXPECT_TRUE(messages::takeShown().isEmpty());
}

} // namespace
