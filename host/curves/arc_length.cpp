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
    double t = lo + (hi - lo) * (lenTo(hi) > 0 ? target / lenTo(hi) : 0);
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

double length(const Nurbs& c) { return lengthBetween(c, c.startParam(), c.endParam()); }

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

bool paramAtLength(const Nurbs& c, double dist, double& t) {
    auto speed = [&c](double u) { return c.derivAt(u).length(); };
    std::vector<double> b = c.breakpoints();
    double acc = 0;
    if (dist < 0) return false;
    for (size_t i = 0; i + 1 < b.size(); ++i) {
        double l = integrateSpeed(speed, b[i], b[i + 1]);
        if (acc + l >= dist) {
            double lo = b[i], hi = b[i + 1];
            t = invert([&](double u) { return integrateSpeed(speed, lo, u); }, speed, lo, hi, dist - acc);
            return true;
        }
        acc += l;
    }
    if (dist <= acc * (1 + 1e-12)) {
        t = c.endParam();
        return true;
    }
    return false;
}

}  // namespace cvx::geom
