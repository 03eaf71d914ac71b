#include "holenet/dialog_layout.h"

#include "cvx/dialog.h"

namespace {

constexpr int kPictureWidth = 640, kClientHeight = 500;
constexpr int kLeft = kPictureWidth + 12, kWidth = kNetControlsWidth - 24;

}  // namespace

void registerHoleNetDialogTemplate() {
    using K = CvxControl;
    CvxDialogTemplate t{L"图像转网孔", kPictureWidth + kNetControlsWidth, kClientHeight, {}};
    auto add = [&t](K kind, int id, int x, int y, int cx, int cy, const wchar_t* text, DWORD style = 0) {
        t.items.push_back({kind, id, x, y, cx, cy, text, style});
    };
    add(K::PushButton, IDC_NET_LOAD, kLeft, 12, kWidth, 28, L"载入图像");
    const int sliders[3][2] = {{IDC_NET_CONTRAST_LABEL, IDC_NET_CONTRAST},
                               {IDC_NET_BRIGHTNESS_LABEL, IDC_NET_BRIGHTNESS},
                               {IDC_NET_SIZE_LABEL, IDC_NET_SIZE}};
    const wchar_t* captions[3] = {L"对比度:", L"亮度:", L"大小:"};
    for (int k = 0; k < 3; ++k) {
        const int top = 52 + 52 * k;
        add(K::Label, sliders[k][0], kLeft, top, kWidth, 16, captions[k]);
        add(K::Slider, sliders[k][1], kLeft, top + 18, kWidth, 28, L"", WS_DISABLED);
    }
    add(K::Label, IDC_NET_ROWS_LABEL, kLeft, 214, 60, 16, L"行数:");
    add(K::NumericEdit, IDC_NET_ROWS, kLeft + 66, 210, 70, 22, L"72");
    add(K::CheckBox, IDC_NET_INVERT, kLeft, 244, kWidth, 20, L"黑白反转");
    const wchar_t* shapes[4] = {L"圆形", L"方形", L"菱形", L"选择..."};
    for (int k = 0; k < 4; ++k)
        add(K::RadioButton, IDC_NET_CIRCLE + k, kLeft, 274 + 24 * k, kWidth, 20, shapes[k], k == 0 ? WS_GROUP : 0);
    add(K::CheckBox, IDC_NET_PREVIEW_IMAGE, kLeft, 372, kWidth, 20, L"PreviewImage", WS_HIDDEN);
    add(K::CheckBox, IDC_NET_PREVIEW_NET, kLeft, 396, kWidth, 20, L"PreviewHoleNet", WS_HIDDEN);
    add(K::PushButton, IDC_NET_PREVIEW, kLeft, 420, kWidth, 28, L"预览");
    add(K::PushButton, IDC_NET_DRAW, kLeft, 456, kWidth, 28, L"绘制");
    cvxRegisterDialogTemplate(IDD_IMAGE_HOLE_NET, std::move(t));
}
