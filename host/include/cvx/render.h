// Drawing a database's model space to a PNG or SVG picture, and the pixel <-> world mapping the picture uses.
// The picture looks straight down the Z axis: X grows to the right, Y upwards; Z is ignored.
#pragma once

#include <cstdint>
#include <string>

#include "cvx/ge.h"

class AcDbDatabase;

namespace cvx {

struct RenderOptions {
    int width = 1024, height = 768;  // pixels, 1..16384 each
    // What the picture shows: the drawing's extents with a margin (a fraction of their size on every side),
    // or, when viewHeight > 0, the view centred on viewCenter that is viewHeight drawing units tall
    // (the editor's current view). The width follows from the picture's aspect ratio.
    double margin = 0.05;
    AcGePoint2d viewCenter;
    double viewHeight = 0;
    uint32_t background = 0x000000;  // 0x00RRGGBB; the drawing window's background colour
    bool antialias = true;           // off: every pixel is either background or an entity colour
    double lineWidth = 1;            // pixels, for lines without a width of their own
};

// Where drawing coordinates land in the picture. Pixel coordinates are continuous: pixel (i, j) covers
// [i, i+1) x [j, j+1), with j counted downwards from the top row; its centre is (i + 0.5, j + 0.5).
struct ViewMapping {
    int width = 1, height = 1;
    AcGePoint2d center;  // drawing point at the middle of the picture
    double scale = 1;    // pixels per drawing unit

    AcGePoint2d worldToPixel(const AcGePoint2d& p) const {
        return {width / 2.0 + (p.x - center.x) * scale, height / 2.0 - (p.y - center.y) * scale};
    }
    AcGePoint2d pixelToWorld(const AcGePoint2d& px) const {
        return {center.x + (px.x - width / 2.0) / scale, center.y - (px.y - height / 2.0) / scale};
    }
    double viewHeight() const { return height / scale; }  // drawing units
};

}  // namespace cvx

// The mapping a render of the database with these options uses. False with a message for bad options.
bool cvxRenderMapping(const AcDbDatabase* db, const cvx::RenderOptions& options, cvx::ViewMapping& mapping,
                      std::string* error = nullptr);

// Draws model space into a picture file (path in UTF-8). False with a message when the options are bad or
// the file cannot be written; the database is only read.
bool cvxRenderToPng(const AcDbDatabase* db, const cvx::RenderOptions& options, const std::string& path,
                    std::string* error = nullptr);
bool cvxRenderToSvg(const AcDbDatabase* db, const cvx::RenderOptions& options, const std::string& path,
                    std::string* error = nullptr);

namespace cvx {
// A plot on paper: a window of the drawing (or, without one, the view centred on viewCenter and viewHeight
// tall, or the extents when viewHeight is 0) on a page, at a scale or fitted to it.
struct PdfPlot {
    double paperWidth = 297, paperHeight = 210;  // millimetres; A4 landscape
    bool window = false;
    AcGePoint2d corner1, corner2;                 // the window's corners, when window
    AcGePoint2d viewCenter;
    double viewHeight = 0;
    double unitsPerMm = 0;                        // drawing units a millimetre of paper stands for; 0 to fit
    double lineWidth = 0.25;                      // millimetres, for lines without a width of their own
};
}  // namespace cvx
// Writes the plot as a one-page PDF, white paper, index colour 7 in black. False with a message for a bad
// page, window or scale, or a file that cannot be written.
bool cvxPlotToPdf(const AcDbDatabase* db, const cvx::PdfPlot& plot, const std::string& path,
                  std::string* error = nullptr);
