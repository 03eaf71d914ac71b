#include "holenet/holenet_command.h"

#include "cvx/docman.h"
#include "holenet/holenet_dialog.h"

void imageHoleNetCommand() {
    AcApDocument* doc = curDoc();
    acDocManager->lockDocument(doc);
    ImageHoleNet dialog;
    dialog.DoModal();
    acDocManager->unlockDocument(doc);
}
