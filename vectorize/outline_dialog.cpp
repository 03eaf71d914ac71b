#include "vectorize/outline_dialog.h"

#include <algorithm>
#include <cstring>

#include "cvx/msgbox.h"
#include "frame/bilingual.h"
#include "frame/language.h"
#include "frame/module_folder.h"
#include "frame/product.h"
#include "frame/registry_values.h"
#include "outline/view_image.h"
#include "vectorize/dialog_template.h"
#include "vectorize/external_tracer.h"
#include "vectorize/image_filters.h"

namespace {

constexpr const ACHAR* kQuickModeValue = L"VectorizeGjCtrl";
constexpr COLORREF kPreviewBackground = RGB(238, 238, 238);

std::wstring withNumber(const wchar_t* cn, const wchar_t* en, int value) {
    return std::wstring(chooseText(cn, en)) + std::to_wstring(value);
}

// An exact copy of the picture: size, depth, colour table and pixels.
bool copyPicture(const CImage& from, CImage& to) {
    to.Destroy();
    if (!to.Create(from.GetWidth(), from.GetHeight(), from.GetBPP())) return false;
    if (from.IsIndexed()) {
        RGBQUAD table[256];
        from.GetColorTable(0, 256, table);
        to.SetColorTable(0, 256, table);
    }
    const size_t rowBytes = static_cast<size_t>(from.GetWidth()) * static_cast<size_t>(from.GetBPP() / 8);
    for (int y = 0; y < from.GetHeight(); ++y) std::memcpy(to.GetPixelAddress(0, y), from.GetPixelAddress(0, y), rowBytes);
    return true;
}

}  // namespace

PictureSize workingSize(int width, int height, bool quickMode) {
    if (quickMode || width < kWorkingWidth || width <= 0) return {width, height};
    return {kWorkingWidth, kWorkingWidth * height / width};
}

PreviewFit fitPreview(int imageWidth, int imageHeight, int areaWidth, int areaHeight) {
    PreviewFit fit{std::min(imageWidth, areaWidth), 0, 1.0};
    if (imageWidth <= 0 || imageHeight <= 0) return {0, 0, 1.0};
    fit.height = static_cast<int>(static_cast<double>(fit.width) * imageHeight / imageWidth);
    if (imageWidth > areaWidth) fit.scale = static_cast<double>(areaWidth) / imageWidth;
    if (areaHeight < fit.height) {
        fit.height = areaHeight;
        fit.width = static_cast<int>(static_cast<double>(fit.height) * imageWidth / imageHeight);
        fit.scale = static_cast<double>(areaHeight) / imageHeight;
    }
    return fit;
}

COutlineDlg::COutlineDlg(CWnd* parent) : CAcUiDialog(IDD_VECTORIZE, parent) {
    registerVectorizeDialogTemplate();
    onClicked(IDC_VECTORIZE_LOAD, &COutlineDlg::loadPicture);
    onClicked(IDC_VECTORIZE_RUN, &COutlineDlg::vectorize);
    onReleased(IDC_VECTORIZE_THRESHOLD, &COutlineDlg::thresholdReleased);
    onReleased(IDC_VECTORIZE_GRADIENT, &COutlineDlg::gradientReleased);
    onReleased(IDC_VECTORIZE_CLUTTER, &COutlineDlg::clutterReleased);
    onReleased(IDC_VECTORIZE_OPTIMIZE, &COutlineDlg::optimizationReleased);
    onClicked(IDC_VECTORIZE_QUICK, &COutlineDlg::quickModeClicked);
}

void COutlineDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_VECTORIZE_THRESHOLD, mThreshold);
    DDX_Control(dx, IDC_VECTORIZE_GRADIENT, mGradient);
    DDX_Control(dx, IDC_VECTORIZE_CLUTTER, mClutter);
    DDX_Control(dx, IDC_VECTORIZE_OPTIMIZE, mOptimization);
    DDX_Control(dx, IDC_VECTORIZE_QUICK, mQuickMode);
}

