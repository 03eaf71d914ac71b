// Glyph outlines from the installed fonts: DejaVu Sans for Latin text and symbols, WenQuanYi Micro Hei for
// Chinese. Each character comes from the first font that has it. Outlines are measured in cap heights
// (the height of a capital letter is 1), as a drawing's text height is.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "cvx/ge.h"

namespace cvx::render {

struct Glyph {
    std::vector<std::vector<AcGePoint2d>> contours;  // closed, to be filled with the non-zero rule
    double advance = 0;
};

class FontSet {
public:
    FontSet();
    ~FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    bool hasFonts() const;
    // The outline of a character (the first font's missing-glyph shape when no font has it).
    const Glyph& glyph(char32_t c);
    // How far the first font reaches below the baseline, in cap heights.
    double descent() const;

private:
    struct Impl;
    std::unique_ptr<Impl> mImpl;
    std::unordered_map<char32_t, Glyph> mCache;
};

}  // namespace cvx::render
