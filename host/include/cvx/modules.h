// Demand loading: an application writes where its module lies and which commands it offers into the host's
// registry; typing one of those commands later loads the module and runs the command.
//
// Entries live under <root>\Software\Tarnwick\CurvixHost\R18.2\Applications\<application name>, the root being
// HKEY_CURRENT_USER or, written for all users, HKEY_LOCAL_MACHINE:
//   "Loader" = module path, "Description" = text, "LoadCtrls" = dword of AcadApp::LoadReasons,
//   subkey "Commands": one value per command, global name = local name,
//   subkey "Groups": one value per command group, group name = group name.
#pragma once

#include <string>

#include "cvx/status.h"

namespace AcadApp {
enum LoadReasons {
    kOnProxyDetection = 0x01,
    kOnAutoCADStartup = 0x02,
    kOnCommandInvocation = 0x04,
    kOnLoadRequest = 0x08,
    kLoadDisabled = 0x10,
    kTransparentlyLoadable = 0x20,
};
enum ErrorStatus { eOk = 0, eKeyNotFound = 1, eRegistryAccessError = 2, eInvalidInput = 3 };
}  // namespace AcadApp

// The registry key that holds the applications (below HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE).
const ACHAR* cvxApplicationsKey();

class AcadAppInfo {
public:
    void setAppName(const ACHAR* name) { mAppName = name ? name : L""; }
    void setModuleName(const ACHAR* path) { mModule = path ? path : L""; }
    void setAppDesc(const ACHAR* text) { mDesc = text ? text : L""; }
    void setLoadReason(AcadApp::LoadReasons reasons) { mReasons = reasons; }
    const ACHAR* appName() const { return mAppName.c_str(); }
    const ACHAR* moduleName() const { return mModule.c_str(); }
    const ACHAR* appDesc() const { return mDesc.c_str(); }
    AcadApp::LoadReasons loadReason() const { return mReasons; }

    // Writes the application's entry (replacing its values; commands and groups written before stay).
    // forAllUsers: under HKEY_LOCAL_MACHINE instead of HKEY_CURRENT_USER.
    AcadApp::ErrorStatus writeToRegistry(bool forAllUsers = false, bool unused = false);
    AcadApp::ErrorStatus writeGroupNameToRegistry(const ACHAR* groupName);
    AcadApp::ErrorStatus writeCommandNameToRegistry(const ACHAR* globalName, const ACHAR* localName);
    // Reads the entry of the application named by setAppName (current user first).
    AcadApp::ErrorStatus readFromRegistry();
    // Removes the application's entry with its commands and groups.
    AcadApp::ErrorStatus delFromRegistry();

private:
    std::wstring mAppName, mModule, mDesc;
    AcadApp::LoadReasons mReasons = AcadApp::kOnCommandInvocation;
    bool mAllUsers = false;
};
