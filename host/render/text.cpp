#include "render/text.h"

#include <cmath>

#include "cvx/dbents.h"

namespace cvx::render {

namespace {

constexpr double kDefaultHeight = 2.5;
constexpr double kMTextLineSpacing = 5.0 / 3.0;  // baseline to baseline, in text heights

// Maps text units (u, v) to u * (a, c) + v * (b, d) + (e, f) in the plane of the frame.
AcGeMatrix3d affine2d(double a, double b, double c, double d, double e, double f) {
    AcGeMatrix3d m;
    m.entry[0][0] = a;
    m.entry[0][1] = b;
    m.entry[0][3] = e;
    m.entry[1][0] = c;
    m.entry[1][1] = d;
    m.entry[1][3] = f;
    return m;
}

// The plane of a text at `origin` with its X axis turned by `rotation` from the plane's own X axis.
AcGeMatrix3d textFrame(const AcGePoint3d& origin, const AcGeVector3d& normal, double rotation) {
    AcGeVector3d n = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    AcGeVector3d x = arbitraryXAxis(n);
    x.rotateBy(rotation, n);
    return AcGeMatrix3d().setCoordSystem(origin, x, n.crossProduct(x), n);
}

double heightOr(double h, const AcDbEntity& e) {
    if (h > 0) return h;
    const AcDbDatabase* db = e.database();
    return db && db->textsize() > 0 ? db->textsize() : kDefaultHeight;
}

bool isWide(wchar_t c) { return c >= 0x2E80; }  // CJK and beyond: a line may break before any of them

// Greedy word wrap: breaks after spaces and around wide characters so that lines stay within `width`
// text heights where the words allow.
std::vector<std::wstring> wrap(FontSet& fonts, const std::wstring& line, double width) {
    std::vector<std::wstring> tokens;
    for (wchar_t c : line) {
        bool start = tokens.empty() || isWide(c) || isWide(tokens.back().back()) || tokens.back().back() == L' ';
        if (start && !(c == L' ' && !tokens.empty())) tokens.emplace_back();
        tokens.back() += c;
    }
    std::vector<std::wstring> out{L""};
    double used = 0;
    for (const auto& t : tokens) {
        double w = 0;
        for (wchar_t c : t) w += fonts.glyph(static_cast<char32_t>(c)).advance;
        if (!out.back().empty() && used + w > width) {
            out.emplace_back();
            used = 0;
        }
        out.back() += t;
        used += w;
    }
    return out;
}

}  // namespace

TextLine layoutLine(FontSet& fonts, std::wstring_view text) {
    TextLine line;
    for (wchar_t c : text) {
        const Glyph& g = fonts.glyph(static_cast<char32_t>(c));
        for (const auto& contour : g.contours) {
            auto& out = line.contours.emplace_back();
            out.reserve(contour.size());
            for (const auto& p : contour) out.push_back({p.x + line.width, p.y});
        }
        line.width += g.advance;
    }
    return line;
}

std::wstring decodeTextCodes(std::wstring_view text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) != L"%%" || i + 2 >= text.size()) {
            out += text[i];
            continue;
        }
        switch (text[i + 2]) {
        case L'd': case L'D': out += L'\u00B0'; break;
        case L'p': case L'P': out += L'\u00B1'; break;
        case L'c': case L'C': out += L'\u2300'; break;
        case L'%': out += L'%'; break;
        case L'u': case L'U': case L'o': case L'O': break;
        default: out += text.substr(i, 3);
        }
        i += 2;
    }
    return out;
}

