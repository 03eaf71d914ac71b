#include "editor/commands/metafile.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "render/drawing.h"
#include "render/glyphs.h"
#include "render/sink.h"

namespace cvx::editor::metafile {

namespace {

constexpr const char* kMagic = "CVXMETAFILE";
constexpr size_t kMaxChainPoints = 10'000'000;

// Collects what the renderer draws as chains in metafile units.
class ChainSink : public render::Sink {
public:
    ChainSink(Picture& picture, const AcGePoint2d& upperLeft) : mPicture(picture), mUpperLeft(upperLeft) {}

    double pixelSize() const override { return 0; }
    double viewHeight() const override { return 0; }
    void stroke(const render::Polyline2& pts, bool closed, double, uint32_t) override { add(pts, closed); }
    void fill(const std::vector<render::Polyline2>& loops, render::FillRule, uint32_t) override {
        for (const auto& loop : loops) add(loop, true);
    }
    void dot(const AcGePoint2d& p, uint32_t) override { mPicture.dots.push_back(toUnits(p)); }

private:
    AcGePoint2d toUnits(const AcGePoint2d& p) const {
        return {(p.x - mUpperLeft.x) / kDrawingUnitsPerUnit, (mUpperLeft.y - p.y) / kDrawingUnitsPerUnit};
    }
    void add(const render::Polyline2& pts, bool closed) {
        Chain chain;
        chain.closed = closed;
        for (const auto& p : pts) {
            AcGePoint2d q = toUnits(p);
            if (chain.points.empty() || !chain.points.back().isEqualTo(q)) chain.points.push_back(q);
        }
        // A closed outline that returns to its start point holds that point once.
        if (closed && chain.points.size() > 2 && chain.points.front().isEqualTo(chain.points.back()))
            chain.points.pop_back();
        if (chain.points.size() >= 2) mPicture.chains.push_back(std::move(chain));
    }

    Picture& mPicture;
    AcGePoint2d mUpperLeft;
};

bool finite(const AcGePoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

std::wstring fileName(const std::wstring& typed) {
    size_t dot = typed.find_last_of(L'.'), slash = typed.find_last_of(L"/\\");
    bool hasExtension = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash);
    return hasExtension ? typed : typed + L".wmf";
}

Picture pictureOf(const AcDbDatabase& db, const std::vector<AcDbObjectId>& ids, const AcGePoint2d& upperLeft,
                  double viewWidth, double viewHeight) {
    Picture picture;
    picture.width = viewWidth / kDrawingUnitsPerUnit;
    picture.height = viewHeight / kDrawingUnitsPerUnit;
    render::FontSet fonts;
    ChainSink sink(picture, upperLeft);
    render::drawEntities(db, ids, sink, fonts, 0);
    return picture;
}

bool writePicture(const Picture& picture, const std::string& nativePath, std::wstring& error) {
    FILE* f = std::fopen(nativePath.c_str(), "w");
    if (!f) {
        error = L"cannot be written";
        return false;
    }
    std::fprintf(f, "%s 1\nFRAME %.15g %.15g\n", kMagic, picture.width, picture.height);
    for (const Chain& c : picture.chains) {
        std::fprintf(f, "%s %zu\n", c.closed ? "LOOP" : "LINE", c.points.size());
        for (const auto& p : c.points) std::fprintf(f, "%.15g %.15g\n", p.x, p.y);
    }
    for (const auto& p : picture.dots) std::fprintf(f, "DOT %.15g %.15g\n", p.x, p.y);
    std::fprintf(f, "END\n");
    bool ok = std::ferror(f) == 0;
    if (std::fclose(f) != 0) ok = false;
    if (!ok) error = L"could not be written completely";
    return ok;
}

bool readPicture(const std::string& nativePath, Picture& picture, std::wstring& error) {
    std::ifstream in(nativePath);
    if (!in) {
        error = L"cannot be opened";
        return false;
    }
    picture = Picture();
    std::string line, word;
    int lineNo = 0;
    auto fail = [&](const std::wstring& what) {
        error = L"line " + std::to_wstring(lineNo) + L": " + what;
        return false;
    };
    auto next = [&](std::istringstream& fields) {
        if (!std::getline(in, line)) return false;
        ++lineNo;
        fields.clear();
        fields.str(line);
        return true;
    };
    std::istringstream fields;
    int version = 0;
    if (!next(fields) || !(fields >> word >> version) || word != kMagic || version != 1) {
        error = L"is not a metafile (it does not start with \"CVXMETAFILE 1\")";
        return false;
    }
    while (next(fields)) {
        if (!(fields >> word)) continue;  // blank line
        if (word == "END") return true;
        if (word == "FRAME") {
            if (!(fields >> picture.width >> picture.height) || !(picture.width >= 0) || !(picture.height >= 0))
                return fail(L"FRAME needs a width and a height");
        } else if (word == "DOT") {
            AcGePoint2d p;
            if (!(fields >> p.x >> p.y) || !finite(p)) return fail(L"DOT needs two numbers");
            picture.dots.push_back(p);
        } else if (word == "LOOP" || word == "LINE") {
            size_t n = 0;
            if (!(fields >> n) || n < 2 || n > kMaxChainPoints) return fail(L"a chain needs a count of 2 or more");
            Chain chain;
            chain.closed = word == "LOOP";
            chain.points.reserve(std::min<size_t>(n, 4096));
            for (size_t i = 0; i < n; ++i) {
                AcGePoint2d p;
                if (!next(fields)) return fail(L"the file ends inside a chain");
                if (!(fields >> p.x >> p.y) || !finite(p)) return fail(L"a point needs two numbers");
                chain.points.push_back(p);
            }
            picture.chains.push_back(std::move(chain));
        } else {
            return fail(L"unknown record \"" + std::wstring(word.begin(), word.end()) + L"\"");
        }
    }
    error = L"has no END record (it is cut short)";
    return false;
}

}  // namespace cvx::editor::metafile
