// Quick-mode tracing: the cleaning of a traced block, the DXF path rule, the tracer run (a stale file never
// counts as a trace) and a whole trace placed as a block.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "cvx/image.h"
#include "frame/product.h"
#include "frame/registry_values.h"
#include "frame/sysvars.h"
#include "unit/frame/frame_fixture.h"
#include "vectorize/external_tracer.h"

namespace fs = std::filesystem;

namespace {

class ExternalTracer : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        folder = fs::temp_directory_path() / ("curvix-tracer-test-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "tmp");
        ::setenv("TMPDIR", (folder / "tmp").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("TMPDIR");
        fs::remove_all(folder);
        FrameTest::TearDown();
    }

    // The module's folder, where autotrace/autotrace is looked for.
    void setModuleFolder(const fs::path& path) {
        writeRegString(HKEY_CURRENT_USER, kProductKey, L"Location", cvxFromUtf8(path.string() + "/").c_str());
    }
    // A stand-in tracer: a shell script whose body sees the output path as $7.
    void installScriptTracer(const std::string& body) {
        fs::create_directories(folder / "module/autotrace");
        const fs::path program = folder / "module/autotrace/autotrace";
        std::ofstream(program) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(program, fs::perms::owner_all);
        setModuleFolder(folder / "module");
    }
    // A new block holding the entities (colour 3), referenced once from model space.
    AcDbObjectId blockOf(const std::vector<AcDbEntity*>& pieces, std::vector<AcDbObjectId>& pieceIds) {
        auto* rec = new AcDbBlockTableRecord;
        rec->setName(L"TRACE");
        AcDbBlockTable* table = nullptr;
        AcDbObjectId recId;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(table->add(recId, rec), Acad::eOk);
        table->close();
        rec->close();
        for (AcDbEntity* e : pieces) {
            e->setColorIndex(3);
            pieceIds.push_back(add(e, recId));
        }
        return add(new AcDbBlockReference(AcGePoint3d(100, 50, 0), recId));
    }

    fs::path folder;
};

AcDbPolyline* rectangle(double x0, double y0, double x1, double y1) {
    auto* pl = new AcDbPolyline;
    for (AcGePoint2d p : {AcGePoint2d(x0, y0), AcGePoint2d(x1, y0), AcGePoint2d(x1, y1), AcGePoint2d(x0, y1)})
        pl->addVertexAt(pl->numVerts(), p);
    pl->setClosed(true);
    return pl;
}

AcDbPolyline* ring(int vertices, double cx, double cy, double r) {
    auto* pl = new AcDbPolyline;
    for (int i = 0; i < vertices; ++i)
        pl->addVertexAt(i, AcGePoint2d(cx + r * std::cos(2 * M_PI * i / vertices),
                                       cy + r * std::sin(2 * M_PI * i / vertices)));
    pl->setClosed(true);
    return pl;
}

}  // namespace

TEST_F(ExternalTracer, CleaningErasesTheFrameAndSmallPolylinesAndGivesTheRestColourByBlock) {
    struct Case {
        const char* what;
        std::vector<AcDbEntity*> pieces;
        int minVertices;
        std::vector<bool> kept;
    };
    std::vector<Case> cases = {
        {"m vertices stay, m - 1 go",
         {rectangle(0, 0, 10, 10), ring(5, 5, 5, 2), ring(4, 5, 5, 1)}, 5, {false, true, false}},
        {"a circle matching the block's extents is the frame",
         {new AcDbCircle(AcGePoint3d(5, 5, 0), AcGeVector3d::kZAxis, 5),
          new AcDbLine(AcGePoint3d(2, 2, 0), AcGePoint3d(3, 4, 0))}, 2, {false, true}},
        {"within 0.001 on every side is the frame, 0.002 off on one side is not",
         {new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10, 0)), rectangle(0.0005, 0.0005, 9.9995, 9.9995),
          rectangle(0.002, 0, 10, 10)}, 2, {false, false, true}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        std::vector<AcDbObjectId> ids;
        AcDbObjectId refId = blockOf(c.pieces, ids);
        {
            AcDbObjectPointer<AcDbBlockReference> ref(refId, AcDb::kForRead);
            cleanTracedBlock(ref.object(), c.minVertices);
        }
        for (size_t i = 0; i < ids.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(!ids[i].isErased(), c.kept[i]);
            if (c.kept[i]) {
                AcDbObjectPointer<AcDbEntity> e(ids[i], AcDb::kForRead);
                EXPECT_EQ(e->colorIndex(), 0);
            }
        }
    }
}

TEST_F(ExternalTracer, TheDxfPathJoinsTheTempFolderThePictureNameAndAFreshTempName) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"/home/me/pic.bmp", L"pic"},
        {L"C:\\Users\\me\\scan.v2.bmp", L"scan.v2"},
        {L"D:\\a.b\\scan", L"scan"},
        {L"dir.d/name", L"name"},
        {L"a/b\\c.bmp", L"c"},
    };
    const fs::path tmp = folder / "tmp";
    for (const auto& [bmp, stem] : cases) {
        SCOPED_TRACE(cvxToUtf8(bmp));
        const std::wstring dxf = tracedDxfPath(bmp);
        std::vector<fs::path> made{fs::directory_iterator(tmp), fs::directory_iterator()};
        ASSERT_EQ(made.size(), 1u);  // the temporary file that reserves the name
        EXPECT_EQ(made[0].extension(), ".tmp");
        EXPECT_EQ(dxf, cvxFromUtf8(tmp.string() + "/") + stem + cvxFromUtf8(made[0].stem().string()) + L".dxf");
        fs::remove(made[0]);
    }
}

