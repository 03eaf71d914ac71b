// Curve services of AcDbCurve. PLACEHOLDER until the curve services are wired to host/curves.
#include "cvx/dbents.h"

Acad::ErrorStatus AcDbCurve::getPlane(AcGePlane&, int&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getStartParam(double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getEndParam(double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getPointAtParam(double, AcGePoint3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getParamAtPoint(const AcGePoint3d&, double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getDistAtParam(double, double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getParamAtDist(double, double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getDistAtPoint(const AcGePoint3d&, double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getPointAtDist(double, AcGePoint3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getFirstDeriv(double, AcGeVector3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getFirstDeriv(const AcGePoint3d&, AcGeVector3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getSecondDeriv(double, AcGeVector3d&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d&, AcGePoint3d&, bool) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d&, const AcGeVector3d&, AcGePoint3d&, bool) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getOffsetCurves(double, AcDbVoidPtrArray&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getOffsetCurvesGivenPlaneNormal(const AcGeVector3d&, double, AcDbVoidPtrArray&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getProjectedCurve(const AcGePlane&, const AcGeVector3d&, AcDbCurve*&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getOrthoProjectedCurve(const AcGePlane&, AcDbCurve*&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getSplitCurves(const AcGeDoubleArray&, AcDbVoidPtrArray&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getSpline(AcDbSpline*&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::getArea(double&) const { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbCurve::reverseCurve() { return Acad::eNotImplementedYet; }
Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity*, int, AcGePoint3dArray&, intptr_t, intptr_t) const { return Acad::eNotImplementedYet; }
