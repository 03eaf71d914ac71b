// Buttons, labels, picture areas and sliders.
#include "cvx/controls.h"

#include <algorithm>

#include "ui/dialog_state.h"

using cvx::ui::Window;
using cvx::ui::windowOf;

namespace {

Window* ofKind(const CWnd* object, bool (*fits)(const Window&)) {
    Window* w = windowOf(object);
    return w && !w->isDialog && fits(*w) ? w : nullptr;
}

Window* slider(const CWnd* o) {
    return ofKind(o, [](const Window& w) { return w.kind == CvxControl::Slider; });
}

void moveSlider(Window& w, int pos) {
    w.pos = std::clamp(pos, w.low, w.high);
    w.needsPaint = true;
}

void setSliderRange(Window& w, int low, int high) {
    w.low = std::min(low, high);
    w.high = std::max(low, high);
    w.needsPaint = true;
    moveSlider(w, w.pos);
}

}  // namespace

int CButton::GetCheck() const {
    Window* w = ofKind(this, [](const Window& w) { return w.isButtonLike(); });
    return w ? w->check : BST_UNCHECKED;
}

void CButton::SetCheck(int check) {
    Window* w = ofKind(this, [](const Window& w) {
        return w.kind == CvxControl::CheckBox || w.kind == CvxControl::RadioButton;
    });
    if (w) w->check = check ? BST_CHECKED : BST_UNCHECKED;
}

BOOL CStatic::SetImage(const CImage& image) {
    Window* w = ofKind(this, [](const Window& w) { return w.kind == CvxControl::Picture; });
    if (!w || !w->canvas || image.IsNull()) return FALSE;
    HDC dc = w->canvas->GetDC();
    SetStretchBltMode(dc, COLORONCOLOR);
    BOOL ok = image.StretchBlt(dc, 0, 0, w->width(), w->height());
    w->canvas->ReleaseDC();
    return ok;
}

void CSliderCtrl::SetRange(int low, int high, BOOL) {
    if (Window* w = slider(this)) setSliderRange(*w, low, high);
}

void CSliderCtrl::SetRangeMin(int low, BOOL) {
    if (Window* w = slider(this)) setSliderRange(*w, low, w->high);
}

void CSliderCtrl::SetRangeMax(int high, BOOL) {
    if (Window* w = slider(this)) setSliderRange(*w, w->low, high);
}

void CSliderCtrl::GetRange(int& low, int& high) const {
    Window* w = slider(this);
    low = w ? w->low : 0;
    high = w ? w->high : 0;
}

int CSliderCtrl::GetRangeMin() const {
    Window* w = slider(this);
    return w ? w->low : 0;
}

int CSliderCtrl::GetRangeMax() const {
    Window* w = slider(this);
    return w ? w->high : 0;
}

void CSliderCtrl::SetPos(int position) {
    if (Window* w = slider(this)) moveSlider(*w, position);
}

int CSliderCtrl::GetPos() const {
    Window* w = slider(this);
    return w ? w->pos : 0;
}

void CSliderCtrl::SetTicFreq(int frequency) {
    if (Window* w = slider(this)) w->ticFrequency = std::max(frequency, 0);
}
