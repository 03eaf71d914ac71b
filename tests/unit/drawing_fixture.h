// A fresh working drawing and editor for each test, prompts answered from script text: the base of the
// fixtures that run commands or make entities.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "append_entity.h"
#include "cvx/arx.h"
#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "editor/commands/commands.h"
#include "editor/output.h"
#include "editor/script_source.h"
#include "editor/selection.h"
#include "editor/state.h"

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<AcDbDatabase>(true);
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        cvx::editor::resetEditorState();
        cvx::editor::forgetAllSets();
        cvx::editor::registerHostCommands();
        cvx::editor::setOutputQuiet(true);
        cvx::editor::takeTranscript();
    }
    void TearDown() override {
        source.reset();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    // Answers the following prompts (and dialog events) from this script text.
    cvx::editor::ScriptSource& answers(const std::wstring& text) {
        source = std::make_unique<Scoped>(text);
        return source->script;
    }
    // Runs a command with the script text answering its prompts; returns what it printed.
    std::wstring run(void (*command)(), const std::wstring& script) {
        answers(script);
        cvx::editor::takeTranscript();
        command();
        source.reset();
        return cvx::editor::takeTranscript();
    }
    // Appends a lightweight polyline through the points (with a constant width when one is given).
    AcDbObjectId addLw(const std::vector<AcGePoint2d>& pts, bool closed = false, double width = 0) {
        auto* pl = new AcDbPolyline;
        for (const AcGePoint2d& p : pts) pl->addVertexAt(pl->numVerts(), p);
        pl->setClosed(closed);
        if (width > 0) pl->setConstantWidth(width);
        return add(pl);
    }
    // Appends the entity, with the drawing's defaults, to the block (model space by default) and closes it.
    AcDbObjectId add(AcDbEntity* e, AcDbObjectId block = AcDbObjectId()) {
        e->setDatabaseDefaults(db.get());
        return appendEntity(*db, e, block);
    }
    // The entities of model space not erased, in drawing order.
    std::vector<AcDbObjectId> modelSpace() const {
        std::vector<AcDbObjectId> ids;
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db->modelSpaceId(), AcDb::kForRead);
        for (AcDbObjectId id : ms->entityIds())
            if (!id.isErased()) ids.push_back(id);
        return ids;
    }

    struct Scoped {
        explicit Scoped(const std::wstring& text) : script(text, L"test.scr"), scope(&script) {}
        cvx::editor::ScriptSource script;
        cvx::editor::ScopedSource scope;
    };
    std::unique_ptr<AcDbDatabase> db;
    std::unique_ptr<Scoped> source;
};
