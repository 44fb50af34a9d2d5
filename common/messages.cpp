#include "messages.h"

#include "modal.h"

#include <QQueue>
#include <cstdio>

namespace messages
{
namespace
{

struct Answer {
    bool yes;
    std::function<void()> whileOpen;
    int choice = -1;
};

struct State {
    Sink* sink = nullptr;
    bool recording = false;
    QStringList shown;
    QQueue<Answer> answers;
};

State& state()
{
    static State s;
    return s;
}

} // namespace

void setSink(Sink* sink)
{
    state().sink = sink;
}

namespace
{

// A box that only tells: recorded in tests, shown through the sink, or on
// stderr without one; change events wait while it is open.
template <typename F> void ukaz(const QString& text, const QString& details, F&& sink)
{
    State& s = state();
    const modal::Scope open;
    if (s.recording) {
        s.shown << text;
        return;
    }
    if (s.sink)
        sink(*s.sink);
    else if (details.isEmpty())
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    else
        std::fprintf(stderr, "%s\n%s\n", text.toLocal8Bit().constData(), details.toLocal8Bit().constData());
}

} // namespace

void error(const QString& text)
{
    ukaz(text, QString(), [&](Sink& sink) { sink.error(text); });
}

void error(const QString& text, const QString& details)
{
    ukaz(text, details, [&](Sink& sink) { sink.errorWithDetails(text, details); });
}

void info(const QString& text, const QString& details)
{
    ukaz(text, details, [&](Sink& sink) { sink.info(text, details); });
}

bool confirm(const QString& text, Default d)
{
    State& s = state();
    const modal::Scope open;
    if (s.recording) {
        s.shown << text;
        if (s.answers.isEmpty()) return false;
        const Answer a = s.answers.dequeue();
        if (a.whileOpen) a.whileOpen();
        return a.yes;
    }
    if (s.sink) return s.sink->confirm(text, d);
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return false;
}

int choose(const QString& text, const QStringList& tlacitka, int vychozi, int zpet)
{
    State& s = state();
    const modal::Scope open;
    if (s.recording) {
        s.shown << text;
        if (s.answers.isEmpty()) return zpet;
        const Answer a = s.answers.dequeue();
        if (a.whileOpen) a.whileOpen();
        return a.choice >= 0 && a.choice < tlacitka.size() ? a.choice : zpet;
    }
    if (s.sink) return s.sink->choose(text, tlacitka, vychozi, zpet);
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return zpet;
}

void startRecording()
{
    State& s = state();
    s.recording = true;
    s.shown.clear();
    s.answers.clear();
}

void stopRecording()
{
    State& s = state();
    s.recording = false;
    s.answers.clear();
}

void queueAnswer(bool yes, std::function<void()> whileOpen)
{
    state().answers.enqueue({yes, std::move(whileOpen)});
}

void queueChoice(int index, std::function<void()> whileOpen)
{
    state().answers.enqueue({false, std::move(whileOpen), index});
}

QStringList takeShown()
{
    QStringList out;
    out.swap(state().shown);
    return out;
}

} // namespace messages
