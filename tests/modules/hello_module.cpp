// A tiny loadable module for the host's module tests. It prints every message it receives, registers the
// command HELLO (group HELLO_GRP), a persistent class HelloObject (drawing-file name HELLOOBJ) with commands
// HELLOOBJ that stores one in the named-objects dictionary and HELLOSHOW that tells whether it is one, HELLOLOCK
// that locks the module, HELLOASK (a message box and a file dialog), HELLOPIX and HELLOW2P (pixel <-> world),
// and demand-load entries for HELLO. At each drawing it queues the loading of hello.cuix from its own folder.
#include <string>

#include "cvx/arx.h"
#include "cvx/editor.h"
#include "cvx/menus.h"
#include "cvx/modules.h"
#include "cvx/msgbox.h"

namespace {

void* gAppId = nullptr;

class HelloObject : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(HelloObject);
    static AcRxClass* gDesc;
    int32_t value = 0;

    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override {
        Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
        if (es != Acad::eOk) return es;
        filer->writeString(100, L"HelloObject");
        filer->writeInt32(90, value);
        return filer->filerStatus();
    }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override {
        Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
        if (es != Acad::eOk) return es;
        if (!filer->atSubclassData(L"HelloObject")) return Acad::eBadDxfSequence;
        AcDbDxfGroup g;
        while (filer->readGroup(g))
            if (g.code == 90) value = static_cast<int32_t>(g.integer);
        return filer->filerStatus();
    }
};
AcRxClass* HelloObject::gDesc = nullptr;
AcRxClass* HelloObject::desc() { return gDesc; }
AcRxClass* HelloObject::isA() const { return gDesc; }

void hello() { acutPrintf(L"Hello from the module.\n"); }

void helloObject() {
    int v = 0;
    if (acedGetInt(L"Value: ", &v) != RTNORM) return;
    AcDbDictionary* nod = nullptr;
    if (acdbCurDwg()->getNamedObjectsDictionary(nod, AcDb::kForWrite) != Acad::eOk) return;
    auto* obj = new HelloObject;
    obj->value = v;
    AcDbObjectId id;
    if (nod->setAt(L"HELLO_DATA", obj, id) == Acad::eOk) obj->close();
    else delete obj;
    nod->close();
}

void helloLock() { acrxDynamicLinker->lockApplication(gAppId); }

// Whether the stored object is one of this module's again (after the module came back).
void helloShow() {
    AcDbDictionary* nod = nullptr;
    if (acdbCurDwg()->getNamedObjectsDictionary(nod, AcDb::kForRead) != Acad::eOk) return;
    AcDbObject* obj = nullptr;
    if (nod->getAt(L"HELLO_DATA", obj, AcDb::kForRead) == Acad::eOk) {
        if (auto* h = HelloObject::cast(obj)) acutPrintf(L"HelloObject %d\n", static_cast<int>(h->value));
        else acutPrintf(L"not a HelloObject\n");
        obj->close();
    } else {
        acutPrintf(L"no HELLO_DATA\n");
    }
    nod->close();
}

void helloAsk() {
    int answer = AfxMessageBox(L"Continue?", MB_YESNOCANCEL);
    acutPrintf(L"answer %ls\n", answer == IDYES ? L"yes" : answer == IDNO ? L"no" : L"cancel");
    CFileDialog dlg(FALSE, L"xls", nullptr, OFN_OVERWRITEPROMPT, L"EXCEL File(*.xls)|*.xls|");
    if (dlg.DoModal() == IDOK) acutPrintf(L"file %ls\n", dlg.GetPathName().c_str());
    else acutPrintf(L"no file\n");
}

void helloPixel() {
    int x = 0, y = 0;
    if (acedGetInt(L"Pixel x: ", &x) != RTNORM || acedGetInt(L"Pixel y: ", &y) != RTNORM) return;
    ads_point w;
    if (acedCoordFromPixelToWorld(0, POINT{x, y}, w)) acutPrintf(L"world %.6f %.6f\n", w[0], w[1]);
}

