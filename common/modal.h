#pragma once

#include <functional>

// While a message box or dialog of the program is open, work that would change
// what the user is looking at (a reload after another workstation's change)
// waits until the box closes, so that a confirmed action acts on what was shown.
namespace modal
{

// Raised for the lifetime of an open box or dialog; nests.
class Scope
{
public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
};

bool isOpen();

// Runs `work` now when no box is open. Otherwise it waits and runs from the
// event loop once the last box has closed; further calls for the same owner
// while it waits are merged into that one run.
void whenClosed(const void* owner, std::function<void()> work);
// Drops the waiting work of an owner that goes away.
void forget(const void* owner);

} // namespace modal
