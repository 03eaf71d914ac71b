// Starting programs and documents, and waiting for programs.
// A program is started directly (its arguments split by the Windows command-line rules); "x.exe" runs
// "x" when only that exists, and a bare name is looked up in PATH. Anything else that is not a program
// (a document, a folder, a URL) goes to cvxOpenDocument.
#pragma once

#include "cvx/win.h"

#define SEE_MASK_DEFAULT 0x00000000u
#define SEE_MASK_NOCLOSEPROCESS 0x00000040u
#define SEE_MASK_NOASYNC 0x00000100u

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define STILL_ACTIVE 259u

#define SE_ERR_FNF 2
#define SE_ERR_ACCESSDENIED 5

struct SHELLEXECUTEINFOW {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCWSTR lpVerb;        // null, "" or "open"
    LPCWSTR lpFile;
    LPCWSTR lpParameters;  // one command-line string
    LPCWSTR lpDirectory;   // working folder of the program, null for the current one
    int nShow;             // SW_HIDE sends the program's output to /dev/null
    HINSTANCE hInstApp;    // > 32 on success, else an SE_ERR_ code
    HANDLE hProcess;       // with SEE_MASK_NOCLOSEPROCESS: the started program (null for documents)
};
typedef SHELLEXECUTEINFOW* LPSHELLEXECUTEINFOW;

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);
// As ShellExecuteExW without a process handle; returns a value > 32 on success.
HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, int show);

// WAIT_OBJECT_0 when the process ended within `milliseconds` (INFINITE waits for ever), WAIT_TIMEOUT
// when it still runs, WAIT_FAILED for a bad handle.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
// The exit code, STILL_ACTIVE while running; a program ended by a signal gives 128 + the signal.
BOOL GetExitCodeProcess(HANDLE handle, LPDWORD code);
// Releases the handle; the program itself goes on running.
BOOL CloseHandle(HANDLE handle);

enum class CvxOpenAction {
    kOpener,   // handed to the program in $CURVIX_OPENER, or to xdg-open when a display is available
    kPrinted,  // no opener: "Open: <path>" was printed on standard output
};
CvxOpenAction cvxOpenDocument(LPCWSTR pathOrUrl);
