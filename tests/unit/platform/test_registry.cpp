#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cwchar>

#include "platform/registry_store.h"
#include "scratch.h"

namespace {

const wchar_t* kKey = L"Software\\Tarnwick\\Curvix";

LONG writeString(HKEY root, const wchar_t* sub, const wchar_t* name, const wchar_t* text) {
    HKEY k;
    LONG r = RegCreateKeyExW(root, sub, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
    if (r != ERROR_SUCCESS)
        return r;
    r = RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t)));
    RegCloseKey(k);
    return r;
}

LONG writeDword(HKEY root, const wchar_t* sub, const wchar_t* name, DWORD value) {
    HKEY k;
    LONG r = RegCreateKeyExW(root, sub, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
    if (r != ERROR_SUCCESS)
        return r;
    r = RegSetValueExW(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(k);
    return r;
}

std::wstring readString(HKEY root, const wchar_t* sub, const wchar_t* name) {
    wchar_t buf[256];
    DWORD size = sizeof buf;
    if (RegGetValueW(root, sub, name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return L"<none>";
    return buf;
}

}  // namespace

using RegistryTest = ScratchTest;

TEST_F(RegistryTest, ValuesSurviveARestartInExportFormat) {
    ASSERT_EQ(writeString(HKEY_CURRENT_USER, kKey, L"Location", L"C:\\Program \"Files\"\\"), ERROR_SUCCESS);
    ASSERT_EQ(writeDword(HKEY_CURRENT_USER, kKey, L"ChineseVersion", 26), ERROR_SUCCESS);
    ASSERT_EQ(writeString(HKEY_LOCAL_MACHINE, L"Software\\A", nullptr, L"曲线"), ERROR_SUCCESS);

    cvxRegistryFlush();  // as when a command ends
    EXPECT_EQ(readText(cvxRegistryPath()),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Tarnwick]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Tarnwick\\Curvix]\n"
              "\"Location\"=\"C:\\\\Program \\\"Files\\\"\\\\\"\n"
              "\"ChineseVersion\"=dword:0000001a\n\n"
              "[HKEY_LOCAL_MACHINE\\Software]\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\A]\n"
              "@=\"\xE6\x9B\xB2\xE7\xBA\xBF\"\n\n");

    cvx::RegistryStore fresh(cvxRegistryPath());
    const cvx::RegValue* v = fresh.value(L"HKEY_CURRENT_USER\\Software\\Tarnwick\\Curvix", L"location");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->text, L"C:\\Program \"Files\"\\");

    cvxRegistryReload();
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kKey, L"Location"), L"C:\\Program \"Files\"\\");
    EXPECT_EQ(readString(HKEY_LOCAL_MACHINE, L"software\\a", L""), L"曲线");
    DWORD n = 0, size = sizeof n, type = 0;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, kKey, L"CHINESEVERSION", RRF_RT_REG_DWORD, &type, &n, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(n, 26u);
    EXPECT_EQ(type, REG_DWORD);
}

