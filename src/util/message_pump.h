// Waits that keep the program's windows alive: long operations on the GUI
// thread dispatch the thread's window messages while they work or wait.
// Window procedures are re-entered from inside these calls.
#pragma once

#include <cstdint>

// Dispatches every message waiting in the thread's queue and returns without
// sleeping. A quit message ends the pass and is posted again, so that it
// still reaches the program's message loop.
void PumpPendingMessages();

// Dispatches the waiting messages, then sleeps `ms` milliseconds.
void YieldX(uint32_t ms);

// Waits `ms` milliseconds while dispatching messages every `interval`
// milliseconds (0: a tenth of the wait, from 1 to 25). The queue is
// dispatched at least once, even for a wait of 0.
void WaitPumping(uint32_t interval, int64_t ms);
