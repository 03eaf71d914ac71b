// Entities: the drawable objects of a block (model space, paper space, block definitions).
#pragma once

#include <string>
#include <vector>

#include "cvx/color.h"
#include "cvx/dbmain.h"

class AcDbSpline;
class AcDb2dPolyline;
class AcGeCurve2d;

// An axis-aligned box in world coordinates; empty until the first point is added.
class AcDbExtents {
public:
    AcDbExtents() = default;
    AcDbExtents(const AcGePoint3d& a, const AcGePoint3d& b) { addPoint(a); addPoint(b); }
    AcGePoint3d minPoint() const { return mMin; }
    AcGePoint3d maxPoint() const { return mMax; }
    bool isValid() const { return mMin.x <= mMax.x; }
    Acad::ErrorStatus set(const AcGePoint3d& mn, const AcGePoint3d& mx);
    void addPoint(const AcGePoint3d& p);
    void addExt(const AcDbExtents& e);
    void expandBy(const AcGeVector3d& v);
    void transformBy(const AcGeMatrix3d& m);  // the box of the transformed box's corners

private:
    AcGePoint3d mMin{1e300, 1e300, 1e300}, mMax{-1e300, -1e300, -1e300};
};

struct AcGeScale3d {
    double sx = 1, sy = 1, sz = 1;
    AcGeScale3d() = default;
    explicit AcGeScale3d(double s) : sx(s), sy(s), sz(s) {}
    AcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}
    double operator[](int i) const { return i == 0 ? sx : i == 1 ? sy : sz; }
};

class AcDbEntity : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);

    AcDbObjectId blockId() const { return ownerId(); }
    // Layer: the name of the entity's layer record ("0" when it has none yet).
    const ACHAR* layer() const;
    AcDbObjectId layerId() const { return mLayer; }
    // Sets the layer by name, from the entity's database or else the working database.
    Acad::ErrorStatus setLayer(const ACHAR* name, bool doSubents = true);
    Acad::ErrorStatus setLayer(AcDbObjectId layerId, bool doSubents = true);
    AcCmColor color() const { return mColor; }
    Acad::ErrorStatus setColor(const AcCmColor& c, bool doSubents = true);
    int16_t colorIndex() const { return mColor.colorIndex(); }
    Acad::ErrorStatus setColorIndex(int16_t aci, bool doSubents = true);
    AcDbObjectId linetypeId() const { return mLinetype; }
    const ACHAR* linetype() const;
    Acad::ErrorStatus setLinetype(const ACHAR* name, bool doSubents = true);
    Acad::ErrorStatus setLinetype(AcDbObjectId id, bool doSubents = true);
    double linetypeScale() const { return mLtScale; }
    Acad::ErrorStatus setLinetypeScale(double s, bool doSubents = true);
    int16_t lineWeight() const { return mLineWeight; }
    Acad::ErrorStatus setLineWeight(int16_t w, bool doSubents = true);
    AcDb::Visibility visibility() const { return mVisible ? AcDb::kVisible : AcDb::kInvisible; }
    Acad::ErrorStatus setVisibility(AcDb::Visibility v, bool doSubents = true);
    bool isInPaperSpace() const { return mPaperSpace; }
    void setInPaperSpace(bool p) { mPaperSpace = p; }
    // Layer, colour, linetype, scale, weight and visibility of another entity.
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* other, bool doSubents = true);
    // Current layer, colour and linetype of the database.
    void setDatabaseDefaults(AcDbDatabase* db = nullptr);

    virtual Acad::ErrorStatus transformBy(const AcGeMatrix3d& m);
    virtual Acad::ErrorStatus getTransformedCopy(const AcGeMatrix3d& m, AcDbEntity*& copy) const;
    // Tight box of the entity's geometry in world coordinates.
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const;
    // Plain entities this one breaks into (lines, arcs, ...), new and not database-resident.
    virtual Acad::ErrorStatus explode(AcDbVoidPtrArray& entities) const;
    // All points where this entity meets another (both bounded), in a stable order.
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* other, int intType, AcGePoint3dArray& points,
                                            intptr_t thisGsMarker = 0, intptr_t otherGsMarker = 0) const;
    // Prints what the entity is (the host's LIST command).
    virtual void list() const;
    // The entity's name in a drawing file (LINE, CIRCLE, ...).
    virtual const ACHAR* dxfTypeName() const;

    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

    // Entities made of sub-objects (2D/3D polylines, block references with attributes): their children,
    // which the database makes resident together with the entity.
    virtual std::vector<AcDbObject*> pendingChildren() const { return {}; }
    virtual void childrenMadeResident(const std::vector<AcDbObjectId>& ids) {}

private:
    AcDbObjectId mLayer, mLinetype;
    AcCmColor mColor;
    double mLtScale = 1.0;
    int16_t mLineWeight = -1;  // by layer
    bool mVisible = true;
    bool mPaperSpace = false;
};

// Intersection modes of intersectWith.
namespace AcDb {
enum Intersect { kOnBothOperands = 0, kExtendThis = 1, kExtendArg = 2, kExtendBoth = 3 };
// What AcDbCurve::getPlane found.
enum Planarity { kNonPlanar = 0, kPlanar = 1, kLinear = 2 };
}

