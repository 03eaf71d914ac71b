#include <unistd.h>

#include <cmath>
#include <set>

#include "cvx/codepage.h"
#include "cvx/files.h"
#include "cvx/wide.h"
#include "scratch.h"

using FilesTest = ScratchTest;

namespace {
std::wstring windowsSpelling(const std::filesystem::path& p) {
    std::wstring w = cvxFromUtf8(p.string());
    for (auto& c : w)
        c = c == L'/' ? L'\\' : c;
    return w;
}
}  // namespace

TEST_F(FilesTest, TemporaryNamesAreUniqueAndCreated) {
    setenv("TMPDIR", dir.c_str(), 1);
    wchar_t folder[512];
    DWORD n = GetTempPathW(512, folder);
    ASSERT_EQ(std::wstring(folder), cvxFromUtf8(dir.string()) + L"/");
    EXPECT_EQ(n, std::wcslen(folder));
    EXPECT_EQ(GetTempPathW(3, folder), n + 1);  // too small: the size needed
    unsetenv("TMPDIR");

    std::set<std::wstring> names;
    for (int i = 0; i < 3000; ++i) {
        wchar_t name[MAX_PATH];
        ASSERT_NE(GetTempFileNameW(windowsSpelling(dir).c_str(), L"curv", 0, name), 0u);
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 3000u);
    const std::wstring& one = *names.begin();
    EXPECT_EQ(one.substr(0, one.rfind(L'/') + 4), cvxFromUtf8(dir.string()) + L"/cur");
    EXPECT_EQ(one.substr(one.size() - 4), L".tmp");
    size_t files = std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator());
    EXPECT_EQ(files, 3000u);

    wchar_t fixed[MAX_PATH];  // a given number only forms the name
    EXPECT_EQ(GetTempFileNameW(cvxFromUtf8(dir.string()).c_str(), L"", 0xBEEF, fixed), 0xBEEFu);
    EXPECT_EQ(std::wstring(fixed), cvxFromUtf8(dir.string()) + L"/BEEF.tmp");
    EXPECT_FALSE(std::filesystem::exists(dir / "BEEF.tmp"));
    EXPECT_EQ(GetTempFileNameW((cvxFromUtf8(dir.string()) + L"/missing").c_str(), L"", 0, fixed), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FilesTest, WindowsStylePathsReachTheFiles) {
    writeText(dir / "Plugin" / "AutoTrace" / "autotrace", "x");
    std::wstring asWritten = windowsSpelling(dir) + L"\\plugin\\\\autotrace\\AUTOTRACE.EXE";
    EXPECT_EQ(cvxNativePath(asWritten.c_str()), (dir / "Plugin" / "AutoTrace" / "autotrace").string());

    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(asWritten.c_str(), st));
    EXPECT_EQ(st.m_size, 1u);
    EXPECT_EQ(st.m_attribute & FILE_ATTRIBUTE_DIRECTORY, 0);
    ASSERT_TRUE(CFile::GetStatus((windowsSpelling(dir) + L"\\plugin").c_str(), st));
    EXPECT_NE(st.m_attribute & FILE_ATTRIBUTE_DIRECTORY, 0);

    EXPECT_FALSE(DeleteFileW((windowsSpelling(dir) + L"\\plugin").c_str()));  // a folder
    EXPECT_TRUE(DeleteFileW(asWritten.c_str()));
    EXPECT_FALSE(CFile::GetStatus(asWritten.c_str(), st));
    EXPECT_FALSE(DeleteFileW(asWritten.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(CFile::GetStatus(L"", st));
    EXPECT_FALSE(CFile::GetStatus(nullptr, st));
}

TEST_F(FilesTest, ModulePathsComeFromAddresses) {
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    std::wstring program = cvxFromUtf8(std::string(self, static_cast<size_t>(n)));

    wchar_t buf[512];
    EXPECT_EQ(GetModuleFileNameW(nullptr, buf, 512), program.size());
    EXPECT_EQ(std::wstring(buf), program);

    MEMORY_BASIC_INFORMATION mbi;
    static int here = 0;
    ASSERT_EQ(VirtualQuery(&here, &mbi, sizeof mbi), sizeof mbi);
    EXPECT_EQ(GetModuleFileNameW(static_cast<HMODULE>(mbi.AllocationBase), buf, 512), program.size());
    EXPECT_EQ(std::wstring(buf), program);
    EXPECT_EQ(GetModuleFileNameW(static_cast<HMODULE>(mbi.AllocationBase), buf, 4), 4u);  // truncated
    EXPECT_EQ(std::wstring(buf), program.substr(0, 3));

    double (*fn)(double) = std::sqrt;  // lives in the maths library, a shared object
    std::wstring lib = cvxModulePath(reinterpret_cast<const void*>(fn));
    EXPECT_NE(lib.find(L"libm"), std::wstring::npos) << cvxToUtf8(lib);
    EXPECT_EQ(cvxModulePath(reinterpret_cast<const void*>(uintptr_t{16})), L"");
}

TEST(Wide, Utf8RoundTripAndBadBytes) {
    std::wstring text = L"a\u00e9\u66f2\U0001F600";
    EXPECT_EQ(cvxToUtf8(text), "a\xC3\xA9\xE6\x9B\xB2\xF0\x9F\x98\x80");
    EXPECT_EQ(cvxFromUtf8(cvxToUtf8(text)), text);
    EXPECT_EQ(cvxFromUtf8("x\xC3"), L"x\uFFFD");          // cut short
    EXPECT_EQ(cvxFromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");  // overlong
}

TEST(Wide, SystemCodePageRoundTripAndBadBytes) {
    // 曲线 in GBK bytes; characters outside GBK take GB18030's four-byte forms.
    const std::wstring text = L"a\u66f2\u7ebf\U0001F600";
    const std::string bytes = cvxToCodePage(text);
    EXPECT_EQ(bytes.substr(0, 5), "a\xC7\xFA\xCF\xDF");
    EXPECT_EQ(bytes.size(), 9u);
    EXPECT_EQ(cvxFromCodePage(bytes), text);
    EXPECT_EQ(cvxFromCodePage("x\xFF" "y"), L"x\uFFFDy");
    EXPECT_TRUE(cvxIsUtf8(cvxToUtf8(text)));
    EXPECT_FALSE(cvxIsUtf8(bytes));
}
