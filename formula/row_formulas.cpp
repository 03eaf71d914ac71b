#include "formula/row_formulas.h"

#include <algorithm>
#include <cmath>

#include "formula/catalogue.h"
#include "frame/sysvars.h"

namespace {

constexpr double pi = 3.141592653589793;

using P = FormulaArgs;
using Pt = AcGePoint3d;

// A row: how many samples, and sample i of n (u = i / (n - 1) runs from 0 to 1).
struct RowFormula {
    double (*count)(const P& p);
    Pt (*point)(int i, int n, double u, const P& p);
    bool mirrored = false;  // a second curve: the mirror image in the Y axis
};

double sq(double v) { return v * v; }
double cube(double v) { return v * v * v; }
double sgn(double v) { return v > 0 ? 1.0 : v < 0 ? -1.0 : 0.0; }

// Point (rho, theta) in polar form.
Pt polar(double rho, double theta, double z = 0) { return {rho * std::cos(theta), rho * std::sin(theta), z}; }
// Point on a sphere-like surface: radius g, polar angle phi from +Z, azimuth theta.
Pt spherical(double g, double phi, double theta) {
    return {g * std::sin(phi) * std::cos(theta), g * std::sin(phi) * std::sin(theta), g * std::cos(phi)};
}

// Sample counts as the table writes them: n35p2 is 35 x p2 (p2 being a "Precision" slot), and so on.
double fixed35(const P&) { return 35; }
double fixed175(const P&) { return 175; }
double n35p2(const P& p) { return 35 * p[1]; }
double n35p3(const P& p) { return 35 * p[2]; }
double n35p4(const P& p) { return 35 * p[3]; }
double n36p1(const P& p) { return 36 * p[0]; }

Pt sinWave(int, int, double u, const P& p) {
    double t = pi * p[0] * u;
    return {p[1] * t, p[1] * std::sin(t), 0};
}
// Trochoid-like point: a circle of radius `centre` carrying a wheel point at distance c turning m times faster.
Pt trochoid(double centre, double c, double m, double theta, double ySign) {
    return {centre * std::cos(theta) + c * std::cos(m * theta), centre * std::sin(theta) + ySign * c * std::sin(m * theta), 0};
}
Pt epicycloid(int, int, double u, const P& p) {
    double theta = 2 * pi * p[1] * u, m = p[0] / p[1] + 1;
    return trochoid(p[0] + p[1], -p[2], m, theta, 1);
}
Pt peach(int, int, double u, const P& p) {
    double g = p[0] * (u + u * u + u * u * u);
    double a = 2 * pi * u, b = 200 * pi * u * u;
    return spherical(g, a, b);
}
const RowFormula kRows[kFormulaRowCount] = {
    // 1. Heart
    {fixed35, [](int i, int, double, const P& p) {
         double t = 2 * pi * i / 36;
         return Pt{p[0] / 2 * cube(std::sin(t)),
                   p[0] / 32 * (13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t)), 0};
     }},
    // 2. Wave
    {n36p1, [](int, int, double u, const P& p) {
         double t = pi * p[0] * u;
         return Pt{p[1] * t, p[1] * std::abs(std::sin(t)), 0};
     }},
    // 3. Sin Wave
    {n36p1, sinWave},
    // 4. Sin Widening Curve
    {n36p1, [](int, int, double u, const P& p) {
         double t = pi * p[0] * u;
         return Pt{p[1] * t * t / (2 * pi * p[0]), p[1] * std::sin(t), 0};
     }},
    // 5. LOG Curve: the first sample stands in for x = 0, where the logarithm has no value.
    {[](const P&) { return 100.0; }, [](int i, int, double, const P& p) {
         if (i == 0) return Pt{1e-15, p[0] * std::log(1e-15), 0};
         double s = i / 10.0;
         return Pt{s * s, p[0] * std::log(s * s), 0};
     }},
    // 6. Hyperbola: y over n steps of 20/n from -10; the x < 0 branch is the mirror image.
    {[](const P& p) { return 36 * p[2]; }, [](int i, int n, double, const P& p) {
         double y = 20.0 * i / n - 10;
         return Pt{p[0] / p[1] * std::sqrt(p[1] * p[1] + y * y), y, 0};
     }, true},
    // 7. Parabola: as many samples as the host's SURFTAB1 setting asks for, six times over.
    {[](const P&) { return 6.0 * getSysVarShort(L"surftab1"); }, [](int, int, double u, const P& p) {
         double s = 50 * u - 25;
         return Pt{p[1] * s * s / (2 * p[0]), p[1] * s, 0};
     }},
    // 8. Disk Spring: L turns rising L * Dist, with a ripple of 1 in z.
    {[](const P&) { return 180.0; }, [](int, int, double u, const P& p) {
         double L = p[2];
         return Pt{p[0] * std::cos(2 * pi * L * u), p[0] * std::sin(2 * pi * L * u),
                   std::cos(std::pow(L, 2.4) * 2 * pi * u) + L * p[1] * u};
     }},
    // 9. Electrocardiogram
    {n35p3, [](int, int, double u, const P& p) {
         double s = (u - 1) * p[0];
         return Pt{p[0] * s, p[0] * std::tan(p[1] * s), 0};
     }},
    // 10. Golden Ingot (A and B do not enter)
    {n35p3, [](int, int, double u, const P&) {
         double t = 2 * pi * u, w = std::sin(15 * t);
         return Pt{std::cos(w) * std::sin(t), std::sin(w) * std::sin(t), std::abs(std::sin(t))};
     }},
    // 11. Mushroom
    {n35p2, [](int, int, double u, const P& p) {
         double g = u + u * u + u * u * u;
         double phi = pi / 3 * std::log(60.0) * u, theta = 200 * pi * u * u;
         Pt q = spherical(p[0] * g, phi, theta);
         return Pt{q.x, q.y, -q.z};
     }},
    // 12. Tricuspid: a hypocycloid with k + 1 cusps
    {[](const P& p) { return 36 * (p[1] - 1); }, [](int, int, double u, const P& p) {
         double t = 2 * pi * u, k = p[1];
         return Pt{p[0] / k * (k * std::cos(t) + std::cos(k * t)), p[0] / k * (k * std::sin(t) - std::sin(k * t)), 0};
     }},
    // 13. Involute
    {n36p1, [](int, int, double u, const P& p) {
         double th = 2 * pi * p[0] * p[1] * u;
         return Pt{p[2] * (std::cos(th) + th * std::sin(th)), p[2] * (std::sin(th) - th * std::cos(th)), 0};
     }},
    // 14. Archimedes Spiral
    {n36p1, [](int, int, double u, const P& p) {
         double th = 2 * pi * p[0] * u;
         return Pt{p[1] * p[2] * th * std::cos(th), p[2] * th * std::sin(th), 0};
     }},
    // 15. Logarithmic Spiral
    {n36p1, [](int, int, double u, const P& p) {
         double th = 2 * pi * p[0] * u;
         double rho = p[3] * std::pow(2.718281828, th * p[2] / 1000);
         return Pt{p[1] * rho * std::cos(th), rho * std::sin(th), 0};
     }},
    // 16. Hyperbolic Spiral
    {n36p1, [](int, int, double u, const P& p) {
         double th = 2 * pi * p[0] * u + 1, rho = p[2] / th;
         return Pt{p[1] * rho * std::cos(th), rho * std::sin(th), 0};
     }},
    // 17. Interlocking Spiral
    {n36p1, [](int, int, double u, const P& p) {
         double th = 2 * pi * p[0] * u + 1, rho = p[2] / std::sqrt(th);
         return Pt{p[1] * rho * std::cos(th), rho * std::sin(th), 0};
     }},
    // 18. Kidney line: a cardioid (TYPE 1) or a half-angle variant (TYPE 0)
    {fixed35, [](int i, int, double, const P& p) {
         double th = 2 * pi * i / 34;
         double rho = p[1] == 1 ? 2 * p[0] * (1 + std::cos(th)) : p[0] * (1 + std::sin(th / 2));
         return polar(rho, th);
     }},
    // 19. Epicycloid (two arcs)
    {fixed175, [](int i, int, double, const P& p) {
         double th = 2 * pi * i / 174;
         return Pt{3 * p[1] * std::cos(th) + p[0] * std::cos(3 * th), 3 * p[1] * std::sin(th) + p[0] * std::sin(3 * th), 0};
     }},
    // 20. Kidney line 2 (nephroid)
    {fixed175, [](int i, int, double, const P& p) {
         double th = 2 * pi * i / 174;
         return Pt{p[0] * (3 * std::cos(th) - std::cos(3 * th)), p[0] * (3 * std::sin(th) - std::sin(3 * th)), 0};
     }},
    // 21. Talbot Fish
    {fixed175, [](int i, int, double, const P& p) {
         double th = 2 * pi * i / 174, a = p[0] / 10;
         double s2 = sq(std::sin(th));
         return Pt{20 * std::cos(th) * (a * a + p[2] * p[2] * s2) / a,
                   20 * std::sin(th) * (a * a - 2 * p[2] + p[2] * p[2] * s2) / (p[1] / 10), 0};
     }},
    // 22. Tetraphylla Rose
    {fixed175, [](int i, int, double, const P& p) {
         double th = 2 * pi * i / 174;
         return polar(p[0] * std::cos(2 * th), th);
     }},
    // 23. Trefoil Rose
    {fixed175, [](int i, int, double, const P& p) {
         double th = pi * i / 174;
         return polar(p[0] * std::cos(3 * th), th);
     }},
    // 24. Rhodonea
    {n35p3, [](int, int, double u, const P& p) {
         double th = 2 * pi * u;
         return polar(p[1] * std::sin(p[0] * th), th);
     }},
    // 25. Rhodonea 2
    {[](const P&) { return 315.0; }, [](int i, int, double, const P& p) {
         double th = 10 * pi * i / 314;
         return Pt{p[0] * std::cos(th) + p[1] * std::cos(0.8 * th), p[0] * std::sin(th) - p[1] * std::sin(0.8 * th), 0};
     }},
    // 26. Epicycloid
    {n35p4, epicycloid},
    // 27. Hypocycloid
    {n35p4, [](int, int, double u, const P& p) {
         double theta = 2 * pi * p[1] * u, m = 1 - p[0] / p[1];
         return trochoid(p[0] - p[1], p[2], m, theta, 1);
     }},
    // 28. Long-short inner circle (hypotrochoid)
    {n35p4, [](int, int, double u, const P& p) {
         double theta = 2 * pi * p[1] * u, m = p[0] / p[1] - 1;
         return trochoid(p[0] - p[1], p[2], m, theta, -1);
     }},
    // 29. Long-short outer circle: the epicycloid with its own default
    {n35p4, epicycloid},
    // 30. Spherical Curve
    {[](const P& p) { return std::trunc(35 * p[2] * p[0]); }, [](int, int, double u, const P& p) {
         return spherical(p[1], 2 * pi * u, 20 * pi * p[0] * u);
     }},
    // 31. Fermat Curve
    {n35p2, [](int, int, double u, const P& p) {
         double th = 5 * pi * u;
         return polar(p[0] * std::sqrt(th), th);
     }},
    // 32. Spherical Helix
    {n35p3, [](int, int, double u, const P& p) {
         double s = pi * u, phi = p[1] != 0 ? s : 2 * s / 3;
         return spherical(p[0], phi, 40 * s);
     }},
    // 33. Spiral in Circle
    {n35p2, [](int, int, double u, const P& p) {
         double th = 2 * pi * u, s6 = std::sin(6 * th);
         return polar(p[0] * (1 + s6), th, 2 * s6);
     }},
    // 34. Butterfly Curve
    {n35p2, [](int, int, double u, const P& p) {
         return spherical(p[0] * u, 8 * pi * u, -16 * pi * u);
     }},
    // 35. Sun
    {n35p2, [](int, int, double u, const P& p) {
         double th = 2 * pi * u;
         return polar(p[0] * std::cos(50 * th) + 1, th);
     }},
    // 36. Nine Petal flower
    {n35p2, [](int, int, double u, const P& p) {
         return spherical(p[0] * u, 180 * pi * u, 20 * pi * u);
     }},
    // 37. Butterfly Curve 2
    {n35p2, [](int, int, double u, const P& p) {
         double a = 2 * pi * u;
         double g = 1.5 * p[0] * std::cos(2 * pi * a) + p[0] * std::sin(a);
         double b = 2 * pi * u * std::log(a + 1);
         return spherical(g, a, b);
     }},
    // 38. Bottomless Basket Curve
    {n35p2, [](int, int, double u, const P& p) {
         double th = 60 * pi * u;
         return polar(p[0] * (0.3 * std::sin(2 * pi * u) + 5 + u), th, 5 * p[0] * u);
     }},
    // 39. UFO Vortex
    {n35p3, [](int, int, double u, const P& p) {
         double c = std::log(pi / 6);
         double phi = p[1] != 0 ? c * (pi / 6) * u : c * (pi / 3) * u;
         return spherical(400 * p[0] * u, phi, 40 * pi * u);
     }},
    // 40. Conical Hat
    {n35p2, [](int, int, double u, const P& p) {
         double g = p[0] * (u + u * u + u * u * u);
         double phi = pi / 3 * std::log(pi / 3) * u, theta = 200 * pi * u * u;
         Pt q = spherical(g, phi, theta);
         return Pt{q.x, q.y, -q.z};
     }},
    // 41. Leaf Curve (folium)
    {n35p2, [](int, int, double u, const P& p) {
         double w = pi * u / 2;
         double rho = 3 * p[0] * std::sin(w) * std::cos(w) / (cube(std::cos(w)) + cube(std::sin(w)));
         return Pt{rho * std::sin(u), rho * std::cos(u), 0};
     }},
    // 42. Probability Curve
    {n35p3, [](int, int, double u, const P& p) {
         double s = 4.5 * (u - 0.5);
         return Pt{p[0] * s, p[1] / 10 * p[0] * std::exp(-s * s), 0};
     }},
    // 43. TSpring (witch of Agnesi)
    {n35p3, [](int, int, double u, const P& p) {
         double a = (160 * u - 80) * pi / 180;
         return Pt{p[0] * p[0] * std::tan(a), p[0] * p[1] * sq(std::cos(a)), 0};
     }},
    // 44. Tangent Curve (B does not enter)
    {n35p3, [](int, int, double u, const P& p) {
         double s = u - 0.5;
         return Pt{p[0] * p[0] * s, p[0] * std::tan(0.99 * pi * s), 0};
     }},
    // 45. Hyperbolic Sine
    {n35p2, [](int, int, double u, const P& p) {
         double s = 6 * (u - 0.5);
         return Pt{p[0] * s, p[0] * std::sinh(s), 0};
     }},
    // 46. Hyperbolic Cosine
    {n35p2, [](int, int, double u, const P& p) {
         double s = 6 * (u - 0.5);
         return Pt{p[0] * s, p[0] * std::cosh(s), 0};
     }},
    // 47. Hyperbolic Tangent
    {n35p2, [](int, int, double u, const P& p) {
         double s = 6 * (u - 0.5);
         return Pt{p[0] * s, p[0] * std::tanh(s), 0};
     }},
    // 48. Vinelaine (cissoid)
    {n35p2, [](int, int, double u, const P& p) {
         double a = (u - 0.5) * 150 * pi / 180;
         double rho = 2 * p[0] * std::tan(a) * std::sin(a);
         return Pt{p[0] * rho * std::cos(a), p[0] * rho * std::sin(a), 0};
     }},
    // 49. Lissajous
    {n35p4, [](int, int, double u, const P& p) {
         double t = 2 * pi * u;
         return Pt{10 * p[1] * std::sin(p[0] * t + p[2]), p[1] * p[1] * std::sin(t), 0};
     }},
    // 50. Figure eight
    {n35p3, [](int, int, double u, const P& p) {
         double t = 2 * pi * u;
         return Pt{p[0] * std::cos(t), p[1] * std::sin(2 * t), 0};
     }},
    // 51. One peak
    {n35p3, [](int, int, double u, const P& p) {
         double s = 3 * u - 1.5;
         return Pt{p[1] / 10 * p[0] * s, p[0] * cube(s * s - 1), 0};
     }},
    // 52. Snake
    {n35p3, [](int, int, double u, const P& p) {
         double a = pi * u * (u + 1), a2 = p[0] * p[0];
         return Pt{a2 * std::cos(pi * (u + 1)), a2 * (std::sin(p[1] * pi * u) * (std::sin(a) + 1.5) + std::cos(a)), 0};
     }},
    // 53. Plum
    {n35p4, [](int, int, double u, const P& p) {
         double th = 2 * pi * u, s = std::sin(p[2] * th / 2);
         return polar(p[0] * (10 - p[1] * s * s), th);
     }},
    // 54. Hand
    {n35p2, [](int, int, double u, const P& p) {
         double th = 2 * pi * u + pi;
         return polar(p[0] * (2 * std::cos(12 * pi * cube(u)) + 5), th);
     }},
    // 55. Hexaphylla Rectangulata
    {n35p2, [](int, int, double u, const P& p) {
         double th = 2 * pi * u, s = std::sin(3 * th);
         return polar(p[0] * (10 - 9 * s * s), th, -16 * p[0] * s * s);
     }},
    // 56. Curvilinear Hexaphylla
    {n35p2, [](int, int, double u, const P& p) {
         double th = 2 * pi * u, s = std::sin(3 * th), g = 10 - 9 * s * s;
         return polar(p[0] * g, th, -p[0] * sq(s * g));
     }},
    // 57. Hexaphyllum
    {n35p2, [](int, int, double u, const P& p) {
         double th = 2 * pi * u, s = std::sin(3 * th), g = 5 - 9 * s * s;
         return polar(p[0] * g, th, p[0] * sq(s * g));
     }},
    // 58. Peach
    {n35p2, peach},
    // 59. Longevity Lock
    {n35p4, [](int, int, double u, const P& p) {
         double a = 1.999 * pi * u, b = 12 * pi * u, c = 32 * pi * u, k = 1.2 * p[2];
         return Pt{p[0] * (0.8 * p[1] * std::cos(b) + 10 * std::cos(a) + k * std::cos(c)),
                   p[0] * (0.8 * p[1] * std::sin(b) + 10 * std::sin(a) + k * std::sin(c)), 0};
     }},
    // 60. Drum
    {n35p2, [](int, int, double u, const P& p) {
         double th = 20 * pi * u;
         return polar(p[0] * (3.3 * std::sin(pi * u) + 5 + u), th, 10 * p[0] * u);
     }},
    // 61. Peanut
    {n35p2, [](int, int, double u, const P& p) {
         double th = 80 * pi * u;
         return polar(p[0] * (6 * std::sin(2 * pi * u) + u), th, 20 * p[0] * u);
     }},
    // 62. Bow Curve
    {n35p3, [](int, int, double u, const P& p) {
         double v = 2 * pi * p[1] * u, r = p[0] * p[1] * u;
         return Pt{4 * r * std::sin(10 * v), 5 * r * std::cos(10 * v), 6 * r * std::sin(5 * v)};
     }},
    // 63. Handlebar
    {n35p3, [](int, int, double u, const P& p) {
         return Pt{std::cos(2 * pi * u) * (p[1] * std::cos(12 * pi * u) + p[0]), p[1] * std::sin(12 * pi * u), 0};
     }},
    // 64. Circular Conic
    {n35p3, [](int, int, double u, const P& p) {
         double s = 2 * u;
         return polar(5 * p[0], pi * s, p[0] * std::cos(p[1] * pi * s));
     }},
    // 65. Cylindrical Sine Wave
    {n35p3, [](int, int, double u, const P& p) {
         double th = 2 * pi * u;
         return polar(p[0], th, p[1] * std::sin(5 * th - pi / 2));
     }},
    // 66. Catenary
    {n35p3, [](int, int, double u, const P& p) {
         double s = p[0] * (u - 0.5);
         return Pt{s, p[1] * p[0] / 4 * (std::cosh(s / p[0]) - 1), 0};
     }},
    // 67. Bell
    {n35p2, [](int, int, double u, const P& p) {
         double g = p[0] * (u + u * u + u * u * u);
         return polar(g, 100 * pi * u * u, -g * std::cos(2 * pi * u));
     }},
    // 68. Lame curve (superellipse)
    {n35p3, [](int, int, double u, const P& p) {
         double e = 20 / p[1], th = 2 * pi * u;
         double c = std::cos(th), s = std::sin(th);
         return Pt{p[0] * sgn(c) * std::pow(std::abs(c), e), p[0] * sgn(s) * std::pow(std::abs(s), e), 0};
     }},
    // 69. Mussel (conchoid)
    {n35p3, [](int, int, double u, const P& p) {
         double a = (178 * u - 89) * pi / 180;
         double rho = (p[1] * p[1] * std::cos(2 * a) + p[0] * p[0]) / (p[0] * std::cos(a));
         return polar(rho, a);
     }},
    // 70. Watt: samples without a real value come out as NaN and are left out by the generator.
    {n35p3, [](int, int, double u, const P& p) {
         double th = 2 * pi * u;
         double w = std::sqrt(25 - p[0] * p[0] * sq(std::cos(th))) + p[0] * std::sin(th);
         return polar(p[1] * std::sqrt(64 - w * w), th);
     }},
    // 71. The peach formula with its own defaults
    {n35p2, peach},
};

}  // namespace