// A curve: parameters, points at distances, closest points, offsets, projections and spline forms.
class AcDbCurve : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbCurve);
    virtual bool isClosed() const { return false; }
    virtual bool isPeriodic() const { return false; }
    virtual bool isPlanar() const { return true; }
    virtual Acad::ErrorStatus getPlane(AcGePlane& plane, int& planarity) const;
    virtual Acad::ErrorStatus getStartParam(double& p) const;
    virtual Acad::ErrorStatus getEndParam(double& p) const;
    virtual Acad::ErrorStatus getStartPoint(AcGePoint3d& p) const;
    virtual Acad::ErrorStatus getEndPoint(AcGePoint3d& p) const;
    virtual Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& p) const;
    virtual Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& p, double& param) const;
    virtual Acad::ErrorStatus getDistAtParam(double param, double& dist) const;
    virtual Acad::ErrorStatus getParamAtDist(double dist, double& param) const;
    virtual Acad::ErrorStatus getDistAtPoint(const AcGePoint3d& p, double& dist) const;
    virtual Acad::ErrorStatus getPointAtDist(double dist, AcGePoint3d& p) const;
    virtual Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& d) const;
    virtual Acad::ErrorStatus getFirstDeriv(const AcGePoint3d& p, AcGeVector3d& d) const;
    virtual Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& d) const;
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest,
                                                bool extend = false) const;
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& given, const AcGeVector3d& direction,
                                                AcGePoint3d& closest, bool extend = false) const;
    virtual Acad::ErrorStatus getOffsetCurves(double dist, AcDbVoidPtrArray& curves) const;
    virtual Acad::ErrorStatus getOffsetCurvesGivenPlaneNormal(const AcGeVector3d& normal, double dist,
                                                              AcDbVoidPtrArray& curves) const;
    virtual Acad::ErrorStatus getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& dir,
                                                AcDbCurve*& projected) const;
    virtual Acad::ErrorStatus getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projected) const;
    virtual Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curves) const;
    // The curve's exact NURBS form as a new spline.
    virtual Acad::ErrorStatus getSpline(AcDbSpline*& spline) const;
    virtual Acad::ErrorStatus getArea(double& area) const;
    virtual Acad::ErrorStatus reverseCurve();
};

class AcDbLine : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLine);
    AcDbLine() = default;
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : mStart(start), mEnd(end) {}
    AcGePoint3d startPoint() const { return mStart; }
    AcGePoint3d endPoint() const { return mEnd; }
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& p) { assertWriteEnabled(); mStart = p; return Acad::eOk; }
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& p) { assertWriteEnabled(); mEnd = p; return Acad::eOk; }
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"LINE"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mStart, mEnd;
    AcGeVector3d mNormal{0, 0, 1};
    double mThickness = 0;
};

class AcDbCircle : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle);
    AcDbCircle() = default;
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
        : mCenter(center), mNormal(normal.normal()), mRadius(radius) {}
    AcGePoint3d center() const { return mCenter; }
    Acad::ErrorStatus setCenter(const AcGePoint3d& c) { assertWriteEnabled(); mCenter = c; return Acad::eOk; }
    double radius() const { return mRadius; }
    Acad::ErrorStatus setRadius(double r);
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
    double circumference() const { return 2 * M_PI * mRadius; }
    double diameter() const { return 2 * mRadius; }
    bool isClosed() const override { return true; }
    bool isPeriodic() const override { return true; }

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"CIRCLE"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mCenter;
    AcGeVector3d mNormal{0, 0, 1};
    double mRadius = 0;
    double mThickness = 0;
};

class AcDbArc : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbArc);
    AcDbArc() = default;
    // Angles in radians, counter-clockwise about the normal from the X axis of the arc's own plane.
    AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle)
        : mCenter(center), mRadius(radius), mStart(startAngle), mEnd(endAngle) {}
    AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
            double endAngle)
        : mCenter(center), mNormal(normal.normal()), mRadius(radius), mStart(startAngle), mEnd(endAngle) {}
    AcGePoint3d center() const { return mCenter; }
    Acad::ErrorStatus setCenter(const AcGePoint3d& c) { assertWriteEnabled(); mCenter = c; return Acad::eOk; }
    double radius() const { return mRadius; }
    Acad::ErrorStatus setRadius(double r);
    double startAngle() const { return mStart; }
    Acad::ErrorStatus setStartAngle(double a) { assertWriteEnabled(); mStart = a; return Acad::eOk; }
    double endAngle() const { return mEnd; }
    Acad::ErrorStatus setEndAngle(double a) { assertWriteEnabled(); mEnd = a; return Acad::eOk; }
    double totalAngle() const;
    double length() const { return mRadius * totalAngle(); }
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"ARC"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mCenter;
    AcGeVector3d mNormal{0, 0, 1};
    double mRadius = 0, mStart = 0, mEnd = 0;
    double mThickness = 0;
};

class AcDbEllipse : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbEllipse);
    AcDbEllipse() = default;
    // startAngle / endAngle are angles from the major axis; they are kept as parameters.
    AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                double radiusRatio, double startAngle = 0.0, double endAngle = 2 * M_PI);
    Acad::ErrorStatus set(const AcGePoint3d& center, const AcGeVector3d& unitNormal,
                          const AcGeVector3d& majorAxis, double radiusRatio, double startAngle = 0.0,
                          double endAngle = 2 * M_PI);
    AcGePoint3d center() const { return mCenter; }
    Acad::ErrorStatus setCenter(const AcGePoint3d& c) { assertWriteEnabled(); mCenter = c; return Acad::eOk; }
    AcGeVector3d normal() const { return mNormal; }
    AcGeVector3d majorAxis() const { return mMajor; }
    AcGeVector3d minorAxis() const { return mNormal.crossProduct(mMajor) * mRatio; }
    double radiusRatio() const { return mRatio; }
    Acad::ErrorStatus setRadiusRatio(double r);
    double majorRadius() const { return mMajor.length(); }
    double minorRadius() const { return mMajor.length() * mRatio; }
    // Parameters: the angle parameter t of center + cos(t)*major + sin(t)*minor.
    double startParam() const { return mStartParam; }
    double endParam() const { return mEndParam; }
    Acad::ErrorStatus setStartParam(double p) { assertWriteEnabled(); mStartParam = p; return Acad::eOk; }
    Acad::ErrorStatus setEndParam(double p) { assertWriteEnabled(); mEndParam = p; return Acad::eOk; }
    double startAngle() const;
    double endAngle() const;
    Acad::ErrorStatus setStartAngle(double a);
    Acad::ErrorStatus setEndAngle(double a);
    double paramAtAngle(double angle) const;
    double angleAtParam(double param) const;
    bool isNull() const { return mMajor.isZeroLength(); }
    bool isClosed() const override;
    bool isPeriodic() const override { return isClosed(); }

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"ELLIPSE"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mCenter;
    AcGeVector3d mNormal{0, 0, 1}, mMajor{1, 0, 0};
    double mRatio = 1, mStartParam = 0, mEndParam = 2 * M_PI;
};

