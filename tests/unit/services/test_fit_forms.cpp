// Fit-point splines, their polylines, and spline-fit polylines against the B-spline of their control vertices.
#include <gtest/gtest.h>

#include "curves/closest_point.h"
#include "curves/spline_fit_polyline.h"
#include "kinds.h"

using namespace svc;

TEST(FitSpline, PassesThroughItsFitPointsAndRefits) {
    std::vector<AcGePoint3d> fit{{0, 0, 0}, {1, 2, 0.5}, {3, 1, 0}, {4, 3, 1}, {6, 0, 0}};
    AcDbSpline s(pts3(fit));
    auto through = [&s](const std::vector<AcGePoint3d>& pts) {
        for (const auto& p : pts) {
            AcGePoint3d at;
            s.getClosestPointTo(p, at);
            EXPECT_LT(at.distanceTo(p), 1e-12);
        }
    };
    through(fit);
    fit[2] = AcGePoint3d(3, -1, 0);
    ASSERT_EQ(s.setFitPointAt(2, fit[2]), Acad::eOk);
    through(fit);
    double prev = INFINITY;
    for (int precision : {1, 10, 50}) {  // deviation of the polyline's segment middles shrinks
        AcDbCurve* pl = nullptr;
        ASSERT_EQ(s.toPolyline(pl, precision, 100000), Acad::eOk);
        std::unique_ptr<AcDbCurve> own(pl);
        double end, worst = 0;
        pl->getEndParam(end);
        for (int i = 0; i < int(end); ++i) {
            AcGePoint3d m, at;
            pl->getPointAtParam(i + 0.5, m);
            s.getClosestPointTo(m, at);
            worst = std::max(worst, at.distanceTo(m));
        }
        EXPECT_LT(worst, prev);
        prev = worst;
    }
}

TEST(SplineFitPolyline, ShownVerticesLieOnTheUniformBSpline) {
    std::vector<AcGePoint3d> ctrl{{0, 0, 0}, {3, 2, 0}, {6, 0, 0}, {8, 4, 0}, {5, 6, 0}};
    for (bool closed : {false, true}) {
        AcDb2dPolyline p2(AcDb::k2dSimplePoly, pts3(ctrl), 0, closed);
        ASSERT_EQ(p2.convertToPolyType(AcDb::k2dCubicSplinePoly), Acad::eOk);
        AcDb3dPolyline p3(AcDb::k3dSimplePoly, pts3(ctrl), closed);
        ASSERT_EQ(p3.convertToPolyType(AcDb::k3dQuadSplinePoly), Acad::eOk);
        cvx::geom::Nurbs cubic = cvx::geom::splineFitCurve(ctrl, 3, closed), quad = cvx::geom::splineFitCurve(ctrl, 2, closed);
        auto onCurve = [](const cvx::geom::Nurbs& n, const AcGePoint3d& p) {
            return cvx::geom::closestPoint(n, p).distanceTo(p);
        };
        int shown = 0;
        for (const AcDbVertex* v : p2.vertices()) {
            auto* v2 = static_cast<const AcDb2dVertex*>(v);
            if (v2->vertexType() != AcDb::k2dSplineFitVertex) continue;
            EXPECT_LT(onCurve(cubic, v2->position()), 1e-9);
            ++shown;
        }
        EXPECT_GT(shown, int(ctrl.size()));
        for (const AcDbVertex* v : p3.vertices()) {
            auto* v3 = static_cast<const AcDb3dPolylineVertex*>(v);
            if (v3->vertexType() == AcDb::k3dFitVertex) { EXPECT_LT(onCurve(quad, v3->position()), 1e-9); }
        }
        // the services see the shown vertices
        AcGePoint3d s;
        p2.getStartPoint(s);
        EXPECT_TRUE(samePoint(s, closed ? s : ctrl[0], 1e-9));
    }
}
