#include "vectorize/vectorize_image.h"

#include <cmath>
#include <string>

#include "cvx/progress.h"
#include "frame/append.h"
#include "frame/bilingual.h"
#include "polyline/smooth.h"
#include "vectorize/color_regions.h"

namespace {

// A cancelled or empty answer asks both again; this many rounds without answers (a script that ran out of
// them answers every prompt with a cancel) end the run with nothing placed.
constexpr int kPlacementRounds = 10;
constexpr int kAcceptNoZeroNoNegative = 2 | 4;

// Asks for the origin, then the height from it, until both are answered.
void askPlacement(VectorizePlacement& placement) {
    for (int round = 0; round < kPlacementRounds; ++round) {
        AcGePoint3d origin;
        if (getPointBilingual(nullptr, L"\n请指定原点>>", L"\nPlease specify the origin>>", origin) != RTNORM)
            continue;
        const ads_point base = {origin.x, origin.y, origin.z};
        double height = 0;
        acedInitGet(kAcceptNoZeroNoNegative, nullptr);  // a picture needs a height above zero
        if (getDistBilingual(base, L"\n请指定高度>>", L"\nPlease specify the height>>", height) != RTNORM)
            continue;
        placement.origin = origin;
        placement.height = height;
        placement.done = true;
        return;
    }
}

}  // namespace

void makeRegionPolyline(AcDbBlockTableRecord* block, const PixelChain& chain, int optimization) {
    if (chain.size() < 2) return;
    auto* polyline = new AcDbPolyline;
    for (const POINT& p : chain)
        polyline->addVertexAt(polyline->numVerts(), AcGePoint2d(p.x, p.y), 0, -1, -1);
    polyline->setElevation(0);
    polyline->setConstantWidth(0);
    polyline->setClosed(true);
    AcDbObjectId id;
    if (block->appendAcDbEntity(id, polyline) != Acad::eOk) {
        delete polyline;
        return;
    }
    polyline->close();
    if (optimization < 1) return;
    AcDbObjectPointer<AcDbPolyline> reopened(id, AcDb::kForWrite);
    if (!reopened) return;
    AcDbExtents extents;
    reopened->getGeomExtents(extents);
    const double size = std::fabs(extents.maxPoint().x - extents.minPoint().x) +
                        std::fabs(extents.maxPoint().y - extents.minPoint().y);
    AcDbObjectId smoothed;
    smoothPolyline(smoothed, block, reopened.object(), size, optimization);
}

void placePictureReference(AcDbBlockReference& reference, const AcGePoint3d& origin, double height, int imageHeight) {
    const double s = imageHeight > 0 ? height / imageHeight : 1.0;
    reference.setPosition(AcGePoint3d(origin.x, origin.y + height, origin.z));
    reference.setRotation(0);
    reference.setScaleFactors(AcGeScale3d(s, -s, s));
}

void vectorizeImage(const CImage& image, const VectorizeSettings& settings, VectorizeView& view,
                    VectorizePlacement& placement) {
    const int w = image.GetWidth(), h = image.GetHeight();
    LabelGrid grid(w, h);
    view.showStatus(L"Begin makeColorRegion....");
    const int regions = makeColorRegion(image, grid, kRegionColorLimit);

    AcDbBlockTableRecord* block = nullptr;
    AcDbObjectId blockId;
    if (!newAnonymousBlock(acdbHostApplicationServices()->workingDatabase(), block, blockId)) return;
    block->setOrigin(AcGePoint3d(0, 0, 0));
    const std::vector<RegionStart> starts = regionStarts(grid, regions);
    cvxProgressBegin(L"Tracing regions:", regions);
    for (int label = 0; label < regions; ++label) {
        cvxProgressStep(label + 1);
        view.showStatus((L"Begin findRegionOutline..." + std::to_wstring(label)).c_str());
        PixelChain chain;
        traceRegionBoundaryFrom(label, starts[static_cast<size_t>(label)], grid, chain);
        if (static_cast<int>(chain.size()) < settings.clutter) continue;
        for (const POINT& p : chain)
            view.markPreviewPixel(static_cast<int>(p.x * settings.previewScale),
                                  static_cast<int>(p.y * settings.previewScale));
        makeRegionPolyline(block, chain, settings.optimization);
    }
    block->close();
    cvxProgressEnd();

    view.beginEditor();
    askPlacement(placement);
    view.completeEditor();
    if (placement.done) {
        auto* reference = new AcDbBlockReference(AcGePoint3d(), blockId);
        placePictureReference(*reference, placement.origin, placement.height, h);
        AcDbObjectId referenceId;
        if (appendToWorkingSpace(reference, referenceId) != Acad::eOk) delete reference;
    }
    view.showStatus(L"OK");
}