TEST_F(RegistryTest, QueriesReportTypesSizesAndMissingValues) {
    writeDword(HKEY_CURRENT_USER, kKey, L"Count", 7);
    writeString(HKEY_CURRENT_USER, kKey, L"Name", L"abcd");
    EXPECT_EQ(readString(HKEY_CURRENT_USER, kKey, L"Count"), L"<none>");  // a DWORD does not read as a string

    HKEY k;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &k), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(k, L"Count", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    wchar_t small[3];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExW(k, L"Name", nullptr, &type, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 5 * sizeof(wchar_t));
    EXPECT_EQ(RegQueryValueExW(k, L"Missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    DWORD one = 1;
    EXPECT_EQ(RegSetValueExW(k, L"Count", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(k), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(k), ERROR_INVALID_HANDLE);

    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Nobody", 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(writeString(HKEY_CURRENT_USER, kKey, L"Bad", L"two\nlines"), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, DeletingValuesAndKeys) {
    writeDword(HKEY_CURRENT_USER, kKey, L"X", 1);
    HKEY k;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(k, L"x"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(k, L"x"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(k);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tarnwick"), ERROR_ACCESS_DENIED);  // has a subkey
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    cvxRegistryReload();
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Tarnwick", 0, KEY_READ, &k), ERROR_SUCCESS);
    RegCloseKey(k);
}

TEST_F(RegistryTest, ReadsHandWrittenFiles) {
    writeText(cvxRegistryPath(),
              "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
              "; settings\r\n"
              "[HKEY_CURRENT_USER\\Software\\Vendor\\R18.2\\Profiles\\<<Unnamed>>\\Drawing Window]\r\n"
              "\"Background\"=dword:00FfEe01\r\n"
              "@=\"default\"\r\n");
    DWORD c = 0, size = sizeof c;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Vendor\\R18.2\\Profiles\\<<Unnamed>>\\Drawing Window",
                           L"Background", RRF_RT_ANY, nullptr, &c, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(c, 0x00FFEE01u);
    EXPECT_EQ(readString(HKEY_CURRENT_USER, L"Software\\Vendor\\R18.2\\Profiles\\<<Unnamed>>\\Drawing Window",
                         nullptr),
              L"default");
    HKEY k;  // the parents of a listed key exist too
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Vendor\\R18.2", 0, KEY_READ, &k), ERROR_SUCCESS);
    RegCloseKey(k);
}

TEST_F(RegistryTest, ABrokenFileIsReportedAndNeverOverwritten) {
    const std::string broken =
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\A]\n\"ok\"=dword:00000001\n"
        "\"bad\"=hex:01,02\n\"unterminated=\"x\"\n";
    writeText(cvxRegistryPath(), broken);
    cvx::RegistryStore store(cvxRegistryPath());
    EXPECT_EQ(store.loadErrors().size(), 2u);
    EXPECT_NE(store.value(L"HKEY_CURRENT_USER\\Software\\A", L"ok"), nullptr);
    EXPECT_EQ(writeDword(HKEY_CURRENT_USER, L"Software\\A", L"new", 2), ERROR_INVALID_DATA);
    EXPECT_EQ(readText(cvxRegistryPath()), broken);

    writeText(cvxRegistryPath(), "just some text\n");
    cvx::RegistryStore other(cvxRegistryPath());
    EXPECT_EQ(other.loadErrors().size(), 1u);
}

TEST_F(RegistryTest, WritesReplaceTheFileWhole) {
    writeDword(HKEY_CURRENT_USER, kKey, L"A", 1);
    std::string before = readText(cvxRegistryPath());
    int fd = open(cvxRegistryPath().c_str(), O_RDONLY);  // a reader holding the old file
    ASSERT_GE(fd, 0);
    for (DWORD i = 0; i < 20; ++i)
        writeDword(HKEY_CURRENT_USER, kKey, (L"V" + std::to_wstring(i)).c_str(), i);
    std::string seen(before.size() + 100, '\0');
    ssize_t n = pread(fd, seen.data(), seen.size(), 0);
    close(fd);
    EXPECT_EQ(seen.substr(0, static_cast<size_t>(n)), before);  // never rewritten in place
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir / "config"))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1u);  // no temporary file left behind

    // A write that cannot reach the disk fails and leaves the value as it was.
    setenv("CURVIX_REGISTRY", (dir / "config" / "registry.reg" / "nested.reg").c_str(), 1);
    cvxRegistryReload();
    EXPECT_NE(writeDword(HKEY_CURRENT_USER, kKey, L"A", 5), ERROR_SUCCESS);
    HKEY k;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
}

namespace {
ino_t inodeOf(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

DWORD storedDword(const std::string& path, const wchar_t* name) {
    cvx::RegistryStore fresh(path);  // what another process would read now
    const cvx::RegValue* v = fresh.value(L"HKEY_CURRENT_USER\\Software\\Tarnwick\\Curvix", name);
    return v ? v->number : 0xFFFFFFFF;
}
}  // namespace

TEST_F(RegistryTest, ABurstOfWritesReachesTheFileTwice) {
    const std::string path = cvxRegistryPath();
    const std::wstring key = L"HKEY_CURRENT_USER\\Software\\Tarnwick\\Curvix";
    cvx::RegistryStore store(path);
    ASSERT_EQ(store.createKey(key, nullptr), ERROR_SUCCESS);  // the first change is saved at once
    ino_t first = inodeOf(path);
    ASSERT_NE(first, 0u);
    for (DWORD i = 0; i < 100; ++i) {
        cvx::RegValue v;
        v.type = REG_DWORD;
        v.number = i;
        ASSERT_EQ(store.setValue(key, L"V" + std::to_wstring(i), v), ERROR_SUCCESS);
    }
    EXPECT_EQ(inodeOf(path), first);  // every file write is a new file renamed into place
    EXPECT_EQ(storedDword(path, L"V99"), 0xFFFFFFFFu);
    EXPECT_TRUE(store.pending());

    EXPECT_TRUE(store.flush());
    EXPECT_NE(inodeOf(path), first);
    EXPECT_EQ(storedDword(path, L"V0"), 0u);
    EXPECT_EQ(storedDword(path, L"V99"), 99u);

    // After a flush the next change is written at once again.
    cvx::RegValue seven;
    seven.type = REG_DWORD;
    seven.number = 7;
    ASSERT_EQ(store.setValue(key, L"Late", seven), ERROR_SUCCESS);
    EXPECT_EQ(storedDword(path, L"Late"), 7u);
    EXPECT_FALSE(store.pending());

    // A pending change that cannot reach the disk any more is reported by the flush.
    ASSERT_EQ(store.setValue(key, L"Lost", seven), ERROR_SUCCESS);
    std::filesystem::remove_all(dir / "config");
    writeText(dir / "config", "a file where the folder was\n");
    EXPECT_FALSE(store.flush());
    EXPECT_FALSE(store.pending());
}

TEST_F(RegistryTest, WhatWasWrittenSurvivesTheProgramsEnd) {
    // A child writes a burst and ends: killed right after a flush, or by exit without one.
    auto child = [&](const wchar_t* name, bool killed) {
        pid_t pid = fork();
        if (pid == 0) {
            for (DWORD i = 1; i <= 3; ++i) writeDword(HKEY_CURRENT_USER, kKey, name, i);
            if (killed) {
                cvxRegistryFlush();
                raise(SIGKILL);
            }
            std::exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return status;
    };
    EXPECT_TRUE(WIFSIGNALED(child(L"Killed", true)));
    EXPECT_EQ(child(L"Exited", false), 0);
    cvxRegistryReload();
    EXPECT_EQ(storedDword(cvxRegistryPath(), L"Killed"), 3u);
    EXPECT_EQ(storedDword(cvxRegistryPath(), L"Exited"), 3u);
}
