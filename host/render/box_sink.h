// A sink that only measures: the box around everything drawn into it.
#pragma once

#include "render/sink.h"

namespace cvx::render {

class BoxSink : public Sink {
public:
    double pixelSize() const override { return 0; }
    double viewHeight() const override { return 0; }
    void stroke(const Polyline2& pts, bool closed, double width, uint32_t rgb) override;
    void fill(const std::vector<Polyline2>& loops, FillRule rule, uint32_t rgb) override;
    void dot(const AcGePoint2d& p, uint32_t rgb) override { add(p, 0); }

    bool isEmpty() const { return mMin.x > mMax.x; }
    AcGePoint2d minPoint() const { return mMin; }
    AcGePoint2d maxPoint() const { return mMax; }

private:
    void add(const AcGePoint2d& p, double grow);
    AcGePoint2d mMin{1e300, 1e300}, mMax{-1e300, -1e300};
};

}  // namespace cvx::render
