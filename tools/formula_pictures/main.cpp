// Draws the picture of every formula curve row: the row's curve at its default parameters, at the origin,
// as a polyline, rendered dark on light to <folder>/<picture id>.png. Space curves are seen from the
// south-east and above, as a plan view would hide their shape. Pictures are square, the shape of the place
// the formula dialog shows them in.
//   formula_pictures <folder>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "cvx/arx.h"
#include "cvx/render.h"
#include "formula/catalogue.h"
#include "formula/generator.h"
#include "formula/output_mode.h"

namespace {

constexpr int kPictureSide = 300;  // pixels

// Turns the view direction (1, -1, 1) into the picture's line of sight, Z pointing up the picture.
void turnSpaceCurvesToIsometric(const AcDbObjectIdArray& ids) {
    const AcGeMatrix3d view = AcGeMatrix3d::rotation(-std::atan(std::sqrt(2.0)), {1, 0, 0}) *
                              AcGeMatrix3d::rotation(-M_PI / 4, {0, 0, 1});
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDb3dPolyline> curve(id, AcDb::kForWrite);
        if (curve) curve->transformBy(view);
    }
}

bool drawPicture(int row, const std::filesystem::path& folder) {
    auto db = std::make_unique<AcDbDatabase>(true);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    AcDbObjectIdArray ids = drawFormulaCurve(row, AcGePoint3d::kOrigin, formulaArguments(row, formulaDefaults(row)));
    turnSpaceCurvesToIsometric(ids);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    if (ids.isEmpty()) {
        std::fprintf(stderr, "formula_pictures: row %d drew nothing\n", row + 1);
        return false;
    }
    cvx::RenderOptions options;
    options.width = kPictureSide;
    options.height = kPictureSide;
    options.margin = 0.08;
    options.background = 0xFFFFFF;
    options.lineWidth = 1;
    const std::string path = (folder / (std::to_string(englishFormulaCatalogue()[row].pictureId) + ".png")).string();
    std::string error;
    if (!cvxRenderToPng(db.get(), options, path, &error)) {
        std::fprintf(stderr, "formula_pictures: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: formula_pictures <folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "formula_pictures: cannot make %s: %s\n", argv[1], ec.message().c_str());
        return 1;
    }
    setSplineOutput(false);
    bool ok = true;
    for (int row = 0; row < kFormulaRowCount; ++row) ok = drawPicture(row, folder) && ok;
    return ok ? 0 : 1;
}
