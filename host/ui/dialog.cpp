// Dialogs: creation from the template, the modal run, items by id and data exchange.
#include <algorithm>
#include <cwctype>
#include <map>
#include <set>

#include "cvx/dialog.h"
#include "editor/output.h"
#include "ui/dialog_state.h"
#include "ui/driver.h"

namespace cvx::ui {
namespace {

std::map<UINT, CvxDialogTemplate>& templates() {
    static std::map<UINT, CvxDialogTemplate> t;
    return t;
}

std::vector<CDialog*>& modalStack() {
    static std::vector<CDialog*> s;
    return s;
}

std::unique_ptr<CWnd> objectFor(CvxControl kind) {
    switch (kind) {
    case CvxControl::PushButton:
    case CvxControl::DefPushButton:
    case CvxControl::CheckBox:
    case CvxControl::RadioButton: return std::make_unique<CButton>();
    case CvxControl::Edit: return std::make_unique<CEdit>();
    case CvxControl::NumericEdit: return std::make_unique<CAcUiNumericEdit>();
    case CvxControl::Slider: return std::make_unique<CSliderCtrl>();
    case CvxControl::ListBox: return std::make_unique<CListBox>();
    case CvxControl::ComboBox: return std::make_unique<CComboBox>();
    default: return std::make_unique<CStatic>();
    }
}

// The control as the template describes it, before OnInitDialog.
void setFromTemplate(Window& w, const CvxDialogItem& item, CDialog* dialog) {
    w = Window{};
    w.kind = item.kind;
    w.id = item.id;
    w.rect = {item.x, item.y, item.x + item.cx, item.y + item.cy};
    w.text = item.text;
    w.style = item.style;
    w.visible = !(item.style & WS_HIDDEN);
    w.enabled = !(item.style & WS_DISABLED);
    w.dialog = dialog;
    w.lastGoodText = item.text;
    if (item.kind == CvxControl::Picture) {
        w.canvas = std::make_unique<CImage>();
        w.canvas->Create(std::max(item.cx, 1), -std::max(item.cy, 1), 32);
        CDC::FromHandle(w.canvas->GetDC())->FillSolidRect(0, 0, item.cx, item.cy, kFaceColor);
        w.canvas->ReleaseDC();
    }
}

std::wstring checkTemplate(const CvxDialogTemplate& t) {
    if (t.width <= 0 || t.height <= 0 || t.width > 4096 || t.height > 4096)
        return L"the client size " + std::to_wstring(t.width) + L" x " + std::to_wstring(t.height) +
               L" is not between 1 and 4096 pixels";
    std::set<int> ids;
    for (const CvxDialogItem& item : t.items) {
        if (item.cx <= 0 || item.cy <= 0) return L"control " + std::to_wstring(item.id) + L" has no area";
        if (item.id != IDC_STATIC && !ids.insert(item.id).second)
            return L"the control id " + std::to_wstring(item.id) + L" appears twice";
    }
    return {};
}

}  // namespace

Window* findControl(CDialog& d, int id) {
    for (auto& w : stateOf(d).controls)
        if (w->id == id) return w.get();
    return nullptr;
}

bool notify(CDialog& d, Event event, int id) {
    DialogState& s = stateOf(d);
    auto it = s.handlers.find({event, id});
    if (it == s.handlers.end()) {
        if (event == Event::Clicked && id == IDOK) DialogAccess::ok(d);
        else if (event == Event::Clicked && id == IDCANCEL) DialogAccess::cancel(d);
        else return false;
        return true;
    }
    Window* w = findControl(d, id);
    NMCUSTOMDRAW nm{};
    nm.hdr.hwndFrom = w;
    nm.hdr.idFrom = static_cast<UINT_PTR>(id);
    nm.hdr.code = event == Event::CustomDraw ? NM_CUSTOMDRAW : event == Event::Released ? NM_RELEASEDCAPTURE : 0;
    nm.dwDrawStage = CDDS_PREPAINT;
    if (w) nm.rc = w->rect;
    LRESULT result = CDRF_DODEFAULT;
    CDialog::Handler handler = it->second;  // a handler may register others
    handler(&nm.hdr, &result);
    return true;
}

std::vector<Window*> radioGroup(CDialog& d, const Window& radio) {
    std::vector<Window*> group;
    auto holdsRadio = [&] { return std::find(group.begin(), group.end(), &radio) != group.end(); };
    for (auto& w : stateOf(d).controls) {
        if (w->kind != CvxControl::RadioButton || (w->style & WS_GROUP)) {
            if (holdsRadio()) return group;
            group.clear();
        }
        if (w->kind == CvxControl::RadioButton) group.push_back(w.get());
    }
    return holdsRadio() ? group : std::vector<Window*>{};
}

CDialog* activeDialog() { return modalStack().empty() ? nullptr : modalStack().back(); }

}  // namespace cvx::ui

using namespace cvx::ui;

void cvxRegisterDialogTemplate(UINT id, CvxDialogTemplate dialogTemplate) { templates()[id] = std::move(dialogTemplate); }

