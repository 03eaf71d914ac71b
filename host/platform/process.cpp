// Starting programs with posix_spawn, waiting for them, and opening documents.
#include "cvx/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "cvx/files.h"
#include "cvx/wide.h"
#include "platform/cmdline.h"
#include "platform/syserror.h"

extern char** environ;

namespace {

struct Process {
    pid_t pid;
    bool ended = false;
    int status = 0;
};

std::mutex gMutex;
std::set<Process*> gProcesses;  // the handles given out and not yet closed

Process* checked(HANDLE handle) {
    auto* p = static_cast<Process*>(handle);
    return gProcesses.count(p) ? p : nullptr;
}

bool isExecutableFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The program file for a name as module code gives it; empty when there is none.
std::string findProgram(LPCWSTR file) {
    std::string path = cvxNativePath(file);
    if (path.find('/') != std::string::npos)
        return isExecutableFile(path) ? path : std::string();
    std::string name = path;
    const char* env = std::getenv("PATH");
    for (int pass = 0; pass < 2; ++pass) {
        std::string dirs = env ? env : "/usr/bin:/bin";
        for (size_t b = 0, e; b <= dirs.size(); b = e + 1) {
            e = dirs.find(':', b);
            if (e == std::string::npos)
                e = dirs.size();
            std::string candidate = (e > b ? dirs.substr(b, e - b) : ".") + "/" + name;
            if (isExecutableFile(candidate))
                return candidate;
        }
        std::string ext = name.size() > 4 ? name.substr(name.size() - 4) : "";
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (ext != ".exe")
            break;
        name.resize(name.size() - 4);
    }
    return {};
}

// Starts a program; returns its id, or -1 with the last error set.
pid_t spawn(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
            bool quiet) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = -1;
    int err = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) {
        SetLastError(cvx::errorFromErrno(err));
        return -1;
    }
    return pid;
}

// Collects a program nobody waits for, so that it leaves no zombie behind.
void reapInBackground(pid_t pid) {
    std::thread([pid] {
        int st;
        waitpid(pid, &st, 0);
    }).detach();
}

bool isUrl(const std::wstring& s) { return s.find(L"://") != std::wstring::npos; }

std::string opener() {
    if (const char* env = std::getenv("CURVIX_OPENER"); env && *env)
        return env;
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    if ((!x || !*x) && (!w || !*w))
        return {};
    return findProgram(L"xdg-open");
}

void updateEnded(Process& p) {
    if (p.ended)
        return;
    int st = 0;
    pid_t r = waitpid(p.pid, &st, WNOHANG);
    if (r == p.pid || (r < 0 && errno == ECHILD)) {
        p.ended = true;
        p.status = r == p.pid ? st : 0;
    }
}

}  // namespace

CvxOpenAction cvxOpenDocument(LPCWSTR pathOrUrl) {
    std::wstring target = pathOrUrl ? pathOrUrl : L"";
    std::string arg = isUrl(target) ? cvxToUtf8(target) : cvxNativePath(target.c_str());
    std::string program = opener();
    if (!program.empty()) {
        pid_t pid = spawn(program, {arg}, "", true);
        if (pid > 0) {
            reapInBackground(pid);
            return CvxOpenAction::kOpener;
        }
    }
    std::printf("Open: %s\n", arg.c_str());
    std::fflush(stdout);
    return CvxOpenAction::kPrinted;
}

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) {
    if (!info || !info->lpFile || !*info->lpFile) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->hProcess = nullptr;
    std::wstring verb = info->lpVerb ? info->lpVerb : L"";
    for (auto& c : verb)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    if (!verb.empty() && verb != L"open") {
        SetLastError(ERROR_INVALID_PARAMETER);
        info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(SE_ERR_FNF));
        return FALSE;
    }
    std::string program = isUrl(info->lpFile) ? std::string() : findProgram(info->lpFile);
    if (program.empty()) {
        struct stat st;
        if (!isUrl(info->lpFile) && stat(cvxNativePath(info->lpFile).c_str(), &st) != 0) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(SE_ERR_FNF));
            return FALSE;
        }
        cvxOpenDocument(info->lpFile);
        info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(42));
        return TRUE;
    }
    std::vector<std::string> args;
    for (const auto& a : cvx::splitCommandLine(info->lpParameters ? info->lpParameters : L""))
        args.push_back(cvxToUtf8(a));
    std::string folder = info->lpDirectory && *info->lpDirectory ? cvxNativePath(info->lpDirectory) : "";
    pid_t pid = spawn(program, args, folder, info->nShow == SW_HIDE);
    if (pid < 0) {
        info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(SE_ERR_ACCESSDENIED));
        return FALSE;
    }
    info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(42));
    if (info->fMask & SEE_MASK_NOCLOSEPROCESS) {
        auto* p = new Process{pid};
        std::lock_guard lock(gMutex);
        gProcesses.insert(p);
        info->hProcess = p;
    } else {
        reapInBackground(pid);
    }
    return TRUE;
}

HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, int show) {
    SHELLEXECUTEINFOW info{sizeof(SHELLEXECUTEINFOW), SEE_MASK_DEFAULT, hwnd, verb, file, parameters, directory,
                           show, nullptr, nullptr};
    ShellExecuteExW(&info);
    return info.hInstApp;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    auto start = std::chrono::steady_clock::now();
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        {
            std::lock_guard lock(gMutex);
            Process* p = checked(handle);
            if (!p) {
                SetLastError(ERROR_INVALID_HANDLE);
                return WAIT_FAILED;
            }
            updateEnded(*p);
            if (p->ended)
                return WAIT_OBJECT_0;
        }
        auto waited = std::chrono::steady_clock::now() - start;
        if (milliseconds != INFINITE && waited >= std::chrono::milliseconds(milliseconds))
            return WAIT_TIMEOUT;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
}

BOOL GetExitCodeProcess(HANDLE handle, LPDWORD code) {
    std::lock_guard lock(gMutex);
    Process* p = checked(handle);
    if (!p || !code) {
        SetLastError(p ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    updateEnded(*p);
    if (!p->ended)
        *code = STILL_ACTIVE;
    else if (WIFSIGNALED(p->status))
        *code = 128 + static_cast<DWORD>(WTERMSIG(p->status));
    else
        *code = static_cast<DWORD>(WEXITSTATUS(p->status));
    return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
    std::lock_guard lock(gMutex);
    Process* p = checked(handle);
    if (!p) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    gProcesses.erase(p);
    if (!p->ended)
        reapInBackground(p->pid);
    delete p;
    return TRUE;
}
