// Label grids and pictures drawn from text, and a fresh drawing, editor and registry for the outline tests.
#pragma once

#include <string>
#include <vector>

#include "cvx/image.h"
#include "outline/label_grid.h"
#include "unit/frame/frame_fixture.h"

// A picture from rows of text: '.' background (white), '#' ink (black). 24 bits unless told.
inline void drawPicture(CImage& image, const std::vector<std::string>& rows, int bpp = 24) {
    image.Create(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), bpp);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            image.SetPixel(static_cast<int>(x), static_cast<int>(y), rows[y][x] == '.' ? RGB(255, 255, 255) : RGB(0, 0, 0));
}

// The labels of a picture drawn from text, against a white background.
inline LabelGrid labelled(const std::vector<std::string>& rows, int* regionCount = nullptr) {
    CImage image;
    drawPicture(image, rows);
    LabelGrid grid(image.GetWidth(), image.GetHeight());
    const int k = labelBackgroundRegions(255, 255, 255, image, grid, kBackgroundTolerance);
    if (regionCount) *regionCount = k;
    return grid;
}

// A grid whose cells hold the digits of the text ('.' is 0), for the trace and the region points.
inline LabelGrid gridOf(const std::vector<std::string>& rows) {
    LabelGrid grid(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            grid.at(static_cast<int>(x) + 1, static_cast<int>(y) + 1) =
                static_cast<int16_t>(rows[y][x] == '.' ? 0 : rows[y][x] - '0');
    return grid;
}

class OutlineTest : public FrameTest {
protected:
    AcDbObjectId addPolyline(const std::vector<AcGePoint2d>& pts, bool closed = true) { return addLw(pts, closed); }
    AcDbObjectId addSquare(double x0, double y0, double x1, double y1) {
        return addPolyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
    }
    static bool visible(AcDbObjectId id) {
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        return e && e->visibility() == AcDb::kVisible;
    }
    // The model-space entities of a DXF type, in drawing order.
    std::vector<AcDbObjectId> entitiesOf(const std::wstring& dxfName) const {
        std::vector<AcDbObjectId> found;
        for (AcDbObjectId id : modelSpace()) {
            AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
            if (e && dxfName == e->dxfTypeName()) found.push_back(id);
        }
        return found;
    }
    static AcDbExtents extentsOf(AcDbObjectId id) {
        AcDbExtents x;
        AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
        if (e) e->getGeomExtents(x);
        return x;
    }
};
