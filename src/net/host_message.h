// The host notification: a program that registered a window and a message
// number with the agent hears about its steps (codes 40 to 43, 50, 51).
#pragma once

#include <windows.h>

// Registers the host; a window or message of 0 ends the notifications.
void SetHostWindow(HWND window, UINT message);
// Posts the registered message to the registered window when both are set.
void PostHostMessage(WPARAM wparam, LPARAM lparam);
