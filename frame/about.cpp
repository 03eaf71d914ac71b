#include "frame/about.h"

#include <string>

#include "cvx/process.h"
#include "frame/bilingual.h"
#include "frame/module_folder.h"
#include "frame/product.h"

namespace {

void openDemoPage(const wchar_t* page) {
    const std::wstring folder = moduleFolder();
    const std::wstring path = folder + L"demos" + folder.back() + page + L".html";
    if (!fileExists(path.c_str())) {
        const std::wstring cn = L"\n找不到演示页面：" + path;
        const std::wstring en = L"\nThe demonstration page is missing: " + path;
        printBilingual(cn.c_str(), en.c_str());
        return;
    }
    cvxOpenDocument(path.c_str());
}

}  // namespace

void aboutCurvix() {
    const std::wstring version = kVersionLabel;
    const std::wstring cn = L"\nCurvix " + version +
                            L"：曲线工具集。提供公式曲线、外轮廓与内偏移、图片矢量化、图片孔网、"
                            L"跟随图形的连接线、多段线工具、坐标报表以及曲线造型等功能。"
                            L"\n在命令行输入命令名，或从 CURVIX 菜单中选择。";
    const std::wstring en = L"\nCurvix " + version +
                            L": curve tools. Formula curves, outlines and inner offsets, picture vectorisation, "
                            L"image hole nets, link lines that follow their shapes, polyline tools, coordinate "
                            L"reports and curve shaping.\nType a command name, or choose it from the CURVIX menu.";
    printBilingual(cn.c_str(), en.c_str());
}

void demo1() { openDemoPage(L"formula"); }
void demo2() { openDemoPage(L"outline"); }
void demo3() { openDemoPage(L"vectorize"); }
void demo4() { openDemoPage(L"holenet"); }
void demo5() { openDemoPage(L"linkline"); }
void demo6() { openDemoPage(L"polyline"); }
void demo7() { openDemoPage(L"reports"); }
void demo8() { openDemoPage(L"splines"); }
void demoJM() { openDemoPage(L"interpolation"); }
void demoST() { openDemoPage(L"mapping"); }
void demoQM() { openDemoPage(L"affect"); }
