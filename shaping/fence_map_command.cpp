#include "shaping/fence_map_command.h"

#include "cvx/dbobject.h"
#include "frame/bilingual.h"
#include "frame/extents.h"
#include "shaping/fence_map.h"
#include "shaping/sample_by_length.h"
#include "shaping/select_curves.h"

namespace {

constexpr double kThinnestBox = 0.001;

// An empty answer (or a word) asks again; a cancel or an editor failure ends the command, so a script that
// runs out cannot keep the prompt going for ever.
bool askAgain(int rc) { return rc == RTNONE || rc == RTKWORD; }

bool askFirstCorner(AcGePoint3d& ucsPoint) {
    for (;;) {
        const int rc = getPointBilingual(nullptr, L"\n请指定左下角点。", L"\nPlease pick point for lower left corner. ",
                                         ucsPoint);
        if (rc == RTNORM) return true;
        if (!askAgain(rc)) return false;
    }
}

bool askSecondCorner(const AcGePoint3d& base, AcGePoint3d& ucsPoint) {
    for (;;) {
        ads_point p = {0, 0, 0};
        const int rc = acedGetCorner(asDblArray(base),
                                     chooseText(L"\n请指定右上角点。", L"\nPlease pick point for right upper corner. "), p);
        if (rc == RTNORM) {
            ucsPoint = asPnt3d(p);
            return true;
        }
        if (!askAgain(rc)) return false;
    }
}

// The source rectangle in world coordinates; asked again while it is too thin. False on a cancel.
bool askBox(FenceBox& box) {
    for (;;) {
        AcGePoint3d first, second;
        if (!askFirstCorner(first) || !askSecondCorner(first, second)) return false;
        ucsToWcs(first);
        ucsToWcs(second);
        box = fenceBoxFromCorners(first, second);
        if (box.height() < kThinnestBox) {
            printBilingual(L"\n矩形高度不能小于0.001。", L"\nBox height cannot less than 0.001.");
            continue;
        }
        if (box.width() < kThinnestBox) {
            printBilingual(L"\n矩形宽度不能小于0.001。", L"\nBox width cannot less than 0.001.");
            continue;
        }
        return true;
    }
}

// One fence curve picked by the user; false (with the message printed) when nothing was picked.
bool pickFenceCurve(const ACHAR* cn, const ACHAR* en, AcDbObjectId& id) {
    ads_name entity;
    AcGePoint3d at;
    if (entSelBilingual(cn, en, entity, at) != RTNORM || acdbGetObjectId(id, entity) != Acad::eOk) {
        printBilingual(L"\n没有选择任何对象。", L"\nSelected nothing.");
        return false;
    }
    return true;
}

// Maps every collected curve into the fence; the fence curves are open for read.
void mapAll(const AcDbObjectIdArray& ids, const FenceBox& box, const FenceCurves& fence) {
    const double reference = fenceReferenceLength(fenceEndsOf(fence));
    for (int i = 0; i < ids.length(); ++i) {
        AcDbObjectPointer<AcDbCurve> curve(ids[i], AcDb::kForRead);
        if (!curve) continue;
        mapCurveToFence(fenceSampleCount(curveLengthAlong(curve.object()), reference), box, curve.object(), fence);
    }
}

}  // namespace

void plmap4Command() {
    AcDbObjectIdArray ids;
    if (!selectCurves(ids, L"\n请选择将被投影的曲线>")) return;
    FenceBox box;
    if (!askBox(box)) return;
    AcDbObjectId picked[4];
    if (!pickFenceCurve(L"\n请选择第一条曲线(上): ", L"\nPlease select the first curve(top): ", picked[0]) ||
        !pickFenceCurve(L"\n请选择第二条曲线(下): ", L"\nPlease select the second curve(bottom): ", picked[1]) ||
        !pickFenceCurve(L"\n请选择第三条曲线(左): ", L"\nPlease select the 3nd curve(left): ", picked[2]) ||
        !pickFenceCurve(L"\n请选择第四条曲线(右): ", L"\nPlease select the 4th curve(right): ", picked[3]))
        return;
    AcDbObjectPointer<AcDbEntity> opened[4];
    AcDbCurve* curves[4] = {};
    for (int k = 0; k < 4; ++k) {
        if (opened[k].open(picked[k], AcDb::kForRead) != Acad::eOk) return;
        curves[k] = AcDbCurve::cast(opened[k].object());
    }
    for (AcDbCurve* c : curves) {
        if (!c) {
            printBilingual(L"\n错误：选择的不是曲线。", L"\nError: not a curve selected.");
            return;
        }
    }
    const FenceCurves fence{curves[0], curves[1], curves[2], curves[3]};
    orientFence(fence);
    mapAll(ids, box, fence);
}
