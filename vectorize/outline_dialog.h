// R2V's dialog: loads a picture, prepares it with a threshold or a colour gradient, and vectorises it in
// process (placed by the user as a block) or, in "Quick mode", with the external tracer.
#pragma once

#include <string>

#include "cvx/dialog.h"
#include "cvx/image.h"
#include "vectorize/vectorize_image.h"

inline constexpr UINT IDD_VECTORIZE = 479;
inline constexpr int IDC_VECTORIZE_LOAD = 4004;
inline constexpr int IDC_VECTORIZE_RUN = 4015;
inline constexpr int IDC_VECTORIZE_THRESHOLD_TEXT = 4005;
inline constexpr int IDC_VECTORIZE_GRADIENT_TEXT = 4006;
inline constexpr int IDC_VECTORIZE_CLUTTER_TEXT = 4007;
inline constexpr int IDC_VECTORIZE_OPTIMIZE_TEXT = 4008;
inline constexpr int IDC_VECTORIZE_THRESHOLD = 4010;
inline constexpr int IDC_VECTORIZE_GRADIENT = 4011;
inline constexpr int IDC_VECTORIZE_CLUTTER = 4012;
inline constexpr int IDC_VECTORIZE_OPTIMIZE = 4013;
inline constexpr int IDC_VECTORIZE_STATUS = 4019;
inline constexpr int IDC_VECTORIZE_QUICK = 4021;

// Pictures wider than this are scaled down to it for the in-process run.
inline constexpr int kWorkingWidth = 1024;

// The working size of a picture: `width` x `height` kept in "Quick mode" or below kWorkingWidth, else
// kWorkingWidth wide with the height scaled alike (whole-number division).
struct PictureSize {
    int width, height;
};
PictureSize workingSize(int width, int height, bool quickMode);

// How a picture fits the preview area: its drawn size and the preview pixels per picture pixel.
struct PreviewFit {
    int width, height;
    double scale;
};
PreviewFit fitPreview(int imageWidth, int imageHeight, int areaWidth, int areaHeight);

class COutlineDlg : public CAcUiDialog, private VectorizeView {
public:
    explicit COutlineDlg(CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnPaint() override;

private:
    void loadPicture();
    void vectorize();
    void thresholdReleased();
    void gradientReleased();
    void clutterReleased();
    void optimizationReleased();
    void quickModeClicked();

    // The working image when a filter made one, else the source image.
    const CImage& pictureToTrace() const;
    // Rebuilds the working image from the source image and runs `filter` on it.
    template <class Filter> void refilter(Filter filter);
    bool loadSource(const std::wstring& path);
    void drawPreview(const CImage& image);

    void showStatus(const wchar_t* text) override;
    void markPreviewPixel(int x, int y) override;
    void beginEditor() override { BeginEditorCommand(); }
    void completeEditor() override { CompleteEditorCommand(); }

    CSliderCtrl mThreshold, mGradient, mClutter, mOptimization;
    CButton mQuickMode;
    CImage mSource, mWorking;
    int mLastThreshold = 0, mLastGradient = 0;
    VectorizeSettings mSettings;
    VectorizePlacement mPlacement;
    CDC* mPreview = nullptr;
};
