// Data exchange between a dialog's members and its controls.
#include "cvx/dialog.h"
#include "editor/output.h"
#include "ui/dialog_state.h"

using cvx::ui::Window;
using cvx::ui::findControl;

namespace {

// The control, or a failed exchange naming the missing id.
Window* control(CDataExchange* dx, int id) {
    Window* w = dx && dx->m_pDlgWnd ? findControl(*dx->m_pDlgWnd, id) : nullptr;
    if (!w && dx) dx->Fail(L"The dialog has no control " + std::to_wstring(id) + L".");
    return w;
}

void exchangeIndex(CDataExchange* dx, int id, int& index) {
    Window* w = control(dx, id);
    if (!w) return;
    if (!w->hasItems()) return dx->Fail(L"Control " + std::to_wstring(id) + L" holds no rows.");
    if (dx->m_bSaveAndValidate) {
        index = w->selection;
    } else {
        CWnd* object = dx->m_pDlgWnd->GetDlgItem(id);
        if (auto* list = dynamic_cast<CListBox*>(object)) list->SetCurSel(index);
        if (auto* combo = dynamic_cast<CComboBox*>(object)) combo->SetCurSel(index);
    }
}

}  // namespace

void CDataExchange::Fail(const std::wstring& why) {
    m_failed = true;
    cvx::editor::writeOutput(why + L"\n");
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (Window* w = ::control(dx, id)) control.m_hWnd = w;
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
    Window* w = control(dx, id);
    if (!w) return;
    if (dx->m_bSaveAndValidate) value = w->text;
    else dx->m_pDlgWnd->SetDlgItemText(id, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    Window* w = control(dx, id);
    if (!w) return;
    if (!dx->m_bSaveAndValidate) return dx->m_pDlgWnd->SetDlgItemInt(id, value);
    if (!cvx::ui::parseInteger(w->text, value)) dx->Fail(L"Please enter a whole number (got '" + w->text + L"').");
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
    Window* w = control(dx, id);
    if (!w) return;
    if (!dx->m_bSaveAndValidate) return dx->m_pDlgWnd->SetDlgItemText(id, cvx::ui::formatNumber(value).c_str());
    if (!cvx::ui::parseNumber(w->text, value)) dx->Fail(L"Please enter a number (got '" + w->text + L"').");
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    Window* w = control(dx, id);
    if (!w) return;
    if (dx->m_bSaveAndValidate) value = w->check;
    else dx->m_pDlgWnd->CheckDlgButton(id, static_cast<UINT>(value));
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    Window* w = control(dx, id);
    if (!w) return;
    if (w->kind != CvxControl::RadioButton) return dx->Fail(L"Control " + std::to_wstring(id) + L" is no radio button.");
    std::vector<Window*> group = cvx::ui::radioGroup(*dx->m_pDlgWnd, *w);
    if (dx->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (group[i]->check == BST_CHECKED) value = static_cast<int>(i);
        return;
    }
    for (size_t i = 0; i < group.size(); ++i)
        group[i]->check = static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED;
}

void DDX_Slider(CDataExchange* dx, int id, int& value) {
    Window* w = control(dx, id);
    if (!w) return;
    if (w->kind != CvxControl::Slider) return dx->Fail(L"Control " + std::to_wstring(id) + L" is no slider.");
    auto* slider = static_cast<CSliderCtrl*>(dx->m_pDlgWnd->GetDlgItem(id));
    if (dx->m_bSaveAndValidate) value = slider->GetPos();
    else slider->SetPos(value);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) { exchangeIndex(dx, id, index); }
void DDX_CBIndex(CDataExchange* dx, int id, int& index) { exchangeIndex(dx, id, index); }
