#pragma once

#include "common/messages.h"

// Shows the program's messages in real message boxes. A common server failure
// gets a short Czech sentence, with the full text under the box's details.
// Every error is also written to stderr, for the log of a session.
class MessageBoxSink : public messages::Sink
{
public:
    void error(const QString& text) override;
    void errorWithDetails(const QString& text, const QString& details) override;
    bool confirm(const QString& text, messages::Default d) override;
    void info(const QString& text, const QString& details) override;
    int choose(const QString& text, const QStringList& tlacitka, int vychozi, int zpet) override;
};
