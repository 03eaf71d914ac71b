// What the host keeps of one window: a dialog's own client area or one of its controls. CWnd objects hold a
// pointer to it in m_hWnd.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cvx/dialog.h"
#include "cvx/image.h"

namespace cvx::ui {

// The colour of a dialog's face (and of an empty picture area).
constexpr COLORREF kFaceColor = RGB(240, 240, 240);

struct Window {
    CvxControl kind = CvxControl::Label;
    bool isDialog = false;
    int id = 0;
    RECT rect{};  // client coordinates of the dialog
    std::wstring text;
    DWORD style = 0;
    bool visible = true, enabled = true;
    CDialog* dialog = nullptr;  // the dialog it belongs to (itself for a dialog)

    int check = BST_UNCHECKED;               // check boxes, radio buttons
    int low = 0, high = 100, pos = 0, ticFrequency = 0;  // sliders
    double numLow = 0, numHigh = 0;          // numeric edits: the range Validate checks
    bool hasNumRange = false;
    std::wstring lastGoodText;               // numeric edits: put back for a text that is not a number
    std::vector<std::wstring> items;         // list and combo boxes
    int selection = -1;
    std::unique_ptr<CImage> canvas;          // picture areas, and a dialog's client area
    bool needsPaint = true;

    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    bool isButtonLike() const {
        return kind == CvxControl::PushButton || kind == CvxControl::DefPushButton || kind == CvxControl::CheckBox ||
               kind == CvxControl::RadioButton;
    }
    bool isEdit() const { return kind == CvxControl::Edit || kind == CvxControl::NumericEdit; }
    bool hasItems() const { return kind == CvxControl::ListBox || kind == CvxControl::ComboBox; }
    bool hasCanvas() const { return isDialog || kind == CvxControl::Picture; }
};

// The window a CWnd shows, or null.
inline Window* windowOf(const CWnd* w) { return w ? static_cast<Window*>(w->m_hWnd) : nullptr; }

// Equal without regard to case.
bool sameText(const std::wstring& a, const std::wstring& b);
// A whole text read as a number (blanks around it allowed); false for anything else.
bool parseNumber(const std::wstring& text, double& value);
bool parseInteger(const std::wstring& text, int& value);
// Up to 15 significant digits; whole numbers without a decimal point.
std::wstring formatNumber(double value);

// The kind's name as the driver and the text view show it ("button", "slider", ...).
const wchar_t* kindName(CvxControl kind);

}  // namespace cvx::ui
