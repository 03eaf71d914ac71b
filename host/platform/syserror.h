// The Windows error code that stands for a C library error number.
#pragma once

#include <cerrno>

#include "cvx/win.h"

namespace cvx {

inline DWORD errorFromErrno(int e) {
    switch (e) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_FILE_EXISTS;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    default: return ERROR_WRITE_FAULT;
    }
}

// Sets the thread's last error from errno and returns FALSE, for failing calls.
inline BOOL failFromErrno() {
    SetLastError(errorFromErrno(errno));
    return FALSE;
}

}  // namespace cvx
