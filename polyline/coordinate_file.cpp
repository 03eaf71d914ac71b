#include "polyline/coordinate_file.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <fstream>
#include <iterator>

#include "cvx/codepage.h"
#include "cvx/files.h"
#include "cvx/msgbox.h"
#include "cvx/wide.h"
#include "formula/polyline_through_points.h"
#include "frame/bilingual.h"

namespace {

bool isBlank(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) || c == L'\u3000'; }

bool isSeparator(wchar_t c) {
    return c == L'\uFF0C' || c == L';' || c == L'\uFF1B' || c == L'\u3001' || c == L'|';
}

// The line as its fields are read: trimmed, comment dropped, separators made commas, blanks removed.
std::wstring normalised(const std::wstring& raw) {
    size_t first = 0, last = raw.size();
    while (first < last && isBlank(raw[first])) ++first;
    while (last > first && isBlank(raw[last - 1])) --last;
    std::wstring line = raw.substr(first, last - first);
    size_t comment = line.find(L"//");
    if (comment != std::wstring::npos && comment > 0) line.erase(comment);
    std::wstring out;
    for (wchar_t c : line) {
        if (isBlank(c)) continue;
        out += isSeparator(c) ? L',' : c;
    }
    return out;
}

std::vector<std::wstring> fieldsOf(const std::wstring& line) {
    std::vector<std::wstring> fields;
    if (line.empty()) return fields;
    for (size_t start = 0;;) {
        size_t comma = line.find(L',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::wstring::npos) return fields;
        start = comma + 1;
    }
}

// The leading numeric text of a field; 0 when there is none or it does not give a finite number.
double numberOf(const std::wstring& field) {
    double v = std::wcstod(field.c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

std::wstring decodeUtf16(const std::string& bytes, bool bigEndian) {
    std::wstring out;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        char32_t unit = static_cast<char32_t>(hi << 8 | lo);
        if (unit >= 0xDC00 && unit < 0xE000 && !out.empty() && out.back() >= 0xD800 && out.back() < 0xDC00) {
            out.back() = static_cast<wchar_t>(0x10000 + ((out.back() - 0xD800) << 10) + (unit - 0xDC00));
            continue;
        }
        out += static_cast<wchar_t>(unit);
    }
    return out;
}

}  // namespace

CoordinateLine parseCoordinateLine(const std::wstring& raw) {
    const std::vector<std::wstring> f = fieldsOf(normalised(raw));
    CoordinateLine line;
    if (f.size() >= 3) {
        if (f[0].empty() || f[1].empty()) return {CoordinateLine::kRejected, {}};
        return {CoordinateLine::kPoint, AcGePoint3d(numberOf(f[0]), numberOf(f[1]), numberOf(f[2]))};
    }
    if (f.size() == 2) {
        if (f[1].empty()) return {CoordinateLine::kRejected, {}};
        return {CoordinateLine::kPoint, AcGePoint3d(numberOf(f[0]), numberOf(f[1]), 0)};
    }
    return line;
}

CoordinateFile parseCoordinateLines(const std::vector<std::wstring>& lines) {
    CoordinateFile file;
    std::vector<AcGePoint3d> pending;
    for (size_t i = 0; i < lines.size(); ++i) {
        const CoordinateLine line = parseCoordinateLine(lines[i]);
        if (line.kind == CoordinateLine::kPoint) {
            pending.push_back(line.point);
        } else if (line.kind == CoordinateLine::kRejected) {
            file.rejected.push_back({static_cast<int>(i + 1), lines[i]});
        } else {
            if (pending.size() >= 2) file.polylines.push_back(pending);
            pending.clear();
        }
    }
    return file;
}

std::vector<std::wstring> readTextLines(const std::wstring& path) {
    std::ifstream in(cvxNativePath(path.c_str()), std::ios::binary);
    if (!in) return {};
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::wstring text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)
        text = decodeUtf16(bytes, false);
    else if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF)
        text = decodeUtf16(bytes, true);
    else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text = cvxFromUtf8(std::string_view(bytes).substr(3));
    else if (cvxIsUtf8(bytes))
        text = cvxFromUtf8(bytes);
    else  // plain text that is not UTF-8 was saved in the system's code page
        text = cvxFromCodePage(bytes);
    std::vector<std::wstring> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

void zb2plCommand() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST,
                       chooseText(L"txt坐标文件(*.txt)|*.txt||", L"txt coordinate files(*.txt)|*.txt||"));
    if (dialog.DoModal() != IDOK) return;
    const std::vector<std::wstring> lines = readTextLines(dialog.GetPathName());
    if (lines.size() < 2) {
        printBilingual(L"\n文件行数太少！", L"\nToo few lines in file！");
        return;
    }
    const CoordinateFile file = parseCoordinateLines(lines);
    for (const RejectedLine& bad : file.rejected)
        acutPrintf(chooseText(L"\n第%d行数据错误，已丢弃，请检查：[%ls]", L"\nError in line %d, data discarded, please check: [%ls]"),
                   bad.number, bad.text.c_str());
    int added = 0;
    for (const auto& points : file.polylines) {
        AcDbObjectId id;
        if (addPolylineThroughPoints(points.data(), static_cast<int>(points.size()), false, AcDbObjectId(), id))
            ++added;
    }
    wchar_t message[128];
    std::swprintf(message, 128, chooseText(L"\n添加了< %d>条多段线。", L"\nAdded < %d> polylines."), added);
    messageBoxBilingual(message, message);
}
