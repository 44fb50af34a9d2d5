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

void error(const QString& text)
{
    State& s = state();
    const modal::Scope open;
    if (s.recording) {
        s.shown << text;
        return;
    }
    if (s.sink)
        s.sink->error(text);
    else
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void error(const QString& text, const QString& details)
{
    State& s = state();
    if (s.recording) {
        s.shown << text;
        return;
    }
    if (s.sink)
        s.sink->errorWithDetails(text, details);
    else
        std::fprintf(stderr, "%s\n%s\n", text.toLocal8Bit().constData(), details.toLocal8Bit().constData());
}

void info(const QString& text, const QString& details)
{
    State& s = state();
    const modal::Scope open;
    if (s.recording) {
        s.shown << text;
        return;
    }
    if (s.sink)
        s.sink->info(text, details);
    else
        std::fprintf(stderr, "%s\n%s\n", text.toLocal8Bit().constData(), details.toLocal8Bit().constData());
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
