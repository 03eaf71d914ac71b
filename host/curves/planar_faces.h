// The areas that flat curves enclose. The straight and circular pieces are cut where they meet, ends closer
// than a tolerance are joined, dead ends and bridges (pieces with the same area on both sides) are dropped,
// and the rest is walked into loops: the loop around each area, and the outer contour of each group of
// connected pieces. Built once, asked for many points.
#pragma once

#include <vector>

#include "curves/bulge_polyline.h"

namespace cvx::geom {

class PlanarFaces {
public:
    // tol: the distance under which two points count as one (ends meeting, pieces touching or overlapping).
    PlanarFaces(const std::vector<Segment2>& pieces, double tol);

    // The smallest area around p as loops: its outer loop first, then the outer contour of every group of
    // pieces lying inside it (islands), all counter-clockwise. Empty when p lies in no closed area.
    std::vector<BulgePolyline> loopsAround(const AcGePoint2d& p) const;

    size_t areaCount() const { return mAreas.size(); }

private:
    struct Loop {
        std::vector<Segment2> segs;
        std::vector<int> sources;  // the input piece each segment comes from (joined back when they follow)
        double area = 0;           // signed: positive counter-clockwise
        AcGePoint2d lo, hi;
        int group = 0;
    };
    bool contains(const Loop& l, const AcGePoint2d& p) const;
    static Loop makeLoop(std::vector<Segment2> segs, std::vector<int> sources, int group);
    static BulgePolyline toPolyline(const Loop& l, bool reverse);

    double mTol;
    std::vector<Loop> mAreas;     // bounded areas, counter-clockwise
    std::vector<Loop> mContours;  // one per group of connected pieces, clockwise
};

// How many times the closed chain of segments winds counter-clockwise around p (arcs counted exactly).
int windingNumber(const std::vector<Segment2>& loop, const AcGePoint2d& p);

}  // namespace cvx::geom
