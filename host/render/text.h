// TEXT, attributes and MTEXT as filled glyph outlines.
#pragma once

#include <string>
#include <vector>

#include "render/glyphs.h"
#include "render/pen.h"

class AcDbText;
class AcDbMText;

namespace cvx::render {

// One line of text in cap heights: baseline on y = 0, starting at x = 0.
struct TextLine {
    std::vector<std::vector<AcGePoint2d>> contours;
    double width = 0;  // sum of the advances
};
TextLine layoutLine(FontSet& fonts, std::wstring_view text);

// A single-line text's control codes as characters: %%d degree, %%p plus-minus, %%c diameter, %%% percent;
// the underline and overline switches %%u / %%o are dropped.
std::wstring decodeTextCodes(std::wstring_view text);

void drawText(const Pen& pen, FontSet& fonts, const AcDbText& text);
void drawMText(const Pen& pen, FontSet& fonts, const AcDbMText& mtext);

}  // namespace cvx::render
