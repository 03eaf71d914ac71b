#include "editor/commands/list_text.h"

#include <cmath>
#include <cstdio>

#include "cvx/dbents.h"
#include "editor/color_text.h"

namespace cvx::editor::commands {
namespace {

// Up to six decimals, without trailing zeros.
std::wstring num(double v) {
    if (std::fabs(v) < 5e-7) v = 0;
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.6f", v);
    std::wstring s = buf;
    while (s.back() == L'0') s.pop_back();
    if (s.back() == L'.') s.pop_back();
    return s;
}

std::wstring point(const AcGePoint3d& p) { return L"X=" + num(p.x) + L"  Y=" + num(p.y) + L"  Z=" + num(p.z); }
std::wstring vec(const AcGeVector3d& v) { return point(AcGePoint3d::kOrigin + v); }
std::wstring degrees(double radians) { return num(radians * 180 / M_PI); }

// Angles between 0 and 360 degrees.
double wrapped(double a) {
    a = std::fmod(a, 2 * M_PI);
    return a < 0 ? a + 2 * M_PI : a;
}

std::wstring spaceOf(const AcDbEntity* e) {
    AcDbObjectPointer<AcDbBlockTableRecord> block(e->blockId(), AcDb::kForRead);
    if (!block) return L"not in a drawing";
    const std::wstring& name = block->name();
    if (name == L"*Model_Space") return L"Model space";
    if (name.rfind(L"*Paper_Space", 0) == 0) return L"Paper space";
    return L"Block \"" + name + L"\"";
}

std::wstring handleOf(const AcDbEntity* e) {
    if (!e->isDatabaseResident()) return L"none";
    ACHAR buf[17];
    e->handle().getIntoAsciiBuffer(buf);
    return buf;
}

std::wstring colorOf(const AcCmColor& c) {
    if (c.isByLayer()) return L"ByLayer";
    if (c.isByBlock()) return L"ByBlock";
    if (c.isByColor()) return L"true colour " + colorText(c).substr(4);
    return L"index " + colorText(c);
}

using Lines = std::vector<std::wstring>;

void curveLength(const AcDbCurve* c, Lines& out) {
    double end = 0, len = 0;
    if (c->getEndParam(end) == Acad::eOk && c->getDistAtParam(end, len) == Acad::eOk) out.push_back(L"length: " + num(len));
}

void closedArea(const AcDbCurve* c, Lines& out) {
    double area = 0;
    if (c->isClosed() && c->getArea(area) == Acad::eOk) out.push_back(L"area: " + num(area));
}

void listLine(const AcDbLine* l, Lines& out) {
    AcGeVector3d d = l->endPoint() - l->startPoint();
    out.push_back(L"from: " + point(l->startPoint()));
    out.push_back(L"to: " + point(l->endPoint()));
    out.push_back(L"length: " + num(d.length()));
    out.push_back(L"angle in the XY plane: " + degrees(wrapped(std::atan2(d.y, d.x))));
    out.push_back(L"delta X: " + num(d.x) + L"  delta Y: " + num(d.y) + L"  delta Z: " + num(d.z));
}

void listCircle(const AcDbCircle* c, Lines& out) {
    out.push_back(L"centre: " + point(c->center()));
    out.push_back(L"radius: " + num(c->radius()));
    out.push_back(L"circumference: " + num(c->circumference()));
    out.push_back(L"area: " + num(M_PI * c->radius() * c->radius()));
}

void listArc(const AcDbArc* a, Lines& out) {
    out.push_back(L"centre: " + point(a->center()));
    out.push_back(L"radius: " + num(a->radius()));
    out.push_back(L"start angle: " + degrees(wrapped(a->startAngle())));
    out.push_back(L"end angle: " + degrees(wrapped(a->endAngle())));
    out.push_back(L"length: " + num(a->length()));
    out.push_back(L"total angle: " + degrees(a->totalAngle()));
}

void listEllipse(const AcDbEllipse* e, Lines& out) {
    out.push_back(L"centre: " + point(e->center()));
    out.push_back(L"major axis: " + vec(e->majorAxis()));
    out.push_back(L"minor axis: " + vec(e->minorAxis()));
    out.push_back(L"radius ratio: " + num(e->radiusRatio()));
    double start = wrapped(e->startAngle()), end = wrapped(e->endAngle());
    if (e->isClosed() && end <= start) end += 2 * M_PI;  // a whole ellipse ends a turn after its start
    out.push_back(L"start angle: " + degrees(start));
    out.push_back(L"end angle: " + degrees(end));
    curveLength(e, out);
    closedArea(e, out);
}

void listLwPolyline(const AcDbPolyline* p, Lines& out) {
    out.push_back(p->isClosed() ? L"closed" : L"open");
    double width = 0;
    if (p->getConstantWidth(width) == Acad::eOk) out.push_back(L"constant width: " + num(width));
    out.push_back(L"elevation: " + num(p->elevation()));
    for (unsigned i = 0; i < p->numVerts(); ++i) {
        AcGePoint3d v;
        double bulge = 0;
        p->getPointAt(i, v);
        p->getBulgeAt(i, bulge);
        out.push_back(L"vertex " + std::to_wstring(i + 1) + L": " + point(v) + (bulge ? L"  bulge: " + num(bulge) : L""));
    }
    curveLength(p, out);
    closedArea(p, out);
}

void listHeavyPolyline(const AcDbHeavyPolyline* p, Lines& out) {
    auto* p2 = AcDb2dPolyline::cast(p);
    out.push_back(p->isClosed() ? L"closed" : L"open");
    int i = 0;
    for (const AcDbVertex* v : p->vertices()) {
        std::wstring at, bulge;
        if (auto* v2 = AcDb2dVertex::cast(v)) {
            at = point(p2->vertexPosition(*v2));
            if (v2->bulge()) bulge = L"  bulge: " + num(v2->bulge());
        } else if (auto* v3 = AcDb3dPolylineVertex::cast(v)) {
            at = point(v3->position());
        }
        out.push_back(L"vertex " + std::to_wstring(++i) + L": " + at + bulge);
    }
    curveLength(p, out);
    closedArea(p, out);
}

void listSpline(const AcDbSpline* s, Lines& out) {
    out.push_back(L"degree: " + std::to_wstring(s->degree()) + (s->isRational() ? L", rational" : L"") +
                  (s->isClosed() ? L", closed" : L", open"));
    out.push_back(L"control points: " + std::to_wstring(s->numControlPoints()));
    for (const AcGePoint3d& p : s->controlPoints()) out.push_back(L"  " + point(p));
    out.push_back(L"fit points: " + std::to_wstring(s->numFitPoints()));
    for (const AcGePoint3d& p : s->fitPoints()) out.push_back(L"  " + point(p));
    curveLength(s, out);
    closedArea(s, out);
}

void listTextEntity(const AcDbText* t, Lines& out) {
    out.push_back(L"text: " + t->text());
    out.push_back(L"position: " + point(t->position()));
    out.push_back(L"height: " + num(t->height()));
    out.push_back(L"rotation: " + degrees(t->rotation()));
}

void listBlockReference(const AcDbBlockReference* r, Lines& out) {
    AcDbObjectPointer<AcDbBlockTableRecord> block(r->blockTableRecord(), AcDb::kForRead);
    out.push_back(L"block: " + (block ? block->name() : std::wstring(L"(missing)")));
    out.push_back(L"insertion point: " + point(r->position()));
    AcGeScale3d s = r->scaleFactors();
    out.push_back(L"X scale: " + num(s.sx) + L"  Y scale: " + num(s.sy) + L"  Z scale: " + num(s.sz));
    out.push_back(L"rotation: " + degrees(r->rotation()));
}

void listHatch(const AcDbHatch* h, Lines& out) {
    out.push_back(L"pattern: " + std::wstring(h->patternName()) + (h->isSolidFill() ? L" (solid fill)" : L""));
    out.push_back(L"loops: " + std::to_wstring(h->numLoops()));
    out.push_back(L"area: " + num(h->getArea()));
}

void listGeometry(const AcDbEntity* e, Lines& out) {
    if (auto* l = AcDbLine::cast(e)) return listLine(l, out);
    if (auto* c = AcDbCircle::cast(e)) return listCircle(c, out);
    if (auto* a = AcDbArc::cast(e)) return listArc(a, out);
    if (auto* el = AcDbEllipse::cast(e)) return listEllipse(el, out);
    if (auto* p = AcDbPolyline::cast(e)) return listLwPolyline(p, out);
    if (auto* p = AcDbHeavyPolyline::cast(e)) return listHeavyPolyline(p, out);
    if (auto* s = AcDbSpline::cast(e)) return listSpline(s, out);
    if (auto* p = AcDbPoint::cast(e)) return out.push_back(L"at point: " + point(p->position()));
    if (auto* t = AcDbText::cast(e)) return listTextEntity(t, out);
    if (auto* r = AcDbBlockReference::cast(e)) return listBlockReference(r, out);
    if (auto* h = AcDbHatch::cast(e)) return listHatch(h, out);
    AcDbExtents ext;
    if (e->getGeomExtents(ext) == Acad::eOk)
        out.push_back(L"extents from " + point(ext.minPoint()) + L" to " + point(ext.maxPoint()));
}

// The kind as a person reads it.
std::wstring kindOf(const AcDbEntity* e) {
    if (auto* p = AcDb2dPolyline::cast(e)) return p->polyType() == AcDb::k2dSimplePoly ? L"2D POLYLINE" : L"2D POLYLINE (fit)";
    if (AcDb3dPolyline::cast(e)) return L"3D POLYLINE";
    return e->dxfTypeName();
}

}  // namespace

std::vector<std::wstring> listText(const AcDbEntity* ent) {
    Lines out;
    if (!ent) return out;
    out.push_back(kindOf(ent) + L"  layer: \"" + ent->layer() + L"\"");
    out.push_back(L"colour: " + colorOf(ent->color()));
    out.push_back(L"space: " + spaceOf(ent));
    out.push_back(L"handle: " + handleOf(ent));
    listGeometry(ent, out);
    return out;
}

}  // namespace cvx::editor::commands
