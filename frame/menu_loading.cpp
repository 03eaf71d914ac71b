#include "frame/menu_loading.h"

#include "cvx/arx.h"
#include "cvx/editor.h"
#include "cvx/menus.h"
#include "cvx/msgbox.h"
#include "frame/bilingual.h"
#include "frame/language.h"
#include "frame/module_folder.h"
#include "frame/sysvars.h"

std::wstring menuLoadExpression(const std::wstring& menuFile) {
    std::wstring doubled;
    for (wchar_t c : menuFile) {
        doubled += c;
        if (c == L'\\') doubled += L'\\';
    }
    return L"(if(null(menugroup \"CURVIX\"))(command \"menuload\" \"" + doubled + L"\"))";
}

void loadMenuForDrawing() {
    const std::wstring menuFile =
        moduleFolder() + (chineseLanguage() ? L"Curvix_chn2010.cuix" : L"Curvix_eng.cuix");
    const int majorRelease = acdbHostApplicationServices()->releaseMajorVersion();
    if (!fileExists(menuFile.c_str())) {
        AfxMessageBox((menuFile + L"--- Menu file not fonud!").c_str(), MB_OK);
        return;
    }
    if (!acedIsMenuGroupLoaded(L"CURVIX")) {
        const std::wstring expression = menuLoadExpression(menuFile);
        if (expression.size() >= 512) {
            printBilingual(L"\n菜单文件路径过长，无法加载菜单。", L"\nThe menu file path is too long to load the menu.");
        } else {
            ads_queueexpr(expression.c_str());
            ads_queueexpr(L"(menucmd \"P12=+CURVIX.POP1\")");
        }
    }
    if (majorRelease > 17) setSysVarShort(L"menubar", 1);
}
