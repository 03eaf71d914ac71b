// Window calls common to dialogs and controls.
#include "cvx/wnd.h"

#include "ui/dialog_state.h"

using cvx::ui::Window;
using cvx::ui::windowOf;

int GetSystemMetrics(int index) { return index == SM_CXFRAME || index == SM_CYFRAME ? 4 : 0; }

int CWnd::GetDlgCtrlID() const {
    Window* w = windowOf(this);
    return w && !w->isDialog ? w->id : 0;
}

CDialog* CWnd::GetParent() const {
    Window* w = windowOf(this);
    return w && !w->isDialog ? w->dialog : nullptr;
}

void CWnd::SetWindowText(LPCTSTR text) {
    Window* w = windowOf(this);
    if (!w) return;
    w->text = text ? text : L"";
    if (w->kind == CvxControl::NumericEdit && !w->isDialog) w->lastGoodText = w->text;
}

void CWnd::GetWindowText(std::wstring& text) const {
    Window* w = windowOf(this);
    text = w ? w->text : std::wstring();
}

int CWnd::GetWindowTextLength() const {
    Window* w = windowOf(this);
    return w ? static_cast<int>(w->text.size()) : 0;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    Window* w = windowOf(this);
    if (!w) return FALSE;
    bool wasDisabled = !w->enabled;
    w->enabled = enable != FALSE;
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    Window* w = windowOf(this);
    return w && w->enabled;
}

BOOL CWnd::ShowWindow(int command) {
    Window* w = windowOf(this);
    if (!w) return FALSE;
    bool wasVisible = w->visible;
    w->visible = command != SW_HIDE;
    if (w->visible && !wasVisible) {
        w->needsPaint = true;
        if (w->isDialog) cvx::ui::stateOf(*w->dialog).eraseClient = true;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    Window* w = windowOf(this);
    if (!w) return FALSE;
    return w->visible && (w->isDialog || w->dialog->IsWindowVisible());
}

void CWnd::GetWindowRect(LPRECT rect) const {
    Window* w = windowOf(this);
    if (rect) *rect = w ? w->rect : RECT{};
}

void CWnd::GetClientRect(LPRECT rect) const {
    Window* w = windowOf(this);
    if (rect) *rect = w ? RECT{0, 0, w->width(), w->height()} : RECT{};
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    Window* w = windowOf(this);
    if (!w || w->isDialog || width < 0 || height < 0) return;
    w->rect = {x, y, x + width, y + height};
    if (w->canvas && width > 0 && height > 0) {
        // A picture area keeps what was drawn where it still fits.
        auto resized = std::make_unique<CImage>();
        resized->Create(width, -height, 32);
        HDC dc = resized->GetDC();
        CDC::FromHandle(dc)->FillSolidRect(0, 0, width, height, cvx::ui::kFaceColor);
        w->canvas->BitBlt(dc, 0, 0);
        resized->ReleaseDC();
        w->canvas = std::move(resized);
    }
    if (repaint) w->needsPaint = true;
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    if (rect) MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

void CWnd::Invalidate(BOOL erase) {
    Window* w = windowOf(this);
    if (!w) return;
    w->needsPaint = true;
    if (w->isDialog && erase) cvx::ui::stateOf(*w->dialog).eraseClient = true;
}

void CWnd::UpdateWindow() {
    Window* w = windowOf(this);
    if (w) cvx::ui::paintPending(*w->dialog);
}

CDC* CWnd::GetDC() {
    Window* w = windowOf(this);
    if (!w || !w->canvas || w->canvas->IsNull()) return nullptr;
    return CDC::FromHandle(w->canvas->GetDC());
}

int CWnd::ReleaseDC(CDC* dc) {
    Window* w = windowOf(this);
    if (!w || !w->canvas || !dc) return 0;
    w->canvas->ReleaseDC();
    return 1;
}
