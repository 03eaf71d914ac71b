// The dialogs of the dialog framework as Qt dialogs: one Qt widget per control, each action a person takes
// performed as the framework's event, and the widgets brought up to date from the framework after it.
#pragma once

class QDialog;

namespace cvx::window {

class WindowSource;

void installDialogBackEnd(WindowSource& source);
void uninstallDialogBackEnd();
// The Qt dialog showing the framework's top dialog, or null.
QDialog* openDialog();
// True while a script (not a person) works the open dialog: its events wait in the script's queue.
bool scriptWorksDialog();

}  // namespace cvx::window
