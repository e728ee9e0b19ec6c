// The agent's timer tick on the main window.
#pragma once

// Runs on every tick of the agent's main window.
void AgentTimerTick();
