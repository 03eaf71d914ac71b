// AcadAppInfo's registry entries (cvx/modules.h) and the loader that uses them. Besides the entries an
// application writes, every command name is also entered in "<key>\CommandIndex" (NAME = application), so a
// typed name is found without walking every application.
#include "editor/demand_load.h"

#include <cwctype>

#include "cvx/editor.h"
#include "cvx/modules.h"
#include "cvx/registry.h"
#include "editor/command_line.h"
#include "editor/modules.h"

namespace {

std::wstring upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}


std::wstring indexKeyPath() {
    std::wstring k = cvxApplicationsKey();
    return k.substr(0, k.rfind(L'\\')) + L"\\CommandIndex";
}

HKEY rootOf(bool allUsers) { return allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

bool setString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return false;
    LONG rc = RegSetValueExW(k, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

bool setDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS) return false;
    LONG rc = RegSetValueExW(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

bool getString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& out) {
    wchar_t buf[4096];
    DWORD size = sizeof buf;
    if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS) return false;
    out = buf;
    return true;
}

bool getDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD& out) {
    DWORD size = sizeof out;
    return RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &out, &size) == ERROR_SUCCESS;
}

}  // namespace

const ACHAR* cvxApplicationsKey() { return L"Software\\Tarnwick\\CurvixHost\\R18.2\\Applications"; }

AcadApp::ErrorStatus AcadAppInfo::writeToRegistry(bool forAllUsers, bool) {
    if (mAppName.empty() || mModule.empty()) return AcadApp::eInvalidInput;
    mAllUsers = forAllUsers;
    std::wstring key = std::wstring(cvxApplicationsKey()) + L"\\" + mAppName;
    HKEY root = rootOf(forAllUsers);
    bool ok = setString(root, key, L"Loader", mModule) && setString(root, key, L"Description", mDesc) &&
              setDword(root, key, L"LoadCtrls", static_cast<DWORD>(mReasons));
    return ok ? AcadApp::eOk : AcadApp::eRegistryAccessError;
}

AcadApp::ErrorStatus AcadAppInfo::writeGroupNameToRegistry(const ACHAR* groupName) {
    if (mAppName.empty() || !groupName || !*groupName) return AcadApp::eInvalidInput;
    std::wstring key = std::wstring(cvxApplicationsKey()) + L"\\" + mAppName + L"\\Groups";
    return setString(rootOf(mAllUsers), key, groupName, groupName) ? AcadApp::eOk : AcadApp::eRegistryAccessError;
}

AcadApp::ErrorStatus AcadAppInfo::writeCommandNameToRegistry(const ACHAR* globalName, const ACHAR* localName) {
    if (mAppName.empty() || !globalName || !*globalName) return AcadApp::eInvalidInput;
    std::wstring local = localName && *localName ? localName : globalName;
    std::wstring key = std::wstring(cvxApplicationsKey()) + L"\\" + mAppName + L"\\Commands";
    HKEY root = rootOf(mAllUsers);
    bool ok = setString(root, key, globalName, local) && setString(root, indexKeyPath(), upper(globalName), mAppName) &&
              setString(root, indexKeyPath(), upper(local), mAppName);
    return ok ? AcadApp::eOk : AcadApp::eRegistryAccessError;
}

AcadApp::ErrorStatus AcadAppInfo::readFromRegistry() {
    std::wstring key = std::wstring(cvxApplicationsKey()) + L"\\" + mAppName;
    for (bool allUsers : {false, true}) {
        DWORD reasons = 0;
        if (!getString(rootOf(allUsers), key, L"Loader", mModule)) continue;
        getString(rootOf(allUsers), key, L"Description", mDesc);
        if (getDword(rootOf(allUsers), key, L"LoadCtrls", reasons)) mReasons = static_cast<AcadApp::LoadReasons>(reasons);
        mAllUsers = allUsers;
        return AcadApp::eOk;
    }
    return AcadApp::eKeyNotFound;
}

AcadApp::ErrorStatus AcadAppInfo::delFromRegistry() {
    std::wstring key = std::wstring(cvxApplicationsKey()) + L"\\" + mAppName;
    HKEY root = rootOf(mAllUsers);
    RegDeleteKeyW(root, (key + L"\\Commands").c_str());
    RegDeleteKeyW(root, (key + L"\\Groups").c_str());
    return RegDeleteKeyW(root, key.c_str()) == ERROR_SUCCESS ? AcadApp::eOk : AcadApp::eKeyNotFound;
}

namespace cvx::editor {

std::wstring demandLoadModuleFor(const std::wstring& commandName) {
    std::wstring name = upper(commandName);
    while (!name.empty() && (name[0] == L'_' || name[0] == L'.' || name[0] == L'\'')) name.erase(0, 1);
    if (name.empty()) return {};
    for (bool allUsers : {false, true}) {
        std::wstring app;
        if (!getString(rootOf(allUsers), indexKeyPath(), name, app)) continue;
        AcadAppInfo info;
        info.setAppName(app.c_str());
        // The index may outlive a removed application: its entry must still be there.
        if (info.readFromRegistry() != AcadApp::eOk || !(info.loadReason() & AcadApp::kOnCommandInvocation)) continue;
        return info.moduleName();
    }
    return {};
}

void installDemandLoader() {
    setCommandLoader([](const std::wstring& name) {
        std::wstring module = demandLoadModuleFor(name);
        if (module.empty()) return false;
        std::wstring error;
        if (!loadModule(module, error)) {
            acutPrintf(L"%ls\n", error.c_str());
            return false;
        }
        return true;
    });
}

}  // namespace cvx::editor