// The lightweight polyline: 2D vertices with bulges and widths in a plane given by normal and elevation.
class AcDbPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline);
    AcDbPolyline() = default;
    explicit AcDbPolyline(unsigned int numVerts) { mPts.reserve(numVerts); }
    enum SegType { kLine = 0, kArc = 1, kCoincident = 2, kPoint = 3, kEmpty = 4 };

    unsigned int numVerts() const { return static_cast<unsigned int>(mPts.size()); }
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge = 0.0,
                                  double startWidth = -1.0, double endWidth = -1.0);
    Acad::ErrorStatus removeVertexAt(unsigned int index);
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& pt) const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& pt) const;  // in world coordinates
    Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& pt);
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
    // The width all segments share, or an error when they differ.
    Acad::ErrorStatus getConstantWidth(double& width) const;
    Acad::ErrorStatus setConstantWidth(double width);
    SegType segType(unsigned int index) const;
    bool hasBulges() const;
    bool hasWidth() const;
    void setClosed(bool closed) { assertWriteEnabled(); mClosed = closed; }
    bool isClosed() const override { return mClosed; }
    bool isOnlyLines() const { return !hasBulges(); }
    double elevation() const { return mElevation; }
    void setElevation(double e) { assertWriteEnabled(); mElevation = e; }
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
    bool hasPlinegen() const { return mPlinegen; }
    void setPlinegen(bool p) { assertWriteEnabled(); mPlinegen = p; }
    void reset(bool reuse, unsigned int numVerts);
    void minimizeMemory() {}
    void maximizeMemory() {}
    // Takes the data of a 2D polyline (or, with transferId, also its place in the database).
    Acad::ErrorStatus convertFrom(AcDbEntity*& polyline, bool transferId = true);
    // Makes a 2D polyline of this one (with transferId, it takes this one's id, handle and place).
    Acad::ErrorStatus convertTo(AcDb2dPolyline*& polyline, bool transferId = true);
    // From the host's coordinates in the polyline's plane to world coordinates.
    AcGePoint3d toWorld(const AcGePoint2d& p) const;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"LWPOLYLINE"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

    // The host's own use.
    const std::vector<AcGePoint2d>& points() const { return mPts; }
    const std::vector<double>& bulges() const { return mBulges; }  // empty when all are 0
    const std::vector<std::pair<double, double>>& widths() const { return mWidths; }  // empty when all 0

private:
    std::vector<AcGePoint2d> mPts;
    std::vector<double> mBulges;
    std::vector<std::pair<double, double>> mWidths;
    AcGeVector3d mNormal{0, 0, 1};
    double mElevation = 0, mThickness = 0, mConstantWidth = 0;
    bool mClosed = false, mPlinegen = false;
};

// Iterates the vertices of a 2D or 3D polyline (database-resident or not).
class AcDbObjectIterator {
public:
    AcDbObjectIterator(std::vector<AcDbObjectId> ids, std::vector<AcDbObject*> objects)
        : mIds(std::move(ids)), mObjects(std::move(objects)) {}
    bool done() const { return mPos >= count(); }
    void step(bool backwards = false, bool skipDeleted = true);
    void start(bool atEnd = false) { mPos = atEnd && count() ? count() - 1 : 0; }
    AcDbObjectId objectId() const { return mPos < mIds.size() ? mIds[mPos] : AcDbObjectId(); }
    // The vertex itself: for a polyline that is not in a database, the only way to reach it.
    AcDbEntity* entity() const;
    void setPosition(AcDbObjectId id);

private:
    size_t count() const { return mIds.empty() ? mObjects.size() : mIds.size(); }
    std::vector<AcDbObjectId> mIds;
    std::vector<AcDbObject*> mObjects;
    size_t mPos = 0;
};

class AcDbVertex : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbVertex);
};

class AcDb2dVertex : public AcDbVertex {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dVertex);
    AcDb2dVertex() = default;
    explicit AcDb2dVertex(const AcGePoint3d& position, double bulge = 0, double startWidth = 0,
                          double endWidth = 0, double tangent = 0)
        : mPos(position), mBulge(bulge), mStartWidth(startWidth), mEndWidth(endWidth), mTangent(tangent) {}
    AcDb::Vertex2dType vertexType() const { return mType; }
    void setVertexType(AcDb::Vertex2dType t) { mType = t; }
    // The position in the polyline's own coordinate system (z = the polyline's elevation).
    AcGePoint3d position() const { return mPos; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPos = p; return Acad::eOk; }
    double bulge() const { return mBulge; }
    Acad::ErrorStatus setBulge(double b) { assertWriteEnabled(); mBulge = b; return Acad::eOk; }
    double startWidth() const { return mStartWidth; }
    double endWidth() const { return mEndWidth; }
    Acad::ErrorStatus setStartWidth(double w) { assertWriteEnabled(); mStartWidth = w; return Acad::eOk; }
    Acad::ErrorStatus setEndWidth(double w) { assertWriteEnabled(); mEndWidth = w; return Acad::eOk; }
    double tangent() const { return mTangent; }
    bool isTangentUsed() const { return mTangentUsed; }
    Acad::ErrorStatus setTangent(double t) { assertWriteEnabled(); mTangent = t; mTangentUsed = true; return Acad::eOk; }
    int vertexFlags() const;  // group 70 of the drawing file
    void setVertexFlags(int flags);
    const ACHAR* dxfTypeName() const override { return L"VERTEX"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mPos;
    double mBulge = 0, mStartWidth = 0, mEndWidth = 0, mTangent = 0;
    AcDb::Vertex2dType mType = AcDb::k2dVertex;
    bool mTangentUsed = false;
};

