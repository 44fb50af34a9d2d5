#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The program's two kinds of message box: an error box with OK and a Yes/No
// confirmation. Logic code calls these; the widget layer installs the real
// boxes. Tests answer in advance and read what was shown.
namespace messages
{

// Which answer Enter gives. A question that guards the user's input against
// loss ("Chcete data uložit ?") defaults to Yes; one that destroys something
// ("Opravdu chcete smazat ...") to No.
enum class Default { No, Yes };

class Sink
{
public:
    virtual ~Sink() = default;
    virtual void error(const QString& text) = 0;
    virtual bool confirm(const QString& text, Default d) = 0;
    // A question with buttons of its own; the index of the chosen one.
    // Enter gives `vychozi`, Esc and closing the box `zpet`.
    virtual int choose(const QString& text, const QStringList& tlacitka, int vychozi, int zpet) = 0;
    // A result to read (counts of an import), not a failure; `details` below it.
    virtual void info(const QString& text, const QString& details) { errorWithDetails(text, details); }
    // An error with further text for those who look (the server's own words).
    virtual void errorWithDetails(const QString& text, const QString& details)
    {
        (void)details;
        error(text);
    }
};

void setSink(Sink* sink); // nullptr: texts go to stderr, confirmations answer No

void error(const QString& text);
void error(const QString& text, const QString& details);
bool confirm(const QString& text, Default d = Default::No);
void info(const QString& text, const QString& details = QString());
// The question with its buttons (see Sink::choose); without a sink `zpet`.
int choose(const QString& text, const QStringList& tlacitka, int vychozi, int zpet);

// Test hooks: while recording, no box is shown; texts are collected and
// confirmations take the queued answers (No when the queue is empty).
// `whileOpen` runs while the box counts as open, before it is answered.
void startRecording();
void stopRecording();
void queueAnswer(bool yes, std::function<void()> whileOpen = {});
// The button a `choose` question gets (an empty queue gives its `zpet`).
void queueChoice(int index, std::function<void()> whileOpen = {});
QStringList takeShown();

} // namespace messages
