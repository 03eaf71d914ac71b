// A fresh drawing and editor for each test, with answers given as script text.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "editor/commands/commands.h"
#include "editor/output.h"
#include "editor/script_source.h"
#include "editor/selection.h"
#include "editor/state.h"

class EditorTest : public ::testing::Test {
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
    // Answers the following prompts from this script text.
    cvx::editor::ScriptSource& answers(const std::wstring& text) {
        source = std::make_unique<Scoped>(text);
        return source->script;
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
    std::vector<AcDbObjectId> modelSpace() {
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
