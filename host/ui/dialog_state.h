// Inside a dialog: its windows, handlers and run state, and the operations the driver and the controls share.
#pragma once

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "cvx/dialog.h"
#include "ui/window.h"

namespace cvx::ui {

struct DialogState {
    CvxDialogTemplate layout;
    UINT templateId = 0;
    bool fromResource = false;
    Window self;                                   // the dialog's own window: caption, client area
    std::vector<std::unique_ptr<Window>> controls;  // template order
    std::vector<std::unique_ptr<CWnd>> objects;     // what GetDlgItem returns, one per control
    std::map<std::pair<Event, int>, CDialog::Handler> handlers;
    bool created = false, running = false, ended = false;
    int result = 0;
    bool eraseClient = true;
    bool inEditorCommand = false;
};

struct DialogAccess {
    static DialogState& state(CDialog& d) { return *d.m_state; }
    static BOOL initDialog(CDialog& d) { return d.OnInitDialog(); }
    static void ok(CDialog& d) { d.OnOK(); }
    static void cancel(CDialog& d) { d.OnCancel(); }
    static void close(CDialog& d) { d.OnClose(); }
    static void paint(CDialog& d) { d.OnPaint(); }
};

inline DialogState& stateOf(CDialog& d) { return DialogAccess::state(d); }
Window* findControl(CDialog& d, int id);

// Runs the handler registered for the event on the control; false when there is none. For clicks on IDOK and
// IDCANCEL without a handler the dialog's OnOK / OnCancel run.
bool notify(CDialog& d, Event event, int id);

// The radio buttons of the group a radio button belongs to, in template order.
std::vector<Window*> radioGroup(CDialog& d, const Window& radio);

// Paints what waits to be painted: the client area (erased first when asked, then OnPaint), then custom-draw
// notifications of the sliders that changed or were painted with it. Nothing while the dialog is hidden.
void paintPending(CDialog& d);

// The dialog running modally on top (events go to it), or null.
CDialog* activeDialog();

// The text view of a dialog for a person at the terminal, one control a line.
std::wstring textView(CDialog& d);

}  // namespace cvx::ui
