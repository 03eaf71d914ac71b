// CHBJ: the boundaries of the selected hatches drawn as red entities in the current space.
#include "frame/append.h"
#include "frame/bilingual.h"
#include "polyline/commands.h"
#include "polyline/hatch_boundary.h"
#include "polyline/selection.h"

namespace {

void addPieces(std::vector<BoundaryPiece> pieces) {
    for (BoundaryPiece& p : pieces) {
        if (p.failure == BoundaryPiece::Failure::kEllipse) {
            printBilingual(L"\n创建椭圆失败。", L"\nFailed to create an ellipse.");
        } else if (p.failure == BoundaryPiece::Failure::kSpline) {
            printBilingual(L"\n创建样条曲线失败。", L"\nFailed to create a spline.");
        } else if (p.entity) {
            AcDbObjectId id;
            if (appendToWorkingSpace(p.entity.get(), id) == Acad::eOk) p.entity.release();
        }
    }
}

}  // namespace

void chbjCommand() {
    TypedSelection selection({L"HATCH"}, {nullptr, nullptr}, {L"\n没有选择填充图案！", L"\nNo hatch entities selected!"});
    if (!selection.ok()) return;
    for (AcDbObjectId id : selection.ids()) {
        std::vector<BoundaryPiece> pieces;
        {
            AcDbObjectPointer<AcDbHatch> hatch(id, AcDb::kForRead);
            if (!hatch) continue;
            pieces = hatchBoundaryPieces(hatch.object());
        }
        addPieces(std::move(pieces));
    }
}
