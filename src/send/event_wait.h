#pragma once

#include <chrono>
#include <functional>

// Waits that keep the user-interface thread's event loop running, so every window stays
// painted and the desktop keeps seeing a responsive program. Callers block user input
// themselves (a modal notice) when the wait must not take any.

// Runs `work` on a thread of its own and returns when it has ended; an exception it throws is
// thrown again here.
void RunOffThread(const std::function<void()>& work);

// Returns after `duration`.
void WaitFor(std::chrono::milliseconds duration);
