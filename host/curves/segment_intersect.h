// Closed-form meeting points of two planar segments (straight or circular), tangent touches included.
// With `extend`, lines are taken without ends and arcs as full circles. Overlapping pieces report the ends of
// the overlap.
#pragma once

#include "curves/bulge_polyline.h"

namespace cvx::geom {

struct Hit2 {
    AcGePoint2d pt;
    double fa = 0, fb = 0;  // fractions along the two segments
};

// At most four hits (the ends of an overlap), kept in place: offsets ask for millions of them.
class Hits2 {
public:
    const Hit2* begin() const { return mHits; }
    const Hit2* end() const { return mHits + mCount; }
    size_t size() const { return size_t(mCount); }
    bool empty() const { return mCount == 0; }
    const Hit2& operator[](size_t i) const { return mHits[i]; }
    void push_back(const Hit2& h) { mHits[mCount++] = h; }

private:
    Hit2 mHits[4];
    int mCount = 0;
};

Hits2 intersect(const Segment2& a, const Segment2& b, double tol, bool extend = false);

}  // namespace cvx::geom