class AcDb3dPolylineVertex : public AcDbVertex {
public:
    ACRX_DECLARE_MEMBERS(AcDb3dPolylineVertex);
    AcDb3dPolylineVertex() = default;
    explicit AcDb3dPolylineVertex(const AcGePoint3d& p) : mPos(p) {}
    AcDb::Vertex3dType vertexType() const { return mType; }
    void setVertexType(AcDb::Vertex3dType t) { mType = t; }
    AcGePoint3d position() const { return mPos; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPos = p; return Acad::eOk; }
    const ACHAR* dxfTypeName() const override { return L"VERTEX"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mPos;
    AcDb::Vertex3dType mType = AcDb::k3dSimpleVertex;
};

// The end marker of a polyline's or block reference's sub-entities in a drawing file.
class AcDbSequenceEnd : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbSequenceEnd);
    const ACHAR* dxfTypeName() const override { return L"SEQEND"; }
};

// Common part of 2D and 3D polylines: a list of vertex sub-objects and a sequence end.
class AcDbHeavyPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbHeavyPolyline);
    ~AcDbHeavyPolyline() override;
    AcDbObjectIterator* vertexIterator() const;
    Acad::ErrorStatus appendVertex(AcDbVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& id, AcDbVertex* vertex);
    Acad::ErrorStatus insertVertexAt(const AcDbVertex* after, AcDbVertex* vertex);  // after null: first
    int vertexCount() const;
    bool isClosed() const override { return mClosed; }
    Acad::ErrorStatus makeClosed() { assertWriteEnabled(); mClosed = true; return Acad::eOk; }
    Acad::ErrorStatus makeOpen() { assertWriteEnabled(); mClosed = false; return Acad::eOk; }
    // The vertices in order, read without opening them (the host's own use).
    std::vector<const AcDbVertex*> vertices() const;
    std::vector<AcDbVertex*> verticesForWrite();
    AcDbObjectId sequenceEndId() const { return mSeqEnd; }
    void setSequenceEndId(AcDbObjectId id) { mSeqEnd = id; }
    // The pending vertices and a new sequence end, which the database takes over.
    std::vector<AcDbObject*> pendingChildren() const override;
    void childrenMadeResident(const std::vector<AcDbObjectId>& ids) override;
    // Removes every vertex (erasing resident ones).
    void removeAllVertices();

protected:
    void copyVerticesTo(AcDbHeavyPolyline* other) const;
    bool mClosed = false;

private:
    std::vector<AcDbObjectId> mVertexIds;        // when resident
    std::vector<AcDbVertex*> mPendingVertices;   // before the polyline is added to a database
    AcDbObjectId mSeqEnd;
};

class AcDb2dPolyline : public AcDbHeavyPolyline {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dPolyline);
    AcDb2dPolyline() = default;
    AcDb2dPolyline(AcDb::Poly2dType type, const AcGePoint3dArray& vertices, double elevation = 0,
                   bool closed = false, double defStartWidth = 0, double defEndWidth = 0,
                   const AcGeDoubleArray* bulges = nullptr);
    AcDb::Poly2dType polyType() const { return mType; }
    Acad::ErrorStatus setPolyType(AcDb::Poly2dType t);
    // Regenerates the fit vertices for the type from the control vertices.
    Acad::ErrorStatus convertToPolyType(AcDb::Poly2dType t);
    Acad::ErrorStatus splineFit();
    Acad::ErrorStatus splineFit(AcDb::Poly2dType type, int16_t segments);
    Acad::ErrorStatus curveFit();
    Acad::ErrorStatus straighten();
    double defaultStartWidth() const { return mDefStart; }
    double defaultEndWidth() const { return mDefEnd; }
    Acad::ErrorStatus setDefaultStartWidth(double w) { assertWriteEnabled(); mDefStart = w; return Acad::eOk; }
    Acad::ErrorStatus setDefaultEndWidth(double w) { assertWriteEnabled(); mDefEnd = w; return Acad::eOk; }
    double elevation() const { return mElevation; }
    Acad::ErrorStatus setElevation(double e) { assertWriteEnabled(); mElevation = e; return Acad::eOk; }
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
    bool isLinetypeGenerationOn() const { return mPlinegen; }
    Acad::ErrorStatus setLinetypeGenerationOn() { assertWriteEnabled(); mPlinegen = true; return Acad::eOk; }
    Acad::ErrorStatus setLinetypeGenerationOff() { assertWriteEnabled(); mPlinegen = false; return Acad::eOk; }
    AcGePoint3d vertexPosition(const AcDb2dVertex& v) const;  // world coordinates
    int16_t curveFitSegments() const { return mSegs; }

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"POLYLINE"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcDb::Poly2dType mType = AcDb::k2dSimplePoly;
    double mDefStart = 0, mDefEnd = 0, mElevation = 0, mThickness = 0;
    AcGeVector3d mNormal{0, 0, 1};
    bool mPlinegen = false;
    int16_t mSegs = 0;
};

class AcDb3dPolyline : public AcDbHeavyPolyline {
public:
    ACRX_DECLARE_MEMBERS(AcDb3dPolyline);
    AcDb3dPolyline() = default;
    AcDb3dPolyline(AcDb::Poly3dType type, const AcGePoint3dArray& vertices, bool closed = false);
    AcDb::Poly3dType polyType() const { return mType; }
    Acad::ErrorStatus setPolyType(AcDb::Poly3dType t);
    Acad::ErrorStatus convertToPolyType(AcDb::Poly3dType t);
    Acad::ErrorStatus splineFit();
    Acad::ErrorStatus splineFit(AcDb::Poly3dType type, int16_t segments);
    Acad::ErrorStatus straighten();
    bool isPlanar() const override;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"POLYLINE"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcDb::Poly3dType mType = AcDb::k3dSimplePoly;
};

