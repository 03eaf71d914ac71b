// The paint cycle: erase the client area, let the dialog paint, then tell sliders they were drawn.
#include "ui/dialog_state.h"

namespace cvx::ui {

void paintPending(CDialog& d) {
    DialogState& s = stateOf(d);
    if (!s.created || !s.self.visible) return;
    if (s.self.needsPaint || s.eraseClient) {
        if (s.eraseClient) {
            HDC dc = s.self.canvas->GetDC();
            CDC::FromHandle(dc)->FillSolidRect(0, 0, s.self.width(), s.self.height(), kFaceColor);
            s.self.canvas->ReleaseDC();
        }
        s.eraseClient = false;
        s.self.needsPaint = false;
        DialogAccess::paint(d);
        for (auto& c : s.controls) c->needsPaint = true;  // controls paint over the dialog
    }
    // A custom-draw handler may move a slider again; a few rounds settle any sensible dialog.
    for (int round = 0; round < 8; ++round) {
        bool sent = false;
        for (size_t i = 0; i < s.controls.size(); ++i) {
            Window& c = *s.controls[i];
            if (!c.needsPaint) continue;
            c.needsPaint = false;
            if (c.visible && c.kind == CvxControl::Slider) {
                sent = true;
                notify(d, Event::CustomDraw, c.id);
            }
        }
        if (!sent) break;
    }
}

}  // namespace cvx::ui