FormulaArgs formulaArguments(int row, const std::array<int, 4>& slotValues) {
    FormulaArgs args{};
    if (row < 0 || row >= kFormulaRowCount) return args;
    const FormulaCurveEntry& entry = englishFormulaCatalogue()[row];
    for (int k = 0; k < 4; ++k) {
        const FormulaParam& slot = entry.params[k];
        args[k] = std::clamp(slotValues[k], std::min(slot.min, slot.max), slot.max);
    }
    const int row1 = row + 1;
    if (row1 >= 13 && row1 <= 17) args[1] = args[1] != 0 ? 1 : -1;
    if (row1 == 12) args[1] -= 1;
    return args;
}

std::vector<FormulaSamples> formulaSamples(int row, const FormulaArgs& args) {
    if (row < 0 || row >= kFormulaRowCount) return {};
    const RowFormula& f = kRows[row];
    double count = f.count(args);
    if (!(count >= 2 && count <= kMaxFormulaSamples)) return {};
    const int n = static_cast<int>(count);
    FormulaSamples samples(n);
    for (int i = 0; i < n; ++i) samples[i] = f.point(i, n, static_cast<double>(i) / (n - 1), args);
    std::vector<FormulaSamples> curves{samples};
    if (f.mirrored) {
        for (Pt& q : samples) q.x = -q.x;
        curves.push_back(std::move(samples));
    }
    return curves;
}
