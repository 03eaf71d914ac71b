#include "reports/report_document.h"

#include <cwchar>

#include "cvx/codepage.h"
#include "cvx/files.h"
#include "cvx/msgbox.h"
#include "cvx/process.h"
#include "cvx/wide.h"
#include "frame/bilingual.h"
#include "frame/module_folder.h"

std::wstring indexText(int value) { return std::to_wstring(value); }

std::wstring measureText(double value) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.3f", value);
    return buffer;
}

namespace {

// Text as HTML shows it: the characters markup would take for its own written as references.
std::wstring htmlText(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'&': out += L"&amp;"; break;
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'"': out += L"&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

std::wstring reportHead(const std::wstring& path, const std::wstring& title) {
    return L"<html>\n"
           L"<head>\n"
           L"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">\n"
           L"<title>" + htmlText(path) + L"</title>\n"
           L"<style type=\"text/css\">\n"
           L"<!--\n"
           L".STYLE1 {font-size: 18px}\n"
           L"-->\n"
           L"</style>\n"
           L"</head>\n"
           L"<body>\n"
           L"<p align=center class=STYLE1>" + htmlText(title) + L"</p>\n"
           L"<table border=1 cellspacing=0 bordercolor=#000000 width = 100% style=border-collapse:collapse>\n";
}

std::wstring reportTail() { return L"</table>\n<br>\n</body>\n</html>\n"; }

std::wstring reportRowText(const ReportRow& row) {
    std::wstring text = L"  <tr>\n";
    for (const ReportCell& cell : row)
        text += L"    <td width=" + std::to_wstring(cell.width) + L"% valign=top bgcolor=" + cell.colour +
                L"><div align=center>" + cell.text + L"</div></td>\n";
    return text + L"  </tr>\n";
}

std::wstring htmlPathFor(const std::wstring& chosenPath) {
    std::wstring path = chosenPath;
    for (size_t at = path.find(L".xls"); at != std::wstring::npos; at = path.find(L".xls", at + 5))
        path.replace(at, 4, L".html");
    return path;
}

bool askReportPath(const ACHAR* cnFilter, const ACHAR* enFilter, std::wstring& htmlPath) {
    CFileDialog dialog(FALSE, L"xls", nullptr, OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
                       chooseText(cnFilter, enFilter));
    if (dialog.DoModal() != IDOK || dialog.GetPathName().empty()) {
        printBilingual(L"\n没有指定文件名。\n", L"\nNo file name asigned.\n");
        return false;
    }
    htmlPath = htmlPathFor(dialog.GetPathName());
    return true;
}


ReportFile::ReportFile(const std::wstring& path) : mFile(std::fopen(cvxNativePath(path.c_str()).c_str(), "wb")) {}

ReportFile::~ReportFile() {
    if (mFile) std::fclose(mFile);
}

void ReportFile::write(const std::wstring& text) {
    if (!mFile) return;
    std::wstring lines;
    lines.reserve(text.size() + text.size() / 16);
    for (wchar_t c : text) {
        if (c == L'\n') lines += L'\r';
        lines += c;
    }
    // The document's head names gb2312, which readers take as the GBK family; the system's code page is that
    // family's full form, so every character survives.
    const std::string bytes = cvxToCodePage(lines);
    std::fwrite(bytes.data(), 1, bytes.size(), mFile);
}

void openReport(const std::wstring& path) {
    const std::wstring opener = moduleFolder() + L"openExcel.exe";
    if (!fileExists(opener.c_str())) {
        ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    const std::wstring quoted = L"\"" + path + L"\"";
    ShellExecuteW(nullptr, L"open", opener.c_str(), quoted.c_str(), nullptr, SW_SHOWNORMAL);
    const std::wstring cn = L"\n列表已输出为 <" + path + L">，即将自动打开。";
    const std::wstring en = L"\nThe list has been output as <" + path + L">, and will be automatically opened soon.";
    printBilingual(cn.c_str(), en.c_str());
}
