#include "formula/formula_axes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "frame/append.h"
#include "frame/extents.h"

namespace {

constexpr double kTiny = 0.0001;
// Steps stay within 10^9; an axis that would carry more ticks than this gets none (only its line).
constexpr int kMaxStepDigits = 9;
constexpr double kMaxTicks = 10000;

// Digits of a whole number given as a real (0 has none).
int decimalDigits(double n) {
    int digits = 0;
    for (n = std::trunc(std::abs(n)); n >= 1; n = std::trunc(n / 10)) ++digits;
    return digits;
}

long long powerOfTen(int e) {
    long long p = 1;
    while (e-- > 0) p *= 10;
    return p;
}

// The step one axis proposes: 10^e when its plus length holds it at least once, else 1.
long long proposedStep(double plus, int e) {
    const long long p = powerOfTen(e);
    return std::trunc(plus / static_cast<double>(p)) >= 1 ? p : 1;
}

// The lines and texts of both axes, in coordinates about which the block is inserted.
std::vector<AcDbEntity*> axisEntities(const AcGePoint3d& o, const FormulaAxes& a) {
    const long long s = a.step;
    const double ds = static_cast<double>(s), tick = ds / 10, height = 0.2 * ds;
    // Whole multiples of the step, as integer division would give them.
    const double xEnd = std::trunc(std::trunc(a.xPlus) / ds) + 1, yEnd = std::trunc(std::trunc(a.yPlus) / ds) + 1;
    const double xStart = std::trunc(std::trunc(-a.xMinus) / ds), yStart = std::trunc(std::trunc(-a.yMinus) / ds);
    auto at = [&](double dx, double dy) { return AcGePoint3d(o.x + dx, o.y + dy, o.z); };
    auto label = [&](const AcGePoint3d& p, long long k, AcDb::TextHorzMode h, AcDb::TextVertMode v) {
        auto* text = new AcDbText;
        text->setTextString(std::to_wstring(s * k).c_str());
        text->setHeight(height);
        text->setHorizontalMode(h);
        text->setVerticalMode(v);
        text->setPosition(p);
        text->setAlignmentPoint(p);
        return text;
    };
    std::vector<AcDbEntity*> out;
    out.push_back(new AcDbLine(at(-a.xMinus, 0), at(xEnd * ds, 0)));
    out.push_back(new AcDbLine(at(0, -a.yMinus), at(0, yEnd * ds)));
    if (xEnd - xStart <= kMaxTicks)
        for (long long k = static_cast<long long>(xStart); k < xEnd; ++k) {
            const double x = static_cast<double>(k) * ds;
            out.push_back(new AcDbLine(at(x, 0), at(x, tick)));
            out.push_back(label(at(x, -0.1 * ds), k, AcDb::kTextMid, AcDb::kTextBase));
        }
    if (yEnd - yStart <= kMaxTicks)
        for (long long k = static_cast<long long>(yStart); k < yEnd; ++k) {
            if (k == 0) continue;
            const double y = static_cast<double>(k) * ds;
            out.push_back(new AcDbLine(at(0, y), at(tick, y)));
            out.push_back(label(at(-0.1 * ds, y), k, AcDb::kTextRight, AcDb::kTextVertMid));
        }
    return out;
}

}  // namespace

FormulaAxes formulaAxes(const AcGePoint3d& o, const AcDbExtents& e) {
    const double xp = e.maxPoint().x - o.x, yp = e.maxPoint().y - o.y;
    const double xm = o.x - e.minPoint().x, ym = o.y - e.minPoint().y;
    FormulaAxes a;
    a.xPlus = xp > kTiny ? xp : std::abs(xm) / 10;
    a.yPlus = yp > kTiny ? yp : std::abs(ym) / 10;
    a.xMinus = xm > kTiny ? xm : 0;
    a.yMinus = ym > kTiny ? ym : 0;
    auto digitsOf = [](double plus, double minus) {
        return decimalDigits(std::max(plus, minus) / 10);
    };
    const int e10 = std::min({digitsOf(a.xPlus, a.xMinus), digitsOf(a.yPlus, a.yMinus), kMaxStepDigits});
    a.step = static_cast<int>(std::min(proposedStep(a.xPlus, e10), proposedStep(a.yPlus, e10)));
    return a;
}

AcDbObjectId drawFormulaAxes(const AcGePoint3d& origin, const AcDbObjectIdArray& ids) {
    AcDbExtents extents;
    idArrayExtents(extents, ids);
    if (!extents.isValid()) return AcDbObjectId();
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    AcDbBlockTableRecord* block = nullptr;
    AcDbObjectId blockId;
    if (!newAnonymousBlock(db, block, blockId)) return AcDbObjectId();
    block->setOrigin(origin);
    for (AcDbEntity* entity : axisEntities(origin, formulaAxes(origin, extents))) {
        if (block->appendAcDbEntity(entity) == Acad::eOk) entity->close();
        else delete entity;
    }
    block->close();
    auto* reference = new AcDbBlockReference(origin, blockId);
    AcDbObjectId id;
    if (appendToWorkingSpace(reference, id) != Acad::eOk) {
        delete reference;
        return AcDbObjectId();
    }
    return id;
}
