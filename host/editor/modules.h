// Loadable modules: shared libraries exporting
//   extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);
//   extern "C" int acrxGetApiVersion();
// Loading opens the library, sends kInitAppMsg and then kLoadDwgMsg for the open drawing (a module that answers
// kInitAppMsg with kRetError is closed again). Unloading is refused for a locked module (every module is
// locked until it calls unlockApplication); otherwise the drawing's objects of the module's classes are
// detached (module_objects.h), kUnloadAppMsg is sent and the library closed. The appId is the library handle.
#pragma once

#include <string>
#include <vector>

#include "cvx/rx.h"

namespace cvx::editor {

struct ModuleInfo {
    std::wstring path;  // absolute, with '/' separators
    void* handle = nullptr;
    bool locked = true;
    bool mdiAware = false;
};

// False with a message when the file cannot be opened, lacks the entry point, is loaded already or refuses.
bool loadModule(const std::wstring& path, std::wstring& error);
// name: the path or file name (without regard to case; the extension may be left out).
bool unloadModule(const std::wstring& name, std::wstring& error);
const std::vector<ModuleInfo>& loadedModules();
// The module whose code holds the address, or null.
const ModuleInfo* moduleAt(const void* address);
// The module being told a message (kInitAppMsg while it loads), or null.
const ModuleInfo* loadingModule();
// Sends a message to every loaded module (kLoadDwgMsg when a drawing is opened, kQuitMsg at the end).
void sendToModules(AcRx::AppMsgCode msg);
// Unloads every module that allows it (at the end of a session); locked ones only hear kQuitMsg.
void unloadAllModules();

}  // namespace cvx::editor
