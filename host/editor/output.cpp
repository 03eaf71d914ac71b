#include "editor/output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <cwchar>
#include <memory>
#include <vector>

#include "cvx/editor.h"
#include "cvx/wide.h"

namespace cvx::editor {
namespace {

struct OutputState {
    std::unique_ptr<FILE, int (*)(FILE*)> log{nullptr, fclose};
    std::wstring transcript;
    bool quiet = false;
    bool logFailed = false;  // told once; the log is dropped after its first failed write
    std::function<void(std::wstring_view)> listener;
};

OutputState& state() {
    static OutputState s;
    return s;
}

// Rewrites a host format for this platform's wide printf, where a plain %s and %c are narrow.
std::wstring platformFormat(const wchar_t* f) {
    std::wstring out;
    for (const wchar_t* p = f; *p; ++p) {
        out += *p;
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') { out += *p; continue; }
        while (*p && std::wcschr(L"-+ #0123456789.*", *p)) out += *p++;
        bool narrow = false;
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') { out += L"ll"; p += 3; }
        if (*p == L'h' && (p[1] == L's' || p[1] == L'c')) { narrow = true; ++p; }
        else if (*p == L'l' && (p[1] == L's' || p[1] == L'c')) ++p;  // wide already
        else while (*p && std::wcschr(L"hlLqjzt", *p)) out += *p++;
        if (!*p) break;
        wchar_t c = *p;
        if (c == L'S' || c == L'C') { narrow = true; c = static_cast<wchar_t>(c - L'A' + L'a'); }
        if ((c == L's' || c == L'c') && !narrow) out += L'l';
        out += c;
    }
    return out;
}

}  // namespace

std::wstring formatV(const wchar_t* format, va_list args) {
    if (!format) return {};
    std::wstring f = platformFormat(format);
    std::vector<wchar_t> buf(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = std::vswprintf(buf.data(), buf.size(), f.c_str(), copy);
        va_end(copy);
        if (n >= 0) return std::wstring(buf.data(), static_cast<size_t>(n));
        if (buf.size() > (1u << 24)) return L"<unprintable text>";
        buf.resize(buf.size() * 4);
    }
}

std::wstring format(const wchar_t* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::wstring s = formatV(format, ap);
    va_end(ap);
    return s;
}

void writeOutput(std::wstring_view text) {
    OutputState& s = state();
    std::string utf8 = cvxToUtf8(text);
    if (!s.quiet) {
        std::fwrite(utf8.data(), 1, utf8.size(), stdout);
        std::fflush(stdout);
    }
    if (s.log) {
        bool wrote = std::fwrite(utf8.data(), 1, utf8.size(), s.log.get()) == utf8.size();
        if ((std::fflush(s.log.get()) != 0 || !wrote) && !s.logFailed) {
            s.logFailed = true;
            std::fprintf(stderr, "curvix: the log file cannot be written (%s); the session is no longer logged\n",
                         std::strerror(errno));
            s.log.reset();
        }
    }
    s.transcript.append(text);
    if (s.listener) s.listener(text);
    if (s.transcript.size() > (1u << 22)) s.transcript.erase(0, s.transcript.size() - (1u << 21));
}

bool setOutputLog(const std::string& fileName) {
    OutputState& s = state();
    s.log.reset();
    if (fileName.empty()) return true;
    s.log.reset(std::fopen(fileName.c_str(), "a"));
    return s.log != nullptr;
}

std::wstring takeTranscript() {
    std::wstring t;
    t.swap(state().transcript);
    return t;
}

void setOutputQuiet(bool quiet) { state().quiet = quiet; }

void setOutputListener(std::function<void(std::wstring_view)> listener) { state().listener = std::move(listener); }

}  // namespace cvx::editor

int acutPrintf(const ACHAR* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::wstring s = cvx::editor::formatV(format, ap);
    va_end(ap);
    cvx::editor::writeOutput(s);
    return static_cast<int>(s.size());
}

int acutSPrintf(ACHAR* buffer, size_t bufferLength, const ACHAR* format, ...) {
    if (!buffer || bufferLength == 0) return -1;
    va_list ap;
    va_start(ap, format);
    std::wstring s = cvx::editor::formatV(format, ap);
    va_end(ap);
    size_t n = std::min(s.size(), bufferLength - 1);
    std::wmemcpy(buffer, s.data(), n);
    buffer[n] = 0;
    return n < s.size() ? -1 : static_cast<int>(n);
}