void drawText(const Pen& pen, FontSet& fonts, const AcDbText& text) {
    TextLine line = layoutLine(fonts, decodeTextCodes(text.text()));
    if (line.contours.empty()) return;
    double h = heightOr(text.height(), text);
    double wf = text.widthFactor() > 0 ? text.widthFactor() : 1;
    double rotation = text.rotation();
    AcGePoint3d origin = text.alignmentPoint();
    AcDb::TextHorzMode horz = text.horizontalMode();
    AcDb::TextVertMode vert = text.verticalMode();
    if (text.isDefaultAlignment()) origin = text.position();

    if (horz == AcDb::kTextAlign || horz == AcDb::kTextFit) {
        // Between the position and the alignment point: "align" scales the whole text, "fit" only its width.
        AcGeVector3d span = text.alignmentPoint() - text.position();
        double natural = line.width * h * wf;
        if (span.length() > 0 && natural > 0) {
            AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(text.normal().isZeroLength() ? AcGeVector3d::kZAxis
                                                                                          : text.normal());
            AcGeVector3d inPlane = toPlane * span;
            rotation = std::atan2(inPlane.y, inPlane.x);
            double k = span.length() / natural;
            if (horz == AcDb::kTextAlign) h *= k;
            wf *= k;
        }
        origin = text.position();
        vert = AcDb::kTextBase;
    }

    double w = line.width;  // text units: cap heights
    double dx = 0, dy = 0;
    if (horz == AcDb::kTextCenter || horz == AcDb::kTextMid) dx = -w / 2;
    else if (horz == AcDb::kTextRight) dx = -w;
    if (horz == AcDb::kTextMid || vert == AcDb::kTextVertMid) dy = -0.5;
    else if (vert == AcDb::kTextTop) dy = -1;
    else if (vert == AcDb::kTextBottom) dy = fonts.descent();

    // Mirrored text keeps its box: backwards about the middle of its width, upside down about mid-height.
    double mx = text.isMirroredInX() ? -1 : 1, my = text.isMirroredInY() ? -1 : 1;
    double shear = std::tan(text.oblique());
    double sx = h * wf, sy = h;
    double u0 = dx + (mx < 0 ? w : 0), v0 = dy + (my < 0 ? 1 : 0);
    AcGeMatrix3d local = affine2d(sx * mx, sy * shear * my, 0, sy * my, sx * u0 + sy * shear * v0, sy * v0);
    pen.transformed(textFrame(origin, text.normal(), rotation) * local).fill(line.contours, FillRule::kNonZero);
}

void drawMText(const Pen& pen, FontSet& fonts, const AcDbMText& mtext) {
    double h = heightOr(mtext.textHeight(), mtext);
    std::vector<std::wstring> lines;
    for (const auto& l : mtext.plainLines()) {
        if (mtext.width() > 0) {
            for (auto& piece : wrap(fonts, l, mtext.width() / h)) lines.push_back(std::move(piece));
        } else {
            lines.push_back(l);
        }
    }
    if (lines.empty()) return;

    AcGeVector3d n = mtext.normal().isZeroLength() ? AcGeVector3d::kZAxis : mtext.normal().normal();
    AcGeVector3d x = mtext.direction().isZeroLength() ? arbitraryXAxis(n) : mtext.direction().normal();
    AcGeMatrix3d frame = AcGeMatrix3d().setCoordSystem(mtext.location(), x, n.crossProduct(x), n);

    int a = static_cast<int>(mtext.attachment()) - 1;
    int col = a >= 0 && a < 9 ? a % 3 : 0, row = a >= 0 && a < 9 ? a / 3 : 0;
    double spacing = kMTextLineSpacing * (mtext.lineSpacingFactor() > 0 ? mtext.lineSpacingFactor() : 1);
    double total = 1 + spacing * double(lines.size() - 1);  // first cap top to last baseline
    double top = row == 0 ? 0 : row == 1 ? total / 2 : total;

    std::vector<std::vector<AcGePoint2d>> contours;
    for (size_t i = 0; i < lines.size(); ++i) {
        TextLine line = layoutLine(fonts, lines[i]);
        double dx = col == 0 ? 0 : col == 1 ? -line.width / 2 : -line.width;
        double baseline = top - 1 - spacing * double(i);
        for (auto& c : line.contours) {
            for (auto& p : c) p = {(p.x + dx) * h, (p.y + baseline) * h};
            contours.push_back(std::move(c));
        }
    }
    pen.transformed(frame).fill(contours, FillRule::kNonZero);
}

}  // namespace cvx::render
