// autotrace: traces the dark parts of a picture into a drawing file, for the vectoriser's quick mode.
//   autotrace <picture.bmp> -color-count 2 -output-format dxf -output-file <trace.dxf>
// The picture is split into dark and light pixels at mid brightness; each outline of a dark region (and of
// a hole in one) becomes a closed lightweight polyline in pixel units, upright, and a frame polyline runs
// round the whole picture. The drawing file is written atomically.
// Exit status: 0 traced, 1 the picture could not be read or the file not written, 2 a wrong command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "cvx/arx.h"
#include "cvx/dbents.h"
#include "cvx/image.h"
#include "cvx/wide.h"
#include "trace.h"

namespace {

constexpr int kDarkBelow = 128;  // brightness 0..255

int usage() {
    std::fprintf(stderr,
                 "usage: autotrace <picture.bmp> -color-count 2 -output-format dxf -output-file <trace.dxf>\n");
    return 2;
}

bool readPicture(const std::string& path, TwoColourPicture& picture) {
    CImage image;
    if (FAILED(image.Load(cvxFromUtf8(path).c_str())))
        return false;
    picture.width = image.GetWidth();
    picture.height = image.GetHeight();
    picture.dark.resize(static_cast<size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const COLORREF c = image.GetPixel(x, y);
            const int brightness = (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000;
            picture.dark[static_cast<size_t>(y) * picture.width + x] = brightness < kDarkBelow;
        }
    return true;
}

void addOutline(AcDbBlockTableRecord& space, AcDbDatabase& db, const TraceOutline& outline) {
    auto* pl = new AcDbPolyline;
    pl->setDatabaseDefaults(&db);
    for (const TracePoint& p : outline)
        pl->addVertexAt(pl->numVerts(), AcGePoint2d(p.x, p.y));
    pl->setClosed(true);
    if (space.appendAcDbEntity(pl) != Acad::eOk) {
        delete pl;
        return;
    }
    pl->close();
}

bool writeDrawing(const std::string& path, const TwoColourPicture& picture,
                  const std::vector<TraceOutline>& outlines) {
    AcDbDatabase db(true);
    {
        AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForWrite);
        if (!space)
            return false;
        for (const TraceOutline& outline : outlines)
            addOutline(*space.object(), db, outline);
        const double w = picture.width, h = picture.height;
        addOutline(*space.object(), db, {{0, 0}, {w, 0}, {w, h}, {0, h}});
    }
    if (db.dxfOut(cvxFromUtf8(path).c_str()) != Acad::eOk) {
        std::fprintf(stderr, "autotrace: %s\n", cvxToUtf8(db.lastErrorText()).c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 8 || std::strcmp(argv[2], "-color-count") != 0 || std::strcmp(argv[3], "2") != 0 ||
        std::strcmp(argv[4], "-output-format") != 0 || std::strcmp(argv[5], "dxf") != 0 ||
        std::strcmp(argv[6], "-output-file") != 0)
        return usage();
    const std::string input = argv[1], output = argv[7];
    TwoColourPicture picture;
    if (!readPicture(input, picture)) {
        std::fprintf(stderr, "autotrace: cannot read the picture %s\n", input.c_str());
        return 1;
    }
    std::vector<TraceOutline> outlines;
    std::string error;
    if (!traceOutlines(picture, outlines, error)) {
        std::fprintf(stderr, "autotrace: %s: %s\n", input.c_str(), error.c_str());
        return 1;
    }
    if (!writeDrawing(output, picture, outlines))
        return 1;
    std::printf("autotrace: %zu outlines written to %s\n", outlines.size(), output.c_str());
    return 0;
}
