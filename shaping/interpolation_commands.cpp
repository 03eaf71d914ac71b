#include <algorithm>
#include <optional>
#include <utility>

#include "shaping/family_prompts.h"
#include "shaping/interpolation.h"
#include "shaping/interpolation_commands.h"

namespace {

constexpr double kShortestReference = 0.0001;

// The two polylines both commands start from; each prompt's first pick ends the command with a message when
// empty, the second one silently.
std::optional<std::pair<AcDbObjectId, AcDbObjectId>> pickTwoPolylines() {
    const AcDbObjectId first =
        selectOneLwPolyline(L"\n请选择第一条多段线: ", L"\nPlease select the first LWPolyline: ");
    if (first.isNull()) {
        printBilingual(L"\n没有选择。", L"\nSelected nothing.");
        return std::nullopt;
    }
    const AcDbObjectId second =
        selectOneLwPolyline(L"\n请选择第二条多段线: ", L"\nPlease select the second LWPolyline: ");
    if (second.isNull()) return std::nullopt;
    return std::make_pair(first, second);
}

// Reads both polylines (closing them at once); nothing, after a message, when one is not a lightweight polyline
// or their vertex counts differ, or when one cannot be opened.
std::optional<std::pair<LwVertices, LwVertices>> readTwoPolylines(AcDbObjectId firstId, AcDbObjectId secondId) {
    LwVertices shapes[2];
    const AcDbObjectId ids[2] = {firstId, secondId};
    for (int s = 0; s < 2; ++s) {
        AcDbObjectPointer<AcDbEntity> entity(ids[s], AcDb::kForRead);
        if (!entity) return std::nullopt;
        const auto* polyline = AcDbPolyline::cast(entity.object());
        if (!polyline) {
            printBilingual(L"\n多段线意外错误。", L"\nPolyline unexpected error.");
            return std::nullopt;
        }
        shapes[s] = readLwVertices(*polyline);
    }
    if (shapes[0].points.size() != shapes[1].points.size()) {
        printBilingual(L"\n两条多段线的顶点数不同，无法插值。",
                       L"\nThe number of vertices of two polylines is different and cannot be interpolated.");
        return std::nullopt;
    }
    return std::make_pair(std::move(shapes[0]), std::move(shapes[1]));
}

double askAcceleration() {
    return askDensityAcceleration(L"\n请输入插值密度加速度，允许值为 -100(减速) ~ 100(加速)，默认值为 0:",
                                  L"\nPlease enter the interpolation density acceleration, the allowable value is -100 "
                                  L"(deceleration) ~ 100 (acceleration), the default value is 0:");
}

// 2 to 1000 (clamped), the default on Enter.
int askArraySize(const ACHAR* cn, const ACHAR* en, int defaultValue) {
    int value = defaultValue;
    acedInitGet(6, nullptr);
    if (getIntBilingual(cn, en, value) != RTNORM) value = defaultValue;
    return std::clamp(value, 2, 1000);
}

// The reference curve's guide: its end points and a way to the point at a fraction of its length. Null when
// nothing is picked, or the pick is no curve, or the curve is shorter than 0.0001.
struct PickedReference {
    AcDbObjectId id;
    double length = 0;
    AcGePoint3d start, end;
};

std::optional<PickedReference> askReferenceCurve() {
    ads_name name = {0, 0};
    AcGePoint3d picked;
    if (entSelBilingual(L"\n请选择底部的参考曲线: (回车 = 忽略): ",
                        L"\nPlease select a refrence curve on the bottom: (return = ignore): ", name, picked) != RTNORM)
        return std::nullopt;
    PickedReference ref;
    if (acdbGetObjectId(ref.id, name) != Acad::eOk) return std::nullopt;
    AcDbObjectPointer<AcDbEntity> entity(ref.id, AcDb::kForRead);
    const auto* curve = entity ? AcDbCurve::cast(entity.object()) : nullptr;
    double endParam = 0;
    if (!curve || curve->getEndParam(endParam) != Acad::eOk || curve->getDistAtParam(endParam, ref.length) != Acad::eOk ||
        ref.length < kShortestReference || curve->getStartPoint(ref.start) != Acad::eOk ||
        curve->getEndPoint(ref.end) != Acad::eOk)
        return std::nullopt;
    return ref;
}

// The point at a fraction of the curve's length, opening the curve for the moment of the question.
AcGePoint3d pointAtFraction(const PickedReference& ref, double f) {
    AcGePoint3d p = ref.start;
    AcDbObjectPointer<AcDbEntity> entity(ref.id, AcDb::kForRead);
    if (const auto* curve = entity ? AcDbCurve::cast(entity.object()) : nullptr)
        curve->getPointAtDist(std::clamp(f, 0.0, 1.0) * ref.length, p);
    return p;
}

void addAll(const std::vector<LwVertices>& shapes) {
    for (const LwVertices& shape : shapes) addLwPolyline(shape);  // one that cannot be added is skipped
}

}  // namespace

void plintCommand() {
    const auto ids = pickTwoPolylines();
    if (!ids) return;
    const auto shapes = readTwoPolylines(ids->first, ids->second);
    if (!shapes) return;
    const int count = askFamilyCount(L"\n插值数量，允许 1--100，默认 16:",
                                     L"\nNumber of Interpolation, allowable 1--100, default 16:");
    const double acceleration = askAcceleration();
    const std::optional<PickedReference> reference = askReferenceCurve();
    std::optional<ReferenceGuide> guide;
    if (reference) {
        guide = ReferenceGuide{anchorVertex(shapes->first.points, reference->start, reference->end),
                               [&reference](double f) { return pointAtFraction(*reference, f); }};
    }
    addAll(interpolationSeries(shapes->first, shapes->second, count, acceleration, guide ? &*guide : nullptr));
}

void plarrCommand() {
    const auto ids = pickTwoPolylines();
    if (!ids) return;
    const int rows = askArraySize(L"\n请输入阵列行数[2--1000](9):", L"\nPlease input the array rows[2--1000](9):", 9);
    const int columns =
        askArraySize(L"\n请输入阵列列数[2--1000](12):", L"\nPlease input the array columns[2--1000](12):", 12);
    const auto shapes = readTwoPolylines(ids->first, ids->second);
    if (!shapes) return;
    const double acceleration = askAcceleration();
    addAll(interpolationArray(shapes->first, shapes->second, rows, columns, acceleration));
}
