#include "formula/generator.h"

#include <cmath>

#include "cvx/editor.h"
#include "formula/catalogue.h"
#include "formula/formula_curve.h"
#include "frame/language.h"

namespace {

// How a row's curve is drawn: colour code, closed flag and the end tangents its spline form takes.
struct RowStyle {
    int colour = -1;  // the drawing's current colour
    bool closed = false;
    AcGeVector3d startTangent, endTangent;
};

RowStyle rowStyle(int row) {
    const AcGeVector3d east(1, 0, 0), west(-1, 0, 0), north(0, 1, 0), south(0, -1, 0);
    RowStyle style;
    switch (row + 1) {
    case 1: style.colour = 1; style.closed = true; break;
    case 11: style.startTangent = west; style.endTangent = south; break;
    case 22: case 23: case 38: case 60: case 68: case 69:
        style.startTangent = north; style.endTangent = north; break;
    case 40: style.startTangent = west; style.endTangent = north; break;
    case 67: case 71: style.startTangent = east; style.endTangent = north; break;
    default: break;
    }
    return style;
}

// Beyond this size lengths and areas of a curve can no longer be worked out.
constexpr double kLargestCoordinate = 1e100;

bool drawable(double c) { return std::isfinite(c) && std::abs(c) <= kLargestCoordinate; }
bool drawable(const AcGePoint3d& p) { return drawable(p.x) && drawable(p.y) && drawable(p.z); }

// The unbroken runs of drawable samples, each with at least two points.
std::vector<FormulaSamples> drawablePieces(const FormulaSamples& samples) {
    std::vector<FormulaSamples> pieces;
    FormulaSamples run;
    for (const AcGePoint3d& p : samples) {
        if (drawable(p)) {
            run.push_back(p);
            continue;
        }
        if (run.size() >= 2) pieces.push_back(run);
        run.clear();
    }
    if (run.size() >= 2) pieces.push_back(run);
    return pieces;
}

void reportPieces(size_t pieces) {
    if (chineseLanguage())
        acutPrintf(L"\n曲线有些点没有实数值或数值过大，已略去；画出 %d 段。\n", static_cast<int>(pieces));
    else
        acutPrintf(L"\nSome points of this curve have no real value or are too large and were left out; %d piece(s) drawn.\n",
                   static_cast<int>(pieces));
}

}  // namespace

AcDbObjectIdArray drawFormulaCurve(int row, const AcGePoint3d& origin, const FormulaArgs& args) {
    AcDbObjectIdArray ids;
    if (row < 0 || row >= kFormulaRowCount) {
        acutPrintf(chineseLanguage() ? L"\n没有第 %d 种公式曲线。\n" : L"\nThere is no formula curve number %d.\n",
                   row + 1);
        return ids;
    }
    const RowStyle style = rowStyle(row);
    for (FormulaSamples& samples : formulaSamples(row, args)) {
        for (AcGePoint3d& p : samples) p += origin.asVector();
        std::vector<FormulaSamples> pieces = drawablePieces(samples);
        if (pieces.size() == 1 && pieces[0].size() == samples.size()) {
            ids.append(addFormulaCurve(samples.data(), static_cast<int>(samples.size()), style.colour, style.closed,
                                       style.startTangent, style.endTangent));
            continue;
        }
        for (const FormulaSamples& piece : pieces)
            ids.append(addFormulaCurve(piece.data(), static_cast<int>(piece.size()), style.colour, false,
                                       AcGeVector3d(), AcGeVector3d()));
        reportPieces(pieces.size());
    }
    return ids;
}
