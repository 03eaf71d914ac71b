// What the module calls itself: its version label and the registry key of its settings.
#pragma once

#include "cvx/status.h"

// The version shown in the load message and the caption of message boxes.
inline constexpr const ACHAR* kVersionLabel = L"V1.10";
// Settings under HKEY_CURRENT_USER.
inline constexpr const ACHAR* kProductKey = L"Software\\Tarnwick\\Curvix";
// The command group every command is registered in.
inline constexpr const ACHAR* kCommandGroup = L"Curvix";
