// The host's settings in the registry (cvx/profile.h).
#include <string>

#include "cvx/dbmain.h"
#include "cvx/profile.h"
#include "cvx/registry.h"

namespace {

const wchar_t* kDefaultVersion = L"CVX-1001:409";
const wchar_t* kDefaultProfile = L"Default";

std::wstring releaseKey() {
    AcDbHostApplicationServices* s = acdbHostApplicationServices();
    return std::wstring(kCvxHostKey) + L"\\R" + std::to_wstring(s->releaseMajorVersion()) + L"." +
           std::to_wstring(s->releaseMinorVersion());
}

std::wstring readString(const std::wstring& key, const wchar_t* name) {
    wchar_t buf[512];
    DWORD size = sizeof buf;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return {};
    return buf;
}

// Writes a value unless the key already has one of that name.
void ensureValue(const std::wstring& key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return;
    if (RegQueryValueExW(k, name, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        RegSetValueExW(k, name, 0, type, data, size);
    RegCloseKey(k);
}

void ensureString(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    ensureValue(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

void cvxEnsureHostProfile() {
    std::wstring release = releaseKey();
    ensureString(release, L"CurVer", kDefaultVersion);
    std::wstring profiles = release + L"\\" + readString(release, L"CurVer") + L"\\Profiles";
    ensureString(profiles, nullptr, kDefaultProfile);
    DWORD black = 0;
    ensureValue(profiles + L"\\" + readString(profiles, nullptr) + L"\\Drawing Window", L"Background", REG_DWORD,
                reinterpret_cast<const BYTE*>(&black), sizeof black);
}

COLORREF cvxHostBackgroundColor() {
    std::wstring release = releaseKey();
    std::wstring profiles = release + L"\\" + readString(release, L"CurVer") + L"\\Profiles";
    std::wstring window = profiles + L"\\" + readString(profiles, nullptr) + L"\\Drawing Window";
    DWORD colour = 0, size = sizeof colour;
    if (RegGetValueW(HKEY_CURRENT_USER, window.c_str(), L"Background", RRF_RT_REG_DWORD, nullptr, &colour, &size) !=
        ERROR_SUCCESS)
        return RGB(0, 0, 0);
    return colour & 0xFFFFFFu;
}
