#include "polyline/thinning.h"

#include <algorithm>
#include <cmath>

ThinningLimits thinningLimits(double scaleLength, double toleranceFactor) {
    return {scaleLength * toleranceFactor * 0.001, scaleLength * toleranceFactor * 0.005};
}

namespace {

constexpr int kPasses = 5;
constexpr double kSharpTurn = 0.1;  // radians

// One pass: each odd point is tested against its neighbours in the pass's input.
void halvingPass(std::vector<AcGePoint3d>& p, double sagittaLimit) {
    const size_t n = p.size();
    std::vector<bool> covered(n, false);
    std::vector<AcGePoint3d> q;
    q.reserve(n);
    q.push_back(p[0]);
    covered[0] = true;
    for (size_t i = 1; i + 2 <= n; i += 2) {
        const AcGeVector3d back = p[i - 1] - p[i], ahead = p[i + 1] - p[i];
        double angle = 0;
        if (!back.isZeroLength() && !ahead.isZeroLength()) {
            const double c = back.dotProduct(ahead) / (back.length() * ahead.length());
            angle = std::acos(std::clamp(c, -1.0, 1.0));
        }
        const double h = std::fabs(back.length() * std::sin(angle));
        if (h > sagittaLimit || angle < kSharpTurn) q.push_back(p[i]);
        q.push_back(p[i + 1]);
        covered[i] = covered[i + 1] = true;
    }
    for (size_t i = 0; i < n; ++i)
        if (!covered[i]) q.push_back(p[i]);
    q.resize(std::min(q.size(), n));
    p = std::move(q);
}

// Runs of points closer than the merge distance to the run's first point become their mean.
std::vector<AcGePoint3d> mergeClusters(const std::vector<AcGePoint3d>& p, const ThinningLimits& limits) {
    const size_t n = p.size();
    std::vector<AcGePoint3d> r;
    size_t i = 0;
    while (i + 1 < n) {
        size_t c = 1;
        AcGeVector3d sum = p[i].asVector();
        while (i + c < n && p[i + c].distanceTo(p[i]) < limits.merge) sum += p[i + c++].asVector();
        r.push_back(AcGePoint3d::kOrigin + sum / static_cast<double>(c));
        if (c > 1 && i + c + 1 < n && p[i + c].distanceTo(p[i + c + 1]) > limits.longSegment) r.push_back(p[i + c]);
        i += c;
    }
    if (r.size() < n) r.push_back(p[n - 1]);
    return r;
}

}  // namespace

std::vector<AcGePoint3d> thinPoints(std::vector<AcGePoint3d> points, const ThinningLimits& limits) {
    if (points.size() < 2) return {};
    for (int pass = 0; pass < kPasses && points.size() > 2; ++pass) halvingPass(points, limits.merge);
    return mergeClusters(points, limits);
}
