#include "frame/demand_load.h"

#include <cwchar>
#include <string>

#include "cvx/editor.h"
#include "cvx/modules.h"
#include "frame/command_table.h"
#include "frame/module_folder.h"
#include "frame/product.h"

namespace {

bool isNamed(const CommandEntry& entry, const ACHAR* globalName) {
    return std::wcscmp(entry.globalName, globalName) == 0;
}

}  // namespace

void writeDemandLoadEntries() {
    // The host's acedGetAppName names the running program; the module's own file is what loads the commands.
    std::wstring module = moduleFile();
    if (module.empty()) module = acedGetAppName();
    AcadAppInfo info;
    info.setAppName(kCommandGroup);
    info.setModuleName(module.c_str());
    info.setAppDesc(L"Curvix version 1.0");
    info.setLoadReason(static_cast<AcadApp::LoadReasons>(AcadApp::kOnProxyDetection | AcadApp::kOnAutoCADStartup |
                                                         AcadApp::kOnCommandInvocation));
    info.writeToRegistry(false, false);
    info.writeGroupNameToRegistry(kCommandGroup);
    // The vectoriser is written right after QXTY, out of its table place.
    const CommandEntry* vectorize = nullptr;
    for (const CommandEntry& entry : commandTable())
        if (isNamed(entry, L"CVX_VECTORIZE")) vectorize = &entry;
    for (const CommandEntry& entry : commandTable()) {
        if (!entry.demandLoaded || &entry == vectorize) continue;
        info.writeCommandNameToRegistry(entry.globalName, entry.localName);
        if (isNamed(entry, L"CVX_QXTY") && vectorize)
            info.writeCommandNameToRegistry(vectorize->globalName, vectorize->localName);
    }
}
