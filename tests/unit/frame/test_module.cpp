// The module's life: load with its commands, class and demand-load entries, menus per drawing, unload.
#include <fstream>
#include <set>
#include <sstream>

#include "cvx/menus.h"
#include "editor/menus.h"
#include "frame/command_table.h"
#include "frame/menu_loading.h"
#include "frame/product.h"
#include "frame/registry_values.h"
#include "frame/sysvars.h"
#include "frame_fixture.h"

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);

namespace {

class Module : public FrameTest {
protected:
    void TearDown() override {
        acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr);
        cvx::editor::menus::resetMenus();
        FrameTest::TearDown();
    }
    std::string registryText() {
        cvxRegistryFlush();  // the file as another program sees it once the burst of writes is saved
        std::ifstream in(registryFile);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

bool known(const ACHAR* name, bool global) { return acedRegCmds->lookupCmd(name, global) != nullptr; }

}  // namespace

TEST_F(Module, TheTableHoldsFiftyThreeDistinctCommands) {
    std::set<std::wstring> globals, locals;
    for (const CommandEntry& e : commandTable()) {
        globals.insert(e.globalName);
        locals.insert(e.localName);
    }
    EXPECT_EQ(globals.size(), 53u);
    EXPECT_EQ(locals.size(), 53u);
    EXPECT_STREQ(commandTable()[33].localName, L"linkLine00");
    EXPECT_STREQ(commandTable()[52].globalName, L"CVX_DEMOQM");
}

TEST_F(Module, LoadingRegistersEveryCommandAndSaysSoInEnglish) {
    ASSERT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, nullptr), AcRx::kRetOK);
    for (const CommandEntry& e : commandTable()) {
        AcEdCommand* cmd = acedRegCmds->lookupCmd(e.globalName, true);
        ASSERT_NE(cmd, nullptr) << cvxToUtf8(e.globalName);
        EXPECT_STREQ(cmd->groupName(), L"Curvix");
        EXPECT_STREQ(cmd->localName(), e.localName);
        EXPECT_EQ(cmd->commandFlags(), ACRX_CMD_MODAL);
        EXPECT_TRUE(known(e.localName, false));
    }
    EXPECT_NE(cvx::editor::takeTranscript().find(L"\nCurvix V1.10 loaded successfully."), std::wstring::npos);
}

TEST_F(Module, ChineseVersionInTheRegistryMakesTheModuleSpeakChinese) {
    writeRegDword(HKEY_CURRENT_USER, kProductKey, L"ChineseVersion", 1);
    acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    EXPECT_TRUE(chineseLanguage());
    std::wstring said = cvx::editor::takeTranscript();
    EXPECT_NE(said.find(L"Curvix V1.10 加载成功"), std::wstring::npos);
    EXPECT_EQ(said.find(L"loaded successfully"), std::wstring::npos);
    acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr);
    writeRegDword(HKEY_CURRENT_USER, kProductKey, L"ChineseVersion", 0);
    acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    EXPECT_FALSE(chineseLanguage());
}

TEST_F(Module, TheReactorClassIsRegisteredWithItsProperties) {
    acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    auto* c = static_cast<AcRxClass*>(acrxClassDictionary()->at(L"LinkLineToNotify"));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->myParent(), AcDbObject::desc());
    EXPECT_EQ(c->dwgVersion(), 29);
    EXPECT_EQ(c->maintenanceVersion(), 63);
    EXPECT_EQ(c->proxyFlags(), 0);
    EXPECT_STREQ(c->dxfName(), L"LinkLineToNotify");
    EXPECT_STREQ(c->appName(), L"persreac");
    std::unique_ptr<AcRxObject> made(c->create());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), c);
}

TEST_F(Module, DemandLoadingListsTheCommandsWithTheVectoriserAfterQxty) {
    acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    const std::string text = registryText();
    auto at = [&](const char* line) { return text.find(line); };
    ASSERT_NE(at("\"Description\"=\"Curvix version 1.0\""), std::string::npos) << text;
    EXPECT_NE(at("\"LoadCtrls\"=dword:00000007"), std::string::npos);
    const size_t qxty = at("\"CVX_QXTY\"=\"QXTY\""), vectorize = at("\"CVX_VECTORIZE\"=\"R2V\""),
                 pllist = at("\"CVX_PLLIST\"=\"PLLIST\""), holeNet = at("\"CVX_ImageHoleNet\"=\"txwk\"");
    ASSERT_NE(vectorize, std::string::npos);
    EXPECT_LT(qxty, vectorize);
    EXPECT_LT(vectorize, pllist);
    EXPECT_LT(pllist, holeNet);
    EXPECT_NE(at("\"CVX_DEMO8\"=\"CVX_DEMO8\""), std::string::npos);
    EXPECT_EQ(at("\"CVX_DEMOJM\""), std::string::npos);  // not demand-loaded
}

