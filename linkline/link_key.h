// Keys of the reactor objects in the drawing's "CVX_DICT" dictionary.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// The dictionary of the named-objects dictionary that holds every LinkLineToNotify object.
inline constexpr const wchar_t* kLinkDictionary = L"CVX_DICT";

// A GUID's 16 bytes written as "{C-XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" and cut to its first 38 characters.
std::wstring linkKeyOf(const std::array<uint8_t, 16>& guid);
// A key from a fresh random GUID (version 4).
std::wstring newLinkKey();
