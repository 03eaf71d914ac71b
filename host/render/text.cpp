#include "render/text.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "cvx/dbents.h"
#include "render/drawing.h"

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

namespace {

struct RunStyle {
    double height, widthFactor = 1, oblique = 0;
    int aci = 256;
    uint32_t rgb = 0;
};

// The number at the start of `s` (after `i`), and where it ends.
double numberAt(std::wstring_view s, size_t& i) {
    size_t start = i;
    while (i < s.size() && (std::iswdigit(s[i]) || s[i] == L'.' || s[i] == L'-' || s[i] == L'+' || s[i] == L'e' ||
                            s[i] == L'E'))
        ++i;
    std::wstring num(s.substr(start, i - start));
    return num.empty() ? 0 : std::wcstod(num.c_str(), nullptr);
}

// Skips to just past the next ';' (or the end).
size_t pastSemicolon(std::wstring_view s, size_t i) {
    size_t end = s.find(L';', i);
    return end == std::wstring_view::npos ? s.size() : end + 1;
}

}  // namespace

std::vector<MTextParagraph> parseMText(std::wstring_view raw, double height) {
    std::wstring decoded = decodeTextCodes(raw);
    std::wstring_view s = decoded;
    std::vector<MTextParagraph> out(1);
    std::vector<RunStyle> stack{RunStyle{height}};
    auto run = [&]() -> MTextRun& {
        const RunStyle& st = stack.back();
        MTextParagraph& p = out.back();
        if (p.empty() || !p.back().top.empty() || p.back().stack || p.back().height != st.height ||
            p.back().widthFactor != st.widthFactor || p.back().oblique != st.oblique || p.back().aci != st.aci ||
            p.back().rgb != st.rgb) {
            MTextRun r;
            r.height = st.height;
            r.widthFactor = st.widthFactor;
            r.oblique = st.oblique;
            r.aci = st.aci;
            r.rgb = st.rgb;
            p.push_back(r);
        }
        return p.back();
    };
    for (size_t i = 0; i < s.size(); ++i) {
        wchar_t c = s[i];
        if (c == L'{') { stack.push_back(stack.back()); continue; }
        if (c == L'}') { if (stack.size() > 1) stack.pop_back(); continue; }
        if (c == L'\n') { out.emplace_back(); continue; }
        if (c != L'\\' || i + 1 >= s.size()) { run().text += c; continue; }
        wchar_t code = s[++i];
        RunStyle& st = stack.back();
        size_t v = i + 1;  // where a code's value starts
        switch (code) {
            case L'P': case L'N': case L'X': out.emplace_back(); break;
            case L'\\': case L'{': case L'}': run().text += code; break;
            case L'~': run().text += L'\u00A0'; break;
            case L'L': case L'l': case L'O': case L'o': case L'K': case L'k': break;
            case L'U':
                if (i + 5 < s.size() && s[i + 1] == L'+') {
                    run().text += static_cast<wchar_t>(std::wcstol(std::wstring(s.substr(i + 2, 4)).c_str(), nullptr, 16));
                    i += 5;
                }
                break;
            case L'H': case L'W': {
                double x = numberAt(s, v);
                bool relative = v < s.size() && (s[v] == L'x' || s[v] == L'X');
                double& field = code == L'H' ? st.height : st.widthFactor;
                if (x > 0) field = relative ? field * x : x;
                i = pastSemicolon(s, v) - 1;
                break;
            }
            case L'Q': st.oblique = numberAt(s, v) * M_PI / 180; i = pastSemicolon(s, v) - 1; break;
            case L'C': st.aci = static_cast<int>(numberAt(s, v)); i = pastSemicolon(s, v) - 1; break;
            case L'c': {
                auto bgr = static_cast<uint32_t>(numberAt(s, v)) & 0xFFFFFF;
                st.aci = -1;
                st.rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | (bgr >> 16);
                i = pastSemicolon(s, v) - 1;
                break;
            }
            case L'f': case L'F': {
                size_t end = pastSemicolon(s, v);
                std::wstring_view font = s.substr(v, end - v);
                if (font.find(L"|i1") != std::wstring_view::npos) st.oblique = 15 * M_PI / 180;
                else if (font.find(L"|i0") != std::wstring_view::npos) st.oblique = 0;
                i = end - 1;
                break;
            }
            case L'S': {
                size_t end = v;
                std::wstring body;
                while (end < s.size() && s[end] != L';') {
                    if (s[end] == L'\\' && end + 1 < s.size()) ++end;  // \^ \/ \# are the characters
                    body += s[end++];
                }
                size_t at = body.find_first_of(L"^/#");
                MTextRun r = run();
                r.text.clear();
                if (at == std::wstring::npos) {
                    r.text = body;
                } else {
                    r.top = body.substr(0, at);
                    r.bottom = body.substr(at + 1);
                    while (!r.bottom.empty() && r.bottom.front() == L' ') r.bottom.erase(0, 1);
                    r.stack = body[at];
                    if (r.top.empty()) r.top = L" ";
                }
                out.back().push_back(r);
                i = end < s.size() ? end : s.size();
                break;
            }
            default: i = pastSemicolon(s, v) - 1;  // alignment, tracking, paragraph settings, ...
        }
    }
    for (auto& p : out)
        p.erase(std::remove_if(p.begin(), p.end(), [](const MTextRun& r) { return r.text.empty() && !r.stack; }),
                p.end());
    return out;
}

