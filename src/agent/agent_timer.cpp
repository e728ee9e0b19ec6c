// The agent's timer tick. This build has no update cycle yet: an agent copy
// that starts ends on its first tick, so that no hidden agent is left
// running without work, and then removes itself as usual.
#include "agent/agent_timer.h"

#include <windows.h>

#include "startup/main_window.h"
#include "util/agent_log.h"
#include "util/trace.h"

void AgentTimerTick() {
  ::KillTimer(MainWindow().window, 1);
  Trace(TracePid() + " ==== AgentTimerTick: no update cycle in this build");
  WriteAgentLog("AgentTimerTick: no update cycle in this build");
  DestroyMainWindow();
}
