#include "curves/project.h"

#include <cmath>

#include "curves/nurbs_from.h"

namespace cvx::geom {

namespace {

struct Projector {
    const AcGePlane& plane;
    AcGeVector3d dir;
    AcGePoint3d point(const AcGePoint3d& p) const { return p.project(plane, dir); }
    AcGeVector3d vec(const AcGeVector3d& v) const {
        return v - dir * (v.dotProduct(plane.normal()) / dir.dotProduct(plane.normal()));
    }
    bool parallelPlane(const AcGeVector3d& n) const { return n.isParallelTo(plane.normal(), AcGeTol()); }

    // The conic c + u cos t + v sin t over [t0, t1] after projection.
    std::optional<Curve> conic(const AcGePoint3d& c, const AcGeVector3d& u0, const AcGeVector3d& v0, double t0,
                               double t1) const {
        AcGeVector3d u = vec(u0), v = vec(v0);
        AcGeVector3d n = u.crossProduct(v);
        if (n.length() <= 1e-12 * u0.lengthSqrd()) return std::nullopt;
        double shift = 0.5 * std::atan2(2 * u.dotProduct(v), u.lengthSqrd() - v.lengthSqrd());
        AcGeVector3d a = u * std::cos(shift) + v * std::sin(shift), b = u * -std::sin(shift) + v * std::cos(shift);
        if (b.length() > a.length()) {  // b becomes the major axis: the parameter moves a quarter turn
            AcGeVector3d na = b, nb = -a;
            a = na, b = nb;
            shift += M_PI / 2;
        }
        Ellipse e;
        e.center = point(c);
        e.normal = n.normal();
        e.majorAxis = a;
        e.radiusRatio = b.length() / a.length();
        e.startParam = t0 - shift;
        e.endParam = t1 - shift;
        return Curve(e);
    }

    std::optional<Curve> operator()(const Line& l) const {
        Line r{point(l.start), point(l.end)};
        if (r.length() <= 1e-12 * l.length()) return std::nullopt;
        return Curve(r);
    }
    std::optional<Curve> operator()(const Arc& a) const {
        if (parallelPlane(a.normal)) {
            Arc r = a;
            r.center = point(a.center);
            return Curve(r);
        }
        return conic(a.center, a.refVec * a.radius, a.yVec() * a.radius, a.startAngle, a.endAngle);
    }
    std::optional<Curve> operator()(const Ellipse& e) const {
        return conic(e.center, e.majorAxis, e.minorAxis(), e.startParam, e.endParam);
    }
    std::optional<Curve> operator()(const Nurbs& n) const {
        Nurbs r = n;
        for (auto& p : r.ctrl) p = point(p);
        auto [lo, hi] = boundingBox(r);
        if (lo.distanceTo(hi) <= 1e-12) return std::nullopt;
        return Curve(r);
    }
    std::optional<Curve> operator()(const PlacedPolyline& pl) const {
        if (parallelPlane(pl.normal)) {  // a translation
            PlacedPolyline r = pl;
            AcGePoint3d o = pl.toWorld() * AcGePoint3d::kOrigin;
            r.elevation += (point(o) - o).dotProduct(pl.normal.normal());
            AcGeVector3d inPlane = (point(o) - o);
            inPlane -= pl.normal.normal() * inPlane.dotProduct(pl.normal.normal());
            AcGeVector3d local = AcGeMatrix3d::worldToPlane(pl.normal) * inPlane;
            for (auto& v : r.poly.v) v.pt += local.convert2d();
            return Curve(r);
        }
        Nurbs n = toNurbs(pl.poly);
        transform(n, pl.toWorld());
        return (*this)(n);
    }
};

}  // namespace

std::optional<Curve> project(const Curve& c, const AcGePlane& plane, const AcGeVector3d& dir) {
    if (std::fabs(dir.normal().dotProduct(plane.normal())) < 1e-12) return std::nullopt;
    Projector p{plane, dir.normal()};
    return std::visit(p, c);
}

}  // namespace cvx::geom
