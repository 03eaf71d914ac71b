// The headless driver: a modal dialog takes its events from the current input source. Scripts give them as
// extension lines ";@dialog <event> [<control-id>] [value]"; a person types the same words at the terminal.
//   click <id>            push a button, toggle a check box, choose a radio button
//   check <id> / uncheck <id>
//   select <id> <index>   a list or combo row (-1 for none; a row's text also works)
//   text <id> <text>      type into an edit (quote text with blanks), then leave it
//   slide <id> <pos>      drag a slider to the position and let go; track <id> <pos> drags without letting go;
//   release <id>          lets go
//   ok / cancel / close   Enter, Escape, the close box
//   paint                 paint the dialog again
//   show                  print the dialog as text
//   png <path>            write the client area as a PNG picture
//   grab <path>           a picture of the dialog as a front end with a screen shows it
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cvx/dialog.h"

namespace cvx::ui {

// A front end that shows dialogs on a screen. begin: true when it ran the dialog to its end itself (a person
// works it); false leaves the events to the command line, and it may still show the dialog: changed follows
// every event performed, ended the end.
struct DialogFrontEnd {
    std::function<bool(CDialog&)> begin;
    std::function<void(CDialog&)> changed, ended;
    std::function<std::wstring(CDialog&, const std::wstring& path)> grab;  // empty, or why it failed
};
void setDialogFrontEnd(DialogFrontEnd frontEnd);

// Delivers events until the dialog ends. Without further events from a script the dialog is cancelled.
void runModalLoop(CDialog& d);

// Performs one event (its words, as above) on the dialog; an empty string, or why it could not be done.
std::wstring performEvent(CDialog& d, const std::vector<std::wstring>& words);

}  // namespace cvx::ui
