// A sink that paints on a Cairo surface (picture or SVG) through a view mapping.
#pragma once

#include <cairo.h>

#include "cvx/render.h"
#include "render/clip.h"
#include "render/sink.h"

namespace cvx::render {

class CairoSink : public Sink {
public:
    // Paints the background over the whole picture first.
    CairoSink(cairo_t* cr, const ViewMapping& view, const RenderOptions& options);
    double pixelSize() const override { return 1 / mView.scale; }
    double viewHeight() const override { return mView.viewHeight(); }
    void stroke(const Polyline2& pts, bool closed, double width, uint32_t rgb) override;
    void fill(const std::vector<Polyline2>& loops, FillRule rule, uint32_t rgb) override;
    void dot(const AcGePoint2d& p, uint32_t rgb) override;

private:
    Polyline2 toPixels(const Polyline2& pts) const;
    void setColor(uint32_t rgb);

    cairo_t* mCr;
    ViewMapping mView;
    double mThin;
    ClipBox mBox;
};

}  // namespace cvx::render
