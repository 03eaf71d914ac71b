// The drawing state of one entity: its sink, colour and the transform from the entity's coordinates
// (a block definition's, possibly nested) to drawing coordinates.
#pragma once

#include <cstdint>
#include <vector>

#include "cvx/ge.h"
#include "render/sink.h"

namespace cvx::render {

class Pen {
public:
    Pen(Sink& sink, const AcGeMatrix3d& toWorld, uint32_t rgb);

    // The same pen for coordinates that `local` maps into this pen's coordinates.
    Pen transformed(const AcGeMatrix3d& local) const;
    Pen withColor(uint32_t rgb) const;
    uint32_t color() const { return mRgb; }
    const AcGeMatrix3d& toWorld() const { return mToWorld; }
    Sink& sink() const { return *mSink; }

    // How far, in this pen's coordinates, a chord may stray from its curve: a quarter pixel;
    // 0 while measuring (curves then use a fixed fine division).
    double tolerance() const;
    // The length in drawing units of a unit length in this pen's coordinates.
    double scale() const { return mScale; }

    AcGePoint2d toPlan(const AcGePoint3d& p) const;
    // width: in this pen's coordinates; 0 for a thin line.
    void polyline(const std::vector<AcGePoint3d>& pts, bool closed, double width = 0) const;
    void polyline(const std::vector<AcGePoint2d>& pts, bool closed, double width = 0) const;
    void fill(const std::vector<std::vector<AcGePoint2d>>& loops, FillRule rule) const;
    void dot(const AcGePoint3d& p) const;

private:
    Sink* mSink;
    AcGeMatrix3d mToWorld;
    uint32_t mRgb;
    double mScale;
};

}  // namespace cvx::render
