#include "formula/dialog_layout.h"

#include "cvx/dialog.h"

namespace {

// The curve list on the left, the row picture beside it (its square lies between the list and the slot
// labels), the four slots on the right, then the output choices.
constexpr int kListLeft = 10, kListTop = 10, kListWidth = 210, kListHeight = 300;
constexpr int kPictureLeft = kListLeft + kListWidth + 4;  // one frame width from the list
constexpr int kPictureSide = 300;
constexpr int kSlotLeft = kPictureLeft + kPictureSide + 4;
constexpr int kSlotPitch = 56;

}  // namespace

void registerFormulaDialogTemplate() {
    using K = CvxControl;
    CvxDialogTemplate t{L"数学公式曲线", kSlotLeft + 290, kListTop + kListHeight + 10, {}};
    t.items.push_back({K::ListBox, IDC_FORMULA_LIST, kListLeft, kListTop, kListWidth, kListHeight, L""});
    t.items.push_back({K::Picture, IDC_FORMULA_PICTURE, kPictureLeft, kListTop, kPictureSide, kPictureSide, L""});
    for (int k = 0; k < 4; ++k) {
        const int top = kListTop + k * kSlotPitch;
        const std::wstring caption = L"参数" + std::to_wstring(k + 1);
        t.items.push_back({K::Label, formulaLabelId(k), kSlotLeft, top, 120, 16, caption});
        t.items.push_back({K::NumericEdit, kFormulaEditIds[k], kSlotLeft, top + 20, 60, 22, L""});
        t.items.push_back({K::Slider, formulaSliderId(k), kSlotLeft + 66, top + 16, 214, 28, L""});
    }
    const int below = kListTop + 4 * kSlotPitch + 10;
    t.items.push_back({K::CheckBox, IDC_FORMULA_DRAW_UCS, kSlotLeft, below, 150, 20, L"绘制坐标轴"});
    t.items.push_back({K::ComboBox, IDC_FORMULA_OUTPUT, kSlotLeft, below + 28, 150, 22, L""});
    t.items.push_back({K::PushButton, IDC_FORMULA_PREVIEW, kSlotLeft + 170, below + 26, 110, 26, L"预览"});
    cvxRegisterDialogTemplate(IDD_FORMULA, std::move(t));
}
