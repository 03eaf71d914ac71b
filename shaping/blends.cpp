#include "shaping/blends.h"

#include <algorithm>

#include "shaping/density_law.h"

double blendFraction(int j, int count, double acceleration) {
    return accelerate(static_cast<double>(j + 1) / (count + 1), acceleration);
}

std::vector<AcGePoint3d> morphSamples(const std::vector<AcGePoint3d>& first, const std::vector<AcGePoint3d>& second,
                                      double f, const AcGeVector3d& startShift, const AcGeVector3d& endShift) {
    const size_t n = std::min(first.size(), second.size());
    std::vector<AcGePoint3d> out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const double u = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
        out.push_back(first[i] + (second[i] - first[i]) * f + startShift * (1 - u) + endShift * u);
    }
    return out;
}

std::vector<std::vector<AcGePoint3d>> blendFamily(const std::vector<AcGePoint3d>& first,
                                                  const std::vector<AcGePoint3d>& second, int count,
                                                  double acceleration, const ReferencePath* startReference,
                                                  const ReferencePath* endReference) {
    std::vector<std::vector<AcGePoint3d>> family;
    if (first.empty() || second.empty()) return family;
    const AcGePoint3d& as = first.front();
    const AcGePoint3d& ae = first.back();
    const AcGePoint3d& bs = second.front();
    const AcGePoint3d& be = second.back();
    for (int j = 0; j < count; ++j) {
        const double f = blendFraction(j, count, acceleration);
        AcGeVector3d startShift(0, 0, 0), endShift(0, 0, 0);
        if (startReference && *startReference) startShift = (*startReference)(f) - (as + (bs - as) * f);
        if (endReference && *endReference) endShift = (*endReference)(f) - (ae + (be - ae) * f);
        family.push_back(morphSamples(first, second, f, startShift, endShift));
    }
    return family;
}

AcCmColor shadeColor(const AcCmColor& first, const AcCmColor& second, int j, int count) {
    if (first == second) return first;
    const double w = static_cast<double>(j + 1) / (count + 1);
    const auto mix = [w](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + (b - a) * w); };
    return AcCmColor(mix(first.red(), second.red()), mix(first.green(), second.green()),
                     mix(first.blue(), second.blue()));
}

bool runsLeftward(const CurveEnds& curve) { return curve.start.x > curve.end.x; }

bool pickedNearEnd(const CurveEnds& curve, const AcGePoint3d& picked) {
    return picked.distanceTo(curve.start) > picked.distanceTo(curve.end);
}

bool isStartSideReference(const CurveEnds& reference, const CurveEnds& first, const CurveEnds& second) {
    for (const AcGePoint3d& p : {reference.start, reference.end}) {
        const double d = p.distanceTo(first.start);
        if (d < p.distanceTo(first.end) && d < p.distanceTo(second.start) && d < p.distanceTo(second.end))
            return true;
    }
    return false;
}

bool startsFarFrom(const CurveEnds& reference, const AcGePoint3d& anchor) {
    return reference.start.distanceTo(anchor) > reference.end.distanceTo(anchor);
}
