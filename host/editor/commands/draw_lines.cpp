// LINE, PLINE, 3DPOLY and RECTANG.
#include <cmath>

#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/point_syntax.h"

namespace cvx::editor::commands {
namespace {

// Points entered one after another with Undo and (from the third point on) Close. Lines are drawn as the user
// goes when drawEach is set (LINE); otherwise the points are collected (3DPOLY). Returns whether Close ended it.
bool collectPoints(std::vector<AcGePoint3d>& pts, std::vector<AcDbObjectId>* lines, const wchar_t* firstPrompt) {
    AcGePoint3d p;
    if (getPoint(nullptr, firstPrompt, p) != RTNORM) return false;
    pts.push_back(p);
    for (;;) {
        acedInitGet(0, pts.size() >= 3 ? L"Close Undo" : L"Undo");
        const wchar_t* prompt = pts.size() >= 3 ? L"Specify next point or [Close/Undo]: " : L"Specify next point or [Undo]: ";
        int rc = getPoint(&pts.back(), prompt, p);
        if (rc == RTKWORD) {
            ACHAR kw[32];
            acedGetInput(kw, 32);
            if (std::wstring(kw) == L"Close") {
                if (lines) lines->push_back(addEntity(new AcDbLine(pts.back(), pts.front())));
                return true;
            }
            if (pts.size() == 1) {
                acutPrintf(L"All segments already undone.\n");
                continue;
            }
            pts.pop_back();
            if (lines && !lines->empty()) {
                AcDbObjectPointer<AcDbEntity> last(lines->back(), AcDb::kForWrite);
                if (last) last->erase();
                lines->pop_back();
            }
            continue;
        }
        if (rc != RTNORM) return false;
        if (lines) lines->push_back(addEntity(new AcDbLine(pts.back(), p)));
        pts.push_back(p);
    }
}

void lineCommand() {
    std::vector<AcGePoint3d> pts;
    std::vector<AcDbObjectId> lines;
    collectPoints(pts, &lines, L"Specify first point: ");
}

void poly3dCommand() {
    std::vector<AcGePoint3d> pts;
    bool closed = collectPoints(pts, nullptr, L"Specify start point of polyline: ");
    if (pts.size() < 2) return;
    AcGePoint3dArray arr;
    for (auto& p : pts) arr.append(p);
    addEntity(new AcDb3dPolyline(AcDb::k3dSimplePoly, arr, closed));
}

void rectangCommand() {
    // The corners are user points: the rectangle lies along the user system's axes, in its XY plane.
    ads_point a, c;
    if (acedGetPoint(nullptr, L"Specify first corner point: ", a) != RTNORM) return;
    if (acedGetCorner(a, L"Specify other corner point: ", c) != RTNORM) return;
    auto* pl = new AcDbPolyline(4);
    pl->addVertexAt(0, {a[0], a[1]});
    pl->addVertexAt(1, {c[0], a[1]});
    pl->addVertexAt(2, {c[0], c[1]});
    pl->addVertexAt(3, {a[0], c[1]});
    pl->setClosed(true);
    pl->setElevation(a[2]);
    pl->transformBy(userToWorld());
    addEntity(pl);
}

// A polyline as it is being drawn: vertices with the bulge and widths of the segment that starts there.
struct PolyVertex {
    AcGePoint2d p;
    double bulge = 0, startWidth = 0, endWidth = 0;
};

// Direction in which the last segment leaves its end point.
AcGeVector2d endDirection(const std::vector<PolyVertex>& v) {
    if (v.size() < 2) return {1, 0};
    const PolyVertex& a = v[v.size() - 2];
    AcGeVector2d chord = v.back().p - a.p;
    if (chord.isZeroLength()) return {1, 0};
    double half = 2 * std::atan(a.bulge);  // half the included angle
    return chord.normal().rotateBy(half);
}

// The bulge of the arc that leaves `from` along `dir` and ends at `to`.
double tangentBulge(const AcGePoint2d& from, const AcGeVector2d& dir, const AcGePoint2d& to) {
    AcGeVector2d chord = to - from;
    double alpha = std::atan2(dir.crossProduct(chord), dir.dotProduct(chord));
    return std::tan(alpha / 2);
}

void plineCommand() {
    AcGePoint3d p;
    if (getPoint(nullptr, L"Specify start point: ", p) != RTNORM) return;
    double elevation = p.z;
    std::vector<PolyVertex> v{{p.convert2d()}};
    double startWidth = 0, endWidth = 0;
    acutPrintf(L"Current line-width is %ls\n", formatReal(startWidth).c_str());
    bool arcMode = false, closed = false;
    for (;;) {
        v.back().startWidth = startWidth;
        v.back().endWidth = endWidth;
        if (arcMode) acedInitGet(0, L"CLose Line Width Undo");
        else acedInitGet(0, v.size() >= 3 ? L"Arc Close Width Undo" : L"Arc Width Undo");
        const wchar_t* prompt = arcMode ? L"Specify endpoint of arc or [CLose/Line/Width/Undo]: "
                                        : (v.size() >= 3 ? L"Specify next point or [Arc/Close/Width/Undo]: "
                                                         : L"Specify next point or [Arc/Width/Undo]: ");
        AcGePoint3d base(v.back().p.x, v.back().p.y, elevation);
        int rc = getPoint(&base, prompt, p);
        if (rc == RTNORM) {
            if (arcMode) v.back().bulge = tangentBulge(v.back().p, endDirection(v), p.convert2d());
            v.push_back({p.convert2d()});
            continue;
        }
        if (rc != RTKWORD) break;
        ACHAR kw[32];
        acedGetInput(kw, 32);
        std::wstring k = kw;
        if (k == L"Arc") arcMode = true;
        else if (k == L"Line") arcMode = false;
        else if (k == L"Close" || k == L"CLose") {
            if (v.size() < 2) continue;
            if (arcMode) v.back().bulge = tangentBulge(v.back().p, endDirection(v), v.front().p);
            closed = true;
            break;
        } else if (k == L"Width") {
            ads_real w;
            acedInitGet(4, nullptr);
            std::wstring ask = L"Specify starting width <" + formatReal(startWidth) + L">: ";
            if ((rc = acedGetDist(asDblArray(base), ask.c_str(), &w)) == RTNORM) startWidth = endWidth = w;
            else if (rc != RTNONE) break;
            acedInitGet(4, nullptr);
            ask = L"Specify ending width <" + formatReal(startWidth) + L">: ";
            if ((rc = acedGetDist(asDblArray(base), ask.c_str(), &w)) == RTNORM) endWidth = w;
            else if (rc != RTNONE) break;
        } else if (k == L"Undo") {
            if (v.size() > 1) {
                v.pop_back();
                v.back().bulge = 0;
            }
        }
    }
    if (v.size() < 2) return;
    auto* pl = new AcDbPolyline(static_cast<unsigned>(v.size()));
    for (size_t i = 0; i < v.size(); ++i)
        pl->addVertexAt(static_cast<unsigned>(i), v[i].p, v[i].bulge, v[i].startWidth, v[i].endWidth);
    if (!closed) pl->setWidthsAt(static_cast<unsigned>(v.size() - 1), 0, 0);
    pl->setClosed(closed);
    pl->setElevation(elevation);
    addEntity(pl);
}

}  // namespace

void registerLineCommands(Registrar& add) {
    add(L"LINE", lineCommand);
    add(L"PLINE", plineCommand);
    add(L"3DPOLY", poly3dCommand);
    add(L"RECTANG", rectangCommand);
}

}  // namespace cvx::editor::commands
