// A dialog as lines of text, for a person at the terminal and for scripts that check what a dialog shows.
#include "ui/dialog_state.h"

namespace cvx::ui {
namespace {

constexpr size_t kRowsShown = 12;

std::wstring state(const Window& w) {
    switch (w.kind) {
    case CvxControl::PushButton:
    case CvxControl::DefPushButton: return L"[ " + w.text + L" ]";
    case CvxControl::CheckBox: return (w.check == BST_CHECKED ? L"[x] " : L"[ ] ") + w.text;
    case CvxControl::RadioButton: return (w.check == BST_CHECKED ? L"(o) " : L"( ) ") + w.text;
    case CvxControl::Picture: return L"(picture " + std::to_wstring(w.width()) + L" x " + std::to_wstring(w.height()) + L")";
    case CvxControl::Edit:
    case CvxControl::NumericEdit: return L"[" + w.text + L"]";
    case CvxControl::Slider:
        return std::to_wstring(w.low) + L".." + std::to_wstring(w.high) + L" at " + std::to_wstring(w.pos);
    case CvxControl::ComboBox:
        return L"[" + w.text + L" v] " + std::to_wstring(w.items.size()) + L" rows";
    case CvxControl::ListBox: {
        std::wstring s = std::to_wstring(w.items.size()) + L" rows";
        for (size_t i = 0; i < w.items.size() && i < kRowsShown; ++i)
            s += L"\n" + std::wstring(static_cast<int>(i) == w.selection ? L"          > " : L"            ") +
                 std::to_wstring(i) + L" " + w.items[i];
        if (w.items.size() > kRowsShown) s += L"\n            ... " + std::to_wstring(w.items.size() - kRowsShown) + L" more";
        return s;
    }
    default: return w.text;
    }
}

}  // namespace

std::wstring textView(CDialog& d) {
    DialogState& s = stateOf(d);
    std::wstring out = L"== " + s.self.text + L" ==\n";
    for (auto& c : s.controls) {
        if (!c->visible || (c->id == IDC_STATIC && c->text.empty())) continue;
        std::wstring id = c->id == IDC_STATIC ? L"" : std::to_wstring(c->id);
        std::wstring kind = std::wstring(kindName(c->kind)) + (c->enabled ? L"" : L" (off)");
        out += L"  " + id + std::wstring(id.size() < 6 ? 6 - id.size() : 1, L' ') + kind +
               std::wstring(kind.size() < 14 ? 14 - kind.size() : 1, L' ') + state(*c) + L"\n";
    }
    return out;
}

}  // namespace cvx::ui
