#include "frame/scale_xdata.h"

#include <cwchar>

namespace {
constexpr const ACHAR* kApp = L"CRUVIX";
constexpr const ACHAR* kKey = L"ScaleFactor";
}  // namespace

double getScaleFactorXData(const AcDbEntity* entity) {
    if (!entity) return 1.0;
    resbuf* xdata = entity->xData(kApp);
    double factor = 1.0;
    for (const resbuf* rb = xdata; rb && rb->rbnext; rb = rb->rbnext) {
        const resbuf* next = rb->rbnext;
        if (rb->restype == AcDb::kDxfXdAsciiString && rb->resval.rstring &&
            std::wcscmp(rb->resval.rstring, kKey) == 0 && next->restype == AcDb::kDxfXdScale) {
            factor = next->resval.rreal;
            break;
        }
    }
    acutRelRb(xdata);
    return factor < 0.0001 ? 1.0 : factor;
}

Acad::ErrorStatus setScaleFactorXData(AcDbEntity* entity, double factor) {
    if (!entity) return Acad::eNullEntityPointer;
    acdbRegApp(kApp);
    resbuf* xdata = acutBuildList(AcDb::kDxfRegAppName, kApp, AcDb::kDxfXdAsciiString, kKey, AcDb::kDxfXdScale,
                                  factor, 0);
    Acad::ErrorStatus es = entity->isWriteEnabled() ? Acad::eOk : entity->upgradeOpen();
    if (es == Acad::eOk) es = entity->setXData(xdata);
    acutRelRb(xdata);
    entity->close();
    return es;
}
