#include <chrono>

#include "cvx/files.h"
#include "cvx/keys.h"
#include "cvx/process.h"
#include "cvx/wide.h"
#include "platform/cmdline.h"
#include "scratch.h"

using ProcessTest = ScratchTest;

namespace {

HANDLE start(const wchar_t* file, const wchar_t* params, SHELLEXECUTEINFOW& info) {
    info = SHELLEXECUTEINFOW{sizeof info, SEE_MASK_NOCLOSEPROCESS, nullptr, L"", file, params, nullptr, SW_HIDE,
                             nullptr, nullptr};
    return ShellExecuteExW(&info) ? info.hProcess : nullptr;
}

long long msSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t).count();
}

}  // namespace

TEST_F(ProcessTest, WaitsForAProgramOrTimesOut) {
    SHELLEXECUTEINFOW info;
    HANDLE h = start(L"sleep.exe", L"0.5", info);  // found in PATH without its ".exe"
    ASSERT_NE(h, nullptr);
    EXPECT_GT(reinterpret_cast<intptr_t>(info.hInstApp), 32);
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForSingleObject(h, 100), WAIT_TIMEOUT);
    EXPECT_GE(msSince(t0), 100);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(h, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(h, 5000), WAIT_OBJECT_0);
    EXPECT_LT(msSince(t0), 3000);
    EXPECT_TRUE(GetExitCodeProcess(h, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
}

TEST_F(ProcessTest, PassesArgumentsAndWorkingFolder) {
    // The program writes its arguments, one per line, into a file in its working folder.
    std::filesystem::path script = dir / "Tools" / "echoargs";
    writeText(script, "#!/bin/sh\nprintf '[%s]\\n' \"$@\" > out.txt\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    std::wstring file = cvxFromUtf8((dir / "tools" / "ECHOARGS.exe").string());  // Windows spelling
    std::wstring folder = cvxFromUtf8(dir.string());
    for (auto& c : folder)
        c = c == L'/' ? L'\\' : c;
    SHELLEXECUTEINFOW info{sizeof info, SEE_MASK_NOCLOSEPROCESS, nullptr, nullptr, file.c_str(),
                           LR"(C:\a.bmp -x "two words" say\"hi\" "")", folder.c_str(), SW_HIDE, nullptr, nullptr};
    ASSERT_TRUE(ShellExecuteExW(&info));
    ASSERT_EQ(WaitForSingleObject(info.hProcess, 5000), WAIT_OBJECT_0);
    CloseHandle(info.hProcess);
    EXPECT_EQ(readText(dir / "out.txt"), "[C:\\a.bmp]\n[-x]\n[two words]\n[say\"hi\"]\n[]\n");
}

TEST_F(ProcessTest, CommandLineFollowsWindowsQuotingRules) {
    using V = std::vector<std::wstring>;
    EXPECT_EQ(cvx::splitCommandLine(LR"(  a\\b  "c d"e )"), (V{LR"(a\\b)", L"c de"}));
    EXPECT_EQ(cvx::splitCommandLine(LR"(a\\\"b "c\\" d)"), (V{LR"(a\"b)", LR"(c\)", L"d"}));
    EXPECT_EQ(cvx::splitCommandLine(L""), V{});
}

TEST_F(ProcessTest, MissingProgramsFailAndDocumentsGoToTheOpener) {
    SHELLEXECUTEINFOW info;
    EXPECT_EQ(start(L"\\no\\such\\program.exe", L"", info), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(reinterpret_cast<intptr_t>(info.hInstApp), SE_ERR_FNF);

    std::filesystem::path doc = dir / "report.html";
    writeText(doc, "<html></html>");
    std::filesystem::path log = dir / "opened.txt";
    std::filesystem::path openerScript = dir / "opener";
    writeText(openerScript, "#!/bin/sh\necho \"$1\" > " + log.string() + "\n");
    std::filesystem::permissions(openerScript, std::filesystem::perms::owner_all);
    setenv("CURVIX_OPENER", openerScript.c_str(), 1);
    HINSTANCE r = ShellExecuteW(nullptr, L"open", cvxFromUtf8(doc.string()).c_str(), nullptr, nullptr, SW_SHOW);
    EXPECT_GT(reinterpret_cast<intptr_t>(r), 32);
    for (int i = 0; i < 200 && readText(log).empty(); ++i)
        Sleep(10);
    EXPECT_EQ(readText(log), doc.string() + "\n");

    unsetenv("CURVIX_OPENER");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStdout();
    EXPECT_EQ(cvxOpenDocument(L"https://example.org/x"), CvxOpenAction::kPrinted);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Open: https://example.org/x\n");
}

TEST(Keys, StateFollowsTheInputSources) {
    EXPECT_GE(GetKeyState(VK_ESCAPE), 0);
    cvxSetKeyDown(VK_ESCAPE, true);
    EXPECT_LT(GetKeyState(27), 0);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    cvxSetKeyDown(VK_ESCAPE, false);
    EXPECT_GE(GetKeyState(VK_ESCAPE), 0);
    cvxSetKeyDown(1000, true);  // ignored
    EXPECT_EQ(GetKeyState(1000), 0);
}
