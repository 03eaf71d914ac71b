// The registry: keys with string and DWORD values, kept in a text file in the registry export format
// ("Windows Registry Editor Version 5.00", [HKEY_CURRENT_USER\...] sections, "name"="text" and
// "name"=dword:0000001a lines, UTF-8). The file is $CURVIX_REGISTRY, else ~/.config/curvix/registry.reg;
// it is read at the first call and rewritten whole (through a temporary file and a rename) after every
// change. Key and value names are compared without regard to case.
//
// Data sizes are in bytes of the data as it lies in memory: a string of n characters with its zero takes
// (n + 1) * sizeof(wchar_t) bytes here. Strings may not contain line breaks. A file that does not parse
// is reported on stderr and left untouched: its readable part is served and writes fail.
#pragma once

#include <string>

#include "cvx/win.h"

typedef struct CvxRegKey* HKEY;  // opaque: predefined roots or handles from RegOpenKeyExW
typedef HKEY* PHKEY;
typedef DWORD REGSAM;

#define HKEY_CLASSES_ROOT ((HKEY)(uintptr_t)0x80000000u)
#define HKEY_CURRENT_USER ((HKEY)(uintptr_t)0x80000001u)
#define HKEY_LOCAL_MACHINE ((HKEY)(uintptr_t)0x80000002u)
#define HKEY_USERS ((HKEY)(uintptr_t)0x80000003u)

#define REG_NONE 0u
#define REG_SZ 1u
#define REG_DWORD 4u

#define KEY_QUERY_VALUE 0x0001u
#define KEY_SET_VALUE 0x0002u
#define KEY_CREATE_SUB_KEY 0x0004u
#define KEY_ENUMERATE_SUB_KEYS 0x0008u
#define KEY_READ 0x20019u
#define KEY_WRITE 0x20006u
#define KEY_ALL_ACCESS 0xF003Fu

#define REG_OPTION_NON_VOLATILE 0u
#define REG_CREATED_NEW_KEY 1u
#define REG_OPENED_EXISTING_KEY 2u

#define RRF_RT_REG_SZ 0x00000002u
#define RRF_RT_REG_DWORD 0x00000010u
#define RRF_RT_ANY 0x0000FFFFu

// Results are ERROR_SUCCESS or an error code (ERROR_FILE_NOT_FOUND for a missing key or value,
// ERROR_ACCESS_DENIED for a handle opened without the needed right, ERROR_MORE_DATA for a short buffer).
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options, REGSAM access,
                     void* security, PHKEY result, LPDWORD disposition);
LONG RegCloseKey(HKEY key);
// A null or empty name is the key's default (unnamed) value, "@" in the file.
LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);
// As RegQueryValueExW on the subkey, failing with ERROR_UNSUPPORTED_TYPE when the value's type is not
// among `flags` (RRF_RT_*).
LONG RegGetValueW(HKEY key, LPCWSTR subKey, LPCWSTR name, DWORD flags, LPDWORD type, void* data, LPDWORD size);
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegDeleteValueW(HKEY key, LPCWSTR name);
// Removes a key that has no subkeys, with its values.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);

// The file the registry is kept in.
std::string cvxRegistryPath();
// Writes registry changes still held in memory to the file (a burst of writes is saved as one; the host
// calls this when a command ends, and it happens at exit).
void cvxRegistryFlush();
// Forgets the registry held in memory: the next call reads the file again (the place is looked up anew
// from CURVIX_REGISTRY). Open handles stay valid.
void cvxRegistryReload();