void helloWorld() {
    ads_point p;
    if (acedGetPoint(nullptr, L"Point: ", p) != RTNORM) return;
    POINT px{};
    if (acedCoordFromWorldToPixel(0, p, px)) acutPrintf(L"pixel %d %d\n", static_cast<int>(px.x), static_cast<int>(px.y));
}

std::wstring folderOfModule() {
    std::wstring path = acedGetAppName();
    size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? L"" : path.substr(0, slash);
}

void queueMenuLoad() {
    // Written the way a module does on the other platform: a backslash before the name, each one doubled.
    std::wstring path = folderOfModule() + L"\\hello.cuix", doubled;
    for (wchar_t c : path) doubled += c == L'\\' ? std::wstring(L"\\\\") : std::wstring(1, c);
    if (!acedIsMenuGroupLoaded(L"HELLO")) {
        ads_queueexpr((L"(if(null(menugroup \"HELLO\"))(command \"menuload\" \"" + doubled + L"\"))").c_str());
        ads_queueexpr(L"(menucmd \"P12=+HELLO.POP1\")");
    }
}

void writeDemandLoad() {
    AcadAppInfo info;
    info.setAppName(L"HelloApp");
    info.setModuleName(acedGetAppName());
    info.setAppDesc(L"Hello test module");
    info.setLoadReason(AcadApp::LoadReasons(AcadApp::kOnCommandInvocation | AcadApp::kOnLoadRequest));
    info.writeToRegistry(false, false);
    info.writeGroupNameToRegistry(L"HELLO_GRP");
    info.writeCommandNameToRegistry(L"HELLO", L"HELLO");
}

}  // namespace

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId) {
    acutPrintf(L"hello_module: message %d\n", static_cast<int>(msg));
    switch (msg) {
    case AcRx::kInitAppMsg:
        gAppId = appId;
        acrxDynamicLinker->unlockApplication(appId);
        acrxDynamicLinker->registerAppMDIAware(appId);
        acedRegCmds->addCommand(L"HELLO_GRP", L"HELLO", L"HELLO", ACRX_CMD_MODAL, hello);
        acedRegCmds->addCommand(L"HELLO_GRP", L"HELLOOBJ", L"HELLOOBJ", ACRX_CMD_MODAL, helloObject);
        acedRegCmds->addCommand(L"HELLO_GRP", L"HELLOLOCK", L"HELLOLOCK", ACRX_CMD_MODAL, helloLock);
        acedRegCmds->addCommand(L"HELLO_GRP", L"HELLOSHOW", L"HELLOSHOW", ACRX_CMD_MODAL, helloShow);
        acedRegCmds->addCommand(L"HELLO_GRP", L"HELLOASK", L"HELLOASK", ACRX_CMD_MODAL, helloAsk);
        acedRegCmds->addCommand(L"HELLO_GRP", L"HELLOPIX", L"HELLOPIX", ACRX_CMD_MODAL, helloPixel);
        acedRegCmds->addCommand(L"HELLO_GRP", L"HELLOW2P", L"HELLOW2P", ACRX_CMD_MODAL, helloWorld);
        HelloObject::gDesc = newAcRxClass(L"HelloObject", L"AcDbObject", 0, 0, 0,
                                          []() -> AcRxObject* { return new HelloObject; }, L"HELLOOBJ", L"HelloApp");
        acutPrintf(L"hello_module: my path is %ls\n", acedGetAppName());
        writeDemandLoad();
        break;
    case AcRx::kLoadDwgMsg: queueMenuLoad(); break;
    case AcRx::kUnloadAppMsg:
        acedRegCmds->removeGroup(L"HELLO_GRP");
        deleteAcRxClass(HelloObject::gDesc);
        HelloObject::gDesc = nullptr;
        break;
    default: break;
    }
    return AcRx::kRetOK;
}

extern "C" int acrxGetApiVersion() { return 18; }
