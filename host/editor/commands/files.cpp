// SAVE, SAVEAS, PLOT and QUIT.
#include <cmath>
#include <cwctype>

#include "cvx/wide.h"
#include "editor/command_line.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/view_render.h"

namespace cvx::editor::commands {
namespace {

// The versions drawing files are written in, by the names a user gives them.
struct Version {
    const wchar_t *year, *ac;
    AcDb::AcDbDwgVersion version;
};
constexpr Version kVersions[] = {{L"2000", L"AC1015", AcDb::kDHL_1015}, {L"2004", L"AC1018", AcDb::kDHL_1018},
                                 {L"2007", L"AC1021", AcDb::kDHL_1021}, {L"2010", L"AC1024", AcDb::kDHL_1024},
                                 {L"2013", L"AC1027", AcDb::kDHL_1027}, {L"2018", L"AC1032", AcDb::kDHL_1032}};

std::wstring upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

// The version a drawing is saved in: the one it was read in (or last saved in), 2000 for older ones.
AcDb::AcDbDwgVersion saveVersion(const AcDbDatabase* db) {
    for (const Version& v : kVersions)
        if (db->originalFileVersion() == v.version) return v.version;
    return AcDb::kDHL_1015;
}

const wchar_t* yearOf(AcDb::AcDbDwgVersion version) {
    for (const Version& v : kVersions)
        if (v.version == version) return v.year;
    return L"2000";
}

void saveTo(AcDbDatabase* db, const std::wstring& file, AcDb::AcDbDwgVersion version) {
    acedVports2VportTableRecords();
    Acad::ErrorStatus es = db->dxfOut(file.c_str(), 16, version);
    if (es != Acad::eOk) {
        acutPrintf(L"Could not save %ls: %ls\n", file.c_str(), db->lastErrorText().c_str());
        return;
    }
    db->setFileName(file);
    db->setOriginalFileVersion(version);
    acutPrintf(L"Saved %ls (%ls)\n", file.c_str(), yearOf(version));
}

void saveAsCommand() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return;
    AcDb::AcDbDwgVersion version = saveVersion(db);
    ACHAR file[4096];
    for (;;) {
        if (acedGetString(1, L"Enter file name or [Version]: ", file, 4096) != RTNORM || !file[0]) return;
        std::wstring answer = upper(file);
        if (answer != L"V" && answer != L"VERSION") break;
        std::wstring prompt = L"File version [2000/2004/2007/2010/2013/2018] <" + std::wstring(yearOf(version)) + L">: ";
        ACHAR given[64];
        if (acedGetString(0, prompt.c_str(), given, 64) != RTNORM) return;
        std::wstring name = upper(given);
        if (name.size() > 1 && name[0] == L'R' && std::iswdigit(name[1])) name.erase(0, 1);
        if (name.empty()) continue;
        const Version* found = nullptr;
        for (const Version& v : kVersions)
            if (name == v.year || name == v.ac) found = &v;
        if (!found) {
            acutPrintf(L"No such file version: %ls\n", given);
            continue;
        }
        version = found->version;
    }
    saveTo(db, file, version);
}

void saveCommand() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return;
    if (db->fileName().empty()) return saveAsCommand();
    if (db->originalFileVersion() < AcDb::kDHL_1015)
        acutPrintf(L"The drawing was read from a version before 2000; it is saved in the 2000 format.\n");
    saveTo(db, db->fileName(), saveVersion(db));
}

// A scale as "1:100" (a paper millimetre for 100 drawing units), "2:1" or a number of units per millimetre.
bool parseScale(const std::wstring& text, double& unitsPerMm) {
    wchar_t* end = nullptr;
    double a = std::wcstod(text.c_str(), &end), b = 1;
    if (*end == L':') {
        const wchar_t* rest = end + 1;
        b = std::wcstod(rest, &end);
        if (end == rest) return false;
        unitsPerMm = b / a;
    } else {
        unitsPerMm = a;
    }
    return *end == 0 && a > 0 && b > 0 && std::isfinite(unitsPerMm);
}

// PLOT: the current view, the extents or a window, at a scale or fitted, on A0..A4 landscape, into a PDF.
void plotCommand() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return;
    cvx::PdfPlot plot;
    RenderOptions view = currentViewRenderOptions();
    plot.viewCenter = view.viewCenter;
    plot.viewHeight = view.viewHeight;
    ACHAR answer[4096];
    acedInitGet(0, L"View Window Extents");
    int rc = acedGetKword(L"Plot area [View/Window/Extents] <View>: ", answer, 64);
    if (rc == RTCAN) return;
    std::wstring area = rc == RTNORM ? upper(answer) : L"";
    if (area == L"WINDOW") {
        ads_point a, b;
        if (acedGetPoint(nullptr, L"First corner: ", a) != RTNORM || acedGetCorner(a, L"Other corner: ", b) != RTNORM)
            return;
        plot.window = true;
        plot.corner1 = {a[0], a[1]};
        plot.corner2 = {b[0], b[1]};
    } else if (area == L"EXTENTS") {
        plot.viewHeight = 0;
    }
    for (;;) {
        if (acedGetString(0, L"Plot scale (1:N) or [Fit] <Fit>: ", answer, 64) != RTNORM) return;
        std::wstring s = upper(answer);
        if (s.empty() || s == L"F" || s == L"FIT") break;
        if (parseScale(s, plot.unitsPerMm)) break;
        acutPrintf(L"A scale is 1:100, 2:1 or a number of drawing units per millimetre.\n");
    }
    static const struct {
        const wchar_t* name;
        double w, h;
    } kPapers[] = {{L"A0", 1189, 841}, {L"A1", 841, 594}, {L"A2", 594, 420}, {L"A3", 420, 297}, {L"A4", 297, 210}};
    for (bool found = false; !found;) {
        if (acedGetString(0, L"Paper [A0/A1/A2/A3/A4] <A4>: ", answer, 64) != RTNORM) return;
        std::wstring paper = upper(answer);
        if (paper.empty()) paper = L"A4";
        for (const auto& p : kPapers)
            if (paper == p.name) plot.paperWidth = p.w, plot.paperHeight = p.h, found = true;
        if (!found) acutPrintf(L"No such paper: %ls\n", answer);
    }
    if (acedGetString(1, L"PDF file name: ", answer, 4096) != RTNORM || !answer[0]) return;
    std::wstring file = answer;
    if (file.size() < 4 || upper(file.substr(file.size() - 4)) != L".PDF") file += L".pdf";
    std::string error;
    if (!cvxPlotToPdf(db, plot, cvxToUtf8(file), &error)) {
        acutPrintf(L"Could not plot %ls: %ls\n", file.c_str(), cvxFromUtf8(error).c_str());
        return;
    }
    acutPrintf(L"Plotted %ls\n", file.c_str());
}

void quitCommand() { requestQuit(); }

}  // namespace

void registerFileCommands(Registrar& add) {
    add(L"SAVE", saveCommand);
    add(L"SAVEAS", saveAsCommand);
    add(L"PLOT", plotCommand);
    add(L"QUIT", quitCommand);
}

}  // namespace cvx::editor::commands