BOOL COutlineDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    const std::wstring tracer = moduleFolder() + L"autotrace\\autotrace.exe";
    if (!fileExists(tracer.c_str())) {
        mQuickMode.EnableWindow(FALSE);
        mQuickMode.SetCheck(BST_UNCHECKED);
        writeRegDword(HKEY_CURRENT_USER, kProductKey, kQuickModeValue, 0);
    }
    mSettings = VectorizeSettings{};
    mPlacement = VectorizePlacement{};
    mThreshold.EnableWindow(FALSE);
    mGradient.EnableWindow(FALSE);
    mClutter.EnableWindow(TRUE);
    mClutter.SetRange(2, 16);
    mClutter.SetPos(10);
    mOptimization.SetRange(0, 10);
    mOptimization.SetPos(10);
    if (readRegDword(HKEY_CURRENT_USER, kProductKey, kQuickModeValue) != 0) mQuickMode.SetCheck(BST_CHECKED);
    if (!chineseLanguage()) {
        SetDlgItemText(IDC_VECTORIZE_LOAD, L"Load Image");
        SetDlgItemText(IDC_VECTORIZE_RUN, L"Do Vectorize");
        SetDlgItemText(IDC_VECTORIZE_THRESHOLD_TEXT, L"Set black-white threshold, suitable for images with large contrast");
        SetDlgItemText(IDC_VECTORIZE_GRADIENT_TEXT, L"Set color gradient, suitable for small brightness but various color");
        SetDlgItemText(IDC_VECTORIZE_CLUTTER_TEXT, L"Clutter ignored");
        SetDlgItemText(IDC_VECTORIZE_OPTIMIZE_TEXT, L"Optimization");
        SetDlgItemText(IDC_VECTORIZE_QUICK, L"Quick mode");
        SetWindowText(L"Image Vectorize to Curves");
    }
    mLastThreshold = mThreshold.GetPos();
    mLastGradient = mGradient.GetPos();
    mSettings.clutter = mClutter.GetPos();
    mPreview = GetDC();
    return TRUE;
}

void COutlineDlg::OnPaint() {
    if (!mSource.IsNull()) drawPreview(pictureToTrace());
}

const CImage& COutlineDlg::pictureToTrace() const { return mWorking.IsNull() ? mSource : mWorking; }

void COutlineDlg::loadPicture() {
    CFileDialog files(TRUE, nullptr, nullptr, OFN_EXPLORER | OFN_FILEMUSTEXIST,
                      L"图像(*.bmp;*.jpg;*.jpeg;*.png;*.gif) | *.bmp;*.jpg;*.jpeg;*.png;*.gif || ");
    if (files.DoModal() != IDOK) {
        messageBoxBilingual(L"未选中图像文件！", L"No image file selected!");
        return;
    }
    mSource.Destroy();
    mWorking.Destroy();
    if (!loadSource(files.GetPathName())) return;
    drawPreview(mSource);
    mThreshold.EnableWindow(TRUE);
    mThreshold.SetRange(1, 254);
    mThreshold.SetPos(128);
    mGradient.EnableWindow(TRUE);
    mGradient.SetRange(1, 8);
    mGradient.SetPos(2);
}

bool COutlineDlg::loadSource(const std::wstring& path) {
    CImage picture;
    if (FAILED(picture.Load(path.c_str()))) {
        const DWORD error = GetLastError();
        // Which of the reasons it was: a file that cannot be read, or one that holds no picture this can decode.
        const std::wstring why =
            error == ERROR_INVALID_DATA
                ? chooseText(L"（不是可读取的 BMP、JPG、PNG 或 GIF 图片，或文件已损坏）",
                             L" (not a BMP, JPG, PNG or GIF picture that can be read, or a damaged one)")
                : chooseText(L"（无法读取文件）", L" (the file cannot be read)");
        const std::wstring text =
            L"GetLastError: " + std::to_wstring(error) + L" -- Load image Error：" + path + why;
        AfxMessageBox(text.c_str());
        return false;
    }
    const PictureSize size = workingSize(picture.GetWidth(), picture.GetHeight(),
                                         mQuickMode.GetCheck() == BST_CHECKED);
    bool drawn = size.height > 0 && mSource.Create(size.width, size.height, picture.GetBPP());
    if (drawn) {
        HDC target = mSource.GetDC();
        SetStretchBltMode(target, COLORONCOLOR);
        drawn = picture.StretchBlt(target, 0, 0, size.width, size.height, SRCCOPY);
        mSource.ReleaseDC();
    }
    if (!drawn) {
        mSource.Destroy();
        messageBoxBilingual(L"载入图片错误2!", L"Error loading picture 2!");
    }
    return drawn;
}

