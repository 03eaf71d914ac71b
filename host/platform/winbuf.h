// Copying a result string into a caller's buffer the way the Windows calls do.
#pragma once

#include <cwchar>
#include <string_view>

#include "cvx/win.h"

namespace cvx {

// Copies `text` and a terminating zero when they fit in `size` characters and returns the length
// copied; otherwise copies nothing, sets ERROR_INSUFFICIENT_BUFFER and returns the size needed.
inline DWORD copyOrNeeded(std::wstring_view text, LPWSTR buffer, DWORD size) {
    if (!buffer || text.size() + 1 > size) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return static_cast<DWORD>(text.size() + 1);
    }
    wmemcpy(buffer, text.data(), text.size());
    buffer[text.size()] = L'\0';
    return static_cast<DWORD>(text.size());
}

}  // namespace cvx
