#include "outline/view_image.h"

#include <cwchar>
#include <cwctype>
#include <string>

#include "cvx/dbmain.h"
#include "cvx/editor.h"
#include "cvx/files.h"
#include "cvx/image.h"
#include "cvx/profile.h"
#include "frame/bilingual.h"
#include "frame/registry_values.h"
#include "frame/sysvars.h"

namespace {

constexpr const wchar_t* kReservedExtension = L".tmp";

}  // namespace

bool getBackgroundColor(DWORD& color, DWORD& red, DWORD& green, DWORD& blue) {
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    const std::wstring release = std::wstring(kCvxHostKey) + L"\\R" +
                                 std::to_wstring(services->releaseMajorVersion()) + L"." +
                                 std::to_wstring(services->releaseMinorVersion());
    const std::wstring profiles = release + L"\\" + readRegString(HKEY_CURRENT_USER, release.c_str(), L"CurVer") +
                                  L"\\Profiles";
    const std::wstring window =
        profiles + L"\\" + readRegString(HKEY_CURRENT_USER, profiles.c_str(), nullptr) + L"\\Drawing Window";
    color = readRegDword(HKEY_CURRENT_USER, window.c_str(), L"Background");
    red = color & 0xFF;
    green = (color >> 8) & 0xFF;
    blue = (color >> 16) & 0xFF;
    return true;
}

std::wstring makeTempFileName(const std::wstring& extension) {
    wchar_t folder[MAX_PATH] = {}, name[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"", 0, name);
    std::wstring path = name;
    for (wchar_t& c : path) c = static_cast<wchar_t>(std::towlower(c));
    const size_t dot = path.rfind(kReservedExtension);
    if (dot != std::wstring::npos) path.replace(dot, std::wcslen(kReservedExtension), extension);
    return path;
}

void deleteTempFile(const std::wstring& path) {
    DeleteFileW(path.c_str());
    const size_t dot = path.rfind(L'.');
    const size_t slash = path.find_last_of(L"/\\");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return;
    DeleteFileW((path.substr(0, dot) + kReservedExtension).c_str());
}

std::wstring exportViewImage() {
    const std::wstring path = makeTempFileName(L".PNG");
    setSysVarShort(L"cmdecho", 0);
    acedCommand(RTSTR, L"_PNGOUT", RTSTR, path.c_str(), RTSTR, L"", RTNONE);
    setSysVarShort(L"cmdecho", 1);
    return path;
}

std::optional<LabelGrid> labelCurrentView(int& regionCount) {
    regionCount = 0;
    DWORD color = 0, red = 0, green = 0, blue = 0;
    getBackgroundColor(color, red, green, blue);
    const std::wstring path = exportViewImage();
    CImage image;
    if (FAILED(image.Load(path.c_str()))) {
        acutPrintf(chooseText(L"\n加载图像文件 <%s> 出错", L"\nLoad image file <%s> Error"), path.c_str());
        deleteTempFile(path);
        return std::nullopt;
    }
    LabelGrid grid(image.GetWidth(), image.GetHeight());
    regionCount = labelBackgroundRegions(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue),
                                         image, grid, kBackgroundTolerance);
    deleteTempFile(path);
    return grid;
}
