// The module's entry point: what the host calls when it loads or unloads the module and for each drawing.
#include "cvx/arx.h"
#include "cvx/editor.h"
#include "frame/bilingual.h"
#include "frame/command_table.h"
#include "frame/demand_load.h"
#include "frame/language.h"
#include "frame/menu_loading.h"
#include "frame/product.h"
#include "frame/registry_values.h"
#include "linkline/link_reactor.h"

#define CVX_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

void setUpCommands() {
    setChineseLanguage(false);
    setChineseLanguage(readRegDword(HKEY_CURRENT_USER, kProductKey, L"ChineseVersion") != 0);
    acrxBuildClassHierarchy();
    registerCommands();
    if (chineseLanguage())
        acutPrintf(L"\nCurvix %s 加载成功。", kVersionLabel);
    else
        acutPrintf(L"\nCurvix %s loaded successfully.", kVersionLabel);
}

void load(void* appId) {
    if (acrxDynamicLinker) {
        acrxDynamicLinker->unlockApplication(appId);
        acrxDynamicLinker->registerAppMDIAware(appId);
    }
    setUpCommands();
    registerLinkLineClass();
    writeDemandLoadEntries();
}

void unload() {
    acedRegCmds->removeGroup(kCommandGroup);
    unregisterLinkLineClass();
}

}  // namespace

CVX_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    switch (msg) {
        case AcRx::kInitAppMsg: load(appId); break;
        case AcRx::kUnloadAppMsg: unload(); break;
        case AcRx::kLoadDwgMsg: loadMenuForDrawing(); break;
        default: break;
    }
    return AcRx::kRetOK;
}

// The API release the module is built for (release 18).
CVX_EXPORT int acrxGetApiVersion() { return 18; }
