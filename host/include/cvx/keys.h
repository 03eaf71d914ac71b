// Key states. The host's input sources (terminal, scripts, a window) report keys with cvxSetKeyDown;
// module code asks with GetKeyState, whose result is negative while the key is down.
#pragma once

#include "cvx/win.h"

#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12  // Alt
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20

SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);

// Key codes outside 0..255 are ignored.
void cvxSetKeyDown(int virtualKey, bool down);
