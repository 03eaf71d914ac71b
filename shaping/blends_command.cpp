#include "shaping/blends_command.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "cvx/dbobject.h"
#include "frame/bilingual.h"
#include "frame/entity_color.h"
#include "frame/extents.h"
#include "frame/sysvars.h"
#include "linkline/curve_through_points.h"
#include "shaping/blends.h"
#include "shaping/family_prompts.h"
#include "shaping/sample_by_length.h"

namespace {

constexpr double kShortestReference = 0.0001;
constexpr int kSamplesPerSurfaceStep = 6;

struct Pick {
    AcDbObjectId id;
    AcGePoint3d at;  // world coordinates
};

// One entity pick; false when nothing was picked.
bool pickEntity(const ACHAR* cn, const ACHAR* en, Pick& pick) {
    ads_name name;
    if (entSelBilingual(cn, en, name, pick.at) != RTNORM || acdbGetObjectId(pick.id, name) != Acad::eOk)
        return false;
    ucsToWcs(pick.at);
    return true;
}

bool pickMainCurve(const ACHAR* cn, const ACHAR* en, Pick& pick) {
    if (pickEntity(cn, en, pick)) return true;
    printBilingual(L"\n没有选择任何对象。", L"\nSelected nothing.");
    return false;
}

CurveEnds endsOf(const AcDbCurve& curve) {
    CurveEnds e;
    curve.getStartPoint(e.start);
    curve.getEndPoint(e.end);
    return e;
}

// A curve of the blend, read once: a copy of its geometry that never enters the drawing (its spline form, or
// a clone when it has none) and the colour it is seen in.
struct WorkingCurve {
    std::unique_ptr<AcDbCurve> copy;
    AcCmColor color;
};

std::unique_ptr<AcDbCurve> workingCopy(const AcDbCurve& curve) {
    AcDbSpline* spline = nullptr;
    if (curve.getSpline(spline) == Acad::eOk && spline) return std::unique_ptr<AcDbCurve>(spline);
    AcRxObject* clone = curve.clone();
    if (auto* copy = AcDbCurve::cast(clone)) return std::unique_ptr<AcDbCurve>(copy);
    delete clone;
    return nullptr;
}

// Both curves, or nothing: silently when one cannot be opened, after a message when one is not a curve.
bool readMainCurves(const Pick& first, const Pick& second, WorkingCurve& a, WorkingCurve& b) {
    AcDbObjectPointer<AcDbEntity> opened[2];
    if (opened[0].open(first.id, AcDb::kForRead) != Acad::eOk || opened[1].open(second.id, AcDb::kForRead) != Acad::eOk)
        return false;
    const auto* ca = AcDbCurve::cast(opened[0].object());
    const auto* cb = AcDbCurve::cast(opened[1].object());
    if (!ca || !cb) {
        printBilingual(L"\n错误：选择的不是曲线。", L"\nError: not a curve selected.");
        return false;
    }
    a.copy = workingCopy(*ca);
    b.copy = workingCopy(*cb);
    effectiveColor(ca, a.color);
    effectiveColor(cb, b.color);
    return a.copy && b.copy;
}

// A reference curve held open for read while the family is drawn; empty when it cannot be opened, is not a
// curve or is shorter than 0.0001.
struct Reference {
    AcDbObjectPointer<AcDbEntity> entity;
    AcDbCurve* curve = nullptr;
    double length = 0;

