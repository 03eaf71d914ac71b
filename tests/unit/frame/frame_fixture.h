// A fresh drawing, editor and registry for each test of the module's frame; answers come as script text.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "cvx/arx.h"
#include "cvx/editor.h"
#include "cvx/registry.h"
#include "cvx/wide.h"
#include "editor/commands/commands.h"
#include "editor/output.h"
#include "editor/script_source.h"
#include "editor/selection.h"
#include "editor/state.h"
#include "frame/language.h"

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        registryFile = std::filesystem::temp_directory_path() /
                       ("curvix-frame-test-" + std::to_string(::getpid()) + ".reg");
        std::filesystem::remove(registryFile);
        ::setenv("CURVIX_REGISTRY", registryFile.c_str(), 1);
        cvxRegistryReload();
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
        setChineseLanguage(false);
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        std::filesystem::remove(registryFile);
        cvxRegistryReload();
    }
    // Answers the following prompts from this script text.
    void answers(const std::wstring& text) { source = std::make_unique<Scoped>(text); }
    AcDbObjectId add(AcDbEntity* e, AcDbObjectId block = AcDbObjectId()) {
        AcDbBlockTableRecord* owner = nullptr;
        acdbOpenObject(owner, block.isNull() ? db->modelSpaceId() : block, AcDb::kForWrite);
        e->setDatabaseDefaults(db.get());
        AcDbObjectId id;
        owner->appendAcDbEntity(id, e);
        e->close();
        owner->close();
        return id;
    }

    struct Scoped {
        explicit Scoped(const std::wstring& text) : script(text, L"test.scr"), scope(&script) {}
        cvx::editor::ScriptSource script;
        cvx::editor::ScopedSource scope;
    };
    std::filesystem::path registryFile;
    std::unique_ptr<AcDbDatabase> db;
    std::unique_ptr<Scoped> source;
};
