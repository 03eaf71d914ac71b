#include "shaping/affect_law.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kQuarterTurn = 1.5707963267948966;
}

double affectWeight(double r, double d) {
    if (!(d > 0) || r >= d) return 0;
    return std::pow((d - std::max(r, 0.0)) / d, 1.5);
}

double affectQuarterTurn(double r, double d) { return d > 0 ? r * kQuarterTurn / d : 0; }

double affectPush(double x, double crossingX, double r, double d, double strength) {
    if (r > d) return 0;
    const double away = crossingX > x ? -0.5 : 0.5;
    return away * d * strength * affectWeight(r, d);
}

double affectTurn(double r, double d, double strength) {
    if (!(d > 0) || r > d) return 0;
    return (d - r) * strength * kQuarterTurn / d;
}

double affectRigidScale(double r, double d) {
    if (!(d > 0)) return 1;
    return std::sqrt(std::max(0.0, std::sin(affectQuarterTurn(std::min(r, d), d))));
}

double affectStrength(int typed) { return std::clamp(typed, 1, 10) / 10.0; }

double affectDistance(double answer, double viewSize) { return answer < viewSize / 50 ? viewSize / 2 : answer; }

AcGeMatrix3d affectRigidMatrix(const AcGePoint3d& centre, double rq, const AcGePoint3d* crossing,
                               const AffectSettings& settings) {
    const double d = settings.distance;
    AcGeMatrix3d m;
    if (settings.scale && rq <= d)
        m.preMultBy(AcGeMatrix3d::scaling(std::max(affectRigidScale(rq, d), kSmallestRigidScale), centre));
    if (!crossing) return m;
    const double r = centre.distanceTo(*crossing);
    if (r > d) return m;
    if (settings.move)
        m.preMultBy(
            AcGeMatrix3d::translation(AcGeVector3d(affectPush(centre.x, crossing->x, r, d, settings.strength), 0, 0)));
    if (settings.rotate)
        m.preMultBy(AcGeMatrix3d::rotation(affectTurn(r, d, settings.strength), AcGeVector3d::kZAxis, centre));
    return m;
}

AcGePoint3d affectBendPoint(const AcGePoint3d& sample, const AcGePoint3d* crossing, double d, double strength) {
    if (!crossing) return sample;
    AcGePoint3d bent = sample;
    bent.x += affectPush(sample.x, crossing->x, sample.distanceTo(*crossing), d, strength);
    return bent;
}

double followCurveShift(const AcGePoint3d& centre, const AcGePoint3d& curvePoint, double offset, double minX,
                        double maxX) {
    const double reach = std::abs(curvePoint.x - (curvePoint.x > centre.x ? minX : maxX));
    const double r = centre.distanceTo(curvePoint);
    if (!(reach > 0) || r > reach) return 0;
    return (reach - r) / reach * offset;
}

double clickScaleFactor(double r, double d, bool enlarge, bool strong, bool inside) {
    const double x = affectQuarterTurn(r, d);
    if (enlarge) {
        const double gain = strong ? 0.25 : 0.1;
        return 1 + gain * (inside ? 1 : std::abs(std::cos(x)));
    }
    const double floor = strong ? 0.5 : 0.9;
    return floor + (inside ? 0 : (1 - floor) * std::abs(std::sin(x)));
}

bool clickScaleAllowed(double cumulativeFactor, double factor) { return !(cumulativeFactor < 0.1 && factor < 1); }