    void open(AcDbObjectId id) {
        if (id.isNull() || entity.open(id, AcDb::kForRead) != Acad::eOk) return;
        auto* c = AcDbCurve::cast(entity.object());
        length = curveLengthAlong(c);
        if (c && length >= kShortestReference) curve = c;
    }
    // Turns the curve round in the drawing.
    void reverse() {
        if (curve->upgradeOpen() != Acad::eOk) return;
        curve->reverseCurve();
        curve->downgradeOpen();
    }
    ReferencePath path() const {
        return [c = curve, l = length](double f) {
            AcGePoint3d p;
            c->getStartPoint(p);
            c->getPointAtDist(std::clamp(f, 0.0, 1.0) * l, p);
            return p;
        };
    }
};

// Turns the working copies and picks the roles of the references: returns the start-side and the end-side
// reference (either may be null), each turned in the drawing to run from the first curve towards the second.
std::pair<Reference*, Reference*> orient(AcDbCurve& a, AcDbCurve& b, const Pick& pickA, const Pick& pickB,
                                         Reference& r1, Reference& r2) {
    Reference* start = r1.curve ? &r1 : nullptr;
    Reference* end = r2.curve ? &r2 : nullptr;
    if (!start && !end) {
        if (pickedNearEnd(endsOf(a), pickA.at)) a.reverseCurve();
        if (pickedNearEnd(endsOf(b), pickB.at)) b.reverseCurve();
        return {nullptr, nullptr};
    }
    if (runsLeftward(endsOf(a))) a.reverseCurve();
    if (runsLeftward(endsOf(b))) b.reverseCurve();
    const CurveEnds ea = endsOf(a), eb = endsOf(b);
    if (start && end) {
        if (!isStartSideReference(endsOf(*start->curve), ea, eb)) std::swap(start, end);
    } else {
        Reference* only = start ? start : end;
        const bool atStart = isStartSideReference(endsOf(*only->curve), ea, eb);
        start = atStart ? only : nullptr;
        end = atStart ? nullptr : only;
    }
    if (start && startsFarFrom(endsOf(*start->curve), ea.start)) start->reverse();
    if (end && startsFarFrom(endsOf(*end->curve), ea.end)) end->reverse();
    return {start, end};
}

}  // namespace

void plblendsCommand() {
    Pick first, second;
    if (!pickMainCurve(L"\n请选择第一根曲线： ", L"\nPlease select the first curve: ", first) ||
        !pickMainCurve(L"\n请选择第二根曲线： ", L"\nPlease select the second curve: ", second))
        return;
    Pick ref1, ref2;
    if (pickEntity(L"\n请选择端部的参考曲线: (回车 = 忽略): ",
                   L"\nPlease select a refrence curve on end: (return = ignore): ", ref1))
        pickEntity(L"\n请选择端部的第二根参考曲线: (回车 = 忽略): ",
                   L"\nPlease select second refrence curve on end: (return = ignore): ", ref2);
    const int count = askFamilyCount(L"\n渐变曲线数量，允许 1--100，默认 16:",
                                     L"\nNumber of gradient curves, allowable 1--100, default 16:");
    const double acceleration =
        askDensityAcceleration(L"\n请输入渐变曲线密度加速度，允许值为 -100(减速) ~ 100(加速)，默认值为 0:",
                               L"\nPlease enter the gradient curve density acceleration, the allowable value is -100 "
                               L"(deceleration) ~ 100 (acceleration), the default value is 0:");

    WorkingCurve a, b;
    if (!readMainCurves(first, second, a, b)) return;
    Reference r1, r2;
    r1.open(ref1.id);
    r2.open(ref2.id);
    const auto [startRef, endRef] = orient(*a.copy, *b.copy, first, second, r1, r2);

    const int samples = kSamplesPerSurfaceStep * getSysVarShort(L"surftab1");
    std::vector<AcGePoint3d> sa, sb;
    if (!sampleCurveByLength(a.copy.get(), samples, sa) || !sampleCurveByLength(b.copy.get(), samples, sb)) return;
    const ReferencePath startPath = startRef ? startRef->path() : ReferencePath();
    const ReferencePath endPath = endRef ? endRef->path() : ReferencePath();
    const auto family = blendFamily(sa, sb, count, acceleration, &startPath, &endPath);
    const AcGeVector3d noTangent(0, 0, 0);
    for (size_t j = 0; j < family.size(); ++j) {
        AcDbObjectId id;
        addCurveThroughPoints(static_cast<int>(family[j].size()), family[j].data(),
                              shadeColor(a.color, b.color, static_cast<int>(j), count), false, noTangent, noTangent,
                              id);
    }
}
