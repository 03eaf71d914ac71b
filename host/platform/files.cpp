// Temporary names, deleting files and file status.
#include "cvx/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "cvx/wide.h"
#include "platform/syserror.h"
#include "platform/winbuf.h"

namespace {

std::wstring tempFolder() {
    const char* env = std::getenv("TMPDIR");
    std::string folder = env && *env ? env : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return cvxFromUtf8(folder);
}

// A process-wide sequence started at a value that differs between processes, so that concurrent
// programs rarely try the same names.
UINT nextCandidate() {
    static std::atomic<uint32_t> counter{static_cast<uint32_t>(
        (static_cast<uint64_t>(getpid()) << 16) ^
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()))};
    uint32_t n;
    do {
        n = counter.fetch_add(1) * 2654435761u;  // spread consecutive numbers over the range
    } while (n == 0);
    return n;
}

std::string tempName(const std::string& folder, const std::string& prefix, UINT number) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%04X", number);
    return folder + prefix + hex + ".tmp";
}

}  // namespace

DWORD GetTempPathW(DWORD size, LPWSTR buffer) { return cvx::copyOrNeeded(tempFolder(), buffer, size); }

UINT GetTempFileNameW(LPCWSTR folder, LPCWSTR prefix, UINT unique, LPWSTR out) {
    if (!folder || !*folder || !out) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string dir = cvxNativePath(folder);
    if (dir.back() != '/')
        dir += '/';
    std::string pre = cvxToUtf8(std::wstring(prefix ? prefix : L"").substr(0, 3));
    if (tempName(dir, pre, 0xFFFFFFFFu).size() >= MAX_PATH) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (unique != 0) {
        cvx::copyOrNeeded(cvxFromUtf8(tempName(dir, pre, unique)), out, MAX_PATH);
        return unique;
    }
    for (int attempt = 0; attempt < 100000; ++attempt) {
        UINT n = nextCandidate();
        std::string name = tempName(dir, pre, n);
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            cvx::copyOrNeeded(cvxFromUtf8(name), out, MAX_PATH);
            return n;
        }
        if (errno != EEXIST) {
            cvx::failFromErrno();
            return 0;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return 0;
}

BOOL DeleteFileW(LPCWSTR path) {
    std::string native = cvxNativePath(path);
    if (native.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    struct stat st;
    if (stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return unlink(native.c_str()) == 0 ? TRUE : cvx::failFromErrno();
}

BOOL CFile::GetStatus(LPCWSTR path, CFileStatus& status) {
    std::string native = cvxNativePath(path);
    struct stat st;
    if (native.empty() || stat(native.c_str(), &st) != 0) {
        SetLastError(native.empty() ? ERROR_INVALID_PARAMETER : cvx::errorFromErrno(errno));
        return FALSE;
    }
    status = CFileStatus{};
    status.m_ctime = st.st_ctime;
    status.m_mtime = st.st_mtime;
    status.m_atime = st.st_atime;
    status.m_size = static_cast<unsigned long long>(st.st_size);
    if (S_ISDIR(st.st_mode))
        status.m_attribute |= FILE_ATTRIBUTE_DIRECTORY;
    if (access(native.c_str(), W_OK) != 0)
        status.m_attribute |= FILE_ATTRIBUTE_READONLY;
    char full[PATH_MAX];
    std::wstring name = cvxFromUtf8(realpath(native.c_str(), full) ? full : native.c_str());
    name.resize(std::min<size_t>(name.size(), MAX_PATH - 1));
    wmemcpy(status.m_szFullName, name.c_str(), name.size() + 1);
    return TRUE;
}
