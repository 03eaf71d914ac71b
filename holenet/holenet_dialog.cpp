#include "holenet/holenet_dialog.h"

#include <algorithm>
#include <cmath>

#include "cvx/msgbox.h"
#include "frame/bilingual.h"
#include "frame/language.h"
#include "frame/type_selection.h"
#include "holenet/dialog_layout.h"
#include "holenet/net_image.h"

namespace {

const COLORREF kPictureBackground = RGB(0xEE, 0xEE, 0xEE);
const COLORREF kPreviewRed = RGB(255, 0, 0);
constexpr int kAcceptNoZeroNoNegative = 2 | 4;  // a net needs a height above zero

void pictureMissing() { messageBoxBilingual(L"请先载入图片", L"Please load the picture first"); }

}  // namespace

ImageHoleNet::ImageHoleNet(CWnd* parent) : CAcUiDialog(IDD_IMAGE_HOLE_NET, parent) {
    registerHoleNetDialogTemplate();
    onClicked(IDC_NET_LOAD, &ImageHoleNet::loadImage);
    onClicked(IDC_NET_PREVIEW, &ImageHoleNet::preview);
    onClicked(IDC_NET_DRAW, &ImageHoleNet::doDrawing);
    onCustomDraw(IDC_NET_CONTRAST, &ImageHoleNet::contrastDrawn);
    onCustomDraw(IDC_NET_BRIGHTNESS, &ImageHoleNet::brightnessDrawn);
    onCustomDraw(IDC_NET_SIZE, &ImageHoleNet::sizeDrawn);
    onKillFocus(IDC_NET_ROWS, &ImageHoleNet::takeRows);
}

void ImageHoleNet::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_NET_CONTRAST, mSliders[0]);
    DDX_Control(dx, IDC_NET_BRIGHTNESS, mSliders[1]);
    DDX_Control(dx, IDC_NET_SIZE, mSliders[2]);
    DDX_Control(dx, IDC_NET_ROWS, mRows);
}

BOOL ImageHoleNet::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    for (CSliderCtrl& slider : mSliders) {
        slider.SetRange(0, 100);
        slider.SetPos(50);
        slider.EnableWindow(FALSE);
    }
    mRows.SetWindowText(L"72");
    CheckRadioButton(IDC_NET_CIRCLE, IDC_NET_SELECTED_SHAPE, IDC_NET_CIRCLE);
    if (!chineseLanguage()) {
        SetWindowText(L"Image to HoleNet");
        const std::pair<int, const wchar_t*> captions[] = {
            {IDC_NET_LOAD, L"Load Image"}, {IDC_NET_PREVIEW, L"Preview"}, {IDC_NET_DRAW, L"Do Drawing"},
            {IDC_NET_CONTRAST_LABEL, L"Contrast:"}, {IDC_NET_BRIGHTNESS_LABEL, L"Brightness:"},
            {IDC_NET_SIZE_LABEL, L"Size:"}, {IDC_NET_ROWS_LABEL, L"Rows:"}, {IDC_NET_INVERT, L"BlockWhiteInvert"},
            {IDC_NET_CIRCLE, L"Circle"}, {IDC_NET_CIRCLE + 1, L"Squart"}, {IDC_NET_CIRCLE + 2, L"Diamond"},
            {IDC_NET_SELECTED_SHAPE, L"Select..."}};
        for (const auto& [id, text] : captions) SetDlgItemText(id, text);
    }
    return TRUE;
}

// The picture shows again whenever the dialog is painted (the preview dots do not; Preview draws them anew).
void ImageHoleNet::OnPaint() {
    if (!mBase.IsNull() && !mWorking.IsNull()) showImage(mWorking);
}

void ImageHoleNet::loadImage() {
    CFileDialog chooser(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                        chooseText(L"图像(*.bmp;*.jpg;*.jpeg;*.png;*.gif) | *.bmp;*.jpg;*.jpeg;*.png;*.gif || ",
                                   L"Images(*.bmp;*.jpg;*.jpeg;*.png;*.gif)|*.bmp;*.jpg;*.jpeg;*.png;*.gif||"));
    if (chooser.DoModal() != IDOK) {
        messageBoxBilingual(L"未选中图像文件！", L"No picture file chosen!");
        return;
    }
    mBase.Destroy();
    mContrast.Destroy();  // a contrast result of the previous picture must not come back under the brightness
    const std::wstring path = chooser.GetPathName();
    CImage loaded;
    if (FAILED(loaded.Load(path.c_str()))) {
        const std::wstring code = L"GetLastError: " + std::to_wstring(GetLastError());
        const std::wstring cn = code + L" -- Load image Error：" + path, en = code + L" -- Load image Error: " + path;
        messageBoxBilingual(cn.c_str(), en.c_str());
        return;
    }
    if (!resampleForNet(loaded, mBase)) {
        messageBoxBilingual(L"载入图片错误2!", L"The picture could not be resampled!");
        return;
    }
    showImage(mBase);
    copyNetImage(mBase, mWorking);
    for (CSliderCtrl& slider : mSliders) slider.EnableWindow(TRUE);
}

bool ImageHoleNet::adjustable(const CSliderCtrl& slider) const { return slider.IsWindowEnabled() && !mBase.IsNull(); }

void ImageHoleNet::contrastDrawn() {
    const int c = mSliders[0].GetPos();
    if (!adjustable(mSliders[0]) || c == mLastContrast) return;
    copyNetImage(mBase, mWorking);
    applyContrast(mWorking, c);
    showImage(mWorking);
    copyNetImage(mWorking, mContrast);
    mLastContrast = c;
}

