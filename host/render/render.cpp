// The picture entry points: check the options, find the view, paint with Cairo, write the file.
#include "cvx/render.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "cvx/dbmain.h"
#include "render/box_sink.h"
#include "render/cairo_sink.h"
#include "render/drawing.h"
#include "render/glyphs.h"
#include "render/pixels.h"

using cvx::RenderOptions;
using cvx::ViewMapping;

namespace {

constexpr int kMaxPixels = 16384;
constexpr double kEmptyViewHeight = 10;  // what an empty drawing shows around the origin

bool fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

bool checkOptions(const AcDbDatabase* db, const RenderOptions& o, std::string* error) {
    if (!db) return fail(error, "no drawing to render");
    if (o.width < 1 || o.width > kMaxPixels || o.height < 1 || o.height > kMaxPixels)
        return fail(error, "picture size " + std::to_string(o.width) + " x " + std::to_string(o.height) +
                               " is outside 1..16384 pixels");
    if (!std::isfinite(o.margin) || o.margin < 0 || o.margin > 10)
        return fail(error, "margin must be a fraction between 0 and 10");
    if (!std::isfinite(o.viewHeight) || o.viewHeight < 0 || !std::isfinite(o.viewCenter.x) ||
        !std::isfinite(o.viewCenter.y))
        return fail(error, "view centre and height must be finite, the height not negative");
    if (!std::isfinite(o.lineWidth) || o.lineWidth < 0 || o.lineWidth > 1000)
        return fail(error, "line width must lie between 0 and 1000 pixels");
    return true;
}

ViewMapping mappingFor(const AcDbDatabase& db, const RenderOptions& o, cvx::render::FontSet& fonts) {
    ViewMapping m;
    m.width = o.width;
    m.height = o.height;
    if (o.viewHeight > 0) {
        m.center = o.viewCenter;
        m.scale = o.height / o.viewHeight;
        return m;
    }
    cvx::render::BoxSink box;
    cvx::render::drawModelSpace(db, box, fonts, o.background);
    if (box.isEmpty()) {
        m.scale = o.height / kEmptyViewHeight;
        return m;
    }
    AcGePoint2d lo = box.minPoint(), hi = box.maxPoint();
    m.center = {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2};
    double w = hi.x - lo.x, h = hi.y - lo.y;
    if (w <= 0 && h <= 0) w = h = 1;  // a single point
    double grow = 1 + 2 * o.margin;
    double sx = w > 0 ? o.width / (w * grow) : 1e300, sy = h > 0 ? o.height / (h * grow) : 1e300;
    m.scale = std::min(sx, sy);
    return m;
}

using SurfaceMaker = std::function<cairo_surface_t*(const RenderOptions&)>;
using SurfaceWriter = std::function<cairo_status_t(cairo_surface_t*)>;

bool render(const AcDbDatabase* db, const RenderOptions& o, const std::string& path, const SurfaceMaker& make,
            const SurfaceWriter& write, std::string* error) {
    if (!checkOptions(db, o, error)) return false;
    cvx::render::FontSet fonts;
    ViewMapping view = mappingFor(*db, o, fonts);
    if (!std::isfinite(view.scale) || view.scale <= 0)
        return fail(error, "the drawing's extents are too large or too small to show");

    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(make(o), cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return fail(error, "cannot create " + path + ": " + cairo_status_to_string(cairo_surface_status(surface.get())));
    cairo_t* cr = cairo_create(surface.get());
    {
        cvx::render::CairoSink sink(cr, view, o);
        cvx::render::drawModelSpace(*db, sink, fonts, o.background);
    }
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status == CAIRO_STATUS_SUCCESS) status = write(surface.get());
    if (status != CAIRO_STATUS_SUCCESS)
        return fail(error, "cannot write " + path + ": " + cairo_status_to_string(status));
    return true;
}

}  // namespace

bool cvxRenderMapping(const AcDbDatabase* db, const RenderOptions& options, ViewMapping& mapping,
                      std::string* error) {
    if (!checkOptions(db, options, error)) return false;
    cvx::render::FontSet fonts;
    mapping = mappingFor(*db, options, fonts);
    return true;
}

