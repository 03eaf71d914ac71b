#include "render/glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include "render/flatten.h"

namespace cvx::render {

namespace {

const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
};
constexpr double kOutlineTolerance = 0.002;  // cap heights

struct Face {
    FT_Face face = nullptr;
    double capHeight = 1;  // font units
};

struct OutlineBuilder {
    std::vector<std::vector<AcGePoint2d>> contours;
    double unit;  // font units per cap height
    AcGePoint2d at(const FT_Vector* v) const { return {v->x / unit, v->y / unit}; }
};

int moveTo(const FT_Vector* to, void* user) {
    auto* b = static_cast<OutlineBuilder*>(user);
    b->contours.push_back({b->at(to)});
    return 0;
}

int lineTo(const FT_Vector* to, void* user) {
    auto* b = static_cast<OutlineBuilder*>(user);
    b->contours.back().push_back(b->at(to));
    return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* b = static_cast<OutlineBuilder*>(user);
    AcGePoint2d c[3] = {b->contours.back().back(), b->at(control), b->at(to)};
    appendBezier(b->contours.back(), c, 2, kOutlineTolerance);
    return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* b = static_cast<OutlineBuilder*>(user);
    AcGePoint2d c[4] = {b->contours.back().back(), b->at(c1), b->at(c2), b->at(to)};
    appendBezier(b->contours.back(), c, 3, kOutlineTolerance);
    return 0;
}

// The cap height from the outline of 'H', else 70% of the em.
double capHeightOf(FT_Face face) {
    FT_UInt h = FT_Get_Char_Index(face, 'H');
    if (h && FT_Load_Glyph(face, h, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0 &&
        face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_BBox box;
        FT_Outline_Get_CBox(&face->glyph->outline, &box);
        if (box.yMax > 0) return double(box.yMax);
    }
    return 0.7 * face->units_per_EM;
}

}  // namespace

struct FontSet::Impl {
    FT_Library lib = nullptr;
    std::vector<Face> faces;
};

FontSet::FontSet() : mImpl(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&mImpl->lib) != 0) return;
    for (const char* file : kFontFiles) {
        FT_Face face;
        if (FT_New_Face(mImpl->lib, file, 0, &face) != 0) continue;
        if (!FT_IS_SCALABLE(face)) {
            FT_Done_Face(face);
            continue;
        }
        mImpl->faces.push_back({face, capHeightOf(face)});
    }
}

FontSet::~FontSet() {
    for (auto& f : mImpl->faces) FT_Done_Face(f.face);
    if (mImpl->lib) FT_Done_FreeType(mImpl->lib);
}

bool FontSet::hasFonts() const { return !mImpl->faces.empty(); }

double FontSet::descent() const {
    if (mImpl->faces.empty()) return 0.3;
    const Face& f = mImpl->faces.front();
    return -f.face->descender / f.capHeight;
}

const Glyph& FontSet::glyph(char32_t c) {
    auto found = mCache.find(c);
    if (found != mCache.end()) return found->second;
    Glyph& g = mCache[c];
    if (mImpl->faces.empty()) return g;

    const Face* face = &mImpl->faces.front();
    FT_UInt index = 0;
    for (const Face& f : mImpl->faces) {
        if ((index = FT_Get_Char_Index(f.face, c)) != 0) {
            face = &f;
            break;
        }
    }
    if (FT_Load_Glyph(face->face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
        return g;
    g.advance = face->face->glyph->advance.x / face->capHeight;
    if (face->face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return g;

    OutlineBuilder builder{{}, face->capHeight};
    FT_Outline_Funcs funcs{};
    funcs.move_to = moveTo;
    funcs.line_to = lineTo;
    funcs.conic_to = conicTo;
    funcs.cubic_to = cubicTo;
    if (FT_Outline_Decompose(&face->face->glyph->outline, &funcs, &builder) == 0)
        g.contours = std::move(builder.contours);
    return g;
}

}  // namespace cvx::render
