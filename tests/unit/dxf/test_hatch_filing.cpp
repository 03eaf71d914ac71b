// Hatches through drawing files: every edge of a boundary loop survives reading and writing, whichever of
// the two spline-edge layouts (with or without the fit-point count) the file uses, and pattern hatches are
// saved with their pattern lines so other readers can draw them.
#include <gtest/gtest.h>

#include <cmath>

#include "cvx/dbents.h"
#include "dxf_test_util.h"
#include "unit/append_entity.h"

namespace {

using Edge = AcDbHatch::Edge;

std::vector<AcDbHatch*> hatches(AcDbDatabase& db) {
    std::vector<AcDbHatch*> out;
    for (AcDbObjectId id : AcDbBlockTableRecord::cast(db.modelSpaceId().objectPtr())->entityIds())
        if (auto* h = AcDbHatch::cast(id.objectPtr())) out.push_back(h);
    return out;
}

// The edge loops of every hatch in model space, in drawing order.
std::vector<std::vector<Edge>> edgeLoops(AcDbDatabase& db) {
    std::vector<std::vector<Edge>> out;
    for (AcDbHatch* h : hatches(db))
        for (const AcDbHatch::Loop& l : h->loops())
            if (!l.isPolyline()) out.push_back(l.edges);
    return out;
}

Edge line(AcGePoint2d a, AcGePoint2d b) {
    Edge e;
    e.start = a;
    e.end = b;
    return e;
}

Edge bezier(std::vector<AcGePoint2d> ctrl) {
    Edge e;
    e.type = AcDbHatch::kSpline;
    e.degree = 3;
    e.knots = {0, 0, 0, 0, 1, 1, 1, 1};
    e.controlPoints = std::move(ctrl);
    return e;
}

AcDbObjectId addEdgeHatch(AcDbDatabase& db, std::vector<Edge> edges) {
    AcDbHatch::Loop loop;
    loop.type = AcDbHatch::kExternal;
    loop.edges = std::move(edges);
    auto* h = new AcDbHatch();
    h->insertLoopAt(0, loop);
    return appendEntity(db, h);
}

void expectSameEdges(const std::vector<Edge>& want, const std::vector<Edge>& got, const std::string& where) {
    ASSERT_EQ(got.size(), want.size()) << where;
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].type, want[i].type) << where << " edge " << i;
        EXPECT_TRUE(got[i].start.isEqualTo(want[i].start) && got[i].end.isEqualTo(want[i].end)) << where << i;
        EXPECT_EQ(got[i].controlPoints.size(), want[i].controlPoints.size()) << where << " edge " << i;
        EXPECT_EQ(got[i].knots, want[i].knots) << where << " edge " << i;
        ASSERT_EQ(got[i].fitPoints.size(), want[i].fitPoints.size()) << where << " edge " << i;
        for (size_t k = 0; k < want[i].fitPoints.size(); ++k)
            EXPECT_TRUE(got[i].fitPoints[k].isEqualTo(want[i].fitPoints[k])) << where << " edge " << i;
        EXPECT_TRUE(got[i].startTangent.isEqualTo(want[i].startTangent)) << where << " edge " << i;
        EXPECT_TRUE(got[i].endTangent.isEqualTo(want[i].endTangent)) << where << " edge " << i;
    }
}

std::string auditOf(const std::filesystem::path& file) {
    int status = 0;
    std::string audit = dxftest::python(dxftest::kAuditScript, file, status);
    EXPECT_EQ(status, 0) << audit;
    return audit;
}

}  // namespace