class AcDbSpline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbSpline);
    AcDbSpline() = default;
    // From NURBS data.
    AcDbSpline(int degree, bool rational, bool closed, bool periodic, const AcGePoint3dArray& controlPoints,
               const AcGeDoubleArray& knots, const AcGeDoubleArray& weights, double controlPtTol = 0.0,
               double knotTol = 0.0);
    // Through fit points (order 4 by default), optionally with end tangents.
    AcDbSpline(const AcGePoint3dArray& fitPoints, int order = 4, double fitTolerance = 0.0);
    AcDbSpline(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent,
               const AcGeVector3d& endTangent, int order = 4, double fitTolerance = 0.0);

    int degree() const { return mDegree; }
    bool isRational() const { return !mWeights.empty(); }
    bool isClosed() const override;
    bool isPeriodic() const override { return mPeriodic; }
    bool isPlanar() const override;
    bool isNull() const { return mCtrl.empty(); }
    Acad::ErrorStatus getNurbsData(int& degree, bool& rational, bool& closed, bool& periodic,
                                   AcGePoint3dArray& controlPoints, AcGeDoubleArray& knots,
                                   AcGeDoubleArray& weights, double& controlPtTol, double& knotTol) const;
    Acad::ErrorStatus setNurbsData(int degree, bool rational, bool closed, bool periodic,
                                   const AcGePoint3dArray& controlPoints, const AcGeDoubleArray& knots,
                                   const AcGeDoubleArray& weights, double controlPtTol = 0.0,
                                   double knotTol = 0.0);
    int numControlPoints() const { return static_cast<int>(mCtrl.size()); }
    Acad::ErrorStatus getControlPointAt(int index, AcGePoint3d& p) const;
    Acad::ErrorStatus setControlPointAt(int index, const AcGePoint3d& p);
    double weightAt(int index) const { return mWeights.empty() ? 1.0 : mWeights[static_cast<size_t>(index)]; }
    Acad::ErrorStatus setWeightAt(int index, double w);
    int numKnots() const { return static_cast<int>(mKnots.size()); }

    // Fit data.
    bool hasFitData() const { return !mFit.empty(); }
    int numFitPoints() const { return static_cast<int>(mFit.size()); }
    Acad::ErrorStatus getFitPointAt(int index, AcGePoint3d& p) const;
    // Moves a fit point and refits the curve.
    Acad::ErrorStatus setFitPointAt(int index, const AcGePoint3d& p);
    Acad::ErrorStatus insertFitPointAt(int index, const AcGePoint3d& p);
    Acad::ErrorStatus removeFitPointAt(int index);
    Acad::ErrorStatus getFitData(AcGePoint3dArray& fitPoints, int& degree, double& fitTolerance,
                                 bool& tangentsExist, AcGeVector3d& startTangent, AcGeVector3d& endTangent) const;
    Acad::ErrorStatus setFitData(const AcGePoint3dArray& fitPoints, int degree, double fitTolerance,
                                 const AcGeVector3d& startTangent, const AcGeVector3d& endTangent);
    Acad::ErrorStatus getFitTangents(AcGeVector3d& startTangent, AcGeVector3d& endTangent) const;
    Acad::ErrorStatus setFitTangents(const AcGeVector3d& startTangent, const AcGeVector3d& endTangent);
    double fitTolerance() const { return mFitTol; }
    Acad::ErrorStatus purgeFitData();
    // A polyline following the spline; more precision gives a closer one, within the segment limit.
    Acad::ErrorStatus toPolyline(AcDbCurve*& polyline, int precision = 10, int maxSegments = 4096) const;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"SPLINE"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

    // The host's own use.
    const std::vector<AcGePoint3d>& controlPoints() const { return mCtrl; }
    const std::vector<double>& knots() const { return mKnots; }
    const std::vector<double>& weights() const { return mWeights; }  // empty when not rational
    const std::vector<AcGePoint3d>& fitPoints() const { return mFit; }
    AcGeVector3d startFitTangent() const { return mStartTan; }
    AcGeVector3d endFitTangent() const { return mEndTan; }
    AcGeVector3d planeNormal() const { return mNormal; }
    // Recomputes the control points from the fit data.
    Acad::ErrorStatus refit();

protected:
    int mDegree = 3;
    bool mClosed = false, mPeriodic = false;
    std::vector<double> mKnots, mWeights;
    std::vector<AcGePoint3d> mCtrl, mFit;
    AcGeVector3d mStartTan, mEndTan, mNormal{0, 0, 1};
    double mFitTol = 0, mKnotTol = 1e-10, mCtrlTol = 1e-10;
    int mKnotParam = 0;  // how fit knots are spaced: 0 chord length
};

// A helix about an axis; its curve is kept as a spline.
class AcDbHelix : public AcDbSpline {
public:
    ACRX_DECLARE_MEMBERS(AcDbHelix);
    AcDbHelix() = default;
    AcGePoint3d axisPoint() const { return mAxisPoint; }
    AcGeVector3d axisVector() const { return mAxis; }
    AcGePoint3d startPoint() const { return mStart; }
    double baseRadius() const { return mAxisPoint.distanceTo(mStart); }
    double topRadius() const { return mTopRadius; }
    double turns() const { return mTurns; }
    double turnHeight() const { return mTurnHeight; }
    double height() const { return mTurns * mTurnHeight; }
    bool twist() const { return mCcw; }  // true: counter-clockwise
    Acad::ErrorStatus setAxisPoint(const AcGePoint3d& p);
    Acad::ErrorStatus setAxisVector(const AcGeVector3d& v);
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& p);
    Acad::ErrorStatus setTopRadius(double r);
    Acad::ErrorStatus setTurns(double t);
    Acad::ErrorStatus setTurnHeight(double h);
    Acad::ErrorStatus setTwist(bool ccw);
    // Rebuilds the spline from the helix's parameters.
    Acad::ErrorStatus createHelix();

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    const ACHAR* dxfTypeName() const override { return L"HELIX"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mAxisPoint, mStart{1, 0, 0};
    AcGeVector3d mAxis{0, 0, 1};
    double mTopRadius = 1, mTurns = 3, mTurnHeight = 1;
    bool mCcw = true;
    int mConstrain = 1;
};

