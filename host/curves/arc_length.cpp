#include "curves/arc_length.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace cvx::geom {

namespace {

// 10-point Gauss-Legendre nodes and weights on [-1, 1] (positive half).
const double kX[5] = {0.1488743389816312, 0.4333953941292472, 0.6794095682990244, 0.8650633666889845,
                      0.9739065285171717};
const double kW[5] = {0.2955242247147529, 0.2692667193099963, 0.2190863625159820, 0.1494513491505806,
                      0.0666713443086881};

double gauss(const std::function<double(double)>& f, double a, double b) {
    double m = (a + b) / 2, h = (b - a) / 2, s = 0;
    for (int i = 0; i < 5; ++i) s += kW[i] * (f(m - h * kX[i]) + f(m + h * kX[i]));
    return s * h;
}

// `budget` bounds the halvings of one integral: near a cusp of a curve (an offset's offset has many) the error
// test can fail on both halves level after level, and the whole tree down to the depth limit took minutes.
double adapt(const std::function<double(double)>& f, double a, double b, double whole, double tol, int depth,
             int& budget) {
    double m = (a + b) / 2;
    double l = gauss(f, a, m), r = gauss(f, m, b);
    if (depth > 40 || --budget <= 0 || std::fabs(l + r - whole) <= tol) return l + r;
    return adapt(f, a, m, l, tol / 2, depth + 1, budget) + adapt(f, m, b, r, tol / 2, depth + 1, budget);
}

// Newton on L(t) = target inside [lo, hi]; `lenTo(t)` is the length from lo to t.
double invert(const std::function<double(double)>& lenTo, const std::function<double(double)>& speed,
              double lo, double hi, double target) {
    // The first guess goes by the speed at lo: short distances (the next point of a division) are found
    // without measuring the whole interval.
    const double s0 = speed(lo);
    double t = s0 > 0 && target / s0 < hi - lo ? lo + target / s0
                                               : lo + (hi - lo) * (lenTo(hi) > 0 ? target / lenTo(hi) : 0);
    double a = lo, b = hi;
    for (int it = 0; it < 60; ++it) {
        double err = lenTo(t) - target;
        if (err > 0) b = t;
        else a = t;
        double s = speed(t);
        double next = s > 0 ? t - err / s : (a + b) / 2;
        if (!(next > a && next < b)) next = (a + b) / 2;
        if (std::fabs(next - t) <= 1e-15 * std::max(1.0, std::fabs(t))) return next;
        t = next;
    }
    return t;
}

}  // namespace

double integrateSpeed(const std::function<double(double)>& speed, double a, double b, double rel) {
    if (!(b > a)) return 0;
    double whole = gauss(speed, a, b);
    int budget = 4000;
    return adapt(speed, a, b, whole, std::fabs(whole) * rel + 1e-300, 0, budget);
}

double lengthBetween(const Line& l, double t0, double t1) { return std::fabs(t1 - t0); }

double lengthBetween(const Arc& a, double t0, double t1) { return a.radius * std::fabs(t1 - t0); }

double lengthBetween(const Ellipse& e, double t0, double t1) {
    double a = e.majorRadius(), b = e.minorRadius();
    return integrateSpeed([a, b](double t) { return std::hypot(a * std::sin(t), b * std::cos(t)); }, t0, t1);
}

double length(const Ellipse& e) { return lengthBetween(e, e.startParam, e.endParam); }

double lengthBetween(const Nurbs& c, double t0, double t1) {
    auto speed = [&c](double t) { return c.derivAt(t).length(); };
    double len = 0;
    std::vector<double> b = c.breakpoints();
    for (size_t i = 0; i + 1 < b.size(); ++i) {  // integrate span by span: the speed is smooth inside
        double a = std::max(b[i], t0), e = std::min(b[i + 1], t1);
        if (e > a) len += integrateSpeed(speed, a, e);
    }
    return len;
}