TEST_F(Module, UnloadingForgetsEveryCommandAndTheClassAndLoadingAgainWorks) {
    acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr);
    for (const CommandEntry& e : commandTable()) {
        EXPECT_FALSE(known(e.globalName, true)) << cvxToUtf8(e.globalName);
        EXPECT_FALSE(known(e.localName, false)) << cvxToUtf8(e.localName);
    }
    EXPECT_EQ(acrxClassDictionary()->at(L"LinkLineToNotify"), nullptr);
    acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    EXPECT_TRUE(known(L"linkLineAuto", false));
    EXPECT_NE(acrxClassDictionary()->at(L"LinkLineToNotify"), nullptr);
}

using Menus = Module;

TEST_F(Menus, ABackslashPathIsDoubledInTheLoadExpression) {
    EXPECT_EQ(menuLoadExpression(L"C:\\Curvix\\Curvix_eng.cuix"),
              L"(if(null(menugroup \"CURVIX\"))(command \"menuload\" \"C:\\\\Curvix\\\\Curvix_eng.cuix\"))");
    EXPECT_EQ(menuLoadExpression(L"/opt/Curvix_eng.cuix"),
              L"(if(null(menugroup \"CURVIX\"))(command \"menuload\" \"/opt/Curvix_eng.cuix\"))");
}

TEST_F(Menus, AMissingMenuFileIsShownInAMessageBox) {
    answers(L"");
    writeRegString(HKEY_CURRENT_USER, kProductKey, L"Location", L"/no/such/folder");
    acrxEntryPoint(AcRx::kLoadDwgMsg, nullptr);
    EXPECT_NE(cvx::editor::takeTranscript().find(L"/no/such/folder/Curvix_eng.cuix--- Menu file not fonud!"),
              std::wstring::npos);
    EXPECT_FALSE(acedIsMenuGroupLoaded(L"CURVIX"));
}

TEST_F(Menus, EachDrawingGetsTheMenuOfItsLanguageOnce) {
    const std::wstring resources = cvxFromUtf8(std::string(CVX_SOURCE_DIR) + "/resources");
    writeRegString(HKEY_CURRENT_USER, kProductKey, L"Location", resources.c_str());
    setSysVarShort(L"MENUBAR", 0);
    setChineseLanguage(true);
    acrxEntryPoint(AcRx::kLoadDwgMsg, nullptr);
    ASSERT_TRUE(acedIsMenuGroupLoaded(L"CURVIX")) << cvxToUtf8(cvx::editor::takeTranscript());
    const auto* group = cvx::editor::menus::findGroup(L"CURVIX");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->file.substr(group->file.size() - 19), L"Curvix_chn2010.cuix");
    ASSERT_NE(group->find(L"POP1"), nullptr);
    EXPECT_EQ(getSysVarShort(L"MENUBAR"), 1);
    const auto& bar = cvx::editor::menus::menuBar();
    ASSERT_FALSE(bar.empty());
    EXPECT_EQ(bar.back().group, L"CURVIX");
    // A second drawing finds the group loaded: nothing is queued, the menu bar is still switched on.
    setSysVarShort(L"MENUBAR", 0);
    cvx::editor::takeTranscript();
    acrxEntryPoint(AcRx::kLoadDwgMsg, nullptr);
    EXPECT_EQ(cvx::editor::takeTranscript().find(L"error"), std::wstring::npos);
    EXPECT_EQ(cvx::editor::menus::loadedGroups().size(), 1u);
    EXPECT_EQ(getSysVarShort(L"MENUBAR"), 1);
}

TEST_F(Menus, BothMenuFilesOfferEveryCommandOfTheTable) {
    for (const char* file : {"Curvix_eng.cuix", "Curvix_chn2010.cuix"}) {
        std::ifstream in(std::string(CVX_SOURCE_DIR) + "/resources/" + file);
        std::stringstream s;
        s << in.rdbuf();
        std::wstring error;
        auto group = cvx::editor::menus::parseMenuFile(cvxFromUtf8(s.str()), cvxFromUtf8(file), error);
        ASSERT_TRUE(group) << cvxToUtf8(error);
        EXPECT_EQ(group->name, L"CURVIX");
        std::set<std::wstring> offered;
        for (const auto& item : group->find(L"POP1")->items) offered.insert(item.command);
        for (const CommandEntry& e : commandTable()) EXPECT_TRUE(offered.count(e.localName)) << file << " " << cvxToUtf8(e.localName);
    }
}
