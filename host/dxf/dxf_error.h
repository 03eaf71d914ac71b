// The error a damaged drawing file raises while it is read: a message naming the line and the reason.
#pragma once

#include <cstdint>
#include <string>

struct DxfError {
    std::string message;
};

[[noreturn]] inline void dxfFail(uint32_t line, const std::string& reason) {
    throw DxfError{"line " + std::to_string(line) + ": " + reason};
}

// A value quoted for a message, cut when long.
inline std::string dxfQuote(std::string_view v) {
    std::string s(v.substr(0, 40));
    if (v.size() > 40) s += "...";
    return "'" + s + "'";
}
