// A fresh working drawing for each formula test, and a plain reading of the entities a curve makes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "formula/output_mode.h"
#include "frame/language.h"
#include "unit/drawing_fixture.h"

// What a formula entity is, read back from the drawing.
struct Drawn {
    std::string kind;  // line, lwpolyline, 3dpolyline (cubic-spline-fit), 3dpolyline-other, spline, other
    std::vector<AcGePoint3d> points;  // line: start and end; polylines: vertices; spline: fit points
    bool closed = false;
    AcCmColor color;
    AcDbObjectId owner;
    AcGeVector3d startTangent, endTangent;  // spline fit tangents
};

inline Drawn readDrawn(AcDbObjectId id) {
    Drawn d;
    AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
    if (!e) return d;
    d.color = e->color();
    d.owner = e->ownerId();
    if (auto* line = AcDbLine::cast(e.object())) {
        d.kind = "line";
        d.points = {line->startPoint(), line->endPoint()};
    } else if (auto* lw = AcDbPolyline::cast(e.object())) {
        d.kind = "lwpolyline";
        d.closed = lw->isClosed();
        for (unsigned i = 0; i < lw->numVerts(); ++i) {
            AcGePoint2d p;
            lw->getPointAt(i, p);
            d.points.emplace_back(p.x, p.y, lw->elevation());
        }
    } else if (auto* p3 = AcDb3dPolyline::cast(e.object())) {
        d.kind = p3->polyType() == AcDb::k3dCubicSplinePoly ? "3dpolyline" : "3dpolyline-other";
        d.closed = p3->isClosed();
        std::unique_ptr<AcDbObjectIterator> it(p3->vertexIterator());
        for (; !it->done(); it->step()) {
            AcDbObjectPointer<AcDb3dPolylineVertex> v(it->objectId(), AcDb::kForRead);
            if (v && v->vertexType() == AcDb::k3dControlVertex) d.points.push_back(v->position());
        }
    } else if (auto* spline = AcDbSpline::cast(e.object())) {
        d.kind = "spline";
        d.closed = spline->isClosed();
        for (int i = 0; i < spline->numFitPoints(); ++i) {
            AcGePoint3d p;
            spline->getFitPointAt(i, p);
            d.points.push_back(p);
        }
        spline->getFitTangents(d.startTangent, d.endTangent);
    } else {
        d.kind = "other";
    }
    return d;
}

class FormulaTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        setSplineOutput(false);
        setChineseLanguage(false);
    }
    void TearDown() override {
        setSplineOutput(false);
        DrawingTest::TearDown();
    }
};