class AcDbPoint : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbPoint);
    AcDbPoint() = default;
    explicit AcDbPoint(const AcGePoint3d& p) : mPos(p) {}
    AcGePoint3d position() const { return mPos; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPos = p; return Acad::eOk; }
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
    double ecsRotation() const { return mRotation; }
    Acad::ErrorStatus setEcsRotation(double a) { assertWriteEnabled(); mRotation = a; return Acad::eOk; }

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"POINT"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mPos;
    AcGeVector3d mNormal{0, 0, 1};
    double mThickness = 0, mRotation = 0;
};

namespace AcDb {
enum TextHorzMode { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5 };
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };
}  // namespace AcDb

class AcDbText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbText);
    AcDbText() = default;
    AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId(),
             double height = 0, double rotation = 0);
    AcGePoint3d position() const { return mPos; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPos = p; return Acad::eOk; }
    AcGePoint3d alignmentPoint() const { return mAlign; }
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& p) { assertWriteEnabled(); mAlign = p; return Acad::eOk; }
    bool isDefaultAlignment() const { return mHorz == AcDb::kTextLeft && mVert == AcDb::kTextBase; }
    const ACHAR* textStringConst() const { return mText.c_str(); }
    ACHAR* textString() const;  // a copy the caller frees with delete[]
    const std::wstring& text() const { return mText; }
    Acad::ErrorStatus setTextString(const ACHAR* s) { assertWriteEnabled(); mText = s ? s : L""; return Acad::eOk; }
    AcDbObjectId textStyle() const { return mStyle; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId id) { assertWriteEnabled(); mStyle = id; return Acad::eOk; }
    double height() const { return mHeight; }
    Acad::ErrorStatus setHeight(double h) { assertWriteEnabled(); mHeight = h; return Acad::eOk; }
    double widthFactor() const { return mWidthFactor; }
    Acad::ErrorStatus setWidthFactor(double w) { assertWriteEnabled(); mWidthFactor = w; return Acad::eOk; }
    double rotation() const { return mRotation; }
    Acad::ErrorStatus setRotation(double a) { assertWriteEnabled(); mRotation = a; return Acad::eOk; }
    double oblique() const { return mOblique; }
    Acad::ErrorStatus setOblique(double a) { assertWriteEnabled(); mOblique = a; return Acad::eOk; }
    AcDb::TextHorzMode horizontalMode() const { return mHorz; }
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode m) { assertWriteEnabled(); mHorz = m; return Acad::eOk; }
    AcDb::TextVertMode verticalMode() const { return mVert; }
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode m) { assertWriteEnabled(); mVert = m; return Acad::eOk; }
    bool isMirroredInX() const { return (mGenFlags & 2) != 0; }
    bool isMirroredInY() const { return (mGenFlags & 4) != 0; }
    Acad::ErrorStatus mirrorInX(bool m) { assertWriteEnabled(); mGenFlags = m ? (mGenFlags | 2) : (mGenFlags & ~2); return Acad::eOk; }
    Acad::ErrorStatus mirrorInY(bool m) { assertWriteEnabled(); mGenFlags = m ? (mGenFlags | 4) : (mGenFlags & ~4); return Acad::eOk; }
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }
    double thickness() const { return mThickness; }
    Acad::ErrorStatus setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"TEXT"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

protected:
    AcGePoint3d mPos, mAlign;
    std::wstring mText;
    AcDbObjectId mStyle;
    double mHeight = 0, mWidthFactor = 1, mRotation = 0, mOblique = 0, mThickness = 0;
    AcGeVector3d mNormal{0, 0, 1};
    AcDb::TextHorzMode mHorz = AcDb::kTextLeft;
    AcDb::TextVertMode mVert = AcDb::kTextBase;
    int mGenFlags = 0;
};

// Attributes of block references and their definitions in blocks.
class AcDbAttributeDefinition : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);
    const std::wstring& tag() const { return mTag; }
    const std::wstring& prompt() const { return mPrompt; }
    void setTag(const std::wstring& t) { assertWriteEnabled(); mTag = t; }
    void setPrompt(const std::wstring& p) { assertWriteEnabled(); mPrompt = p; }
    int attributeFlags() const { return mAttFlags; }
    const ACHAR* dxfTypeName() const override { return L"ATTDEF"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    std::wstring mTag, mPrompt;
    int mAttFlags = 0, mFieldLength = 0;
};

class AcDbAttribute : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttribute);
    const std::wstring& tag() const { return mTag; }
    void setTag(const std::wstring& t) { assertWriteEnabled(); mTag = t; }
    int attributeFlags() const { return mAttFlags; }
    const ACHAR* dxfTypeName() const override { return L"ATTRIB"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    std::wstring mTag;
    int mAttFlags = 0, mFieldLength = 0;
};

