#include "shaping/interpolation.h"

#include <algorithm>

#include "shaping/density_law.h"

int anchorVertex(const std::vector<AcGePoint3d>& first, const AcGePoint3d& curveStart, const AcGePoint3d& curveEnd) {
    if (first.empty()) return 0;
    int k = 0;
    double d = curveStart.distanceTo(first[0]);
    for (size_t i = 1; i < first.size(); ++i)
        if (curveStart.distanceTo(first[i]) < d) d = curveStart.distanceTo(first[i]), k = static_cast<int>(i);
    for (size_t i = 1; i < first.size(); ++i)
        if (curveEnd.distanceTo(first[i]) < d) d = curveEnd.distanceTo(first[i]), k = static_cast<int>(i);
    return k;
}

LwVertices interpolateVertices(const LwVertices& first, const LwVertices& second, double f,
                               const AcGeVector3d& shift) {
    LwVertices out;
    out.closed = first.closed;
    const size_t n = std::min({first.points.size(), first.bulges.size(), second.points.size(), second.bulges.size()});
    for (size_t i = 0; i < n; ++i) {
        out.points.push_back(first.points[i] + (second.points[i] - first.points[i]) * f + shift);
        out.bulges.push_back(first.bulges[i] + (second.bulges[i] - first.bulges[i]) * f);
    }
    return out;
}

std::vector<LwVertices> interpolationSeries(const LwVertices& first, const LwVertices& second, int count,
                                            double acceleration, const ReferenceGuide* guide) {
    std::vector<LwVertices> series;
    const bool guided = guide && guide->pointAtFraction && guide->anchor >= 0 &&
                        static_cast<size_t>(guide->anchor) < first.points.size();
    for (int j = 0; j < count; ++j) {
        const double f = accelerate(static_cast<double>(j + 1) / (count + 1), acceleration);
        AcGeVector3d shift(0, 0, 0);
        if (guided) {
            const size_t k = static_cast<size_t>(guide->anchor);
            const AcGePoint3d onLine = first.points[k] + (second.points[k] - first.points[k]) * f;
            shift = guide->pointAtFraction(f) - onLine;
        }
        series.push_back(interpolateVertices(first, second, f, shift));
    }
    return series;
}

std::vector<LwVertices> interpolationArray(const LwVertices& first, const LwVertices& second, int rows, int columns,
                                           double acceleration) {
    std::vector<LwVertices> grid;
    if (rows < 2 || columns < 2) return grid;
    for (int c = 0; c < columns; ++c) {
        const double fc = accelerate(static_cast<double>(c) / (columns - 1), acceleration);
        for (int r = 0; r < rows; ++r) {
            if ((c == 0 && r == 0) || (c == columns - 1 && r == rows - 1)) continue;
            const double fr = accelerate(static_cast<double>(r) / (rows - 1), acceleration);
            const double m = (fc + fr) / 2;
            LwVertices shape = interpolateVertices(first, second, m);
            for (size_t i = 0; i < shape.points.size(); ++i) {
                const AcGePoint3d& a = first.points[i];
                const AcGePoint3d& b = second.points[i];
                shape.points[i].x = a.x + (b.x - a.x) * fc;
                shape.points[i].y = a.y + (b.y - a.y) * fr;
            }
            grid.push_back(shape);
        }
    }
    return grid;
}
