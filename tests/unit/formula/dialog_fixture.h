// The formula dialog under test: a fresh drawing and registry, dialog events and prompt answers from script
// text, and the dialog's controls read back after it closed.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cvx/controls.h"
#include "cvx/registry.h"
#include "editor/script_verbs.h"
#include "formula/dialog_layout.h"
#include "formula/formula_dialog.h"
#include "formula_fixture.h"
#include "frame/product.h"
#include "frame/registry_values.h"

class FormulaDialogTest : public FormulaTest {
protected:
    void SetUp() override {
        FormulaTest::SetUp();
        folder = std::filesystem::temp_directory_path() / ("curvix-formula-dialog-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "resources" / "pictures");
        ::setenv("CURVIX_REGISTRY", (folder / "registry.reg").c_str(), 1);
        cvxRegistryReload();
        // The module's folder, where the row pictures are looked for.
        writeRegString(HKEY_CURRENT_USER, kProductKey, L"Location", (folder.wstring() + L"/").c_str());
        cvx::editor::resetEditorState();
        cvx::editor::clearQueuedAnswers();
    }
    void TearDown() override {
        source.reset();
        cvx::editor::clearQueuedAnswers();
        std::filesystem::remove_all(folder);
        ::unsetenv("CURVIX_REGISTRY");
        cvxRegistryReload();
        FormulaTest::TearDown();
    }

    // Runs the dialog on these events and answers; fails the test when the script stopped.
    void run(CMainDlgDlg& dialog, const std::wstring& script) {
        answers(script);
        dialog.DoModal();
        EXPECT_FALSE(source->script.failed()) << source->script.error();
    }

    static CWnd* item(CMainDlgDlg& d, int id) { return d.GetDlgItem(id); }
    static CSliderCtrl* slider(CMainDlgDlg& d, int k) {
        return static_cast<CSliderCtrl*>(d.GetDlgItem(formulaSliderId(k)));
    }
    static std::wstring editText(CMainDlgDlg& d, int k) { return d.GetDlgItemText(kFormulaEditIds[k]); }
    static DWORD stored(const ACHAR* name) { return readRegDword(HKEY_CURRENT_USER, kProductKey, name); }

    std::filesystem::path folder;
};
