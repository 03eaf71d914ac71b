// Modal dialogs. A dialog is described by a template (its caption, client size and controls by id), given to the
// constructor or registered under a resource id. DoModal creates the controls, calls OnInitDialog, shows the
// dialog and delivers events to it until EndDialog; it returns the code given to EndDialog (-1 when the dialog
// cannot be created).
//
// Events come from the current input source: script lines ";@dialog <event> <id> [value]", or lines a person
// types at the terminal ("click 1001"). A script without further events cancels the dialog.
//
// A dialog reacts to its controls through handlers registered per control and event, usually in its constructor:
//
//     MyDlg::MyDlg(CWnd* parent) : CAcUiDialog(IDD_MY, parent) {
//         onClicked(IDC_PLACE, &MyDlg::OnPlace);
//         onCustomDraw(IDC_SIZE, &MyDlg::OnSizeDrawn);  // void OnSizeDrawn(NMHDR*, LRESULT*)
//         onKillFocus(IDC_ROWS, [this] { takeRows(); });
//     }
//
// Dialog-wide messages are virtual functions: OnInitDialog, OnOK, OnCancel, OnClose, OnPaint.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "cvx/controls.h"
#include "cvx/wnd.h"

class CImage;

// ---- templates ----

#define WS_GROUP 0x00020000u     // starts a new group of radio buttons
#define WS_DISABLED 0x08000000u  // created disabled
#define WS_HIDDEN 0x00000001u    // created hidden (the host's own flag)
#define SS_LEFT 0x00000000u
#define SS_CENTER 0x00000100u
#define SS_RIGHT 0x00000200u

enum class CvxControl { PushButton, DefPushButton, CheckBox, RadioButton, Label, GroupBox, Picture, Edit,
                        NumericEdit, Slider, ListBox, ComboBox };

struct CvxDialogItem {
    CvxControl kind;
    int id;  // IDC_STATIC (-1) for labels nobody asks for
    int x, y, cx, cy;  // pixels in the client area
    std::wstring text;
    DWORD style = 0;
};

struct CvxDialogTemplate {
    std::wstring caption;
    int width = 0, height = 0;  // client area in pixels
    std::vector<CvxDialogItem> items;
};

// Templates under resource ids, for dialogs constructed with an id. A second registration replaces the first.
void cvxRegisterDialogTemplate(UINT id, CvxDialogTemplate dialogTemplate);

// ---- data exchange ----

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    // Marks the exchange failed (UpdateData returns FALSE); the message is printed.
    void Fail(const std::wstring& why);

    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    bool m_failed = false;
};

// Binds a control object to the dialog's control of that id.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked button in the radio group starting at id (-1: none).
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_Slider(CDataExchange* dx, int id, int& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);

// ---- dialogs ----

namespace cvx::ui {
struct DialogState;
struct DialogAccess;
enum class Event { Clicked, Change, KillFocus, SelChange, Scroll, Released, CustomDraw };
template <class F> struct MemberOf;
template <class C, class R, class... A> struct MemberOf<R (C::*)(A...)> { using Class = C; };
}  // namespace cvx::ui

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent = nullptr);
    CDialog(CvxDialogTemplate dialogTemplate, CWnd* parent = nullptr);
    ~CDialog() override;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    using Handler = std::function<void(NMHDR*, LRESULT*)>;

    virtual INT_PTR DoModal();
    void EndDialog(int result);

    CWnd* GetDlgItem(int id) const;
    void SetDlgItemText(int id, LPCTSTR text);
    void GetDlgItemText(int id, std::wstring& text) const;
    std::wstring GetDlgItemText(int id) const;
    void SetDlgItemInt(int id, int value);
    // The text read as a whole number; *ok (when given) tells whether it was one.
    int GetDlgItemInt(int id, BOOL* ok = nullptr) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    // Checks `id` and clears the other radio buttons from first to last.
    void CheckRadioButton(int first, int last, int id);
    // The checked radio button between first and last, 0 when none.
    int GetCheckedRadioButton(int first, int last) const;

    // FALSE to load the controls from the members, TRUE to store them (FALSE when a value does not fit).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // The client area with its controls, as a person would see it (32 bits per pixel).
    BOOL RenderClient(CImage& image);

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    // Exchanges data into the controls; TRUE.
    virtual BOOL OnInitDialog();
    // Stores the data and ends with IDOK (the OK button, Enter).
    virtual void OnOK();
    // Ends with IDCANCEL (the Cancel button, Escape).
    virtual void OnCancel();
    // The close box: OnCancel.
    virtual void OnClose();
    // Called after the client area was erased; controls paint themselves afterwards.
    virtual void OnPaint() {}

    void addHandler(cvx::ui::Event event, int id, Handler handler);

    // Handlers: a member function of the dialog (void () or void (NMHDR*, LRESULT*)) or any callable.
    template <class F> void onClicked(int id, F f) { on(cvx::ui::Event::Clicked, id, f); }
    template <class F> void onChange(int id, F f) { on(cvx::ui::Event::Change, id, f); }
    template <class F> void onKillFocus(int id, F f) { on(cvx::ui::Event::KillFocus, id, f); }
    template <class F> void onSelChange(int id, F f) { on(cvx::ui::Event::SelChange, id, f); }
    // A slider moved by the user, while dragging and at the end.
    template <class F> void onScroll(int id, F f) { on(cvx::ui::Event::Scroll, id, f); }
    // A slider let go (NM_RELEASEDCAPTURE).
    template <class F> void onReleased(int id, F f) { on(cvx::ui::Event::Released, id, f); }
    // A slider painted (NM_CUSTOMDRAW): after its position changed and whenever the dialog paints.
    template <class F> void onCustomDraw(int id, F f) { on(cvx::ui::Event::CustomDraw, id, f); }

private:
    template <class F> void on(cvx::ui::Event event, int id, F f);
    friend struct cvx::ui::DialogAccess;
    std::unique_ptr<cvx::ui::DialogState> m_state;
};

template <class F> void CDialog::on(cvx::ui::Event event, int id, F f) {
    if constexpr (std::is_member_function_pointer_v<F>) {
        auto* self = static_cast<typename cvx::ui::MemberOf<F>::Class*>(this);
        if constexpr (std::is_invocable_v<F, decltype(self)>)
            addHandler(event, id, [self, f](NMHDR*, LRESULT*) { (self->*f)(); });
        else
            addHandler(event, id, [self, f](NMHDR* n, LRESULT* r) { (self->*f)(n, r); });
    } else if constexpr (std::is_invocable_v<F>) {
        addHandler(event, id, [f](NMHDR*, LRESULT*) { f(); });
    } else {
        addHandler(event, id, Handler(f));
    }
}

// The dialog classes a module derives from. BeginEditorCommand hides the dialog so that the editor can prompt
// (the current input source answers); CompleteEditorCommand and CancelEditorCommand show it again.
class CAdUiBaseDialog : public CDialog {
public:
    using CDialog::CDialog;
};

class CAdUiDialog : public CAdUiBaseDialog {
public:
    using CAdUiBaseDialog::CAdUiBaseDialog;
    void BeginEditorCommand();
    void CompleteEditorCommand(BOOL restoreDialogs = TRUE);
    void CancelEditorCommand();
    bool EditorCommandActive() const;
};

class CAcUiDialog : public CAdUiDialog {
public:
    using CAdUiDialog::CAdUiDialog;
};
