// List boxes and combo boxes: unsorted rows of text and one selected row.
#include "cvx/controls.h"

#include "ui/dialog_state.h"

using cvx::ui::Window;
using cvx::ui::windowOf;

namespace {

Window* list(const CWnd* o) {
    Window* w = windowOf(o);
    return w && !w->isDialog && w->hasItems() ? w : nullptr;
}

bool valid(const Window& w, int index) { return index >= 0 && index < static_cast<int>(w.items.size()); }

int insert(const CWnd* o, int index, LPCTSTR text) {
    Window* w = list(o);
    if (!w || index < -1 || index > static_cast<int>(w->items.size())) return LB_ERR;
    if (index == -1) index = static_cast<int>(w->items.size());
    w->items.insert(w->items.begin() + index, text ? text : L"");
    if (w->selection >= index) ++w->selection;
    w->needsPaint = true;
    return index;
}

int erase(const CWnd* o, UINT index) {
    Window* w = list(o);
    if (!w || !valid(*w, static_cast<int>(index))) return LB_ERR;
    w->items.erase(w->items.begin() + index);
    int i = static_cast<int>(index);
    if (w->selection == i) w->selection = -1;
    else if (w->selection > i) --w->selection;
    w->needsPaint = true;
    return static_cast<int>(w->items.size());
}

void clear(const CWnd* o) {
    if (Window* w = list(o)) {
        w->items.clear();
        w->selection = -1;
        w->needsPaint = true;
    }
}

int count(const CWnd* o) {
    Window* w = list(o);
    return w ? static_cast<int>(w->items.size()) : 0;
}

int selection(const CWnd* o) {
    Window* w = list(o);
    return w ? w->selection : LB_ERR;
}

int select(const CWnd* o, int index) {
    Window* w = list(o);
    if (!w) return LB_ERR;
    w->needsPaint = true;
    w->selection = valid(*w, index) ? index : -1;
    if (w->kind == CvxControl::ComboBox) w->text = valid(*w, index) ? w->items[index] : L"";
    return valid(*w, index) ? index : LB_ERR;
}

int text(const CWnd* o, int index, std::wstring& out) {
    Window* w = list(o);
    out.clear();
    if (!w || !valid(*w, index)) return LB_ERR;
    out = w->items[index];
    return static_cast<int>(out.size());
}

int textLength(const CWnd* o, int index) {
    std::wstring t;
    return text(o, index, t);
}

int findExact(const CWnd* o, int startAfter, LPCTSTR wanted) {
    Window* w = list(o);
    if (!w || !wanted) return LB_ERR;
    int n = static_cast<int>(w->items.size());
    for (int k = 1; k <= n; ++k) {
        int i = ((startAfter < 0 ? -1 : startAfter) + k) % n;
        if (cvx::ui::sameText(w->items[i], wanted)) return i;
    }
    return LB_ERR;
}

}  // namespace

int CListBox::AddString(LPCTSTR t) { return insert(this, -1, t); }
int CListBox::InsertString(int index, LPCTSTR t) { return insert(this, index, t); }
int CListBox::DeleteString(UINT index) { return erase(this, index); }
void CListBox::ResetContent() { clear(this); }
int CListBox::GetCount() const { return count(this); }
int CListBox::GetCurSel() const { return selection(this); }
int CListBox::SetCurSel(int index) { return select(this, index); }
int CListBox::GetText(int index, std::wstring& t) const { return text(this, index, t); }
int CListBox::GetTextLen(int index) const { return textLength(this, index); }
int CListBox::FindStringExact(int startAfter, LPCTSTR t) const { return findExact(this, startAfter, t); }

int CComboBox::AddString(LPCTSTR t) { return insert(this, -1, t); }
int CComboBox::InsertString(int index, LPCTSTR t) { return insert(this, index, t); }
int CComboBox::DeleteString(UINT index) { return erase(this, index); }
void CComboBox::ResetContent() { clear(this); }
int CComboBox::GetCount() const { return count(this); }
int CComboBox::GetCurSel() const { return selection(this); }
int CComboBox::SetCurSel(int index) { return select(this, index); }
int CComboBox::GetLBText(int index, std::wstring& t) const { return text(this, index, t); }
int CComboBox::GetLBTextLen(int index) const { return textLength(this, index); }
int CComboBox::FindStringExact(int startAfter, LPCTSTR t) const { return findExact(this, startAfter, t); }
