#include "curves/offset.h"

namespace cvx::geom {

std::optional<Line> offset(const Line& l, double d, const AcGeVector3d& normal) {
    AcGeVector3d dir = l.end - l.start;
    AcGeVector3d right = dir.crossProduct(normal);
    if (right.isZeroLength()) return std::nullopt;
    right = right.normal() * d;
    return Line{l.start + right, l.end + right};
}

std::optional<Arc> offset(const Arc& a, double d) {
    Arc r = a;
    r.radius += d;
    if (!(r.radius > 1e-12 * (a.radius + std::fabs(d)))) return std::nullopt;
    return r;
}

}  // namespace cvx::geom
