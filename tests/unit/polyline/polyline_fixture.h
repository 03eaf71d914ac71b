// A fresh drawing and editor for each polyline-tool test, answers given as script text, and plain readings of
// the polylines the tools make.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frame/language.h"
#include "polyline/polyline_points.h"
#include "unit/drawing_fixture.h"

class PolylineTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        setChineseLanguage(false);
    }

    AcDbObjectId add3d(const std::vector<AcGePoint3d>& pts, bool closed = false) {
        AcGePoint3dArray a;
        a.vec() = pts;
        return add(new AcDb3dPolyline(AcDb::k3dSimplePoly, a, closed));
    }
    AcDbObjectId add2d(const std::vector<AcGePoint2d>& pts, bool closed = false) {
        AcGePoint3dArray a;
        for (const AcGePoint2d& p : pts) a.append(AcGePoint3d(p.x, p.y, 0));
        return add(new AcDb2dPolyline(AcDb::k2dSimplePoly, a, 0, closed));
    }
    // The only entity of model space of the given DXF type name (fails the test when there is not exactly one).
    AcDbObjectId only(const std::wstring& dxfName) const {
        std::vector<AcDbObjectId> found;
        for (AcDbObjectId id : modelSpace()) {
            AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
            if (e && dxfName == e->dxfTypeName()) found.push_back(id);
        }
        EXPECT_EQ(found.size(), 1u) << "entities of that kind";
        return found.empty() ? AcDbObjectId() : found[0];
    }
    static PolylinePoints pointsOf(AcDbObjectId id) {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        return e ? readPolylinePoints(e.object()) : PolylinePoints{};
    }

};

// Points evenly spaced on the segment, n of them.
inline std::vector<AcGePoint2d> evenPoints(AcGePoint2d a, AcGePoint2d b, int n) {
    std::vector<AcGePoint2d> pts;
    for (int i = 0; i < n; ++i) pts.push_back(a + (b - a) * (static_cast<double>(i) / (n - 1)));
    return pts;
}
