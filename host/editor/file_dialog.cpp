// File dialogs on the command line: the path comes from a ';@file "path"' line of the script or from a person
// at the terminal; a script without such a line cancels the dialog.
#include <filesystem>
#include <optional>

#include "cvx/editor.h"
#include "cvx/files.h"
#include "cvx/msgbox.h"
#include "cvx/wide.h"
#include "editor/front_end.h"
#include "editor/input.h"
#include "editor/output.h"
#include "editor/script_verbs.h"
#include "editor/terminal_source.h"

namespace {

bool fileExists(const std::wstring& path) {
    CFileStatus status;
    return CFile::GetStatus(path.c_str(), status) && !(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY);
}

size_t nameStart(const std::wstring& path) {
    size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

std::wstring trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    return first == std::wstring::npos ? L"" : text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// The patterns of a filter ("Text|*.txt|All|*.*||" gives "*.txt, *.*"), for the terminal prompt. As in a
// system file dialog, an empty field ("||") ends the filter and blanks around a pattern do not belong to it.
std::wstring patternsOf(const std::wstring& filter) {
    std::wstring out;
    size_t i = 0;
    for (int field = 0; i <= filter.size(); ++field) {
        size_t bar = filter.find(L'|', i);
        std::wstring part = filter.substr(i, bar == std::wstring::npos ? std::wstring::npos : bar - i);
        if (part.empty()) break;
        if (field % 2 == 1) out += (out.empty() ? L"" : L", ") + trimmed(part);
        if (bar == std::wstring::npos) break;
        i = bar + 1;
    }
    return out;
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExt, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         void*, DWORD, BOOL)
    : mOpen(openFileDialog != FALSE), mDefaultExt(defaultExt ? defaultExt : L""),
      mInitialName(fileName ? fileName : L""), mFilter(filter ? filter : L"") {
    m_ofn.Flags = flags;
    if (!mDefaultExt.empty() && mDefaultExt[0] == L'.') mDefaultExt.erase(0, 1);
}

std::wstring CFileDialog::GetFileName() const { return mPath.substr(nameStart(mPath)); }

std::wstring CFileDialog::GetFileExt() const {
    std::wstring name = GetFileName();
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? L"" : name.substr(dot + 1);
}

std::wstring CFileDialog::GetFileTitle() const {
    std::wstring name = GetFileName();
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

int CFileDialog::DoModal() {
    using namespace cvx::editor;
    std::wstring title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : mOpen ? L"Open file" : L"Save file as";
    std::wstring patterns = patternsOf(mFilter);
    bool terminal = dynamic_cast<TerminalSource*>(currentSource()) != nullptr;
    for (;;) {
        std::wstring path;
        if (auto queued = takeQueuedAnswer(L"file")) {
            path = queued->args.empty() ? L"" : queued->args[0];
            writeOutput(title + (patterns.empty() ? L"" : L" (" + patterns + L")") + L": " + path + L"\n");
        } else if (auto chosen = frontEnd().fileDialog ? frontEnd().fileDialog(mOpen, title, mFilter, mInitialName)
                                                       : std::nullopt) {
            path = *chosen;
            writeOutput(title + L": " + path + L"\n");
        } else if (terminal) {
            ACHAR buf[4096];
            std::wstring prompt = title + (patterns.empty() ? L"" : L" (" + patterns + L")") + L" <cancel>: ";
            if (acedGetString(1, prompt.c_str(), buf, 4096) == RTNORM) path = buf;
        } else {
            writeOutput(title + L": no file given, cancelled\n");
        }
        if (path.empty()) return IDCANCEL;
        if (!mDefaultExt.empty() && path.find(L'.', nameStart(path)) == std::wstring::npos) path += L"." + mDefaultExt;
        if (mOpen && (m_ofn.Flags & OFN_FILEMUSTEXIST) && !fileExists(path)) {
            if (refuseAnswer(L"File not found: " + path, path)) continue;
            return IDCANCEL;
        }
        // The dialog hands back the full path, as a system file dialog does, whatever was typed.
        std::error_code ec;
        // Through UTF-8 both ways: the C++ locale's conversion fails on names that are not plain ASCII.
        std::filesystem::path full = std::filesystem::absolute(std::filesystem::path(cvxToUtf8(path)), ec);
        mPath = ec ? path : cvxFromUtf8(full.lexically_normal().string());
        return IDOK;
    }
}
