#pragma once

#include "messages.h"

// Shows the program's messages in real message boxes.
class MessageBoxSink : public messages::Sink {
public:
    void error(const QString& text) override;
    bool confirm(const QString& text) override;
};
