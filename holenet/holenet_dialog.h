// The hole-net dialog: load a picture, adjust its contrast and brightness, choose rows, hole size and shape,
// preview the holes as red dots over the picture, and draw them into the drawing.
#pragma once

#include <array>

#include "cvx/arx.h"
#include "cvx/dialog.h"
#include "cvx/image.h"
#include "holenet/hole_drawing.h"

class ImageHoleNet : public CAcUiDialog {
public:
    explicit ImageHoleNet(CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnPaint() override;

private:
    void loadImage();
    void preview();
    void doDrawing();
    void contrastDrawn();
    void brightnessDrawn();
    void sizeDrawn();
    void takeRows();
    bool adjustable(const CSliderCtrl& slider) const;
    void showImage(const CImage& image);
    void drawPreview(const HoleNet& net);
    HoleNet computeNet(const CImage& image) const;
    bool askPlacement();
    AcDbObjectId selectHoleEntity();

    std::array<CSliderCtrl, 3> mSliders;  // contrast, brightness, size
    CAcUiNumericEdit mRows;

    CImage mBase;      // the loaded file, at most 1024 pixels wide
    CImage mWorking;   // what is shown and measured
    CImage mContrast;  // the last contrast result, under later brightness changes
    int mLastContrast = 50, mLastBrightness = 50, mSize = 50;
    double mDisplayScale = 1.0;  // screen pixels per image pixel of the shown image
    bool mInvert = false;
    HoleShape mShape = HoleShape::Circle;
    AcDbObjectId mHoleEntity;
    AcGePoint3d mOrigin;
    double mHeight = 0;
    bool mReady = false;  // origin and height given
};