bool paramAtLength(const Ellipse& e, double dist, double& t) {
    double total = length(e);
    if (dist < -1e-12 * total || dist > total * (1 + 1e-12)) return false;
    double a = e.majorRadius(), b = e.minorRadius();
    auto speed = [a, b](double u) { return std::hypot(a * std::sin(u), b * std::cos(u)); };
    // quarter turns bracket the search so each integral stays short
    double lo = e.startParam, acc = 0;
    while (lo < e.endParam) {
        double hi = std::min(lo + M_PI / 2, e.endParam);
        double l = integrateSpeed(speed, lo, hi);
        if (acc + l >= dist || hi >= e.endParam) {
            double target = std::clamp(dist - acc, 0.0, l);
            t = invert([&](double u) { return integrateSpeed(speed, lo, u); }, speed, lo, hi, target);
            return true;
        }
        acc += l;
        lo = hi;
    }
    t = e.endParam;
    return true;
}

namespace {
bool sameCurve(const Nurbs& a, const Nurbs& b) {
    auto samePoints = [](const std::vector<AcGePoint3d>& p, const std::vector<AcGePoint3d>& q) {
        for (size_t i = 0; i < p.size(); ++i)
            if (p[i].x != q[i].x || p[i].y != q[i].y || p[i].z != q[i].z) return false;
        return true;
    };
    return a.degree == b.degree && a.closed == b.closed && a.periodic == b.periodic && a.knots == b.knots &&
           a.weights == b.weights && a.ctrl.size() == b.ctrl.size() && samePoints(a.ctrl, b.ctrl);
}

// The lengths up to each breakpoint of the curve measured last. Points at many distances along one curve (a
// division into thousands of parts) would otherwise integrate every span before each distance again; the
// curve is compared whole, so a changed curve is measured afresh. The distance found last is kept too: the next
// distance along (the next point of a division) is measured on from there instead of from the start of its span.
struct SpanLengths {
    Nurbs curve;
    std::vector<double> breaks;
    std::vector<double> upTo;  // upTo[i]: the length from the start to breaks[i]
    double lastDist = -1, lastParam = 0;
};

SpanLengths& spanLengthsOf(const Nurbs& c) {
    thread_local SpanLengths last;
    if (!last.breaks.empty() && sameCurve(last.curve, c)) return last;
    last.lastDist = -1;
    auto speed = [&c](double u) { return c.derivAt(u).length(); };
    last.curve = c;
    last.breaks = c.breakpoints();
    last.upTo.assign(1, 0.0);
    for (size_t i = 0; i + 1 < last.breaks.size(); ++i)
        last.upTo.push_back(last.upTo.back() + integrateSpeed(speed, last.breaks[i], last.breaks[i + 1]));
    return last;
}
}  // namespace

double length(const Nurbs& c) { return spanLengthsOf(c).upTo.back(); }

bool paramAtLength(const Nurbs& c, double dist, double& t) {
    if (dist < 0) return false;
    SpanLengths& s = spanLengthsOf(c);
    const auto end = std::lower_bound(s.upTo.begin() + 1, s.upTo.end(), dist);  // the first span reaching dist
    if (end == s.upTo.end()) {
        if (dist > s.upTo.back() * (1 + 1e-12)) return false;
        t = c.endParam();
        return true;
    }
    const size_t i = static_cast<size_t>(end - s.upTo.begin()) - 1;
    double lo = s.breaks[i], from = s.upTo[i];
    const double hi = s.breaks[i + 1];
    if (s.lastDist >= from && s.lastDist <= dist && s.lastParam < hi) lo = s.lastParam, from = s.lastDist;
    auto speed = [&c](double u) { return c.derivAt(u).length(); };
    t = invert([&](double u) { return integrateSpeed(speed, lo, u); }, speed, lo, hi, dist - from);
    s.lastDist = dist;
    s.lastParam = t;
    return true;
}

}  // namespace cvx::geom
