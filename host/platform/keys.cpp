#include "cvx/keys.h"

#include <atomic>

namespace {
std::atomic<bool> gDown[256];
}

SHORT GetKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255)
        return 0;
    return gDown[virtualKey].load() ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }

void cvxSetKeyDown(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey <= 255)
        gDown[virtualKey].store(down);
}
