#include "render/cairo_sink.h"

#include <cmath>

namespace cvx::render {

namespace {
constexpr double kNudge = 1.0 / 128;  // pixels; two steps of the rasteriser's fixed-point grid

void addChain(cairo_t* cr, const Polyline2& pts) {
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
}

bool isSinglePoint(const Polyline2& pts) {
    for (const auto& p : pts)
        if (p.x != pts[0].x || p.y != pts[0].y) return false;
    return true;
}
}  // namespace

CairoSink::CairoSink(cairo_t* cr, const ViewMapping& view, const RenderOptions& options)
    : mCr(cr), mView(view), mThin(options.lineWidth > 0 ? options.lineWidth : 1) {
    // Far outside the picture, but well inside the rasteriser's coordinate range.
    double reach = 4.0 * (view.width + view.height) + 16 * mThin;
    mBox = {-reach, -reach, view.width + reach, view.height + reach};
    cairo_set_antialias(cr, options.antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    setColor(options.background);
    cairo_paint(cr);
}

void CairoSink::setColor(uint32_t rgb) {
    cairo_set_source_rgb(mCr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

Polyline2 CairoSink::toPixels(const Polyline2& pts) const {
    Polyline2 px;
    px.reserve(pts.size());
    for (const auto& p : pts) {
        // Nudged a little so that a thin line lying on a pixel border lights the pixel right of or below the
        // border: the pixel that ViewMapping says holds it (the rasteriser samples pixel centres).
        AcGePoint2d q = mView.worldToPixel(p) + AcGeVector2d(kNudge, kNudge);
        if (std::isfinite(q.x) && std::isfinite(q.y)) px.push_back(q);
    }
    return px;
}

void CairoSink::stroke(const Polyline2& pts, bool closed, double width, uint32_t rgb) {
    Polyline2 px = toPixels(pts);
    if (px.empty()) return;
    if (isSinglePoint(px) && width <= 0) {
        dot(pts[0], rgb);
        return;
    }
    double w = width * mView.scale;
    bool wide = w > mThin;
    cairo_set_line_width(mCr, wide ? w : mThin);
    // Thin lines cover their end pixels; wide ones end square at their ends, as their width says.
    cairo_set_line_cap(mCr, wide ? CAIRO_LINE_CAP_BUTT : CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(mCr, wide ? CAIRO_LINE_JOIN_MITER : CAIRO_LINE_JOIN_ROUND);
    if (mBox.containsAll(px)) {
        addChain(mCr, px);
        if (closed) cairo_close_path(mCr);
    } else {
        for (const auto& piece : clipChain(px, closed, mBox)) addChain(mCr, piece);
    }
    setColor(rgb);
    cairo_stroke(mCr);
}

void CairoSink::fill(const std::vector<Polyline2>& loops, FillRule rule, uint32_t rgb) {
    bool any = false;
    for (const auto& loop : loops) {
        Polyline2 px = clipLoop(toPixels(loop), mBox);
        if (px.size() < 3) continue;
        addChain(mCr, px);
        cairo_close_path(mCr);
        any = true;
    }
    if (!any) return;
    cairo_set_fill_rule(mCr, rule == FillRule::kEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    setColor(rgb);
    cairo_fill(mCr);
}

void CairoSink::dot(const AcGePoint2d& p, uint32_t rgb) {
    AcGePoint2d q = mView.worldToPixel(p);
    if (!mBox.contains(q)) return;
    double x = std::floor(q.x), y = std::floor(q.y);
    double w = std::max(1.0, std::round(mThin));
    cairo_rectangle(mCr, x - std::floor((w - 1) / 2), y - std::floor((w - 1) / 2), w, w);
    setColor(rgb);
    cairo_fill(mCr);
}

}  // namespace cvx::render
