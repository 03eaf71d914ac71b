// TEXT, attributes and MTEXT as filled glyph outlines.
#pragma once

#include <cstdint>
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

// A piece of an MTEXT paragraph drawn in one style. Colours: aci 1..255, 0 or 256 the entity's own colour,
// -1 the true colour in rgb.
struct MTextRun {
    std::wstring text;
    double height = 1;                // drawing units
    double widthFactor = 1;
    double oblique = 0;               // radians; italic fonts lean too
    int aci = 256;
    uint32_t rgb = 0;
    std::wstring top, bottom;         // stacked text (\S top^bottom;), then text is empty
    wchar_t stack = 0;                // '^' (one over the other), '/' (with a bar), '#' (diagonal)
};
using MTextParagraph = std::vector<MTextRun>;

// The contents of an MTEXT as paragraphs of styled runs: braces scope the codes; \H height (absolute or
// "x" relative), \C index colour, \c true colour, \W width factor, \Q oblique angle, \f font (its
// italic flag), \S stacked text, \P and \N line breaks, \~ no-break space, \U+ code points, %%c %%d %%p;
// the other codes (underline, tracking, alignment, paragraph settings) are read over.
std::vector<MTextParagraph> parseMText(std::wstring_view contents, double height);

void drawText(const Pen& pen, FontSet& fonts, const AcDbText& text);
// background: what index colour 7 contrasts with.
void drawMText(const Pen& pen, FontSet& fonts, const AcDbMText& mtext, uint32_t background = 0);

}  // namespace cvx::render
