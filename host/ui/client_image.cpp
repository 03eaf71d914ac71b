// The client area as a picture: what the dialog drew on its face, then its controls in a plain flat style.
// Texts are filled glyph outlines (Latin and Chinese fonts), as the drawing renderer makes them.
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "cvx/image.h"
#include "render/text.h"
#include "ui/dialog_state.h"

namespace cvx::ui {
namespace {

constexpr double kCap = 8;          // cap height of control texts in pixels
constexpr double kLineHeight = 15;  // label lines and list rows
constexpr double kBox = 13;         // check boxes and radio buttons

struct Rgb {
    double r, g, b;
};
constexpr Rgb kInk{0.1, 0.1, 0.1}, kGreyInk{0.6, 0.6, 0.6}, kWhite{1, 1, 1}, kBorder{0.48, 0.48, 0.48},
    kButton{0.88, 0.88, 0.88}, kAccent{0, 0.47, 0.84}, kFace{0.94, 0.94, 0.94}, kChannel{0.84, 0.84, 0.84};

render::FontSet& fonts() {
    static render::FontSet set;
    return set;
}

void setColor(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

double textWidth(const std::wstring& text) { return render::layoutLine(fonts(), text).width * kCap; }

void drawText(cairo_t* cr, const std::wstring& text, double x, double baseline, Rgb color) {
    render::TextLine line = render::layoutLine(fonts(), text);
    cairo_save(cr);
    cairo_translate(cr, x, baseline);
    cairo_scale(cr, kCap, -kCap);
    for (const auto& contour : line.contours) {
        if (contour.empty()) continue;
        cairo_move_to(cr, contour[0].x, contour[0].y);
        for (const auto& p : contour) cairo_line_to(cr, p.x, p.y);
        cairo_close_path(cr);
    }
    cairo_restore(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    setColor(cr, color);
    cairo_fill(cr);
}

// Baseline that centres a line of text vertically between top and bottom.
double centredBaseline(double top, double bottom) { return (top + bottom) / 2 + kCap / 2; }

void box(cairo_t* cr, double x, double y, double w, double h, Rgb fill, Rgb edge) {
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    setColor(cr, fill);
    cairo_fill_preserve(cr);
    setColor(cr, edge);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Splits a label into lines that fit the width: at blanks, or between Chinese characters.
std::vector<std::wstring> wrap(const std::wstring& text, double width) {
    std::vector<std::wstring> pieces;
    for (wchar_t c : text) {
        bool wide = c >= 0x2E80;
        if (pieces.empty() || wide || c == L'\n' || (pieces.back().size() && (pieces.back().back() == L' ' ||
                                                                              pieces.back().back() >= 0x2E80)))
            pieces.emplace_back();
        pieces.back() += c;
    }
    std::vector<std::wstring> lines(1);
    for (const std::wstring& p : pieces) {
        if (p == L"\n") {
            lines.emplace_back();
            continue;
        }
        if (!lines.back().empty() && textWidth(lines.back() + p) > width) lines.emplace_back();
        lines.back() += lines.back().empty() && p[0] == L' ' ? p.substr(1) : p;
    }
    return lines;
}

void drawLabel(cairo_t* cr, const Window& w, Rgb ink) {
    double y = w.rect.top + kCap + 2;
    for (const std::wstring& line : wrap(w.text, w.width())) {
        double x = w.rect.left, width = textWidth(line);
        if (w.style & SS_CENTER) x += (w.width() - width) / 2;
        else if (w.style & SS_RIGHT) x += w.width() - width;
        drawText(cr, line, x, y, ink);
        y += kLineHeight;
    }
}

void drawCheck(cairo_t* cr, const Window& w, Rgb ink) {
    double cy = (w.rect.top + w.rect.bottom) / 2.0, x = w.rect.left;
    if (w.kind == CvxControl::CheckBox) {
        box(cr, x, cy - kBox / 2, kBox, kBox, kWhite, kBorder);
        if (w.check == BST_CHECKED) {
            cairo_move_to(cr, x + 3, cy);
            cairo_line_to(cr, x + 5.5, cy + 3);
            cairo_line_to(cr, x + 10, cy - 3.5);
            cairo_set_line_width(cr, 1.8);
            setColor(cr, ink);
            cairo_stroke(cr);
        }
    } else {
        cairo_arc(cr, x + kBox / 2, cy, kBox / 2 - 0.5, 0, 6.2832);
        setColor(cr, kWhite);
        cairo_fill_preserve(cr);
        setColor(cr, kBorder);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        if (w.check == BST_CHECKED) {
            cairo_arc(cr, x + kBox / 2, cy, 3.2, 0, 6.2832);
            setColor(cr, ink);
            cairo_fill(cr);
        }
    }
    drawText(cr, w.text, x + kBox + 5, centredBaseline(w.rect.top, w.rect.bottom), ink);
}

void drawSlider(cairo_t* cr, const Window& w) {
    double left = w.rect.left + 6, right = w.rect.right - 6, cy = w.rect.top + std::min(w.height() / 2.0, 12.0);
    box(cr, left, cy - 2, right - left, 4, kChannel, kChannel);
    double span = std::max(w.high - w.low, 1);
    auto xAt = [&](int v) { return left + (right - left) * (v - w.low) / span; };
    if (w.ticFrequency > 0 && (w.high - w.low) / w.ticFrequency <= 200) {
        for (int v = w.low; v <= w.high; v += w.ticFrequency) {
            cairo_move_to(cr, std::floor(xAt(v)) + 0.5, cy + 11);
            cairo_line_to(cr, std::floor(xAt(v)) + 0.5, cy + 15);
        }
        setColor(cr, kBorder);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    double x = xAt(w.pos);
    cairo_rectangle(cr, x - 4, cy - 9, 8, 18);
    setColor(cr, w.enabled ? kAccent : kGreyInk);
    cairo_fill(cr);
}

void drawRows(cairo_t* cr, const Window& w, Rgb ink) {
    box(cr, w.rect.left, w.rect.top, w.width(), w.height(), w.enabled ? kWhite : kFace, kBorder);
    int visible = std::max(1, static_cast<int>((w.height() - 2) / kLineHeight));
    int first = w.selection >= visible ? w.selection - visible + 1 : 0;
    for (int i = first; i < static_cast<int>(w.items.size()) && i < first + visible; ++i) {
        double top = w.rect.top + 1 + (i - first) * kLineHeight;
        bool chosen = i == w.selection;
        if (chosen) {
            cairo_rectangle(cr, w.rect.left + 1, top, w.width() - 2, kLineHeight);
            setColor(cr, kAccent);
            cairo_fill(cr);
        }
        drawText(cr, w.items[i], w.rect.left + 4, centredBaseline(top, top + kLineHeight), chosen ? kWhite : ink);
    }
}

void drawControl(cairo_t* cr, const Window& w) {
    Rgb ink = w.enabled ? kInk : kGreyInk;
    double x = w.rect.left, y = w.rect.top, cx = w.width(), cy = w.height();
    cairo_save(cr);
    cairo_rectangle(cr, x, y, cx, cy);
    cairo_clip(cr);
    switch (w.kind) {
    case CvxControl::PushButton:
    case CvxControl::DefPushButton:
        box(cr, x, y, cx, cy, kButton, w.kind == CvxControl::DefPushButton ? kAccent : kBorder);
        drawText(cr, w.text, x + (cx - textWidth(w.text)) / 2, centredBaseline(y, y + cy), ink);
        break;
    case CvxControl::CheckBox:
    case CvxControl::RadioButton: drawCheck(cr, w, ink); break;
    case CvxControl::Label: drawLabel(cr, w, ink); break;
    case CvxControl::GroupBox: {
        double top = y + kCap / 2 + 1;
        cairo_rectangle(cr, x + 0.5, top + 0.5, cx - 1, cy - (top - y) - 1);
        setColor(cr, kChannel);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        if (!w.text.empty()) {
            cairo_rectangle(cr, x + 6, y, textWidth(w.text) + 6, kCap + 4);
            setColor(cr, kFace);
            cairo_fill(cr);
            drawText(cr, w.text, x + 9, y + kCap + 1, ink);
        }
        break;
    }
    case CvxControl::Edit:
    case CvxControl::NumericEdit:
        box(cr, x, y, cx, cy, w.enabled ? kWhite : kFace, kBorder);
        drawText(cr, w.text, x + 4, centredBaseline(y, y + cy), ink);
        break;
    case CvxControl::ComboBox: {
        box(cr, x, y, cx, cy, w.enabled ? kWhite : kFace, kBorder);
        drawText(cr, w.text, x + 4, centredBaseline(y, y + cy), ink);
        double ax = x + cx - 10, ay = y + cy / 2;
        cairo_move_to(cr, ax - 4, ay - 2);
        cairo_line_to(cr, ax + 4, ay - 2);
        cairo_line_to(cr, ax, ay + 3);
        cairo_close_path(cr);
        setColor(cr, ink);
        cairo_fill(cr);
        break;
    }
    case CvxControl::Slider: drawSlider(cr, w); break;
    case CvxControl::ListBox: drawRows(cr, w, ink); break;
    case CvxControl::Picture: break;  // copied from its own area
    }
    cairo_restore(cr);
}

}  // namespace
}  // namespace cvx::ui

using namespace cvx::ui;

BOOL CDialog::RenderClient(CImage& image) {
    DialogState& s = *m_state;
    if (!s.created || !s.self.canvas || s.self.canvas->IsNull()) return FALSE;
    int w = s.self.width(), h = s.self.height();
    if (!image.Create(w, -h, 32)) return FALSE;
    HDC dc = image.GetDC();
    s.self.canvas->BitBlt(dc, 0, 0);
    for (auto& c : s.controls)
        if (c->visible && c->canvas) c->canvas->BitBlt(dc, c->rect.left, c->rect.top);
    image.ReleaseDC();

    cairo_surface_t* surface = cairo_image_surface_create_for_data(static_cast<unsigned char*>(image.GetBits()),
                                                                   CAIRO_FORMAT_RGB24, w, h, image.GetPitch());
    cairo_t* cr = cairo_create(surface);
    for (auto& c : s.controls)
        if (c->visible) drawControl(cr, *c);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    return TRUE;
}
