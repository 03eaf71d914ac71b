// s2p, p2s, PLDF and PLDJDF: spline conversion and division of the selected curves.
#include <algorithm>

#include "frame/bilingual.h"
#include "polyline/commands.h"
#include "polyline/divide.h"
#include "polyline/selection.h"
#include "polyline/spline_conversion.h"

namespace {

constexpr int kDefaultPrecision = 10;
constexpr int kDefaultDivideCount = 16;
constexpr double kSmallestSpacing = 0.0001;

// Runs the work on every member that opens for read; returns how many it reports done.
template <typename Work>
int forEachOpened(const TypedSelection& selection, Work work) {
    int done = 0;
    for (AcDbObjectId id : selection.ids()) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity && work(entity.object())) ++done;
    }
    return done;
}

TypedSelection selectCurvesToDivide() {
    return TypedSelection({L"POLYLINE", L"LWPOLYLINE", L"LINE", L"ELLIPSE", L"CIRCLE", L"HELIX", L"ARC", L"SPLINE"},
                          {L"请选择曲线 >\n", L"Please select Curves >\n"}, {L"没有选择曲线。\n", L"No Curve selected.\n"});
}

int askDivideCount() {
    acedInitGet(6, nullptr);
    for (;;) {
        int count = kDefaultDivideCount;
        if (getIntBilingual(L"\n请输入等分点数，允许 4--100，默认 16:",
                            L"\nPlease enter the number of divide points, allowable 4--100, default 16:",
                            count) != RTNORM)
            return kDefaultDivideCount;
        if (count >= 4 && count <= 100) return count;
    }
}

}  // namespace

void s2pCommand() {
    TypedSelection selection({L"ELLIPSE", L"CIRCLE", L"HELIX", L"ARC", L"SPLINE"},
                             {L"请选择样条曲线 >\n", L"Please select SPLINE >\n"},
                             {L"没有选择样条曲线。\n", L"No SPLINE selected.\n"});
    if (!selection.ok()) return;
    acedInitGet(6, nullptr);
    int precision = kDefaultPrecision;
    if (getIntBilingual(L"\n请输入精度，允许 1--99，默认 10:",
                        L"\nPlease input the precision, allowable 1--99, default 10:", precision) != RTNORM)
        precision = kDefaultPrecision;
    reportProcessedCurves(
        forEachOpened(selection, [&](AcDbEntity* e) { return replaceSplineByPolyline(e, precision); }));
}

void p2sCommand() {
    TypedSelection selection({L"ELLIPSE", L"CIRCLE", L"HELIX", L"ARC", L"LINE", L"POLYLINE", L"LWPOLYLINE"},
                             {L"请选择曲线 >\n", L"Please select Curves >\n"}, {L"没有选择曲线。\n", L"No Curves selected.\n"});
    if (!selection.ok()) return;
    FitPointRule rule;
    rule.divideEqually = askYesNo(L"\n Y = 等分多段线，N = 按多段线顶点？[Y/N]（Y）:",
                                  L"\n Y = Divide the polylines equally, N = Based on polylinethe vertex？[Y/N]（Y）:",
                                  true);
    if (rule.divideEqually) {
        acedInitGet(6, nullptr);
        int typed = 0;
        if (getIntBilingual(L"\n等分点数 12~256[36]:", L"\nDivide points 12~256[36]:", typed) == RTNORM)
            rule.count = typed;
        rule.count = std::clamp(rule.count, 12, 256);
    }
    reportProcessedCurves(forEachOpened(selection, [&](AcDbEntity* e) { return replaceCurveBySpline(e, rule); }));
}

void pldfCommand() {
    TypedSelection selection = selectCurvesToDivide();
    if (!selection.ok()) return;
    const int count = askDivideCount();
    reportProcessedCurves(forEachOpened(selection, [&](AcDbEntity* e) {
        return divideCurveByCount(AcDbCurve::cast(e), count) == DivideResult::kAdded;
    }));
}

void pldjdfCommand() {
    TypedSelection selection = selectCurvesToDivide();
    if (!selection.ok()) return;
    acedInitGet(6, nullptr);
    double spacing = 0;
    if (getDistBilingual(nullptr, L"\n请输入等分距离:", L"\nPlease enter the equal distance:", spacing) != RTNORM ||
        spacing < kSmallestSpacing)
        return;
    reportProcessedCurves(forEachOpened(selection, [&](AcDbEntity* e) {
        const DivideResult r = divideCurveByDistance(AcDbCurve::cast(e), spacing);
        if (r == DivideResult::kTooShort)
            printBilingual(L"曲线长度小于等分距离的 4 倍，此曲线将不被处理。",
                           L"The line length is less than 4 times of the bisection distance, this curve will not be processed.");
        return r == DivideResult::kAdded;
    }));
}