class AcDbMText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbMText);
    enum AttachmentPoint {
        kTopLeft = 1, kTopCenter, kTopRight, kMiddleLeft, kMiddleCenter, kMiddleRight,
        kBottomLeft, kBottomCenter, kBottomRight
    };
    AcGePoint3d location() const { return mLocation; }
    Acad::ErrorStatus setLocation(const AcGePoint3d& p) { assertWriteEnabled(); mLocation = p; return Acad::eOk; }
    double textHeight() const { return mHeight; }
    Acad::ErrorStatus setTextHeight(double h) { assertWriteEnabled(); mHeight = h; return Acad::eOk; }
    double width() const { return mWidth; }
    Acad::ErrorStatus setWidth(double w) { assertWriteEnabled(); mWidth = w; return Acad::eOk; }
    // The contents with formatting codes, as a copy the caller frees with delete[].
    ACHAR* contents() const;
    const std::wstring& contentsText() const { return mContents; }
    Acad::ErrorStatus setContents(const ACHAR* s) { assertWriteEnabled(); mContents = s ? s : L""; return Acad::eOk; }
    // The contents without formatting codes, one entry a line.
    std::vector<std::wstring> plainLines() const;
    AttachmentPoint attachment() const { return mAttach; }
    Acad::ErrorStatus setAttachment(AttachmentPoint a) { assertWriteEnabled(); mAttach = a; return Acad::eOk; }
    AcGeVector3d direction() const { return mDirection; }
    Acad::ErrorStatus setDirection(const AcGeVector3d& d) { assertWriteEnabled(); mDirection = d.normal(); return Acad::eOk; }
    double rotation() const;
    Acad::ErrorStatus setRotation(double a);
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }
    AcDbObjectId textStyle() const { return mStyle; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId id) { assertWriteEnabled(); mStyle = id; return Acad::eOk; }
    double lineSpacingFactor() const { return mSpacing; }

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"MTEXT"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mLocation;
    AcGeVector3d mNormal{0, 0, 1}, mDirection{1, 0, 0};
    std::wstring mContents;
    AcDbObjectId mStyle;
    double mHeight = 2.5, mWidth = 0, mSpacing = 1;
    AttachmentPoint mAttach = kTopLeft;
    int mDrawDir = 1, mSpacingStyle = 1;
};

class AcDbBlockReference : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);
    AcDbBlockReference() = default;
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord)
        : mPos(position), mBlock(blockTableRecord) {}
    ~AcDbBlockReference() override;
    AcDbObjectId blockTableRecord() const { return mBlock; }
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId id) { assertWriteEnabled(); mBlock = id; return Acad::eOk; }
    AcGePoint3d position() const { return mPos; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& p) { assertWriteEnabled(); mPos = p; return Acad::eOk; }
    AcGeScale3d scaleFactors() const { return mScale; }
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& s) { assertWriteEnabled(); mScale = s; return Acad::eOk; }
    double rotation() const { return mRotation; }
    Acad::ErrorStatus setRotation(double a) { assertWriteEnabled(); mRotation = a; return Acad::eOk; }
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }
    // From the block definition's coordinates to world coordinates.
    AcGeMatrix3d blockTransform() const;
    Acad::ErrorStatus setBlockTransform(const AcGeMatrix3d& m);
    // Attributes that belong to this reference.
    Acad::ErrorStatus appendAttribute(AcDbAttribute* att);
    AcDbObjectIterator* attributeIterator() const;
    AcDbObjectId sequenceEndId() const { return mSeqEnd; }
    void setSequenceEndId(AcDbObjectId id) { mSeqEnd = id; }
    std::vector<AcDbObject*> pendingChildren() const override;
    void childrenMadeResident(const std::vector<AcDbObjectId>& ids) override;
    const std::vector<AcDbObjectId>& attributeIds() const { return mAttributes; }
    std::vector<AcDbObjectId>& attributeIdsForWrite() { return mAttributes; }

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entities) const override;
    const ACHAR* dxfTypeName() const override { return L"INSERT"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mPos;
    AcDbObjectId mBlock;
    AcGeScale3d mScale;
    double mRotation = 0;
    AcGeVector3d mNormal{0, 0, 1};
    std::vector<AcDbObjectId> mAttributes;
    std::vector<AcDbAttribute*> mPendingAttributes;
    AcDbObjectId mSeqEnd;
    int mColumns = 1, mRows = 1;
    double mColumnSpacing = 0, mRowSpacing = 0;
};

// ---- hatches ----


