#include "frame/module_folder.h"

#include "cvx/editor.h"
#include "cvx/files.h"
#include "frame/product.h"
#include "frame/registry_values.h"

namespace {

std::wstring trimmed(const std::wstring& text) {
    const wchar_t* blanks = L" \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::wstring withSeparator(const std::wstring& folder) {
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder;
    bool slashesOnly = folder.find(L'/') != std::wstring::npos && folder.find(L'\\') == std::wstring::npos;
    return folder + (slashesOnly ? L'/' : L'\\');
}

}  // namespace

std::wstring moduleFile() {
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(reinterpret_cast<LPCVOID>(&moduleFile), &info, sizeof info) == 0) return {};
    WCHAR name[512] = {};
    if (GetModuleFileNameW(static_cast<HMODULE>(info.AllocationBase), name, 512) == 0) return {};
    return name;
}

std::wstring folderOfPath(const std::wstring& path) {
    size_t cut = path.rfind(L'\\');
    if (cut == std::wstring::npos) cut = path.rfind(L'/');
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

std::wstring moduleFolder() {
    std::wstring folder = trimmed(readRegString(HKEY_CURRENT_USER, kProductKey, L"Location"));
    if (folder.empty()) {
        const ACHAR* program = acedGetAppName();
        folder = trimmed(folderOfPath(program ? program : L""));
    }
    if (folder.empty()) folder = trimmed(folderOfPath(moduleFile()));
    return withSeparator(folder);
}

bool fileExists(const ACHAR* path) {
    CFileStatus status;
    return path && *path && CFile::GetStatus(path, status);
}
