// The registry calls: open-key handles over the process-wide store.
#include "cvx/registry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <map>
#include <memory>
#include <mutex>

#include "platform/registry_store.h"

namespace {

struct OpenKey {
    std::wstring path;
    REGSAM access;
};

std::mutex gMutex;
std::unique_ptr<cvx::RegistryStore> gStore;
std::map<uintptr_t, OpenKey> gHandles;
uintptr_t gNextHandle = 0x1000;

std::string defaultPath() {
    if (const char* env = std::getenv("CURVIX_REGISTRY"); env && *env)
        return env;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : "/tmp";
    }
    return std::string(home) + "/.config/curvix/registry.reg";
}

cvx::RegistryStore& store() {
    if (!gStore)
        gStore = std::make_unique<cvx::RegistryStore>(defaultPath());
    return *gStore;
}

const wchar_t* rootName(HKEY key) {
    switch (reinterpret_cast<uintptr_t>(key)) {
    case 0x80000000u: return L"HKEY_CLASSES_ROOT";
    case 0x80000001u: return L"HKEY_CURRENT_USER";
    case 0x80000002u: return L"HKEY_LOCAL_MACHINE";
    case 0x80000003u: return L"HKEY_USERS";
    default: return nullptr;
    }
}

// The open key a handle stands for; predefined roots carry every right.
const OpenKey* lookup(HKEY key, OpenKey& root) {
    if (const wchar_t* name = rootName(key)) {
        root = {name, KEY_ALL_ACCESS};
        return &root;
    }
    auto it = gHandles.find(reinterpret_cast<uintptr_t>(key));
    return it == gHandles.end() ? nullptr : &it->second;
}

std::wstring join(const std::wstring& base, LPCWSTR sub) {
    return cvx::RegistryStore::normalizeKey(sub && *sub ? base + L'\\' + sub : base);
}

HKEY newHandle(std::wstring path, REGSAM access) {
    uintptr_t id = gNextHandle++;
    gHandles[id] = {std::move(path), access};
    return reinterpret_cast<HKEY>(id);
}

std::wstring nameOf(LPCWSTR name) { return name ? name : L""; }

// Copies a value out with the usual size protocol: no buffer reports the size, a short one fails.
LONG copyValue(const cvx::RegValue& v, LPDWORD type, void* data, LPDWORD size) {
    if (type)
        *type = v.type;
    const void* src = v.type == REG_DWORD ? static_cast<const void*>(&v.number) : v.text.c_str();
    DWORD bytes = v.type == REG_DWORD ? sizeof(DWORD) : static_cast<DWORD>((v.text.size() + 1) * sizeof(wchar_t));
    if (!data) {
        if (size)
            *size = bytes;
        return ERROR_SUCCESS;
    }
    if (!size)
        return ERROR_INVALID_PARAMETER;
    DWORD room = *size;
    *size = bytes;
    if (room < bytes)
        return ERROR_MORE_DATA;
    std::memcpy(data, src, bytes);
    return ERROR_SUCCESS;
}

bool hasLineBreak(const std::wstring& s) { return s.find_first_of(L"\r\n") != std::wstring::npos; }

}  // namespace

std::string cvxRegistryPath() {
    std::lock_guard lock(gMutex);
    return store().path();
}

void cvxRegistryFlush() {
    std::lock_guard lock(gMutex);
    if (gStore)
        gStore->flush();
}

void cvxRegistryReload() {
    std::lock_guard lock(gMutex);
    gStore.reset();
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM access, PHKEY result) {
    std::lock_guard lock(gMutex);
    OpenKey root;
    const OpenKey* base = lookup(key, root);
    if (!base || !result)
        return base ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE;
    std::wstring path = join(base->path, subKey);
    if (path.empty() || !store().keyExists(path))
        return ERROR_FILE_NOT_FOUND;
    *result = newHandle(path, access);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM access, void*, PHKEY result,
                     LPDWORD disposition) {
    std::lock_guard lock(gMutex);
    OpenKey root;
    const OpenKey* base = lookup(key, root);
    if (!base || !result)
        return base ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE;
    std::wstring path = join(base->path, subKey);
    if (path.empty())
        return ERROR_INVALID_PARAMETER;
    bool created = false;
    if (path.find(L'\\') != std::wstring::npos) {
        if (LONG r = store().createKey(path, &created); r != ERROR_SUCCESS)
            return r;
    }
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = newHandle(path, access);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    std::lock_guard lock(gMutex);
    if (rootName(key))
        return ERROR_SUCCESS;
    return gHandles.erase(reinterpret_cast<uintptr_t>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
    std::lock_guard lock(gMutex);
    OpenKey root;
    const OpenKey* k = lookup(key, root);
    if (!k)
        return ERROR_INVALID_HANDLE;
    if (!(k->access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    const cvx::RegValue* v = store().value(k->path, nameOf(name));
    return v ? copyValue(*v, type, data, size) : ERROR_FILE_NOT_FOUND;
}

LONG RegGetValueW(HKEY key, LPCWSTR subKey, LPCWSTR name, DWORD flags, LPDWORD type, void* data, LPDWORD size) {
    std::lock_guard lock(gMutex);
    OpenKey root;
    const OpenKey* base = lookup(key, root);
    if (!base)
        return ERROR_INVALID_HANDLE;
    const cvx::RegValue* v = store().value(join(base->path, subKey), nameOf(name));
    if (!v)
        return ERROR_FILE_NOT_FOUND;
    DWORD wanted = v->type == REG_DWORD ? RRF_RT_REG_DWORD : RRF_RT_REG_SZ;
    if (!(flags & wanted))
        return ERROR_UNSUPPORTED_TYPE;
    return copyValue(*v, type, data, size);
}

LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    std::lock_guard lock(gMutex);
    OpenKey root;
    const OpenKey* k = lookup(key, root);
    if (!k)
        return ERROR_INVALID_HANDLE;
    if (!(k->access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    cvx::RegValue v;
    v.type = type;
    if (type == REG_SZ) {
        const auto* chars = reinterpret_cast<const wchar_t*>(data);
        size_t n = data ? size / sizeof(wchar_t) : 0;
        v.text.assign(chars, chars + n);
        v.text.resize(std::wcslen(v.text.c_str()));  // up to the first zero
        if (hasLineBreak(v.text))
            return ERROR_INVALID_PARAMETER;
    } else if (type == REG_DWORD) {
        if (!data || size != sizeof(DWORD))
            return ERROR_INVALID_PARAMETER;
        std::memcpy(&v.number, data, sizeof(DWORD));
    } else {
        return ERROR_UNSUPPORTED_TYPE;
    }
    return store().setValue(k->path, nameOf(name), v);
}

LONG RegDeleteValueW(HKEY key, LPCWSTR name) {
    std::lock_guard lock(gMutex);
    OpenKey root;
    const OpenKey* k = lookup(key, root);
    if (!k)
        return ERROR_INVALID_HANDLE;
    if (!(k->access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    return store().deleteValue(k->path, nameOf(name));
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
    std::lock_guard lock(gMutex);
    OpenKey root;
    const OpenKey* base = lookup(key, root);
    if (!base)
        return ERROR_INVALID_HANDLE;
    if (!subKey || !*subKey)
        return ERROR_INVALID_PARAMETER;
    std::wstring path = join(base->path, subKey);
    return path.empty() ? ERROR_FILE_NOT_FOUND : store().deleteKey(path);
}
