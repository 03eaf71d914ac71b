// The in-process vectoriser: regions of similar colour become closed polylines (in pixel units) in a new
// anonymous block, and one reference to it is placed where the user says.
#pragma once

#include "cvx/dbents.h"
#include "cvx/image.h"
#include "outline/region_trace.h"

// What the run shows and asks through its dialog.
class VectorizeView {
public:
    virtual ~VectorizeView() = default;
    virtual void showStatus(const wchar_t* text) = 0;
    // A traced pixel, marked red on the preview (already multiplied by the preview scale).
    virtual void markPreviewPixel(int x, int y) = 0;
    // Around the placement prompts: the editor takes over, and gives control back.
    virtual void beginEditor() = 0;
    virtual void completeEditor() = 0;
};

struct VectorizeSettings {
    int clutter = 10;       // chains of fewer points are dropped
    int optimization = 5;   // 0: polylines through every traced pixel; else the smoothing factor
    double previewScale = 1.0;
};

// Where the user put the picture: its top-left corner is at origin + (0, height), and `height` drawing units
// span its rows.
struct VectorizePlacement {
    AcGePoint3d origin;
    double height = 0;
    bool done = false;
};

// A closed polyline through the chain (at least 2 points) appended to the open block; smoothed in place when
// `optimization` >= 1.
void makeRegionPolyline(AcDbBlockTableRecord* block, const PixelChain& chain, int optimization);

// Positions and scales a reference so that pixel (x, y) of a picture `imageHeight` rows high lands at
// (origin.x + s x, origin.y + height - s y) with s = height / imageHeight.
void placePictureReference(AcDbBlockReference& reference, const AcGePoint3d& origin, double height, int imageHeight);

// The whole run on the picture: regions, outlines, the block, the placement prompts and the reference.
void vectorizeImage(const CImage& image, const VectorizeSettings& settings, VectorizeView& view,
                    VectorizePlacement& placement);