TEST_F(ExternalTracer, AStaleDxfIsDeletedBeforeTheTracerRuns) {
    const fs::path stale = folder / "tmp/old.dxf";
    std::ofstream(stale) << "0\nEOF\n";
    // No tracer: the message box names the program, and the stale file is gone all the same.
    setModuleFolder(folder / "empty");
    answers(L"");
    cvx::editor::takeTranscript();
    EXPECT_FALSE(traceInto(L"/no/pic.bmp", cvxFromUtf8(stale.string())));
    EXPECT_NE(cvx::editor::takeTranscript().find(L"autotrace\\autotrace.exeProgram file not found, please reinstall."),
              std::wstring::npos);
    EXPECT_FALSE(fs::exists(stale));
    // A tracer that writes nothing: no trace, although a file was there before.
    std::ofstream(stale) << "0\nEOF\n";
    installScriptTracer("[ -e \"$7\" ] && touch \"$7.seen\"; exit 0");
    EXPECT_FALSE(traceInto(L"/no/pic.bmp", cvxFromUtf8(stale.string())));
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_FALSE(fs::exists(stale.string() + ".seen"));
    EXPECT_NE(cvx::editor::takeTranscript().find(L"The tracing program wrote no result; nothing was drawn."),
              std::wstring::npos);
    // A tracer that fails says so with its exit code.
    installScriptTracer("exit 3");
    EXPECT_FALSE(traceInto(L"/no/pic.bmp", cvxFromUtf8(stale.string())));
    EXPECT_NE(cvx::editor::takeTranscript().find(L"The tracing program failed (exit code 3); nothing was drawn."),
              std::wstring::npos);
    // The command line the tracer gets, each path one argument though the temporary folder and the picture's
    // name hold blanks.
    fs::create_directories(folder / "temp files");
    ::setenv("TMPDIR", (folder / "temp files").c_str(), 1);
    installScriptTracer("printf '%s|' \"$@\" > \"$7\"");
    std::wstring dxf;
    ASSERT_TRUE(runTracer(L"/no/my pic.bmp", dxf));
    EXPECT_NE(dxf.find(L"temp files/my pic"), std::wstring::npos) << cvxToUtf8(dxf);
    std::string line;
    std::getline(std::ifstream(cvxToUtf8(dxf)), line);
    EXPECT_EQ(line, "/no/my pic.bmp|-color-count|2|-output-format|dxf|-output-file|" + cvxToUtf8(dxf) + "|");
}

TEST_F(ExternalTracer, ATracedPictureIsPlacedAsACleanBlockAndItsDxfDeleted) {
    const fs::path tracer = fs::path(CVX_BINARY_DIR) / "autotrace/autotrace";
    if (!fs::exists(tracer))
        GTEST_SKIP() << "the tracer program is not built";
    setModuleFolder(CVX_BINARY_DIR);
    // 60 x 40 white picture with a 20 x 10 black bar and a 1-pixel dot.
    CImage picture;
    ASSERT_TRUE(picture.Create(60, 40, 24));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            picture.SetPixel(x, y, (x >= 10 && x < 30 && y >= 5 && y < 15) ? RGB(0, 0, 0) : RGB(255, 255, 255));
    picture.SetPixel(50, 30, RGB(0, 0, 0));
    const std::wstring bmp = cvxFromUtf8((folder / "pic.bmp").string());
    ASSERT_EQ(picture.Save(bmp.c_str()), S_OK);

    answers(L"");  // the insertion point is cancelled: nothing is placed, the DXF file is gone
    vectorizeBitmapFile(bmp, 3);
    EXPECT_TRUE(modelSpace().empty());
    for (const auto& f : fs::directory_iterator(folder / "tmp"))
        EXPECT_NE(f.path().extension(), ".dxf") << f.path();

    answers(L"100,200\n");
    vectorizeBitmapFile(bmp, 3);
    ASSERT_EQ(modelSpace().size(), 1u);
    AcDbObjectPointer<AcDbBlockReference> ref(modelSpace()[0], AcDb::kForRead);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->position(), AcGePoint3d(100, 200, 0));
    EXPECT_EQ(ref->scaleFactors().sx, 1.0);
    EXPECT_EQ(getSysVarShort(L"CMDECHO"), 1);
    AcDbObjectPointer<AcDbBlockTableRecord> block(ref->blockTableRecord(), AcDb::kForRead);
    std::vector<AcDbObjectId> left;
    for (AcDbObjectId id : block->entityIds())
        if (!id.isErased()) left.push_back(id);
    ASSERT_EQ(left.size(), 1u);  // the bar; the frame is erased, the dot never traced or too small
    AcDbObjectPointer<AcDbPolyline> bar(left[0], AcDb::kForRead);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->colorIndex(), 0);
    AcDbExtents e;
    ASSERT_EQ(bar->getGeomExtents(e), Acad::eOk);  // upright: the picture's rows 5..15 from the top
    EXPECT_NEAR(e.minPoint().x, 10, 0.5);
    EXPECT_NEAR(e.maxPoint().x, 30, 0.5);
    EXPECT_NEAR(e.minPoint().y, 25, 0.5);
    EXPECT_NEAR(e.maxPoint().y, 35, 0.5);
    for (const auto& f : fs::directory_iterator(folder / "tmp"))
        EXPECT_NE(f.path().extension(), ".dxf") << f.path();
}
