// Drawing a hole net into the drawing: one entity per hole, appended to the current space.
#pragma once

#include "cvx/arx.h"
#include "holenet/hole_net.h"

enum class HoleShape { Circle = 0, Square = 1, Diamond = 2, Selected = 3 };

// Where the net goes: the picture's lower left corner at `origin`, its full height `height` drawing units
// tall, and the hole size slider (0..100).
struct NetPlacement {
    AcGePoint3d origin;
    double height = 1;
    int imageHeight = 1;  // pixels, the height the net was computed on
    int size = 50;
};

// The hole's centre in the drawing (y upward) and its radius: measure * (height / image height) * (size + 5) / 100.
AcGePoint3d holeCentre(const NetPlacement& at, const NetHole& hole);
double holeRadius(const NetPlacement& at, const NetHole& hole);

// Adds one entity per hole, an empty one (measure 0 or below) at radius 0 or, for Selected, as a tiny copy:
// circles, squares or diamonds, or for Selected a copy of the pattern entity centred on the hole and scaled
// so that a quarter of its box's width plus height equals the radius (circles when the pattern is null or
// cannot be opened). Returns the number of entities added; a hole that cannot be appended is skipped.
int drawHoleNet(const HoleNet& net, const NetPlacement& at, HoleShape shape, AcDbObjectId pattern);
