// CIRCLE, ARC, ELLIPSE, SPLINE and POINT.
#include <cmath>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"

namespace cvx::editor::commands {
namespace {

std::wstring keyword() {
    ACHAR kw[32];
    acedGetInput(kw, 32);
    return kw;
}

void circleThroughPoints(int count) {
    AcGePoint3d p[3];
    const wchar_t* prompts[3] = {L"Specify first point on circle: ", L"Specify second point on circle: ",
                                 L"Specify third point on circle: "};
    const wchar_t* twoPointPrompts[2] = {L"Specify first end point of circle's diameter: ",
                                         L"Specify second end point of circle's diameter: "};
    for (int i = 0; i < count; ++i)
        if (getPoint(i ? &p[i - 1] : nullptr, count == 2 ? twoPointPrompts[i] : prompts[i], p[i]) != RTNORM) return;
    AcGePoint3d c;
    double r;
    if (count == 2) {
        c = p[0] + (p[1] - p[0]) * 0.5;
        r = p[0].distanceTo(p[1]) / 2;
    } else if (!circleThrough(p[0], p[1], p[2], c, r)) {
        acutPrintf(L"Circle does not exist: the points lie on a line.\n");
        return;
    }
    if (r <= 0) return;
    addEntity(new AcDbCircle(c, AcGeVector3d::kZAxis, r));
}

void circleCommand() {
    AcGePoint3d c;
    acedInitGet(0, L"3P 2P");
    int rc = getPoint(nullptr, L"Specify center point for circle or [3P/2P]: ", c);
    if (rc == RTKWORD) return circleThroughPoints(keyword() == L"3P" ? 3 : 2);
    if (rc != RTNORM) return;
    ads_real r;
    acedInitGet(2 | 4, L"Diameter");
    rc = acedGetDist(asDblArray(c), L"Specify radius of circle or [Diameter]: ", &r);
    if (rc == RTKWORD) {
        acedInitGet(1 | 2 | 4, nullptr);
        if (acedGetDist(asDblArray(c), L"Specify diameter of circle: ", &r) != RTNORM) return;
        r /= 2;
    } else if (rc != RTNORM) {
        return;
    }
    addEntity(new AcDbCircle(c, AcGeVector3d::kZAxis, r));
}

void arcCommand() {
    AcGePoint3d a, b, e;
    acedInitGet(0, L"Center");
    int rc = getPoint(nullptr, L"Specify start point of arc or [Center]: ", a);
    if (rc == RTKWORD) {
        AcGePoint3d c;
        if (getPoint(nullptr, L"Specify center point of arc: ", c) != RTNORM) return;
        if (getPoint(&c, L"Specify start point of arc: ", a) != RTNORM) return;
        if (getPoint(&c, L"Specify end point of arc: ", e) != RTNORM) return;
        double r = c.distanceTo(a);
        if (r <= 0) return;
        addEntity(new AcDbArc(c, r, angleOf(c, a), angleOf(c, e)));
        return;
    }
    if (rc != RTNORM) return;
    if (getPoint(&a, L"Specify second point of arc: ", b) != RTNORM) return;
    if (getPoint(&b, L"Specify end point of arc: ", e) != RTNORM) return;
    AcGePoint3d c;
    double r;
    if (!circleThrough(a, b, e, c, r)) {
        acutPrintf(L"Arc does not exist: the points lie on a line.\n");
        return;
    }
    bool ccw = (b.x - a.x) * (e.y - b.y) - (b.y - a.y) * (e.x - b.x) > 0;
    double s = angleOf(c, a), t = angleOf(c, e);
    addEntity(ccw ? new AcDbArc(c, r, s, t) : new AcDbArc(c, r, t, s));
}

void ellipseCommand() {
    AcGePoint3d c, p1, p2;
    acedInitGet(0, L"Center");
    int rc = getPoint(nullptr, L"Specify axis endpoint of ellipse or [Center]: ", p1);
    if (rc == RTKWORD) {
        if (getPoint(nullptr, L"Specify center of ellipse: ", c) != RTNORM) return;
        if (getPoint(&c, L"Specify endpoint of axis: ", p2) != RTNORM) return;
    } else if (rc == RTNORM) {
        if (getPoint(&p1, L"Specify other endpoint of axis: ", p2) != RTNORM) return;
        c = p1 + (p2 - p1) * 0.5;
    } else {
        return;
    }
    AcGeVector3d major = p2 - c;
    if (major.isZeroLength()) return;
    ads_real d;
    acedInitGet(1 | 2 | 4, nullptr);
    if (acedGetDist(asDblArray(c), L"Specify distance to other axis: ", &d) != RTNORM) return;
    double ratio = d / major.length();
    if (ratio > 1) {
        major = AcGeVector3d::kZAxis.crossProduct(major).normal() * d;
        ratio = 1 / ratio;
    }
    addEntity(new AcDbEllipse(c, AcGeVector3d::kZAxis, major, ratio));
}

void splineCommand() {
    AcGePoint3dArray fit;
    AcGePoint3d p;
    if (getPoint(nullptr, L"Specify first point: ", p) != RTNORM) return;
    fit.append(p);
    for (;;) {
        acedInitGet(0, L"Undo");
        int rc = getPoint(&p, L"Enter next point or [Undo]: ", p);
        if (rc == RTKWORD) {
            if (fit.length() > 1) fit.removeLast();
            p = fit.last();
            continue;
        }
        if (rc == RTNONE) break;
        if (rc != RTNORM) return;
        fit.append(p);
    }
    if (fit.length() < 2) return;
    AcGeVector3d tangents[2];
    const wchar_t* prompts[2] = {L"Specify start tangent: ", L"Specify end tangent: "};
    for (int i = 0; i < 2; ++i) {
        const AcGePoint3d& from = i == 0 ? fit.first() : fit.last();
        AcGePoint3d q;
        int rc = getPoint(&from, prompts[i], q);
        if (rc == RTNORM && !from.isEqualTo(q)) tangents[i] = (q - from).normal();
        else if (rc != RTNORM && rc != RTNONE) return;
    }
    if (tangents[0].isZeroLength() && tangents[1].isZeroLength()) addEntity(new AcDbSpline(fit));
    else addEntity(new AcDbSpline(fit, tangents[0], tangents[1]));
}

void pointCommand() {
    AcGePoint3d p;
    if (getPoint(nullptr, L"Specify a point: ", p) == RTNORM) addEntity(new AcDbPoint(p));
}

}  // namespace

void registerCurveCommands(Registrar& add) {
    add(L"CIRCLE", circleCommand);
    add(L"ARC", arcCommand);
    add(L"ELLIPSE", ellipseCommand);
    add(L"SPLINE", splineCommand);
    add(L"POINT", pointCommand);
}

}  // namespace cvx::editor::commands
