#include "shaping/fence_map.h"

#include <algorithm>
#include <utility>

#include "formula/formula_curve.h"
#include "shaping/sample_by_length.h"

namespace {

constexpr double kSmallest = 0.0001;
constexpr int kFewestSamples = 6;
constexpr int kMostSamples = 36;

AcGePoint3d blend(const AcGePoint3d& a, double wa, const AcGePoint3d& b, double wb) {
    return AcGePoint3d(a.x * wa + b.x * wb, a.y * wa + b.y * wb, a.z * wa + b.z * wb);
}

// The point at the fraction of the curve's length, the distance kept on the curve; the origin when the
// curve cannot give it.
AcGePoint3d pointAtFraction(const AcDbCurve* curve, double length, double fraction) {
    AcGePoint3d p = AcGePoint3d::kOrigin;
    curve->getPointAtDist(std::clamp(fraction * length, 0.0, length), p);
    return p;
}

void reverseInDrawing(AcDbCurve* curve) {
    if (curve->upgradeOpen() != Acad::eOk) return;
    curve->reverseCurve();
    curve->downgradeOpen();
}

AcGePoint3d startOf(const AcDbCurve* c) {
    AcGePoint3d p;
    c->getStartPoint(p);
    return p;
}
AcGePoint3d endOf(const AcDbCurve* c) {
    AcGePoint3d p;
    c->getEndPoint(p);
    return p;
}

}  // namespace

FenceBox fenceBoxFromCorners(const AcGePoint3d& first, const AcGePoint3d& second) {
    return {AcGePoint3d(std::min(first.x, second.x), std::max(first.y, second.y), first.z),
            AcGePoint3d(std::max(first.x, second.x), std::min(first.y, second.y), first.z)};
}

AcGePoint2d fenceParameters(const FenceBox& box, const AcGePoint3d& point) {
    return AcGePoint2d(std::abs(point.x - box.topLeft.x) / box.width(),
                       std::abs(point.y - box.bottomRight.y) / box.height());
}

AcGePoint3d coonsPoint(double u, double v, const FencePatchInput& in) {
    const AcGePoint3d ruled = blend(in.bottom, 1 - v, in.top, v);
    const AcGePoint3d leftChord = blend(in.bottomStart, 1 - v, in.topStart, v);
    const AcGePoint3d rightChord = blend(in.bottomEnd, 1 - v, in.topEnd, v);
    return ruled + (in.left - leftChord) * (1 - u) + (in.right - rightChord) * u;
}

int fenceSampleCount(double curveLength, double referenceLength) {
    const double n = curveLength / referenceLength * 100;
    if (!(n < kMostSamples)) return kMostSamples;  // also a zero reference
    return std::max(kFewestSamples, static_cast<int>(n));
}

FenceReversals fenceReversals(const FenceEnds& e) {
    FenceReversals r;
    r.top = e.top0.distanceTo(e.left0) > e.top1.distanceTo(e.left0) ||
            e.top0.distanceTo(e.left1) > e.top1.distanceTo(e.left1);
    r.bottom = e.bottom1.distanceTo(e.right0) > e.bottom0.distanceTo(e.right0) ||
               e.bottom1.distanceTo(e.right1) > e.bottom0.distanceTo(e.right1);
    AcGePoint3d b0 = e.bottom0, b1 = e.bottom1;
    if (r.bottom) std::swap(b0, b1);
    r.left = b0.distanceTo(e.left0) > b0.distanceTo(e.left1);
    r.right = b1.distanceTo(e.right0) > b1.distanceTo(e.right1);
    return r;
}

double fenceReferenceLength(const FenceEnds& e) {
    return std::max({e.top0.distanceTo(e.top1), e.bottom0.distanceTo(e.bottom1), e.right0.distanceTo(e.right1),
                     e.left0.distanceTo(e.left1)});
}

FenceEnds fenceEndsOf(const FenceCurves& f) {
    return {startOf(f.top),  endOf(f.top),  startOf(f.bottom), endOf(f.bottom),
            startOf(f.left), endOf(f.left), startOf(f.right),  endOf(f.right)};
}

void orientFence(const FenceCurves& fence) {
    const FenceReversals r = fenceReversals(fenceEndsOf(fence));
    if (r.top) reverseInDrawing(fence.top);
    if (r.bottom) reverseInDrawing(fence.bottom);
    if (r.left) reverseInDrawing(fence.left);
    if (r.right) reverseInDrawing(fence.right);
}

std::vector<AcGePoint3d> mapPointsToFence(int n, const FenceBox& box, const AcDbCurve* curve,
                                          const FenceCurves& fence) {
    const double top = curveLengthAlong(fence.top), bottom = curveLengthAlong(fence.bottom);
    const double left = curveLengthAlong(fence.left), right = curveLengthAlong(fence.right);
    std::vector<AcGePoint3d> points;
    if (box.width() < kSmallest || box.height() < kSmallest ||
        std::min({top, bottom, left, right}) < kSmallest || !sampleCurveByLength(curve, n, points))
        return {};
    FencePatchInput in;
    in.topStart = startOf(fence.top);
    in.topEnd = endOf(fence.top);
    in.bottomStart = startOf(fence.bottom);
    in.bottomEnd = endOf(fence.bottom);
    for (AcGePoint3d& p : points) {
        const AcGePoint2d uv = fenceParameters(box, p);
        in.top = pointAtFraction(fence.top, top, uv.x);
        in.bottom = pointAtFraction(fence.bottom, bottom, uv.x);
        in.left = pointAtFraction(fence.left, left, uv.y);
        in.right = pointAtFraction(fence.right, right, uv.y);
        p = coonsPoint(uv.x, uv.y, in);
    }
    return points;
}

bool mapCurveToFence(int n, const FenceBox& box, const AcDbCurve* curve, const FenceCurves& fence) {
    const std::vector<AcGePoint3d> points = mapPointsToFence(n, box, curve, fence);
    if (points.empty()) return false;
    const AcGeVector3d noTangent(0, 0, 0);
    return !addFormulaCurve(points.data(), static_cast<int>(points.size()), 0, false, noTangent, noTangent)
                .isNull();
}
