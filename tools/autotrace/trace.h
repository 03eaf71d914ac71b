// Tracing the dark regions of a two-colour picture into closed outlines.
#pragma once

#include <string>
#include <vector>

struct TracePoint {
    double x, y;
};
using TraceOutline = std::vector<TracePoint>;

// A picture of dark and light pixels, row 0 at the top.
struct TwoColourPicture {
    int width = 0, height = 0;
    std::vector<unsigned char> dark;  // width * height, row by row; non-zero for a dark pixel

    bool isDark(int x, int y) const { return dark[static_cast<size_t>(y) * width + x] != 0; }
};

// The outlines of the dark regions and of the holes in them, in pixel units with the y axis pointing up (the
// picture's lower left corner at the origin, so the trace stands upright). Curves are flattened into vertices;
// an outline does not repeat its first vertex at the end. False with `error` set when tracing fails.
bool traceOutlines(const TwoColourPicture& picture, std::vector<TraceOutline>& outlines, std::string& error);
