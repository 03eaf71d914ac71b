// FILLET and CHAMFER: two lines joined by an arc of the fillet radius or cut by a bevel at two distances (each
// line trimmed or extended to it), or every corner of a 2D polyline at once. The radius and the distances
// are kept in FILLETRAD, CHAMFERA and CHAMFERB. Lines are worked in the user system's XY plane.
#include <cmath>

#include "curves/corner.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/point_syntax.h"
#include "editor/state.h"

using cvx::geom::BulgePolyline;
using cvx::geom::Corner;

namespace cvx::editor::commands {
namespace {

double& setting(const wchar_t* name) { return editorState().reals[name]; }

AcGePoint2d flat(const AcGePoint3d& p) { return {p.x, p.y}; }

// A polyline's vertices and bulges in its own plane, and back (widths are not kept: the corners change them).
BulgePolyline verticesOf(const AcDbCurve* c) {
    BulgePolyline out;
    if (auto* pl = AcDbPolyline::cast(c)) {
        for (unsigned int i = 0; i < pl->numVerts(); ++i) {
            AcGePoint2d p;
            double b = 0;
            pl->getPointAt(i, p), pl->getBulgeAt(i, b);
            out.v.push_back({p, b});
        }
        out.closed = pl->isClosed();
    } else if (auto* pl2 = AcDb2dPolyline::cast(c)) {
        for (const AcDbVertex* v : pl2->vertices()) {
            auto* v2 = static_cast<const AcDb2dVertex*>(v);
            out.v.push_back({flat(v2->position()), v2->bulge()});
        }
        out.closed = pl2->isClosed();
    }
    return out;
}

void setVertices(AcDbCurve* c, const BulgePolyline& v) {
    if (auto* pl = AcDbPolyline::cast(c)) {
        while (pl->numVerts()) pl->removeVertexAt(pl->numVerts() - 1);
        for (unsigned int i = 0; i < v.v.size(); ++i) pl->addVertexAt(i, v.v[i].pt, v.v[i].bulge);
    } else if (auto* pl2 = AcDb2dPolyline::cast(c)) {
        double z = pl2->elevation();
        pl2->removeAllVertices();
        for (const auto& vx : v.v) pl2->appendVertex(new AcDb2dVertex(AcGePoint3d(vx.pt.x, vx.pt.y, z), vx.bulge));
    }
}

void cornerPolyline(bool round) {
    AcDbObjectId id;
    AcGePoint3d at;
    if (pickEntity(L"Select 2D polyline: ", id, at) != RTNORM) return;
    AcDbObjectPointer<AcDbCurve> c(id, AcDb::kForWrite);
    auto* pl2 = c ? AcDb2dPolyline::cast(c.object()) : nullptr;
    if (!c || (!AcDbPolyline::cast(c.object()) && !(pl2 && pl2->polyType() == AcDb::k2dSimplePoly))) {
        acutPrintf(L"That is not a 2D polyline.\n");
        return;
    }
    BulgePolyline v = verticesOf(c.object());
    int done = round ? cvx::geom::filletPolyline(v, setting(L"FILLETRAD"))
                     : cvx::geom::chamferPolyline(v, setting(L"CHAMFERA"), setting(L"CHAMFERB"));
    if (done) setVertices(c.object(), v);
    acutPrintf(round ? L"%d lines were filleted\n" : L"%d lines were chamfered\n", done);
}

// A line picked for the corner: its id, ends and pick point in user coordinates.
struct Picked {
    AcDbObjectId id;
    AcGePoint3d a, b, at;
};

bool pickLine(const wchar_t* prompt, const wchar_t* keywords, Picked& out, int& rc) {
    acedInitGet(0, keywords);
    AcGePoint3d at;
    rc = pickEntity(prompt, out.id, at);
    if (rc != RTNORM) return false;
    AcDbObjectPointer<AcDbLine> l(out.id, AcDb::kForRead);
    if (!l) {
        acutPrintf(L"Only lines can be joined at a corner; pick a polyline with the Polyline option.\n");
        return false;
    }
    AcGeMatrix3d toUser = userToWorld().inverse();
    out.a = toUser * l->startPoint(), out.b = toUser * l->endPoint(), out.at = toUser * at;
    return true;
}

void cornerCommand(bool round) {
    if (round)
        acutPrintf(L"Current settings: Mode = TRIM, Radius = %ls\n", formatReal(setting(L"FILLETRAD")).c_str());
    else
        acutPrintf(L"(TRIM mode) Current chamfer Dist1 = %ls, Dist2 = %ls\n", formatReal(setting(L"CHAMFERA")).c_str(),
                   formatReal(setting(L"CHAMFERB")).c_str());
    const wchar_t* first = round ? L"Select first object or [Polyline/Radius]: " : L"Select first line or [Polyline/Distance]: ";
    const wchar_t* keys = round ? L"Polyline Radius" : L"Polyline Distance";
    Picked one, two;
    int rc = RTNORM;
    for (;;) {
        if (pickLine(first, keys, one, rc)) break;
        if (rc != RTKWORD) return;
        ACHAR kw[16];
        acedGetInput(kw, 16);
        if (kw[0] == L'P') return cornerPolyline(round);
        if (round) {
            ads_real r = setting(L"FILLETRAD");
            std::wstring prompt = L"Specify fillet radius <" + formatReal(r) + L">: ";
            acedInitGet(4, nullptr);
            rc = acedGetDist(nullptr, prompt.c_str(), &r);
            if (rc != RTNORM && rc != RTNONE) return;
            setting(L"FILLETRAD") = r;
        } else {
            ads_real a = setting(L"CHAMFERA");
            std::wstring prompt = L"Specify first chamfer distance <" + formatReal(a) + L">: ";
            acedInitGet(4, nullptr);
            rc = acedGetDist(nullptr, prompt.c_str(), &a);
            if (rc != RTNORM && rc != RTNONE) return;
            ads_real b = a;
            prompt = L"Specify second chamfer distance <" + formatReal(a) + L">: ";
            acedInitGet(4, nullptr);
            rc = acedGetDist(nullptr, prompt.c_str(), &b);
            if (rc != RTNORM && rc != RTNONE) return;
            setting(L"CHAMFERA") = a, setting(L"CHAMFERB") = b;
        }
    }
    if (!pickLine(round ? L"Select second object: " : L"Select second line: ", nullptr, two, rc)) return;
    if (one.id == two.id) {
        acutPrintf(L"Pick two different lines.\n");
        return;
    }
    Corner k;
    bool ok = round ? cvx::geom::filletLines(flat(one.a), flat(one.b), flat(one.at), flat(two.a), flat(two.b),
                                             flat(two.at), setting(L"FILLETRAD"), k)
                    : cvx::geom::chamferLines(flat(one.a), flat(one.b), flat(one.at), flat(two.a), flat(two.b),
                                              flat(two.at), setting(L"CHAMFERA"), setting(L"CHAMFERB"), k);
    if (!ok) {
        acutPrintf(round ? L"The lines are parallel, or the radius is too large.\n"
                         : L"The lines are parallel, or the distances are too large.\n");
        return;
    }
    AcGeMatrix3d toWorld = userToWorld();
    double z = one.a.z;
    auto world = [&](const AcGePoint2d& p) { return toWorld * AcGePoint3d(p.x, p.y, z); };
    AcDbObjectId block;
    for (const Picked* p : {&one, &two}) {
        AcDbObjectPointer<AcDbLine> l(p->id, AcDb::kForWrite);
        if (!l) return;
        bool first = p == &one;
        l->setStartPoint(world(first ? k.keepA : k.keepB));
        l->setEndPoint(world(first ? k.a : k.b));
        block = l->blockId();
    }
    if (!k.hasJoin) return;
    AcDbCurve* join = nullptr;
    if (k.join.arc) {
        double a0 = k.join.startAngle, a1 = a0 + k.join.sweep;
        if (k.join.sweep < 0) std::swap(a0, a1);
        join = new AcDbArc(AcGePoint3d(k.join.center.x, k.join.center.y, z), k.join.radius, a0, a1);
        join->transformBy(toWorld);
    } else {
        join = new AcDbLine(world(k.a), world(k.b));
    }
    AcDbObjectPointer<AcDbEntity> source(one.id, AcDb::kForRead);
    if (source) join->setPropertiesFrom(source.object());
    source.close();
    appendToBlock(join, block);
}

void filletCommand() { cornerCommand(true); }
void chamferCommand() { cornerCommand(false); }

}  // namespace

void registerFilletChamferCommands(Registrar& add) {
    add(L"FILLET", filletCommand);
    add(L"CHAMFER", chamferCommand);
}

}  // namespace cvx::editor::commands
