// Files, folders and temporary names.
// Paths may be written the Windows way: backslashes are taken as separators, doubled separators collapse,
// a component that does not exist in that spelling is matched without regard to case, and a missing
// "x.exe" falls back to "x". Paths handed back use '/' and name absolute folders; the temporary folder
// ends with '/' (so a name splits at its last backslash or, when it has none, its last slash).
#pragma once

#include <ctime>
#include <string>

#include "cvx/win.h"

#define FILE_ATTRIBUTE_READONLY 0x01
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_NORMAL 0x80

// The platform path (UTF-8, '/' separators) for a path as module code writes it.
std::string cvxNativePath(LPCWSTR path);

// The temporary folder ($TMPDIR, else /tmp) with a trailing '/'. Returns the length without the
// terminating zero, or the buffer size needed (with it) when `size` is too small; 0 on failure.
DWORD GetTempPathW(DWORD size, LPWSTR buffer);

// Forms "<folder>/<prefix, at most 3 characters><hex number>.tmp" in `out` (MAX_PATH characters).
// With unique == 0 a free number is chosen and the empty file created; returns the number, 0 on failure.
UINT GetTempFileNameW(LPCWSTR folder, LPCWSTR prefix, UINT unique, LPWSTR out);

BOOL DeleteFileW(LPCWSTR path);

struct CFileStatus {
    time_t m_ctime = 0;
    time_t m_mtime = 0;
    time_t m_atime = 0;
    unsigned long long m_size = 0;
    BYTE m_attribute = 0;
    WCHAR m_szFullName[MAX_PATH] = {};
};

class CFile {
public:
    // True when the path names an existing file or folder; fills `status`.
    static BOOL GetStatus(LPCWSTR path, CFileStatus& status);
};

// The loaded module (executable or shared object) that contains `address`, as its full path;
// empty when the address lies in no module.
std::wstring cvxModulePath(const void* address);

// `module` is any address inside a loaded module (or its base); NULL names the running program.
// Copies at most size - 1 characters and a zero; returns the length copied (size when truncated).
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);

struct MEMORY_BASIC_INFORMATION {
    LPVOID BaseAddress;
    LPVOID AllocationBase;  // the base of the module holding the address, usable as an HMODULE
    SIZE_T RegionSize;
    DWORD State;
    DWORD Protect;
    DWORD Type;
};

// Fills AllocationBase and BaseAddress for an address inside a loaded module; returns
// sizeof(MEMORY_BASIC_INFORMATION), or 0 when the address lies in no module.
SIZE_T VirtualQuery(LPCVOID address, MEMORY_BASIC_INFORMATION* info, SIZE_T size);
