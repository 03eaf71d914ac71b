// The outline commands run host commands quietly: CMDECHO is 0 from their start and 1 again when they end, on
// every path (also when the selection is empty or the user declines).
#pragma once

#include "frame/sysvars.h"

class CommandEchoOff {
public:
    CommandEchoOff() { setSysVarShort(L"cmdecho", 0); }
    ~CommandEchoOff() { setSysVarShort(L"cmdecho", 1); }
    CommandEchoOff(const CommandEchoOff&) = delete;
    CommandEchoOff& operator=(const CommandEchoOff&) = delete;
};
