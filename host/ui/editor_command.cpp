// Hiding a dialog while the editor prompts, and showing it again.
#include "cvx/dialog.h"
#include "ui/dialog_state.h"

void CAdUiDialog::BeginEditorCommand() {
    cvx::ui::stateOf(*this).inEditorCommand = true;
    ShowWindow(SW_HIDE);
}

void CAdUiDialog::CompleteEditorCommand(BOOL restoreDialogs) {
    cvx::ui::stateOf(*this).inEditorCommand = false;
    if (restoreDialogs) ShowWindow(SW_SHOW);
}

void CAdUiDialog::CancelEditorCommand() { CompleteEditorCommand(TRUE); }

bool CAdUiDialog::EditorCommandActive() const { return cvx::ui::stateOf(const_cast<CAdUiDialog&>(*this)).inEditorCommand; }
