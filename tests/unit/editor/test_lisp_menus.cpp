// The expression evaluator, the expression queue and menu groups.
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "cvx/menus.h"
#include "cvx/wide.h"
#include "editor/command_line.h"
#include "editor/lisp.h"
#include "editor/menus.h"
#include "unit/drawing_fixture.h"

using namespace cvx::editor;

namespace {

class LispMenus : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        menus::resetMenus();
        dir = std::filesystem::temp_directory_path() / ("cvx_menus_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "a folder");
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        menus::resetMenus();
        DrawingTest::TearDown();
    }
    std::string write(const std::string& name, const std::string& text) {
        auto p = dir / "a folder" / name;
        std::ofstream(p) << text;
        return p.string();
    }
    std::filesystem::path dir;
};

const char* kMenu = "# test\ngroup = Tools\n[POP1] Tools\nDraw a line = LINE\n---\n[pop2] More\nZoom = ZOOM\n";

}  // namespace

TEST(Lisp, ValuesConditionsAndEscapes) {
    EXPECT_EQ(lisp::print(lisp::evaluate(L"(if (null nil) \"yes\" \"no\")").value), L"\"yes\"");
    EXPECT_EQ(lisp::print(lisp::evaluate(L"(if (null T) 1)").value), L"nil");
    EXPECT_EQ(lisp::print(lisp::evaluate(L"(if T -12 13)").value), L"-12");
    // A doubled backslash is one; \" is a quote inside the string.
    lisp::Result r = lisp::evaluate(L"\"C:\\\\a b\\\\x.cuix \\\"q\\\"\"");
    ASSERT_TRUE(r.error.empty());
    EXPECT_EQ(r.value.text, L"C:\\a b\\x.cuix \"q\"");
    // Only the branch taken is evaluated.
    EXPECT_TRUE(lisp::evaluate(L"(if nil (undefined-function) 1)").error.empty());
}

TEST(Lisp, ClearErrorsForWhatItDoesNotKnow) {
    EXPECT_EQ(lisp::evaluate(L"(setq a 1)").error, L"no function definition: SETQ");
    EXPECT_EQ(lisp::evaluate(L"(null x)").error, L"unknown variable X");
    EXPECT_EQ(lisp::evaluate(L"(if T 1").error, L"malformed list: a ')' is missing");
    EXPECT_EQ(lisp::evaluate(L"1)").error, L"extra right paren");
    EXPECT_NE(lisp::evaluate(L"(null 1 2)").error.find(L"too many arguments"), std::wstring::npos);
    EXPECT_NE(lisp::evaluate(L"(menugroup 3)").error.find(L"bad argument type"), std::wstring::npos);
    EXPECT_NE(lisp::evaluate(L"(if 1.5 1)").error.find(L"real numbers"), std::wstring::npos);
    EXPECT_NE(lisp::evaluate(L"\"open").error.find(L"closing"), std::wstring::npos);
    EXPECT_TRUE(lisp::isComplete(L"(a \"(\" (b))"));
    EXPECT_FALSE(lisp::isComplete(L"(a \"\\\")\""));
}

TEST_F(LispMenus, MenuFilesParseAndReportWhereTheyAreWrong) {
    std::wstring error;
    auto g = menus::parseMenuFile(cvxFromUtf8(kMenu), L"m.cuix", error);
    ASSERT_TRUE(g) << error;
    EXPECT_EQ(g->name, L"TOOLS");
    ASSERT_EQ(g->menus.size(), 2u);
    EXPECT_EQ(g->menus[1].tag, L"POP2");
    ASSERT_EQ(g->menus[0].items.size(), 2u);
    EXPECT_EQ(g->menus[0].items[0].command, L"LINE");
    EXPECT_TRUE(g->menus[0].items[1].separator);

    const std::pair<const char*, const wchar_t*> bad[] = {
        {"[POP1] X\nA = B\n", L"m.cuix:1: the file must start"},
        {"group = G\nA = B\n", L"m.cuix:2: an item comes before the first menu"},
        {"group = G\n[POP1] X\njust words\n", L"m.cuix:3: expected \"Caption = COMMAND\""},
        {"group = G\n[POP1] X\n[POP1] Y\n", L"m.cuix:3: the menu POP1 is defined twice"},
        {"group = G\n[MENU] X\n", L"m.cuix:2: \"MENU\" is not a pull-down tag"},
        {"# nothing\n", L"m.cuix: the file holds no menu group"}};
    for (auto& [text, message] : bad) {
        EXPECT_FALSE(menus::parseMenuFile(cvxFromUtf8(text), L"m.cuix", error)) << text;
        EXPECT_EQ(error.rfind(message, 0), 0u) << cvxToUtf8(error);
    }
}