class AcDbHatch : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbHatch);
    enum HatchLoopType {
        kDefault = 0, kExternal = 1, kPolyline = 2, kDerived = 4, kTextbox = 8, kOutermost = 0x10,
        kNotClosed = 0x20, kSelfIntersecting = 0x40, kTextIsland = 0x80, kDuplicate = 0x100
    };
    enum HatchEdgeType { kLine = 1, kCirArc = 2, kEllArc = 3, kSpline = 4 };
    enum HatchPatternType { kUserDefined = 0, kPreDefined = 1, kCustomDefined = 2 };
    enum HatchStyle { kNormal = 0, kOuter = 1, kIgnore = 2 };

    // One boundary edge, 2D in the hatch's own plane. Arcs and ellipses run from startAngle to endAngle,
    // counter-clockwise when ccw is set, else clockwise; both angles are the true angles (arc) or angle
    // parameters (ellipse) of the end points in radians, measured counter-clockwise (from the X axis for an
    // arc, from the major axis for an ellipse). A drawing file's clockwise edges store them mirrored; the
    // reader and writer convert.
    struct Edge {
        HatchEdgeType type = kLine;
        AcGePoint2d start, end;                  // line
        AcGePoint2d center;                      // arc and ellipse
        double radius = 0;                       // arc
        AcGeVector2d majorAxis;                  // ellipse: end of the major axis relative to the centre
        double minorRatio = 1;                   // ellipse
        double startAngle = 0, endAngle = 0;     // arc and ellipse
        bool ccw = true;                         // arc and ellipse
        int degree = 3;                          // spline
        bool rational = false, periodic = false; // spline
        std::vector<double> knots, weights;      // spline
        std::vector<AcGePoint2d> controlPoints;  // spline
        std::vector<AcGePoint2d> fitPoints;      // spline
        AcGeVector2d startTangent, endTangent;   // spline
    };
    struct Loop {
        int type = kDefault;
        bool isPolyline() const { return (type & kPolyline) != 0; }
        // Polyline loops.
        std::vector<AcGePoint2d> vertices;
        std::vector<double> bulges;
        bool closed = true;
        // Edge loops.
        std::vector<Edge> edges;
        // Boundary objects the loop was made from.
        std::vector<AcDbObjectId> sources;
    };

    // Pattern.
    HatchPatternType patternType() const { return mPatternType; }
    const ACHAR* patternName() const { return mPatternName.c_str(); }
    Acad::ErrorStatus setPattern(HatchPatternType type, const ACHAR* name);
    bool isSolidFill() const { return mSolid; }
    double patternAngle() const { return mPatternAngle; }
    Acad::ErrorStatus setPatternAngle(double a) { assertWriteEnabled(); mPatternAngle = a; return Acad::eOk; }
    double patternScale() const { return mPatternScale; }
    Acad::ErrorStatus setPatternScale(double s) { assertWriteEnabled(); mPatternScale = s; return Acad::eOk; }
    HatchStyle hatchStyle() const { return mStyle; }
    Acad::ErrorStatus setHatchStyle(HatchStyle s) { assertWriteEnabled(); mStyle = s; return Acad::eOk; }
    bool associative() const { return mAssociative; }
    Acad::ErrorStatus setAssociative(bool a) { assertWriteEnabled(); mAssociative = a; return Acad::eOk; }
    double elevation() const { return mElevation; }
    Acad::ErrorStatus setElevation(double e) { assertWriteEnabled(); mElevation = e; return Acad::eOk; }
    AcGeVector3d normal() const { return mNormal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& n) { assertWriteEnabled(); mNormal = n.normal(); return Acad::eOk; }

    // Loops.
    int numLoops() const { return static_cast<int>(mLoops.size()); }
    int loopTypeAt(int index) const;
    // A polyline loop: vertices and bulges.
    Acad::ErrorStatus getLoopAt(int index, int& loopType, AcGePoint2dArray& vertices,
                                AcGeDoubleArray& bulges) const;
    // An edge loop: new geometric curves (the caller deletes them) and their edge types.
    Acad::ErrorStatus getLoopAt(int index, int& loopType, AcGeVoidPointerArray& edgePtrs,
                                AcGeIntArray& edgeTypes) const;
    Acad::ErrorStatus appendLoop(int loopType, const AcGePoint2dArray& vertices, const AcGeDoubleArray& bulges);
    Acad::ErrorStatus appendLoop(int loopType, const AcGeVoidPointerArray& edgePtrs, const AcGeIntArray& edgeTypes);
    Acad::ErrorStatus insertLoopAt(int index, const Loop& loop);
    Acad::ErrorStatus removeLoopAt(int index);
    // Makes the pattern lines or fill for the current loops (lines are recomputed when drawn).
    Acad::ErrorStatus evaluateHatch(bool underEstimateNumLines = false);
    double getArea() const;
    const std::vector<Loop>& loops() const { return mLoops; }
    std::vector<Loop>& loopsForWrite() { assertWriteEnabled(); return mLoops; }
    // A loop's boundary as a flat list of points in the hatch plane (arcs and curves sampled).
    std::vector<AcGePoint2d> loopOutline(int index, double chordTolerance) const;
    // From the hatch's own plane to world coordinates.
    AcGeMatrix3d planeToWorld() const;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override;
    const ACHAR* dxfTypeName() const override { return L"HATCH"; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

    // Pattern definition lines and seed points as read from a file, written back as they were. A line family
    // lies in the hatch plane: angle in radians, base point, offset from one line to the next, dashes.
    struct PatternLine {
        double angle = 0;
        AcGePoint2d base;
        AcGeVector2d offset;
        std::vector<double> dashes;
    };
    std::vector<PatternLine>& patternLines() { return mPatternLines; }
    const std::vector<PatternLine>& patternLines() const { return mPatternLines; }
    // The line families drawn and saved: the stored ones, else those of the predefined pattern turned by the
    // pattern angle and scaled (unknown names draw as ANSI31); none for a solid fill.
    std::vector<PatternLine> patternDefinition() const;
    std::vector<AcGePoint2d>& seedPoints() { return mSeeds; }
    const std::vector<AcGePoint2d>& seedPoints() const { return mSeeds; }

private:
    std::vector<Loop> mLoops;
    std::vector<PatternLine> mPatternLines;
    std::vector<AcGePoint2d> mSeeds;
    std::wstring mPatternName = L"SOLID";
    HatchPatternType mPatternType = kPreDefined;
    HatchStyle mStyle = kNormal;
    double mPatternAngle = 0, mPatternScale = 1, mElevation = 0, mPixelSize = 0;
    AcGeVector3d mNormal{0, 0, 1};
    bool mSolid = true, mAssociative = false, mPatternDouble = false;
};

// ---- things the host does not model, kept as read ----

// An entity of a kind the host does not model: its common data is understood, the rest is kept as groups.
class AcDbUnknownEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbUnknownEntity);
    explicit AcDbUnknownEntity(const std::wstring& typeName = L"") : mType(typeName) {}
    const ACHAR* dxfTypeName() const override { return mType.c_str(); }
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& m) override { return Acad::eNotApplicable; }
    Acad::ErrorStatus getGeomExtents(AcDbExtents& ext) const override { return Acad::eInvalidExtents; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;
    // The groups after the entity's common data: code and value text.
    std::vector<std::pair<int, std::string>>& groups() { return mGroups; }
    const std::vector<std::pair<int, std::string>>& groups() const { return mGroups; }

private:
    std::wstring mType;
    std::vector<std::pair<int, std::string>> mGroups;
};

// A non-graphical object of a kind the host does not model (or of a module's class that is not loaded).
class AcDbUnknownObject : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbUnknownObject);
    explicit AcDbUnknownObject(const std::wstring& typeName = L"") : mType(typeName) {}
    const std::wstring& dxfTypeName() const { return mType; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;
    std::vector<std::pair<int, std::string>>& groups() { return mGroups; }
    const std::vector<std::pair<int, std::string>>& groups() const { return mGroups; }

private:
    std::wstring mType;
    std::vector<std::pair<int, std::string>> mGroups;
};

// The name of the object's class in a drawing file (entities: LINE...; objects: DICTIONARY, XRECORD...).
std::wstring acdbDxfNameOf(const AcDbObject* obj);
