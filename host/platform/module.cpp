// Paths of loaded modules, found from an address inside them.
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cwchar>

#include "cvx/files.h"
#include "cvx/wide.h"

namespace {

std::string programPath() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

// dladdr names the main program by the name it was started with; give its full path instead.
std::string absolute(const char* name) {
    char buf[PATH_MAX];
    return realpath(name, buf) ? std::string(buf) : std::string(name);
}

}  // namespace

std::wstring cvxModulePath(const void* address) {
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname)
        return {};
    return cvxFromUtf8(absolute(info.dli_fname));
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    std::wstring path = module ? cvxModulePath(module) : cvxFromUtf8(programPath());
    if (path.empty()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() + 1 > size) {
        wmemcpy(buffer, path.c_str(), size - 1);
        buffer[size - 1] = L'\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    wmemcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

SIZE_T VirtualQuery(LPCVOID address, MEMORY_BASIC_INFORMATION* info, SIZE_T size) {
    Dl_info dl{};
    if (!info || size < sizeof(MEMORY_BASIC_INFORMATION) || !address || dladdr(address, &dl) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    *info = MEMORY_BASIC_INFORMATION{};
    info->BaseAddress = const_cast<void*>(address);
    info->AllocationBase = dl.dli_fbase;
    return sizeof(MEMORY_BASIC_INFORMATION);
}
