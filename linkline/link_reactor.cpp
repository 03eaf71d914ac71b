#include "linkline/link_reactor.h"

#include "linkline/link_follow.h"

namespace {

AcRxClass* gClass = nullptr;

AcRxObject* makeLinkLineToNotify() { return new LinkLineToNotify; }

// The shape a notification is about: a curve, but not a spline (link lines themselves are splines).
const AcDbCurve* watchedShape(const AcDbObject* obj) {
    const AcDbCurve* curve = AcDbCurve::cast(obj);
    return curve && !AcDbSpline::cast(obj) ? curve : nullptr;
}

bool extentsOf(const AcDbCurve* shape, AcDbExtents& extents) { return shape->getGeomExtents(extents) == Acad::eOk; }

}  // namespace

AcRxClass* LinkLineToNotify::desc() {
    if (!gClass) gClass = static_cast<AcRxClass*>(acrxClassDictionary()->at(L"LinkLineToNotify"));
    return gClass;
}

AcRxClass* LinkLineToNotify::isA() const { return desc(); }

LinkLineToNotify::LinkLineToNotify() : mSplines(0, 8) {}

LinkLineToNotify::~LinkLineToNotify() = default;

Acad::ErrorStatus LinkLineToNotify::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    AcDbObject::dwgInFields(filer);
    return filer->filerStatus();
}

Acad::ErrorStatus LinkLineToNotify::dwgOutFields(AcDbDwgFiler* filer) const {
    AcDbObject::dwgOutFields(filer);
    return filer->filerStatus();
}

Acad::ErrorStatus LinkLineToNotify::dxfInFields(AcDbDxfFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return filer->filerStatus();
}

Acad::ErrorStatus LinkLineToNotify::dxfOutFields(AcDbDxfFiler* filer) const {
    AcDbObject::dxfOutFields(filer);
    return filer->filerStatus();
}

void LinkLineToNotify::openedForModify(const AcDbObject* obj) {
    const AcDbCurve* shape = watchedShape(obj);
    AcDbExtents extents;
    if (!shape || !extentsOf(shape, extents)) return;
    mMidpoints = sideMidpointsOf(extents);
    mSplines = splinesAround(extents);
}

void LinkLineToNotify::modified(const AcDbObject* obj) {
    const AcDbCurve* shape = watchedShape(obj);
    AcDbExtents extents;
    if (!shape || !extentsOf(shape, extents)) return;
    followLinkedShape(mMidpoints, sideMidpointsOf(extents), mSplines);
}

void registerLinkLineClass() {
    AcRxObject* registered = acrxClassDictionary()->at(L"LinkLineToNotify");
    if (gClass && registered && registered != gClass) acrx_abort(L"Class mismatch");
    if (gClass && registered == gClass) return;
    gClass = newAcRxClass(L"LinkLineToNotify", L"AcDbObject", 29, 63, 0, &makeLinkLineToNotify,
                          L"LinkLineToNotify", L"persreac");
}

void unregisterLinkLineClass() {
    deleteAcRxClass(LinkLineToNotify::desc());
    gClass = nullptr;
}