namespace {

// A laid-out piece: glyph outlines in drawing units, baseline at y = 0 from x = 0.
struct Piece {
    std::vector<std::vector<AcGePoint2d>> contours;
    double width = 0, height = 0;
    int aci = 256;
    uint32_t rgb = 0;
};

void addLine(const TextLine& l, double sx, double sy, double shear, double dx, double dy,
             std::vector<std::vector<AcGePoint2d>>& out) {
    for (const auto& c : l.contours) {
        auto& o = out.emplace_back();
        o.reserve(c.size());
        for (const auto& p : c) o.push_back({dx + (p.x + shear * p.y) * sx, dy + p.y * sy});
    }
}

Piece layoutRun(FontSet& fonts, const MTextRun& r) {
    Piece pc;
    pc.height = r.height;
    pc.aci = r.aci;
    pc.rgb = r.rgb;
    double sx = r.height * r.widthFactor, shear = std::tan(r.oblique);
    if (!r.stack) {
        TextLine l = layoutLine(fonts, r.text);
        addLine(l, sx, r.height, shear, 0, 0, pc.contours);
        pc.width = l.width * sx;
        return pc;
    }
    // Stacked: both parts at 70% of the height, the upper over the lower about the middle of a capital.
    const double k = 0.7;
    TextLine top = layoutLine(fonts, r.top), bottom = layoutLine(fonts, r.bottom);
    double tw = top.width * sx * k, bw = bottom.width * sx * k;
    if (r.stack == L'#') {
        TextLine slash = layoutLine(fonts, L"/");
        addLine(top, sx * k, r.height * k, shear, 0, r.height * 0.45, pc.contours);
        addLine(slash, sx, r.height, shear, tw, 0, pc.contours);
        addLine(bottom, sx * k, r.height * k, shear, tw + slash.width * sx, -r.height * 0.15, pc.contours);
        pc.width = tw + slash.width * sx + bw;
        return pc;
    }
    double w = std::max(tw, bw);
    addLine(top, sx * k, r.height * k, shear, (w - tw) / 2, r.height * 0.65, pc.contours);
    addLine(bottom, sx * k, r.height * k, shear, (w - bw) / 2, -r.height * 0.45, pc.contours);
    if (r.stack == L'/') {
        double y0 = r.height * 0.5, y1 = r.height * 0.56;
        pc.contours.push_back({{0, y0}, {w, y0}, {w, y1}, {0, y1}});
    }
    pc.width = w;
    return pc;
}

bool wide(wchar_t c) { return c >= 0x2E80; }

// Runs split into words (a break may follow a space and come around wide characters).
std::vector<MTextRun> words(const MTextParagraph& p) {
    std::vector<MTextRun> out;
    for (const MTextRun& r : p) {
        if (r.stack) {
            out.push_back(r);
            continue;
        }
        MTextRun w = r;
        w.text.clear();
        for (wchar_t c : r.text) {
            if (!w.text.empty() && (wide(c) || wide(w.text.back()) || (w.text.back() == L' ' && c != L' '))) {
                out.push_back(w);
                w.text.clear();
            }
            w.text += c;
        }
        if (!w.text.empty()) out.push_back(w);
    }
    return out;
}

}  // namespace

