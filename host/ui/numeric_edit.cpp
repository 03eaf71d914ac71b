// Edits for numbers.
#include <algorithm>

#include "cvx/controls.h"
#include "ui/dialog_state.h"

using cvx::ui::Window;
using cvx::ui::windowOf;

namespace {

Window* numeric(const CWnd* o) {
    Window* w = windowOf(o);
    return w && !w->isDialog && w->kind == CvxControl::NumericEdit ? w : nullptr;
}

}  // namespace

void CAcUiNumericEdit::SetRange(double low, double high) {
    if (Window* w = numeric(this)) {
        w->numLow = std::min(low, high);
        w->numHigh = std::max(low, high);
        w->hasNumRange = true;
    }
}

BOOL CAcUiNumericEdit::Convert() {
    double v;
    return GetValue(v);
}

BOOL CAcUiNumericEdit::Validate() {
    Window* w = numeric(this);
    double v;
    if (!w || !GetValue(v)) return FALSE;
    return !w->hasNumRange || (v >= w->numLow && v <= w->numHigh);
}

BOOL CAcUiNumericEdit::GetValue(double& value) const {
    Window* w = numeric(this);
    return w && cvx::ui::parseNumber(w->text, value);
}

void CAcUiNumericEdit::SetValue(double value) {
    SetWindowText(cvx::ui::formatNumber(value).c_str());
}
