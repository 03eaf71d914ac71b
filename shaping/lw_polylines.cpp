#include "shaping/lw_polylines.h"

#include "frame/append.h"
#include "frame/type_selection.h"

AcDbObjectId selectOneLwPolyline(const ACHAR* cn, const ACHAR* en) {
    printBilingual(cn, en);
    // The filter names the type twice, as an "or" of one: the selection accepts it like any other type list.
    const AcDbObjectId id = pickOneByTypes({L"LWPOLYLINE", L"LWPOLYLINE"});
    if (id.isNull()) printBilingual(L"没有选择多段线。\n", L"No LWPOLYLINE selected.\n");
    return id;
}

LwVertices readLwVertices(const AcDbPolyline& polyline) {
    LwVertices shape;
    shape.closed = polyline.isClosed();
    for (unsigned int i = 0; i < polyline.numVerts(); ++i) {
        AcGePoint3d p;
        double bulge = 0;
        polyline.getPointAt(i, p);
        polyline.getBulgeAt(i, bulge);
        shape.points.push_back(p);
        shape.bulges.push_back(bulge);
    }
    return shape;
}

bool addLwPolyline(const LwVertices& shape) {
    const size_t n = shape.points.size();
    if (n < 2 || shape.bulges.size() < n) return false;
    AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
    auto* polyline = new AcDbPolyline(static_cast<unsigned int>(n));
    polyline->setDatabaseDefaults(database);  // the current layer and colour
    for (unsigned int i = 0; i < n; ++i)
        polyline->addVertexAt(i, AcGePoint2d(shape.points[i].x, shape.points[i].y));
    for (unsigned int i = 0; i < n; ++i) polyline->setBulgeAt(i, shape.bulges[i]);
    polyline->setElevation(shape.points[0].z);
    if (shape.closed) polyline->setClosed(true);
    AcDbObjectId id;
    if (appendBesideEntity(database, polyline, AcDbObjectId(), id) == Acad::eOk) return true;
    delete polyline;
    return false;
}
