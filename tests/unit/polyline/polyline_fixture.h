// A fresh drawing and editor for each polyline-tool test, answers given as script text, and plain readings of
// the polylines the tools make.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cvx/arx.h"
#include "cvx/editor.h"
#include "editor/commands/commands.h"
#include "editor/output.h"
#include "editor/script_source.h"
#include "editor/selection.h"
#include "editor/state.h"
#include "frame/language.h"
#include "polyline/polyline_points.h"

class PolylineTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<AcDbDatabase>(true);
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        cvx::editor::resetEditorState();
        cvx::editor::forgetAllSets();
        cvx::editor::registerHostCommands();
        cvx::editor::setOutputQuiet(true);
        cvx::editor::takeTranscript();
        setChineseLanguage(false);
    }
    void TearDown() override {
        source.reset();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    // Runs a command with the script text answering its prompts; returns what it printed.
    std::wstring run(void (*command)(), const std::wstring& script) {
        source = std::make_unique<Scoped>(script);
        cvx::editor::takeTranscript();
        command();
        source.reset();
        return cvx::editor::takeTranscript();
    }

    AcDbObjectId add(AcDbEntity* e) {
        AcDbBlockTableRecord* ms = nullptr;
        acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite);
        e->setDatabaseDefaults(db.get());
        AcDbObjectId id;
        ms->appendAcDbEntity(id, e);
        e->close();
        ms->close();
        return id;
    }
    AcDbObjectId addLw(const std::vector<AcGePoint2d>& pts, bool closed = false, double width = 0) {
        auto* pl = new AcDbPolyline;
        for (const AcGePoint2d& p : pts) pl->addVertexAt(pl->numVerts(), p);
        pl->setClosed(closed);
        if (width > 0) pl->setConstantWidth(width);
        return add(pl);
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
    std::vector<AcDbObjectId> modelSpace() const {
        std::vector<AcDbObjectId> ids;
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
        for (AcDbObjectId id : ms->entityIds())
            if (!id.isErased()) ids.push_back(id);
        return ids;
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

    struct Scoped {
        explicit Scoped(const std::wstring& text) : script(text, L"test.scr"), scope(&script) {}
        cvx::editor::ScriptSource script;
        cvx::editor::ScopedSource scope;
    };
    std::unique_ptr<AcDbDatabase> db;
    std::unique_ptr<Scoped> source;
};

// Points evenly spaced on the segment, n of them.
inline std::vector<AcGePoint2d> evenPoints(AcGePoint2d a, AcGePoint2d b, int n) {
    std::vector<AcGePoint2d> pts;
    for (int i = 0; i < n; ++i) pts.push_back(a + (b - a) * (static_cast<double>(i) / (n - 1)));
    return pts;
}
