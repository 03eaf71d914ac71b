// The plain entities: lines, circles, arcs, ellipses, polylines (lightweight, 2D, 3D), splines and points.
#pragma once

#include "render/pen.h"

class AcDbEntity;

namespace cvx::render {

// How points show (the drawing's PDMODE and PDSIZE).
struct PointStyle {
    int mode = 0;     // 0 dot, 1 nothing, 2 plus, 3 cross, 4 tick; +32 circle, +64 square
    double size = 0;  // > 0 drawing units; 0 5% of the view height; < 0 that percentage of the view height
};

// Draws the entity when it is one of these kinds; false otherwise.
bool drawPlainEntity(const Pen& pen, const AcDbEntity& entity, const PointStyle& points);

}  // namespace cvx::render
