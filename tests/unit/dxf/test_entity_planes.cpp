// Circles and arcs off the XY plane: their centres are world points in the host and points of their own
// coordinate system in a drawing file, so other readers and the host read back the same circle.
#include <gtest/gtest.h>

#include "cvx/dbents.h"
#include "dxf_test_util.h"
#include "unit/append_entity.h"

TEST(EntityPlanes, CircleAndArcCentresAreFiledInTheirOwnCoordinates) {
    const AcGeVector3d normals[] = {{0, 0, -1}, AcGeVector3d(1, 2, 3).normal()};
    std::filesystem::path file = dxftest::tempDir() / "planes.dxf";
    {
        AcDbDatabase db;
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        for (const AcGeVector3d& n : normals) {
            appendEntity(db, new AcDbCircle(AcGePoint3d(50, 7, 3), n, 10));
            appendEntity(db, new AcDbArc(AcGePoint3d(-20, 4, 1), n, 5, 0.5, 2.0));
        }
        ASSERT_EQ(db.dxfOut(file.wstring().c_str()), Acad::eOk);
    }
    // ezdxf maps each centre back to world coordinates itself.
    int status = 0;
    std::string centres = dxftest::python(R"(
import sys, ezdxf
for e in ezdxf.readfile(sys.argv[1]).modelspace():
    c = e.ocs().to_wcs(e.dxf.center)
    print("%s %.6f %.6f %.6f" % (e.dxftype(), c.x, c.y, c.z))
)", file, status);
    ASSERT_EQ(status, 0) << centres;
    EXPECT_EQ(centres, "CIRCLE 50.000000 7.000000 3.000000\nARC -20.000000 4.000000 1.000000\n"
                       "CIRCLE 50.000000 7.000000 3.000000\nARC -20.000000 4.000000 1.000000\n");
    AcDbDatabase back(false);
    ASSERT_EQ(back.readDxfFile(file.wstring().c_str()), Acad::eOk);
    int n = 0;
    for (AcDbObjectId id : AcDbBlockTableRecord::cast(back.modelSpaceId().objectPtr())->entityIds()) {
        auto* c = AcDbCircle::cast(id.objectPtr());
        auto* a = AcDbArc::cast(id.objectPtr());
        AcGePoint3d centre = c ? c->center() : a->center();
        EXPECT_TRUE(centre.isEqualTo(c ? AcGePoint3d(50, 7, 3) : AcGePoint3d(-20, 4, 1)))
            << n << ": " << centre.x << "," << centre.y << "," << centre.z;
        ++n;
    }
    EXPECT_EQ(n, 4);
}
