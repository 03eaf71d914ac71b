#include "vectorize/dialog_template.h"

#include "cvx/dialog.h"
#include "vectorize/outline_dialog.h"

namespace {

// The client area: 655 x 331 dialog units of the 8-point dialog font.
constexpr int kWidth = 982, kHeight = 538;
constexpr int kLeft = kWidth - kControlColumnWidth + 10, kColumn = kControlColumnWidth - 20;

}  // namespace

void registerVectorizeDialogTemplate() {
    using K = CvxControl;
    CvxDialogTemplate t{L"图像矢量化为曲线", kWidth, kHeight, {}};
    t.items.push_back({K::PushButton, IDC_VECTORIZE_LOAD, kLeft, 12, kColumn, 28, L"载入图像"});
    t.items.push_back({K::Label, IDC_VECTORIZE_THRESHOLD_TEXT, kLeft, 52, kColumn, 50, L"设置黑白阈值，适合对比度大的图像"});
    t.items.push_back({K::Slider, IDC_VECTORIZE_THRESHOLD, kLeft, 102, kColumn, 28, L"", WS_DISABLED});
    t.items.push_back({K::Label, IDC_VECTORIZE_GRADIENT_TEXT, kLeft, 140, kColumn, 50, L"设置色彩梯度，适合亮度小但颜色多的图像"});
    t.items.push_back({K::Slider, IDC_VECTORIZE_GRADIENT, kLeft, 190, kColumn, 28, L"", WS_DISABLED});
    t.items.push_back({K::Label, IDC_VECTORIZE_CLUTTER_TEXT, kLeft, 228, kColumn, 18, L"杂点忽略"});
    t.items.push_back({K::Slider, IDC_VECTORIZE_CLUTTER, kLeft, 248, kColumn, 28, L""});
    t.items.push_back({K::Label, IDC_VECTORIZE_OPTIMIZE_TEXT, kLeft, 286, kColumn, 18, L"误差优化"});
    t.items.push_back({K::Slider, IDC_VECTORIZE_OPTIMIZE, kLeft, 306, kColumn, 28, L""});
    t.items.push_back({K::CheckBox, IDC_VECTORIZE_QUICK, kLeft, 346, kColumn, 20, L" 高级矢量化模式"});
    t.items.push_back({K::PushButton, IDC_VECTORIZE_RUN, kLeft, 382, kColumn, 32, L"矢量化"});
    t.items.push_back({K::Label, IDC_VECTORIZE_STATUS, kLeft, kHeight - 30, kColumn, 20, L""});
    cvxRegisterDialogTemplate(IDD_VECTORIZE, std::move(t));
}
