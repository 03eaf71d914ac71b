// A fresh drawing and editor for each link-line test, with the reactor class registered and answers given as
// script text.
#pragma once

#include <memory>

#include "frame/language.h"
#include "linkline/link_reactor.h"
#include "unit/drawing_fixture.h"

class LinkTest : public DrawingTest {
protected:
    void SetUp() override {
        registerLinkLineClass();
        DrawingTest::SetUp();
        cvx::editor::editorState().view.center = AcGePoint2d(0, 0);
        cvx::editor::editorState().view.height = 200;
        setChineseLanguage(false);
    }
    AcDbObjectId circle(double x, double y, double r) {
        return add(new AcDbCircle(AcGePoint3d(x, y, 0), AcGeVector3d::kZAxis, r));
    }
    // The splines of model space, in drawing order.
    std::vector<AcDbObjectId> splines() {
        std::vector<AcDbObjectId> ids;
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
        for (AcDbObjectId id : ms->entityIds()) {
            AcDbObjectPointer<AcDbSpline> s(id, AcDb::kForRead);
            if (s) ids.push_back(id);
        }
        return ids;
    }
    struct Fit {
        AcGePoint3d start, end;
        AcGeVector3d startTangent, endTangent;
        int count = 0;
    };
    static Fit fitOf(AcDbObjectId id) {
        Fit f;
        AcDbObjectPointer<AcDbSpline> s(id, AcDb::kForRead);
        if (!s) return f;
        f.count = s->numFitPoints();
        s->getFitPointAt(0, f.start);
        s->getFitPointAt(f.count - 1, f.end);
        s->getFitTangents(f.startTangent, f.endTangent);
        return f;
    }
    static void transform(AcDbObjectId id, const AcGeMatrix3d& m) {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForWrite);
        ASSERT_TRUE(e);
        ASSERT_EQ(e->transformBy(m), Acad::eOk);
    }

};

inline void expectNear(const AcGePoint3d& a, const AcGePoint3d& b, double tol = 1e-9) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
    EXPECT_NEAR(a.z, b.z, tol);
}
