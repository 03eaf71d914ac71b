#include "editor/modules.h"

#include <algorithm>
#include <cwctype>
#include <dlfcn.h>
#include <filesystem>
#include <unordered_map>

#include "cvx/dbmain.h"
#include "cvx/editor.h"
#include "cvx/files.h"
#include "cvx/status.h"
#include "cvx/wide.h"
#include "editor/module_objects.h"

namespace cvx::editor {
namespace {

using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);

std::vector<ModuleInfo>& modules() {
    static std::vector<ModuleInfo> m;
    return m;
}

// The module whose messages are being sent (acedGetAppName names it while it loads).
const ModuleInfo* gLoading = nullptr;

ModuleInfo* byHandle(const void* handle) {
    for (auto& m : modules())
        if (m.handle == handle) return &m;
    return nullptr;
}

std::wstring lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

AcRx::AppRetCode send(const ModuleInfo& m, AcRx::AppMsgCode msg, void* arg) {
    auto entry = reinterpret_cast<EntryPoint>(dlsym(m.handle, "acrxEntryPoint"));
    const ModuleInfo* before = gLoading;
    gLoading = &m;
    AcRx::AppRetCode rc = entry ? entry(msg, arg) : AcRx::kRetError;
    gLoading = before;
    return rc;
}

// The address range of a library: an address belongs to it when the loader names it as its object.
bool codeOf(const ModuleInfo& m, const void* address) {
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fname) return false;
    return cvxFromUtf8(std::filesystem::weakly_canonical(info.dli_fname).string()) == m.path;
}

class Linker : public AcRxDynamicLinker {
public:
    bool unlockApplication(void* appId) const override { return setLock(appId, false); }
    bool lockApplication(void* appId) const override { return setLock(appId, true); }
    bool isApplicationLocked(const ACHAR* name) const override {
        for (const auto& m : modules())
            if (lower(cvxFromUtf8(std::filesystem::path(cvxToUtf8(m.path)).filename().string())) == lower(name ? name : L"") ||
                m.path == (name ? name : L""))
                return m.locked;
        return false;
    }
    bool registerAppMDIAware(void* appId) const override {
        ModuleInfo* m = byHandle(appId);
        if (m) m->mdiAware = true;
        return m != nullptr;
    }
    bool loadModule(const ACHAR* fileName, bool printit, bool) override {
        std::wstring error;
        bool ok = cvx::editor::loadModule(fileName ? fileName : L"", error);
        if (!ok && printit) acutPrintf(L"%ls\n", error.c_str());
        return ok;
    }
    bool unloadModule(const ACHAR* fileName, bool) override {
        std::wstring error;
        return cvx::editor::unloadModule(fileName ? fileName : L"", error);
    }

private:
    static bool setLock(void* appId, bool locked) {
        ModuleInfo* m = byHandle(appId);
        if (m) m->locked = locked;
        return m != nullptr;
    }
};

}  // namespace

const std::vector<ModuleInfo>& loadedModules() { return modules(); }

const ModuleInfo* moduleAt(const void* address) {
    for (const auto& m : modules())
        if (codeOf(m, address)) return &m;
    return nullptr;
}

const ModuleInfo* loadingModule() { return gLoading; }

bool loadModule(const std::wstring& given, std::wstring& error) {
    std::string native = cvxNativePath(given.c_str());
    std::error_code ec;
    if (given.empty() || !std::filesystem::is_regular_file(native, ec)) {
        error = L"Module \"" + given + L"\" not found.";
        return false;
    }
    std::wstring path = cvxFromUtf8(std::filesystem::weakly_canonical(native, ec).string());
    for (const auto& m : modules())
        if (m.path == path) {
            error = L"Module \"" + path + L"\" is already loaded.";
            return false;
        }
    void* handle = dlopen(cvxToUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        error = L"Cannot load \"" + path + L"\": " + cvxFromUtf8(dlerror());
        return false;
    }
    if (!dlsym(handle, "acrxEntryPoint") || !dlsym(handle, "acrxGetApiVersion")) {
        dlclose(handle);
        error = L"\"" + path + L"\" is not a loadable module (it lacks acrxEntryPoint or acrxGetApiVersion).";
        return false;
    }
    modules().push_back({path, handle, true, false});
    if (send(modules().back(), AcRx::kInitAppMsg, handle) != AcRx::kRetOK) {
        modules().pop_back();
        dlclose(handle);
        error = L"Module \"" + path + L"\" refused to load.";
        return false;
    }
    reviveObjects(acdbCurDwg());
    if (acdbCurDwg()) send(*byHandle(handle), AcRx::kLoadDwgMsg, handle);
    return true;
}

