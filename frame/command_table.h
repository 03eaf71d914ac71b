// The module's commands, in the order they are registered.
#pragma once

#include <array>

#include "cvx/editor.h"

struct CommandEntry {
    const ACHAR* globalName;
    const ACHAR* localName;
    bool demandLoaded;  // written to the host's demand-load entries
    AcRxFunctionPtr function;
};

inline constexpr int kCommandCount = 53;
const std::array<CommandEntry, kCommandCount>& commandTable();

// Registers every command in the group "Curvix", in table order.
void registerCommands();
