// The error a damaged drawing file raises while it is read: a message naming the line and the reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "ge/utf8.h"

struct DxfError {
    std::string message;
};

[[noreturn]] inline void dxfFail(uint32_t line, const std::string& reason) {
    throw DxfError{"line " + std::to_string(line) + ": " + reason};
}

// A value quoted for a message, cut when long; control characters and bytes that are not UTF-8 are shown as
// \xNN, so the message stays printable text whatever the file holds.
inline std::string dxfQuote(std::string_view v) {
    std::string_view head = v.substr(0, 40);
    std::string s = "'";
    for (size_t i = 0; i < head.size();) {
        size_t start = i;
        char32_t c = cvxUtf8Next(head, i);
        bool invalid = c == 0xFFFD && head.substr(start, i - start) != "\xEF\xBF\xBD";
        if (invalid || c < 0x20 || c == 0x7F) {
            for (size_t k = start; k < i; ++k) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(head[k]));
                s += hex;
            }
        } else {
            s.append(head.substr(start, i - start));
        }
    }
    if (v.size() > 40) s += "...";
    return s + "'";
}