TEST_F(LispMenus, QueuedMenuLoadingWithDoubledBackslashesAndTheMenuBar) {
    std::string path = write("tools.cuix", kMenu);
    std::wstring doubled;
    for (wchar_t c : cvxFromUtf8(path)) doubled += c == L'/' ? std::wstring(L"\\\\") : std::wstring(1, c);
    // Idle: queued expressions run at once.
    ASSERT_EQ(ads_queueexpr((L"(if(null(menugroup \"TOOLS\"))(command \"menuload\" \"" + doubled + L"\"))").c_str()),
              RTNORM);
    EXPECT_TRUE(acedIsMenuGroupLoaded(L"tools"));
    ASSERT_EQ(ads_queueexpr(L"(menucmd \"P12=+TOOLS.POP2\")"), RTNORM);
    ASSERT_EQ(ads_queueexpr(L"(menucmd \"P1=+TOOLS.POP1\")"), RTNORM);
    ASSERT_EQ(menus::menuBar().size(), 2u);
    EXPECT_EQ(menus::menuBar()[0].tag, L"POP1");  // inserted before
    EXPECT_EQ(menus::menuBar()[1].tag, L"POP2");  // past the end: last
    // Loaded once: the (if (null ...)) guard keeps a second load from happening.
    takeTranscript();
    ads_queueexpr((L"(if(null(menugroup \"TOOLS\"))(command \"menuload\" \"" + doubled + L"\"))").c_str());
    EXPECT_EQ(takeTranscript().find(L"already loaded"), std::wstring::npos);

    std::wstring error;
    EXPECT_FALSE(menus::menuCommand(L"P1=+NOGROUP.POP1", error));
    EXPECT_NE(error.find(L"not loaded"), std::wstring::npos);
    EXPECT_FALSE(menus::menuCommand(L"P1=+TOOLS.POP9", error));
    EXPECT_FALSE(menus::menuCommand(L"X=1", error));
    EXPECT_TRUE(menus::menuCommand(L"P1=-", error));
    EXPECT_EQ(menus::menuBar().size(), 1u);
    ASSERT_TRUE(menus::unloadMenuGroup(L"Tools", error));
    EXPECT_TRUE(menus::menuBar().empty());
    EXPECT_FALSE(acedIsMenuGroupLoaded(L"TOOLS"));
}

TEST_F(LispMenus, MenuloadReportsMissingAndMalformedFiles) {
    std::string broken = write("broken.cuix", "group = X\nitem = before menu\n");
    answers(L"MENULOAD " + cvxFromUtf8((dir / "none.cuix").string()) + L"\nMENULOAD " + cvxFromUtf8(broken) + L"\n");
    runCommandLoop();
    std::wstring out = takeTranscript();
    EXPECT_NE(out.find(L"Cannot find the menu file"), std::wstring::npos) << cvxToUtf8(out);
    EXPECT_NE(out.find(L"broken.cuix:2: an item comes before the first menu"), std::wstring::npos) << cvxToUtf8(out);
    EXPECT_TRUE(menus::loadedGroups().empty());
}

TEST_F(LispMenus, ExpressionsQueuedDuringACommandWaitForTheCommandLine) {
    std::string path = write("tools.cuix", kMenu);
    // A command that queues an expression: it must not run inside the command.
    static bool loadedInside = true;
    static std::wstring expr;
    expr = L"(command \"menuload\" \"" + cvxFromUtf8(path) + L"\")";
    acedRegCmds->addCommand(L"TESTQ", L"QUEUEIT", L"QUEUEIT", 0, [] {
        ads_queueexpr(expr.c_str());
        loadedInside = acedIsMenuGroupLoaded(L"TOOLS");
    });
    answers(L"QUEUEIT\n");
    runCommandLoop();
    EXPECT_FALSE(loadedInside);
    EXPECT_TRUE(acedIsMenuGroupLoaded(L"TOOLS"));
    acedRegCmds->removeGroup(L"TESTQ");
}
