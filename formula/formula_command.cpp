#include "formula/formula_command.h"

#include "cvx/docman.h"
#include "formula/formula_dialog.h"

void formulaCommand() {
    AcApDocument* doc = curDoc();
    acDocManager->lockDocument(doc);
    CMainDlgDlg dialog;
    dialog.DoModal();
    acDocManager->unlockDocument(doc);
}