void drawMText(const Pen& pen, FontSet& fonts, const AcDbMText& mtext, uint32_t background) {
    double h = heightOr(mtext.textHeight(), mtext);
    // Lines of laid-out pieces, wrapped at the frame's width when it has one.
    std::vector<std::vector<Piece>> lines;
    for (const MTextParagraph& para : parseMText(mtext.contentsText(), h)) {
        lines.emplace_back();
        double used = 0;
        for (const MTextRun& w : mtext.width() > 0 ? words(para) : para) {
            Piece pc = layoutRun(fonts, w);
            bool space = !w.stack && !w.text.empty() && w.text.find_first_not_of(L' ') == std::wstring::npos;
            if (mtext.width() > 0 && !lines.back().empty() && used + pc.width > mtext.width() * 1.0000001 && !space) {
                lines.emplace_back();
                used = 0;
            }
            used += pc.width;
            lines.back().push_back(std::move(pc));
        }
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (lines.empty()) return;

    AcGeVector3d n = mtext.normal().isZeroLength() ? AcGeVector3d::kZAxis : mtext.normal().normal();
    AcGeVector3d x = mtext.direction().isZeroLength() ? arbitraryXAxis(n) : mtext.direction().normal();
    AcGeMatrix3d frame = AcGeMatrix3d().setCoordSystem(mtext.location(), x, n.crossProduct(x), n);

    int a = static_cast<int>(mtext.attachment()) - 1;
    int col = a >= 0 && a < 9 ? a % 3 : 0, row = a >= 0 && a < 9 ? a / 3 : 0;
    double spacing = kMTextLineSpacing * (mtext.lineSpacingFactor() > 0 ? mtext.lineSpacingFactor() : 1);
    // Baselines: the first a line height under the top, each next one the spacing of its tallest text lower.
    std::vector<double> tall(lines.size(), h), baselines(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].empty()) {
            tall[i] = 0;
            for (const Piece& pc : lines[i]) tall[i] = std::max(tall[i], pc.height);
        }
    baselines[0] = -tall[0];
    for (size_t i = 1; i < lines.size(); ++i) baselines[i] = baselines[i - 1] - spacing * tall[i];
    double total = -baselines.back();
    double top = row == 0 ? 0 : row == 1 ? total / 2 : total;

    // One fill per colour.
    std::vector<std::pair<uint32_t, std::vector<std::vector<AcGePoint2d>>>> byColor;
    for (size_t i = 0; i < lines.size(); ++i) {
        double width = 0;
        for (const Piece& pc : lines[i]) width += pc.width;
        double dx = col == 0 ? 0 : col == 1 ? -width / 2 : -width;
        double y = top + baselines[i];
        for (Piece& pc : lines[i]) {
            uint32_t rgb = pen.color();
            if (pc.aci == -1) rgb = pc.rgb;
            else if (pc.aci >= 1 && pc.aci <= 255) {
                AcCmEntityColor c;
                c.setColorIndex(static_cast<int16_t>(pc.aci));
                rgb = drawnColor(c, background);
            }
            auto it = std::find_if(byColor.begin(), byColor.end(), [&](const auto& b) { return b.first == rgb; });
            if (it == byColor.end()) it = byColor.insert(byColor.end(), {rgb, {}});
            for (auto& c : pc.contours) {
                for (auto& p : c) p = {p.x + dx, p.y + y};
                it->second.push_back(std::move(c));
            }
            dx += pc.width;
        }
    }
    for (const auto& [rgb, contours] : byColor)
        if (!contours.empty()) pen.transformed(frame).withColor(rgb).fill(contours, FillRule::kNonZero);
}

}  // namespace cvx::render
