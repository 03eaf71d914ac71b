#include "vectorize/r2v_command.h"

#include "cvx/docman.h"
#include "vectorize/outline_dialog.h"

void r2vCommand() {
    AcApDocument* doc = curDoc();
    acDocManager->lockDocument(doc);
    COutlineDlg dialog;
    dialog.DoModal();
    acDocManager->unlockDocument(doc);
}
