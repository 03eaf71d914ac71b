// The report document: an HTML table that a spreadsheet program opens, saved under the ".xls" name the user
// chose with ".html" in its place. Shared by the coordinate reports and the intersection list.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cvx/editor.h"

constexpr const wchar_t* kWhiteCell = L"#FFFFFF";
constexpr const wchar_t* kGreenCell = L"#99FF99";
constexpr const wchar_t* kEmptyCell = L"&nbsp;";

struct ReportCell {
    std::wstring text;
    int width;  // percent of the table width
    const wchar_t* colour = kWhiteCell;
};
using ReportRow = std::vector<ReportCell>;

// Cell texts: "%d" for indexes, "%.3f" for coordinates and measures.
std::wstring indexText(int value);
std::wstring measureText(double value);

// The document lines up to the opening of the table, and the closing lines; each line ends with '\n'.
std::wstring reportHead(const std::wstring& path, const std::wstring& title);
std::wstring reportTail();
// "  <tr>", one line per cell, "  </tr>".
std::wstring reportRowText(const ReportRow& row);

// Every ".xls" of the chosen path turned into ".html".
std::wstring htmlPathFor(const std::wstring& chosenPath);

// Asks for the document's name with a save dialog (filter "<description>(*.xls)|*.xls|"); the path to write,
// ".html" in place of ".xls". False, with "No file name asigned." printed, when the dialog is cancelled.
bool askReportPath(const ACHAR* cnFilter, const ACHAR* enFilter, std::wstring& htmlPath);

// A document being written: text is stored as UTF-8, the multibyte encoding of this platform, with every line
// break written as CR LF. An existing file is truncated.
class ReportFile {
public:
    explicit ReportFile(const std::wstring& path);
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    bool isOpen() const { return mFile != nullptr; }
    void write(const std::wstring& text);

private:
    std::FILE* mFile = nullptr;
};

// Opens the written document: with openExcel.exe from the module's folder when it is there (and says so on
// the command line), else with the shell.
void openReport(const std::wstring& path);
