#include "messages.h"

#include <QQueue>
#include <cstdio>

namespace messages {
namespace {

struct State {
    Sink* sink = nullptr;
    bool recording = false;
    QStringList shown;
    QQueue<bool> answers;
};

State& state()
{
    static State s;
    return s;
}

} // namespace

void setSink(Sink* sink) { state().sink = sink; }

void error(const QString& text)
{
    State& s = state();
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

bool confirm(const QString& text)
{
    State& s = state();
    if (s.recording) {
        s.shown << text;
        return s.answers.isEmpty() ? false : s.answers.dequeue();
    }
    if (s.sink)
        return s.sink->confirm(text);
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return false;
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

void queueAnswer(bool yes) { state().answers.enqueue(yes); }

QStringList takeShown()
{
    QStringList out;
    out.swap(state().shown);
    return out;
}

} // namespace messages