void ImageHoleNet::brightnessDrawn() {
    const int b = mSliders[1].GetPos();
    if (!adjustable(mSliders[1]) || b == mLastBrightness) return;
    copyNetImage(mContrast.IsNull() ? mBase : mContrast, mWorking);
    applyBrightness(mWorking, b);
    showImage(mWorking);
    mLastBrightness = b;
}

void ImageHoleNet::sizeDrawn() {
    if (adjustable(mSliders[2])) mSize = mSliders[2].GetPos();
}

void ImageHoleNet::takeRows() {
    std::wstring text;
    mRows.GetWindowText(text);
    if (netRowsFromText(text) == kNetRowsDefault) mRows.SetWindowText(L"72");
}

// Fills the picture area (the client left of the controls) and draws the image at its top left corner, scaled
// down to fit with its proportions kept.
void ImageHoleNet::showImage(const CImage& image) {
    if (image.IsNull()) return;
    RECT client;
    GetClientRect(&client);
    const int areaWidth = client.right - client.left - kNetControlsWidth, areaHeight = client.bottom - client.top;
    if (areaWidth <= 0 || areaHeight <= 0) return;
    CDC* dc = GetDC();
    if (!dc) return;
    dc->FillSolidRect(0, 0, areaWidth, areaHeight, kPictureBackground);
    int width = std::min(image.GetWidth(), areaWidth);
    int height = width * image.GetHeight() / image.GetWidth();
    if (height > areaHeight) {
        height = areaHeight;
        width = height * image.GetWidth() / image.GetHeight();
    }
    dc->SetStretchBltMode(COLORONCOLOR);
    image.StretchBlt(dc->GetSafeHdc(), 0, 0, width, height);
    mDisplayScale = static_cast<double>(width) / image.GetWidth();
    ReleaseDC(dc);
}

HoleNet ImageHoleNet::computeNet(const CImage& image) const {
    std::wstring text;
    mRows.GetWindowText(text);
    return computeHoleNet(image, netRowsFromText(text), mInvert);
}

// A red dot per hole: radius measure * 1.5 * size / 100 around the cell centre (taken to whole pixels), both
// scaled to the shown picture.
void ImageHoleNet::drawPreview(const HoleNet& net) {
    CDC* dc = GetDC();
    if (!dc) return;
    CPen pen(PS_SOLID, 1, kPreviewRed);
    CBrush brush(kPreviewRed);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    const double k = mDisplayScale;
    for (const NetHole& hole : net.holes) {
        if (hole.measure <= 0) continue;
        const double rho = hole.measure * (3.0 * mSize / 100.0) * 0.5 * k;
        const double x = std::trunc(hole.x) * k, y = std::trunc(hole.y) * k;
        dc->Ellipse(static_cast<int>(x - rho), static_cast<int>(y - rho), static_cast<int>(x + rho),
                    static_cast<int>(y + rho));
    }
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
    ReleaseDC(dc);
}

void ImageHoleNet::preview() {
    mInvert = IsDlgButtonChecked(IDC_NET_INVERT) == BST_CHECKED;
    if (mBase.IsNull()) return pictureMissing();
    const CImage& measured = mWorking.IsNull() ? mBase : mWorking;
    showImage(measured);
    drawPreview(computeNet(measured));
}

// Origin and height with the dialog hidden, then the hole entity when the shape asks for one. False when the
// origin or the height was not given.
bool ImageHoleNet::askPlacement() {
    BeginEditorCommand();
    AcGePoint3d picked;
    if (getPointBilingual(nullptr, L"\n请指定原点>>", L"\nPlease specify the origin>>", picked) != RTNORM) {
        mReady = false;
        CompleteEditorCommand();
        return false;
    }
    double height = 0;
    acedInitGet(kAcceptNoZeroNoNegative, nullptr);
    mReady = getDistBilingual(asDblArray(picked), L"\n请指定高度>>", L"\nPlease specify the height>>", height) == RTNORM;
    if (mReady) {
        // The origin is kept at the top edge of the net (the picked point raised by the height), and the holes
        // are placed down from origin + height: the net stands one height above the picked point.
        mOrigin = picked;
        mOrigin.y += height;
        mHeight = height;
    }
    if (mShape == HoleShape::Selected) mHoleEntity = selectHoleEntity();
    CompleteEditorCommand();
    return mReady;
}

AcDbObjectId ImageHoleNet::selectHoleEntity() {
    printBilingual(L"\n请选择一个代表网孔的物体（多段线、圆、椭圆或图块）:",
                   L"\nPlease select an entity(polyline, circle, ellipse or block) representing the hole:");
    const AcDbObjectId id =
        pickOneByTypes({L"LWPOLYLINE", L"POLYLINE", L"CIRCLE", L"ELLIPSE", L"INSERT", L"SPLINE"});
    if (id.isNull()) printBilingual(L"没有选中物体。\n", L"No Entity selected.\n");
    return id;
}

void ImageHoleNet::doDrawing() {
    mInvert = IsDlgButtonChecked(IDC_NET_INVERT) == BST_CHECKED;
    const int checked = GetCheckedRadioButton(IDC_NET_CIRCLE, IDC_NET_SELECTED_SHAPE);
    mShape = static_cast<HoleShape>(checked ? checked - IDC_NET_CIRCLE : 0);
    if (mBase.IsNull()) return pictureMissing();
    if (!askPlacement()) return;
    if (mWorking.IsNull()) return printBilingual(L"\n建议先预览调整！", L"\nPlease make preview first.");
    const HoleNet net = computeNet(mWorking);
    drawHoleNet(net, NetPlacement{mOrigin, mHeight, std::max(net.imageHeight, 1), mSize}, mShape, mHoleEntity);
    EndDialog(IDOK);
}
