// The module's commands, in the order they are registered.
#pragma once

#include <array>

#include "cvx/editor.h"

struct CommandEntry {
    const ACHAR* globalName;
    const ACHAR* localName;
    bool demandLoaded;         // written to the host's demand-load entries
    AcRxFunctionPtr function;  // null: the tool is not part of this build
};

inline constexpr int kCommandCount = 53;
const std::array<CommandEntry, kCommandCount>& commandTable();

// The function registered for a command: its own, or one that says the tool is not in this build.
AcRxFunctionPtr commandFunction(int index);

// Registers every command in the group "Curvix", in table order.
void registerCommands();
