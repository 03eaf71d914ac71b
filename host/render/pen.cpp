#include "render/pen.h"

namespace cvx::render {

Pen::Pen(Sink& sink, const AcGeMatrix3d& toWorld, uint32_t rgb)
    : mSink(&sink), mToWorld(toWorld), mRgb(rgb), mScale(toWorld.scale()) {}

Pen Pen::transformed(const AcGeMatrix3d& local) const { return Pen(*mSink, mToWorld * local, mRgb); }

Pen Pen::withColor(uint32_t rgb) const {
    Pen p = *this;
    p.mRgb = rgb;
    return p;
}

double Pen::tolerance() const {
    double px = mSink->pixelSize();
    return px > 0 && mScale > 0 ? 0.25 * px / mScale : 0;
}

AcGePoint2d Pen::toPlan(const AcGePoint3d& p) const { return (mToWorld * p).convert2d(); }

void Pen::polyline(const std::vector<AcGePoint3d>& pts, bool closed, double width) const {
    Polyline2 plan;
    plan.reserve(pts.size());
    for (const auto& p : pts) plan.push_back(toPlan(p));
    mSink->stroke(plan, closed, width * mScale, mRgb);
}

void Pen::polyline(const std::vector<AcGePoint2d>& pts, bool closed, double width) const {
    Polyline2 plan;
    plan.reserve(pts.size());
    for (const auto& p : pts) plan.push_back(toPlan({p.x, p.y, 0}));
    mSink->stroke(plan, closed, width * mScale, mRgb);
}

void Pen::fill(const std::vector<std::vector<AcGePoint2d>>& loops, FillRule rule) const {
    std::vector<Polyline2> plan;
    plan.reserve(loops.size());
    for (const auto& loop : loops) {
        Polyline2& out = plan.emplace_back();
        out.reserve(loop.size());
        for (const auto& p : loop) out.push_back(toPlan({p.x, p.y, 0}));
    }
    mSink->fill(plan, rule, mRgb);
}

void Pen::dot(const AcGePoint3d& p) const { mSink->dot(toPlan(p), mRgb); }

}  // namespace cvx::render