TEST(HatchFiling, LoopsOfAnotherWriterKeepTheEdgesThatFollowSplines) {
    // Written by ezdxf: a spline edge from control points, then a line; a spline edge with fit points and
    // tangents, then a line. The first spline's fit count is 0, so the line came right after the count.
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(CVX_SOURCE_DIR L"/tests/data/polyline/hatch_loops.dxf"), Acad::eOk);
    std::vector<std::vector<Edge>> loops = edgeLoops(db);
    ASSERT_EQ(loops.size(), 5u);
    const std::vector<Edge>& nurbs = loops[3];
    const std::vector<Edge>& fit = loops[4];
    ASSERT_EQ(nurbs.size(), 2u);
    EXPECT_EQ(nurbs[0].controlPoints.size(), 4u);
    expectSameEdges({nurbs[0], line({440, 0}, {400, 0})}, nurbs, "nurbs");
    ASSERT_EQ(fit.size(), 2u);
    EXPECT_EQ(fit[1].type, AcDbHatch::kLine);
    EXPECT_TRUE(fit[1].start.isEqualTo({540, 0}) && fit[1].end.isEqualTo({500, 0}));
    ASSERT_EQ(fit[0].fitPoints.size(), 4u);
    EXPECT_TRUE(fit[0].fitPoints[2].isEqualTo({525, 5}));
    EXPECT_TRUE(fit[0].startTangent.isEqualTo({1, 1}) && fit[0].endTangent.isEqualTo({1, -1}));

    // Written back and read again, by us and by the independent reader.
    std::filesystem::path out = dxftest::tempDir() / "hatch_loops_again.dxf";
    ASSERT_EQ(db.dxfOut(out.wstring().c_str()), Acad::eOk);
    AcDbDatabase again(false);
    ASSERT_EQ(again.readDxfFile(out.wstring().c_str()), Acad::eOk);
    std::vector<std::vector<Edge>> loops2 = edgeLoops(again);
    ASSERT_EQ(loops2.size(), loops.size());
    for (size_t i = 0; i < loops.size(); ++i) expectSameEdges(loops[i], loops2[i], "loop " + std::to_string(i));
    std::string audit = auditOf(out);
    EXPECT_NE(audit.find("errors=0"), std::string::npos) << audit;
    int status = 0;
    std::string edges = dxftest::python(R"(
import sys, ezdxf
for h in ezdxf.readfile(sys.argv[1]).modelspace().query("HATCH"):
    for p in h.paths:
        print(" ".join(type(e).__name__ for e in getattr(p, "edges", [])))
)", out, status);
    EXPECT_NE(edges.find("SplineEdge LineEdge\nSplineEdge LineEdge\n"), std::string::npos) << edges;
}

TEST(HatchFiling, SplineEdgesFirstAndLastSurviveOldAndNewLayouts) {
    // A spline as the last edge is followed by the loop's source count (the 2000 layout we write) or by a
    // fit count of 0 and then the source count (the 2010 layout, written here by ezdxf); as the first edge
    // it is followed by the next edge.
    std::vector<Edge> lastSpline = {line({0, 0}, {30, 0}), bezier({{30, 0}, {20, 10}, {10, 10}, {0, 0}})};
    Edge fitted = bezier({{100, 0}, {105, 8}, {125, 8}, {130, 0}});
    fitted.fitPoints = {{100, 0}, {115, 6}, {130, 0}};
    fitted.startTangent = {0, 1};
    fitted.endTangent = {0, -1};
    std::vector<Edge> firstSpline = {fitted, line({130, 0}, {100, 0})};

    std::filesystem::path ours = dxftest::tempDir() / "edges_ours.dxf", theirs = dxftest::tempDir() / "edges_theirs.dxf";
    {
        AcDbDatabase db;
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        addEdgeHatch(db, lastSpline);
        addEdgeHatch(db, firstSpline);
        ASSERT_EQ(db.dxfOut(ours.wstring().c_str()), Acad::eOk);
    }
    int status = 0;
    std::string made = dxftest::python(R"(
import sys, ezdxf
doc = ezdxf.new("R2010")
msp = doc.modelspace()
p = msp.add_hatch().paths.add_edge_path()
p.add_line((0, 0), (30, 0))
p.add_spline(control_points=[(30, 0), (20, 10), (10, 10), (0, 0)], knot_values=[0, 0, 0, 0, 1, 1, 1, 1], degree=3)
p = msp.add_hatch().paths.add_edge_path()
p.add_spline(control_points=[(100, 0), (105, 8), (125, 8), (130, 0)], knot_values=[0, 0, 0, 0, 1, 1, 1, 1],
             fit_points=[(100, 0), (115, 6), (130, 0)], start_tangent=(0, 1), end_tangent=(0, -1), degree=3)
p.add_line((130, 0), (100, 0))
doc.saveas(sys.argv[1])
)", theirs, status);
    ASSERT_EQ(status, 0) << made;
    for (const std::filesystem::path& file : {ours, theirs}) {
        std::string where = file.filename().string();
        AcDbDatabase back(false);
        ASSERT_EQ(back.readDxfFile(file.wstring().c_str()), Acad::eOk) << where;
        std::vector<std::vector<Edge>> loops = edgeLoops(back);
        ASSERT_EQ(loops.size(), 2u) << where;
        expectSameEdges(lastSpline, loops[0], where + " spline last");
        expectSameEdges(firstSpline, loops[1], where + " spline first");
    }
    std::string audit = auditOf(ours);
    EXPECT_NE(audit.find("errors=0"), std::string::npos) << audit;
}