CDialog::CDialog(UINT templateId, CWnd*) : m_state(std::make_unique<DialogState>()) {
    m_state->templateId = templateId;
    m_state->fromResource = true;
    m_state->self.isDialog = true;
    m_state->self.dialog = this;
    m_state->self.visible = false;
    m_hWnd = &m_state->self;
}

CDialog::CDialog(CvxDialogTemplate dialogTemplate, CWnd* parent) : CDialog(0u, parent) {
    m_state->layout = std::move(dialogTemplate);
    m_state->fromResource = false;
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    DialogState& s = *m_state;
    std::wstring problem;
    if (s.running) {
        problem = L"it is already open";
    } else if (s.fromResource) {
        auto it = templates().find(s.templateId);
        if (it == templates().end()) problem = L"no dialog template has the id " + std::to_wstring(s.templateId);
        else s.layout = it->second;
    }
    if (problem.empty()) problem = checkTemplate(s.layout);
    if (!problem.empty()) {
        cvx::editor::writeOutput(L"The dialog cannot be shown: " + problem + L".\n");
        return -1;
    }
    // Windows are made once and set back to the template on later runs, so bound members stay valid.
    if (s.controls.size() != s.layout.items.size()) {
        s.controls.clear();
        s.objects.clear();
        for (const CvxDialogItem& item : s.layout.items) {
            s.controls.push_back(std::make_unique<Window>());
            s.objects.push_back(objectFor(item.kind));
            s.objects.back()->m_hWnd = s.controls.back().get();
        }
    }
    for (size_t i = 0; i < s.controls.size(); ++i) setFromTemplate(*s.controls[i], s.layout.items[i], this);
    s.self.text = s.layout.caption;
    s.self.rect = {0, 0, s.layout.width, s.layout.height};
    s.self.canvas = std::make_unique<CImage>();
    s.self.canvas->Create(s.layout.width, -s.layout.height, 32);
    s.self.visible = false;
    s.created = true;
    s.ended = false;
    s.result = IDCANCEL;
    s.eraseClient = true;
    s.inEditorCommand = false;

    s.running = true;
    modalStack().push_back(this);
    OnInitDialog();
    if (!s.ended) {
        s.self.visible = true;
        runModalLoop(*this);
    }
    modalStack().pop_back();
    s.running = false;
    s.self.visible = false;
    return s.result;
}

void CDialog::EndDialog(int result) {
    m_state->ended = true;
    m_state->result = result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() { OnCancel(); }

void CDialog::addHandler(Event event, int id, Handler handler) { m_state->handlers[{event, id}] = std::move(handler); }

CWnd* CDialog::GetDlgItem(int id) const {
    const DialogState& s = *m_state;
    for (size_t i = 0; i < s.controls.size(); ++i)
        if (s.controls[i]->id == id) return s.objects[i].get();
    return nullptr;
}

void CDialog::SetDlgItemText(int id, LPCTSTR text) {
    if (CWnd* w = GetDlgItem(id)) w->SetWindowText(text);
}

void CDialog::GetDlgItemText(int id, std::wstring& text) const {
    text.clear();
    if (CWnd* w = GetDlgItem(id)) w->GetWindowText(text);
}

std::wstring CDialog::GetDlgItemText(int id) const {
    std::wstring text;
    GetDlgItemText(id, text);
    return text;
}

void CDialog::SetDlgItemInt(int id, int value) { SetDlgItemText(id, std::to_wstring(value).c_str()); }

int CDialog::GetDlgItemInt(int id, BOOL* ok) const {
    std::wstring text = GetDlgItemText(id);
    size_t used = 0;
    int value = 0;
    bool good = GetDlgItem(id) != nullptr;
    try {
        value = std::stoi(text, &used);
        while (used < text.size() && iswspace(text[used])) ++used;
        good = good && used == text.size();
    } catch (...) {
        good = false;
        value = 0;
    }
    if (ok) *ok = good;
    return good ? value : 0;
}

void CDialog::CheckDlgButton(int id, UINT check) {
    if (auto* b = dynamic_cast<CButton*>(GetDlgItem(id))) b->SetCheck(static_cast<int>(check));
}

UINT CDialog::IsDlgButtonChecked(int id) const {
    auto* b = dynamic_cast<CButton*>(GetDlgItem(id));
    return b ? static_cast<UINT>(b->GetCheck()) : 0u;
}

void CDialog::CheckRadioButton(int first, int last, int id) {
    for (auto& w : m_state->controls)
        if (w->kind == CvxControl::RadioButton && w->id >= first && w->id <= last)
            w->check = w->id == id ? BST_CHECKED : BST_UNCHECKED;
}

int CDialog::GetCheckedRadioButton(int first, int last) const {
    for (auto& w : m_state->controls)
        if (w->kind == CvxControl::RadioButton && w->id >= first && w->id <= last && w->check == BST_CHECKED)
            return w->id;
    return 0;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.m_failed ? FALSE : TRUE;
}