template <class Filter> void COutlineDlg::refilter(Filter filter) {
    if (!copyPicture(mSource, mWorking)) return;
    filter(mWorking);
    drawPreview(mWorking);
}

void COutlineDlg::thresholdReleased() {
    const int position = mThreshold.GetPos();
    if (!mThreshold.IsWindowEnabled() || mSource.IsNull() || position == mLastThreshold) return;
    refilter([position](CImage& image) { applyThreshold(image, position, true); });
    mLastThreshold = position;
}

void COutlineDlg::gradientReleased() {
    const int position = mGradient.GetPos();
    if (!mGradient.IsWindowEnabled() || mSource.IsNull() || position == mLastGradient) return;
    refilter([position](CImage& image) { applyColorGradient(image, position); });
    mLastGradient = position;
}

void COutlineDlg::clutterReleased() {
    mSettings.clutter = mClutter.GetPos();
    SetDlgItemText(IDC_VECTORIZE_CLUTTER_TEXT,
                   withNumber(L"杂点忽略： ", L"Outliers ignored: ", mSettings.clutter).c_str());
}

void COutlineDlg::optimizationReleased() {
    mSettings.optimization = mOptimization.GetPos();
    SetDlgItemText(IDC_VECTORIZE_OPTIMIZE_TEXT,
                   withNumber(L"误差优化： ", L"Optimization: ", mSettings.optimization).c_str());
}

void COutlineDlg::quickModeClicked() { mOptimization.EnableWindow(mQuickMode.GetCheck() != BST_CHECKED); }

void COutlineDlg::vectorize() {
    if (mSource.IsNull()) {
        SetDlgItemText(IDC_VECTORIZE_STATUS, chooseText(L"请先载入图片", L"Please load the picture first"));
        return;
    }
    const bool quick = mQuickMode.GetCheck() == BST_CHECKED;
    writeRegDword(HKEY_CURRENT_USER, kProductKey, kQuickModeValue, quick ? 1 : 0);
    if (!quick) {
        vectorizeImage(pictureToTrace(), mSettings, *this, mPlacement);
        EndDialog(IDOK);
        return;
    }
    const std::wstring path = makeTempFileName(L".bmp");
    pictureToTrace().Save(path.c_str());
    if (!fileExists(path.c_str())) {
        printBilingual(L"转换图片错误！", L"Error converting picture!");
        return;
    }
    BeginEditorCommand();
    vectorizeBitmapFile(path, mSettings.clutter);
    CompleteEditorCommand();
    EndDialog(IDOK);
}

void COutlineDlg::drawPreview(const CImage& image) {
    if (!mPreview) return;
    RECT client{};
    GetClientRect(&client);
    const int areaWidth = client.right - client.left - kControlColumnWidth, areaHeight = client.bottom - client.top;
    mPreview->FillSolidRect(0, 0, areaWidth, areaHeight, kPreviewBackground);
    const PreviewFit fit = fitPreview(image.GetWidth(), image.GetHeight(), areaWidth, areaHeight);
    mSettings.previewScale = fit.scale;
    image.Draw(mPreview->GetSafeHdc(), 0, 0, fit.width, fit.height);
}

void COutlineDlg::showStatus(const wchar_t* text) { SetDlgItemText(IDC_VECTORIZE_STATUS, text); }

void COutlineDlg::markPreviewPixel(int x, int y) {
    if (mPreview) mPreview->SetPixel(x, y, RGB(255, 0, 0));
}
