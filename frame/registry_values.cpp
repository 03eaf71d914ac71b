#include "frame/registry_values.h"

#include <cwchar>

namespace {

// 4096 characters: the largest string value the module keeps.
constexpr DWORD kStringCapacity = 4096;
ACHAR gStringBuffer[kStringCapacity];

// A key handle closed on every path.
class OpenKey {
public:
    ~OpenKey() {
        if (mKey) RegCloseKey(mKey);
    }
    bool openForRead(HKEY root, const ACHAR* subkey) {
        return RegOpenKeyExW(root, subkey, 0, KEY_READ, &mKey) == ERROR_SUCCESS;
    }
    bool createForWrite(HKEY root, const ACHAR* subkey) {
        DWORD disposition = 0;
        return RegCreateKeyExW(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &mKey,
                               &disposition) == ERROR_SUCCESS;
    }
    HKEY get() const { return mKey; }

private:
    HKEY mKey = nullptr;
};

}  // namespace

const ACHAR* readRegString(HKEY root, const ACHAR* subkey, const ACHAR* name) {
    gStringBuffer[0] = L'\0';
    OpenKey key;
    if (!key.openForRead(root, subkey)) return gStringBuffer;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return gStringBuffer;
    size = sizeof gStringBuffer;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(gStringBuffer), &size) !=
        ERROR_SUCCESS)
        gStringBuffer[0] = L'\0';
    gStringBuffer[kStringCapacity - 1] = L'\0';
    return gStringBuffer;
}

bool writeRegString(HKEY root, const ACHAR* subkey, const ACHAR* name, const ACHAR* text) {
    if (!text) return false;
    OpenKey key;
    if (!key.createForWrite(root, subkey)) return false;
    const DWORD size = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}

DWORD readRegDword(HKEY root, const ACHAR* subkey, const ACHAR* name) {
    OpenKey key;
    if (!key.openForRead(root, subkey)) return 0;
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return 0;
    return value;
}

bool writeRegDword(HKEY root, const ACHAR* subkey, const ACHAR* name, DWORD value) {
    OpenKey key;
    if (!key.createForWrite(root, subkey)) return false;
    return RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}