bool unloadModule(const std::wstring& name, std::wstring& error) {
    std::wstring want = lower(name);
    auto it = std::find_if(modules().begin(), modules().end(), [&](const ModuleInfo& m) {
        // Built from UTF-8, never converted through the C++ locale (names are not plain ASCII everywhere).
        std::filesystem::path p(cvxToUtf8(m.path));
        return lower(m.path) == want || lower(cvxFromUtf8(p.filename().string())) == want ||
               lower(cvxFromUtf8(p.stem().string())) == want ||
               m.path == cvxFromUtf8(cvxNativePath(name.c_str()));
    });
    if (it == modules().end()) {
        error = L"Module \"" + name + L"\" is not loaded.";
        return false;
    }
    if (it->locked) {
        error = L"Module \"" + it->path + L"\" is locked and cannot be unloaded.";
        return false;
    }
    const ModuleInfo& m = *it;
    int skipped = 0;
    // An object belongs to the module when its class's code (its first virtual function table) lies there.
    // Asking the loader costs a file-name lookup, so each table is asked about once, not once per object.
    std::unordered_map<const void*, bool> tables;
    detachObjects(acdbCurDwg(),
                  [&](const AcDbObject* o) {
                      const void* table = *reinterpret_cast<void* const*>(o);
                      auto known = tables.find(table);
                      if (known == tables.end()) known = tables.emplace(table, codeOf(m, table)).first;
                      return known->second;
                  },
                  skipped);
    if (skipped) {
        error = L"Module \"" + m.path + L"\" cannot be unloaded: " + std::to_wstring(skipped) +
                L" of its objects are open.";
        return false;
    }
    if (acdbCurDwg()) send(m, AcRx::kUnloadDwgMsg, m.handle);
    send(m, AcRx::kUnloadAppMsg, m.handle);
    void* handle = m.handle;
    modules().erase(it);
    dlclose(handle);
    return true;
}

void sendToModules(AcRx::AppMsgCode msg) {
    std::vector<ModuleInfo> now = modules();  // a module may load or unload others while it is told
    for (const auto& m : now)
        if (byHandle(m.handle)) send(*byHandle(m.handle), msg, m.handle);
}

void unloadAllModules() {
    sendToModules(AcRx::kQuitMsg);
    std::vector<ModuleInfo> now = modules();
    for (auto m = now.rbegin(); m != now.rend(); ++m) {
        std::wstring error;
        if (!m->locked) unloadModule(m->path, error);
    }
}

}  // namespace cvx::editor

AcRxDynamicLinker* acrxDynamicLinker = [] {
    static cvx::editor::Linker linker;
    return &linker;
}();

// The module whose code asks (its own folder is what modules look for), else the module being loaded, else the
// program.
const ACHAR* acedGetAppName() {
    static std::wstring name;
    const cvx::editor::ModuleInfo* m = cvx::editor::moduleAt(__builtin_return_address(0));
    if (!m) m = cvx::editor::loadingModule();
    if (m) {
        name = m->path;
        return name.c_str();
    }
    static const std::wstring program = [] {
        wchar_t buf[4096];
        DWORD n = GetModuleFileNameW(nullptr, buf, 4096);
        return std::wstring(buf, n < 4096 ? n : 0);
    }();
    return program.c_str();
}
