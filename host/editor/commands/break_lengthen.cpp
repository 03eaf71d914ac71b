// BREAK (the part between two points removed; the same point twice splits the object) and LENGTHEN (an end
// moved by a delta, to a percentage of the length, or to a total length).
#include <cmath>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/commands/curve_ends.h"
#include "editor/point_syntax.h"
#include "editor/state.h"

namespace cvx::editor::commands {

bool cutAway(AcDbObjectId id, const AcGeDoubleArray& params, const AcGePoint3d& drop);

namespace {

void breakCommand() {
    AcDbObjectId id;
    AcGePoint3d first, second;
    if (pickEntity(L"Select object: ", id, first) != RTNORM) return;
    acedInitGet(0, L"First");
    int rc = getPoint(nullptr, L"Specify second break point or [First point]: ", second);
    if (rc == RTKWORD) {
        if (getPoint(nullptr, L"Specify first break point: ", first) != RTNORM) return;
        if (getPoint(&first, L"Specify second break point: ", second) != RTNORM) return;
    } else if (rc != RTNORM) {
        return;
    }
    AcGeDoubleArray cuts;
    AcGePoint3d middle;
    {
        AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
        if (!c) {
            acutPrintf(L"Cannot break that object.\n");
            return;
        }
        AcGePoint3d a, b;
        double ta = 0, tb = 0, start = 0, end = 0;
        c->getClosestPointTo(first, a), c->getClosestPointTo(second, b);
        c->getParamAtPoint(a, ta), c->getParamAtPoint(b, tb);
        c->getStartParam(start), c->getEndParam(end);
        bool closed = c->isClosed();
        if (a.isEqualTo(b)) {
            if (closed) {
                acutPrintf(L"A closed object cannot be broken at one point.\n");
                return;
            }
            cuts.append(ta);
            AcDbVoidPtrArray pieces;
            if (c->getSplitCurves(cuts, pieces) != Acad::eOk) return;
            c.close();
            replaceByPieces(id, pieces);
            return;
        }
        // An open curve loses the part between the points; a closed one the part from the first point to the
        // second in its own direction.
        if (!closed && ta > tb) std::swap(ta, tb);
        double span = end - start, mid = closed ? ta + std::fmod(tb - ta + 2 * span, span) / 2 : (ta + tb) / 2;
        if (mid > end) mid -= span;
        c->getPointAtParam(mid, middle);
        cuts.append(ta), cuts.append(tb);
    }
    if (!cutAway(id, cuts, middle)) acutPrintf(L"Nothing was broken off.\n");
}

enum class LengthMode { Delta, Percent, Total };

double& lengthSetting(const wchar_t* name, double fallback) {
    auto& reals = editorState().reals;
    auto it = reals.find(name);
    if (it == reals.end()) it = reals.emplace(name, fallback).first;
    return it->second;
}

double curveLength(const AcDbCurve* c) {
    double end = 0, len = 0;
    c->getEndParam(end);
    c->getDistAtParam(end, len);
    return len;
}

// The point a distance beyond an end along the end's course (a line or a circle); false for other courses.
bool pointBeyond(const AcDbCurve* course, const AcGePoint3d& end, const AcGeVector3d& out, double d, AcGePoint3d& p) {
    if (AcDbLine::cast(course)) {
        p = end + out.normal() * d;
        return true;
    }
    auto* circle = AcDbCircle::cast(course);
    if (!circle) return false;
    AcGeVector3d n = circle->normal();
    double sense = (end - circle->center()).crossProduct(out).dotProduct(n) >= 0 ? 1 : -1;
    p = AcGeMatrix3d::rotation(sense * d / circle->radius(), n, circle->center()) * end;
    return true;
}

void changeLength(AcDbObjectId id, const AcGePoint3d& pick, LengthMode mode, double value) {
    double length = 0;
    bool atStart = false;
    {
        AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
        if (!c || c->isClosed()) {
            acutPrintf(L"Only open curves can be lengthened.\n");
            return;
        }
        length = curveLength(c.object());
        atStart = nearerStart(c.object(), pick);
    }
    double target = mode == LengthMode::Delta ? length + value : mode == LengthMode::Percent ? length * value / 100 : value;
    if (target <= 1e-12 * std::max(1.0, length)) {
        acutPrintf(L"The object would have no length left.\n");
        return;
    }
    if (std::fabs(target - length) <= 1e-12 * length) return;
    if (target < length) {
        AcGeDoubleArray cut;
        AcGePoint3d drop;
        {
            AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
            double t = 0, s = 0, e = 0;
            c->getParamAtDist(atStart ? length - target : target, t);
            c->getStartParam(s), c->getEndParam(e);
            cut.append(t);
            c->getPointAtParam(atStart ? s : e, drop);
        }
        cutAway(id, cut, drop);
        return;
    }
    AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForWrite);
    AcDbCurve* course = endCourse(c.object(), atStart);
    AcGePoint3d end, to;
    AcGeVector3d out;
    bool ok = course && endFrame(c.object(), atStart, end, out) && pointBeyond(course, end, out, target - length, to) &&
              moveEndTo(c.object(), atStart, to);
    delete course;
    if (!ok) acutPrintf(L"Only lines, arcs and open polylines can be made longer.\n");
}

void lengthenCommand() {
    LengthMode mode = LengthMode::Total;
    double& delta = lengthSetting(L"LENGTHENDELTA", 0);
    double& percent = lengthSetting(L"LENGTHENPERCENT", 100);
    double& total = lengthSetting(L"LENGTHENTOTAL", 1);
    for (;;) {
        acedInitGet(0, L"DElta Percent Total");
        AcDbObjectId id;
        AcGePoint3d at;
        int rc = pickEntity(L"Select an object to measure or [DElta/Percent/Total] <Total>: ", id, at);
        if (rc == RTNORM) {
            AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForRead);
            if (c) acutPrintf(L"Current length: %ls\n", formatReal(curveLength(c.object())).c_str());
            continue;
        }
        ACHAR kw[16] = L"Total";
        if (rc == RTKWORD) acedGetInput(kw, 16);
        else if (rc != RTNONE) return;
        std::wstring k = kw;
        double* value = &total;
        std::wstring prompt;
        if (k == L"DElta") {
            mode = LengthMode::Delta, value = &delta;
            prompt = L"Enter delta length <" + formatReal(delta) + L">: ";
        } else if (k == L"Percent") {
            mode = LengthMode::Percent, value = &percent;
            prompt = L"Enter percentage length <" + formatReal(percent) + L">: ";
        } else {
            prompt = L"Specify total length <" + formatReal(total) + L">: ";
        }
        ads_real v = *value;
        acedInitGet(mode == LengthMode::Delta ? 2 : 2 | 4, nullptr);
        rc = acedGetDist(nullptr, prompt.c_str(), &v);
        if (rc != RTNORM && rc != RTNONE) return;
        *value = v;
        break;
    }
    double value = mode == LengthMode::Delta ? delta : mode == LengthMode::Percent ? percent : total;
    for (;;) {
        AcDbObjectId id;
        AcGePoint3d at;
        if (pickEntity(L"Select an object to change <Exit>: ", id, at) != RTNORM) return;
        changeLength(id, at, mode, value);
    }
}

}  // namespace

void registerBreakLengthenCommands(Registrar& add) {
    add(L"BREAK", breakCommand);
    add(L"LENGTHEN", lengthenCommand);
}

}  // namespace cvx::editor::commands