TEST(HatchFiling, PatternHatchesCarryTheirPatternLines) {
    struct Case {
        const wchar_t* name;
        double angle, scale;
    };
    const Case cases[] = {{L"ANSI31", 0, 1}, {L"ansi37", M_PI / 6, 2}, {L"NOSUCHPATTERN", 0, 1}, {L"SOLID", 0, 1}};
    std::filesystem::path file = dxftest::tempDir() / "patterns.dxf";
    {
        AcDbDatabase db;
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        for (size_t i = 0; i < std::size(cases); ++i) {
            auto* h = new AcDbHatch();
            h->setPattern(AcDbHatch::kPreDefined, cases[i].name);
            h->setPatternAngle(cases[i].angle);
            h->setPatternScale(cases[i].scale);
            AcGePoint2dArray v;
            for (AcGePoint2d p : {AcGePoint2d(0, 0), AcGePoint2d(20, 0), AcGePoint2d(20, 20), AcGePoint2d(0, 20)})
                v.append(p + AcGeVector2d(40.0 * i, 0));
            AcGeDoubleArray b;
            h->appendLoop(AcDbHatch::kExternal | AcDbHatch::kPolyline, v, b);
            appendEntity(db, h);
        }
        ASSERT_EQ(db.dxfOut(file.wstring().c_str()), Acad::eOk);
    }
    // The independent reader's view: per hatch, each line as angle, base, offset and dashes.
    int status = 0;
    std::string lines = dxftest::python(R"(
import sys, ezdxf
for h in ezdxf.readfile(sys.argv[1]).modelspace().query("HATCH"):
    pat = h.pattern.lines if h.pattern else []
    print(h.dxf.pattern_name, len(pat), " ".join(
        "%.4f %.4f,%.4f %.4f,%.4f %s" % (l.angle, l.base_point[0], l.base_point[1], l.offset[0], l.offset[1],
                                       ",".join("%.4f" % d for d in l.dash_length_items)) for l in pat))
)", file, status);
    ASSERT_EQ(status, 0) << lines;
    // ANSI31: 45-degree lines 3.175 apart. ANSI37 at 30 degrees and scale 2: lines at 75 and 165 degrees,
    // 6.35 apart, so each offset is 6.35 across its own line. Unknown names are drawn and saved as ANSI31.
    double c75 = std::cos(M_PI * 165 / 180) * 6.35, s75 = std::sin(M_PI * 165 / 180) * 6.35;
    double c165 = std::cos(M_PI * 255 / 180) * 6.35, s165 = std::sin(M_PI * 255 / 180) * 6.35;
    char ansi37[256];
    std::snprintf(ansi37, sizeof ansi37, "ansi37 2 75.0000 0.0000,0.0000 %.4f,%.4f  165.0000 0.0000,0.0000 %.4f,%.4f \n",
                  c75, s75, c165, s165);
    EXPECT_NE(lines.find("ANSI31 1 45.0000 0.0000,0.0000 -2.2451,2.2451 \n"), std::string::npos) << lines;
    EXPECT_NE(lines.find(ansi37), std::string::npos) << lines << "\nwanted " << ansi37;
    EXPECT_NE(lines.find("NOSUCHPATTERN 1 45.0000 0.0000,0.0000 -2.2451,2.2451 \n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("SOLID 0 \n"), std::string::npos) << lines;

    // Read back by the host: the lines are the stored ones now, the same as before.
    AcDbDatabase back(false);
    ASSERT_EQ(back.readDxfFile(file.wstring().c_str()), Acad::eOk);
    int seen = 0;
    for (AcDbHatch* h : hatches(back)) {
        if (std::wstring(h->patternName()) != L"ansi37") continue;
        ++seen;
        ASSERT_EQ(h->patternLines().size(), 2u);
        EXPECT_NEAR(h->patternLines()[0].angle, M_PI * 75 / 180, 1e-9);
        EXPECT_NEAR(h->patternLines()[1].offset.length(), 6.35, 1e-9);
    }
    EXPECT_EQ(seen, 1);
    std::string audit = auditOf(file);
    EXPECT_NE(audit.find("errors=0"), std::string::npos) << audit;
}