bool cvxRenderToPng(const AcDbDatabase* db, const RenderOptions& options, const std::string& path,
                    std::string* error) {
    return render(
        db, options, path,
        [](const RenderOptions& o) { return cairo_image_surface_create(CAIRO_FORMAT_RGB24, o.width, o.height); },
        [&](cairo_surface_t* s) { return cairo_surface_write_to_png(s, path.c_str()); }, error);
}

bool cvxRenderToSvg(const AcDbDatabase* db, const RenderOptions& options, const std::string& path,
                    std::string* error) {
    return render(
        db, options, path,
        [&](const RenderOptions& o) {
            cairo_surface_t* s = cairo_svg_surface_create(path.c_str(), o.width, o.height);
            // Sized in pixels: a browser shows a picture of 1024 x 768 points a third larger than asked.
            cairo_svg_surface_set_document_unit(s, CAIRO_SVG_UNIT_PX);
            return s;
        },
        [](cairo_surface_t* s) {
            cairo_surface_finish(s);
            return cairo_surface_status(s);
        },
        error);
}

bool cvxPlotToPdf(const AcDbDatabase* db, const cvx::PdfPlot& p, const std::string& path, std::string* error) {
    constexpr double kPointsPerMm = 72 / 25.4;
    if (!(p.paperWidth >= 10 && p.paperWidth <= 5000 && p.paperHeight >= 10 && p.paperHeight <= 5000))
        return fail(error, "the paper must be 10 to 5000 mm on each side");
    if (!std::isfinite(p.unitsPerMm) || p.unitsPerMm < 0) return fail(error, "the scale must be a positive number");
    RenderOptions o;
    o.width = static_cast<int>(std::lround(p.paperWidth * kPointsPerMm));
    o.height = static_cast<int>(std::lround(p.paperHeight * kPointsPerMm));
    o.background = 0xFFFFFF;
    o.lineWidth = p.lineWidth * kPointsPerMm;
    AcGePoint2d center = p.viewCenter;
    double w = 0, h = p.viewHeight;  // what must show, in drawing units
    if (p.window) {
        center = {(p.corner1.x + p.corner2.x) / 2, (p.corner1.y + p.corner2.y) / 2};
        w = std::fabs(p.corner2.x - p.corner1.x);
        h = std::fabs(p.corner2.y - p.corner1.y);
        if (!(w > 0 || h > 0)) return fail(error, "the window has no size");
    } else if (h <= 0) {
        ViewMapping m;
        if (!cvxRenderMapping(db, o, m, error)) return false;
        center = m.center;
        h = o.height / m.scale;
    }
    if (p.unitsPerMm > 0) {
        // The page (whole points) at the scale, centred on the window: a millimetre is 72 / 25.4 points.
        o.viewHeight = o.height / kPointsPerMm * p.unitsPerMm;
    } else {
        double aspect = double(o.width) / o.height;
        o.viewHeight = std::max(h, w / aspect) * (p.window ? 1.02 : 1.0);
    }
    o.viewCenter = center;
    return render(
        db, o, path,
        [&](const RenderOptions& r) { return cairo_pdf_surface_create(path.c_str(), r.width, r.height); },
        [](cairo_surface_t* s) {
            cairo_surface_finish(s);
            return cairo_surface_status(s);
        },
        error);
}

bool cvxRenderToPixels(const AcDbDatabase* db, const RenderOptions& options, std::vector<uint32_t>& pixels,
                       std::string* error) {
    return render(
        db, options, "the picture",
        [](const RenderOptions& o) { return cairo_image_surface_create(CAIRO_FORMAT_RGB24, o.width, o.height); },
        [&](cairo_surface_t* s) {
            cairo_surface_flush(s);
            int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
            int stride = cairo_image_surface_get_stride(s);
            const unsigned char* data = cairo_image_surface_get_data(s);
            pixels.resize(size_t(w) * size_t(h));
            for (int y = 0; y < h; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
                for (int x = 0; x < w; ++x) pixels[size_t(y) * size_t(w) + size_t(x)] = row[x] & 0xFFFFFFu;
            }
            return CAIRO_STATUS_SUCCESS;
        },
        error);
}
