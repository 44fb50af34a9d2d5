#include "modal.h"

#include <QCoreApplication>
#include <QTimer>
#include <utility>
#include <vector>

namespace modal
{
namespace
{

struct State {
    int depth = 0;
    std::vector<std::pair<const void*, std::function<void()>>> waiting;
};

State& state()
{
    static State s;
    return s;
}

void runWaiting()
{
    State& s = state();
    if (s.depth > 0) return; // another box opened meanwhile; its close runs them
    auto work = std::exchange(s.waiting, {});
    for (auto& [owner, f] : work)
        f();
}

} // namespace

Scope::Scope()
{
    ++state().depth;
}

Scope::~Scope()
{
    State& s = state();
    if (--s.depth > 0 || s.waiting.empty()) return;
    // From the event loop: the code that asked the box finishes first.
    if (auto* app = QCoreApplication::instance())
        QTimer::singleShot(0, app, runWaiting);
    else
        runWaiting();
}

bool isOpen()
{
    return state().depth > 0;
}

void whenClosed(const void* owner, std::function<void()> work)
{
    State& s = state();
    if (s.depth == 0) {
        work();
        return;
    }
    for (const auto& w : s.waiting)
        if (w.first == owner) return;
    s.waiting.emplace_back(owner, std::move(work));
}

void forget(const void* owner)
{
    auto& w = state().waiting;
    std::erase_if(w, [owner](const auto& e) { return e.first == owner; });
}

} // namespace modal
