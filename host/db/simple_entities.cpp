// Lines, circles, arcs, ellipses, points and texts: their own data, transformation and extents.
#include <algorithm>
#include <cmath>

#include "curves/curve.h"
#include "cvx/dbents.h"
#include "db/curve_geometry.h"
#include "db/entity_transform.h"

using namespace cvx::geom;

// ---- shared transformation helpers ----

double cvxAngleInPlane(const AcGeVector3d& v, const AcGeVector3d& normal) {
    AcGeVector3d x = arbitraryXAxis(normal);
    AcGeVector3d y = normal.normal().crossProduct(x);
    double a = std::atan2(v.dotProduct(y), v.dotProduct(x));
    return a < 0 ? a + 2 * M_PI : a;
}

AcGeVector3d cvxDirectionInPlane(double angle, const AcGeVector3d& normal) {
    AcGeVector3d x = arbitraryXAxis(normal);
    AcGeVector3d y = normal.normal().crossProduct(x);
    return x * std::cos(angle) + y * std::sin(angle);
}

AcGeVector3d cvxTransformedNormal(const AcGeMatrix3d& m, const AcGeVector3d& n) {
    // Normals transform with the inverse transpose; for the uniform scalings and mirrors allowed here the
    // matrix itself gives the same direction.
    return (m * n).normal();
}

namespace {
Acad::ErrorStatus boxOf(const AcDbCurve* c, AcDbExtents& ext) {
    Curve g;
    if (!cvxCurveGeometry(c, g)) return Acad::eInvalidExtents;
    auto [mn, mx] = roughBox(g);
    ext.addPoint(mn);
    ext.addPoint(mx);
    return Acad::eOk;
}
}  // namespace

// ---- line ----

Acad::ErrorStatus AcDbLine::transformBy(const AcGeMatrix3d& m) {
    assertWriteEnabled();
    mStart = m * mStart;
    mEnd = m * mEnd;
    mNormal = cvxTransformedNormal(m, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getGeomExtents(AcDbExtents& ext) const {
    ext.addPoint(mStart);
    ext.addPoint(mEnd);
    return Acad::eOk;
}

void AcDbLine::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbLine*>(other);
    o->mStart = mStart;
    o->mEnd = mEnd;
    o->mNormal = mNormal;
    o->mThickness = mThickness;
}

// ---- circle ----

Acad::ErrorStatus AcDbCircle::setRadius(double r) {
    if (!(r > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mRadius = r;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::transformBy(const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    mCenter = m * mCenter;
    mRadius *= m.scale();
    mNormal = cvxTransformedNormal(m, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getGeomExtents(AcDbExtents& ext) const { return boxOf(this, ext); }

void AcDbCircle::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbCircle*>(other);
    o->mCenter = mCenter;
    o->mNormal = mNormal;
    o->mRadius = mRadius;
    o->mThickness = mThickness;
}

// ---- arc ----

Acad::ErrorStatus AcDbArc::setRadius(double r) {
    if (!(r > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mRadius = r;
    return Acad::eOk;
}

double AcDbArc::totalAngle() const {
    double sweep = std::fmod(mEnd - mStart, 2 * M_PI);
    if (sweep <= 0) sweep += 2 * M_PI;
    return sweep;
}

Acad::ErrorStatus AcDbArc::transformBy(const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    // The start and end directions move with the arc. A mirror reverses the arc's sense of turning, so the
    // ends swap to keep it counter-clockwise about its normal.
    AcGeVector3d s = m * cvxDirectionInPlane(mStart, mNormal);
    AcGeVector3d e = m * cvxDirectionInPlane(mEnd, mNormal);
    if (m.det() < 0) std::swap(s, e);
    mNormal = cvxTransformedNormal(m, mNormal);
    mCenter = m * mCenter;
    mRadius *= m.scale();
    mStart = cvxAngleInPlane(s, mNormal);
    mEnd = cvxAngleInPlane(e, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getGeomExtents(AcDbExtents& ext) const { return boxOf(this, ext); }

void AcDbArc::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbArc*>(other);
    o->mCenter = mCenter;
    o->mNormal = mNormal;
    o->mRadius = mRadius;
    o->mStart = mStart;
    o->mEnd = mEnd;
    o->mThickness = mThickness;
}

// ---- ellipse ----

AcDbEllipse::AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                         double radiusRatio, double startAngle, double endAngle) {
    set(center, unitNormal, majorAxis, radiusRatio, startAngle, endAngle);
}

Acad::ErrorStatus AcDbEllipse::set(const AcGePoint3d& center, const AcGeVector3d& unitNormal,
                                   const AcGeVector3d& majorAxis, double radiusRatio, double startAngle,
                                   double endAngle) {
    if (majorAxis.isZeroLength() || unitNormal.isZeroLength() || !(radiusRatio > 0) || radiusRatio > 1.0 + 1e-12 ||
        !majorAxis.isPerpendicularTo(unitNormal, AcGeTol()))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    mCenter = center;
    mNormal = unitNormal.normal();
    mMajor = majorAxis;
    mRatio = std::min(radiusRatio, 1.0);
    mStartParam = paramAtAngle(startAngle);
    mEndParam = paramAtAngle(endAngle);
    if (std::fabs(endAngle - startAngle - 2 * M_PI) < 1e-12) mEndParam = mStartParam + 2 * M_PI;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::setRadiusRatio(double r) {
    if (!(r > 0) || r > 1) return Acad::eInvalidInput;
    assertWriteEnabled();
    mRatio = r;
    return Acad::eOk;
}

// An angle from the major axis and the parameter of the point in that direction: tan(t) = tan(a) / ratio.
double AcDbEllipse::paramAtAngle(double angle) const {
    double t = std::atan2(std::sin(angle), mRatio * std::cos(angle));
    double turns = std::floor(angle / (2 * M_PI));
    if (t < 0) t += 2 * M_PI;
    return t + turns * 2 * M_PI;
}

double AcDbEllipse::angleAtParam(double param) const {
    double a = std::atan2(mRatio * std::sin(param), std::cos(param));
    double turns = std::floor(param / (2 * M_PI));
    if (a < 0) a += 2 * M_PI;
    return a + turns * 2 * M_PI;
}

double AcDbEllipse::startAngle() const { return angleAtParam(mStartParam); }
double AcDbEllipse::endAngle() const { return angleAtParam(mEndParam); }
Acad::ErrorStatus AcDbEllipse::setStartAngle(double a) { return setStartParam(paramAtAngle(a)); }
Acad::ErrorStatus AcDbEllipse::setEndAngle(double a) { return setEndParam(paramAtAngle(a)); }

bool AcDbEllipse::isClosed() const {
    double span = mEndParam - mStartParam;
    return std::fabs(std::remainder(span, 2 * M_PI)) < 1e-10 && std::fabs(span) > 1e-10;
}

Acad::ErrorStatus AcDbEllipse::transformBy(const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    // Under a mirror the minor axis (normal x major) points the other way, so the point at parameter t
    // becomes the one at -t: the range is negated and reversed.
    mCenter = m * mCenter;
    mMajor = m * mMajor;
    mNormal = cvxTransformedNormal(m, mNormal);
    if (m.det() < 0) {
        double s = -mEndParam, e = -mStartParam;
        double shift = std::floor(s / (2 * M_PI)) * 2 * M_PI;
        mStartParam = s - shift;
        mEndParam = e - shift;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getGeomExtents(AcDbExtents& ext) const { return boxOf(this, ext); }

void AcDbEllipse::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbEllipse*>(other);
    o->mCenter = mCenter;
    o->mNormal = mNormal;
    o->mMajor = mMajor;
    o->mRatio = mRatio;
    o->mStartParam = mStartParam;
    o->mEndParam = mEndParam;
}

// ---- point ----

Acad::ErrorStatus AcDbPoint::transformBy(const AcGeMatrix3d& m) {
    assertWriteEnabled();
    mPos = m * mPos;
    mNormal = cvxTransformedNormal(m, mNormal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::getGeomExtents(AcDbExtents& ext) const {
    ext.addPoint(mPos);
    return Acad::eOk;
}

void AcDbPoint::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbPoint*>(other);
    o->mPos = mPos;
    o->mNormal = mNormal;
    o->mThickness = mThickness;
    o->mRotation = mRotation;
}

// ---- text ----

AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style, double height, double rotation)
    : mPos(position), mText(text ? text : L""), mStyle(style), mHeight(height), mRotation(rotation) {}

ACHAR* AcDbText::textString() const {
    auto* s = new ACHAR[mText.size() + 1];
    std::copy(mText.c_str(), mText.c_str() + mText.size() + 1, s);
    return s;
}

Acad::ErrorStatus AcDbText::transformBy(const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    AcGeVector3d dir = m * cvxDirectionInPlane(mRotation, mNormal);
    bool mirrored = m.det() < 0;
    mPos = m * mPos;
    mAlign = m * mAlign;
    mHeight *= m.scale();
    mNormal = cvxTransformedNormal(m, mNormal);
    mRotation = cvxAngleInPlane(dir, mNormal);
    // The exact mirror image of a text is the text turned by the mirrored baseline and drawn upside down.
    // (Keeping mirrored texts readable is the MIRROR command's choice.)
    if (mirrored) {
        mGenFlags ^= 4;
        // Upside down is drawn about the middle of the capital height, the image lies about the text's origin
        // line: move the text by the difference (none for a middle alignment; a bottom alignment depends on
        // the font's descent and is left as it is).
        bool fitted = mHorz == AcDb::kTextAlign || mHorz == AcDb::kTextFit;  // drawn on the baseline
        double dy = 0;
        if (!fitted && (mHorz == AcDb::kTextMid || mVert == AcDb::kTextVertMid)) dy = -0.5;
        else if (!fitted && mVert == AcDb::kTextTop) dy = -1;
        if (fitted || dy != 0 || mVert != AcDb::kTextBottom) {
            AcGeVector3d n = mNormal.isZeroLength() ? AcGeVector3d::kZAxis : mNormal.normal();
            AcGeVector3d up = n.crossProduct(cvxDirectionInPlane(mRotation, mNormal));
            AcGeVector3d shift = -mHeight * (2 * dy + 1) * up;
            mPos += shift;
            mAlign += shift;
        }
    }
    return Acad::eOk;
}

void AcDbText::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbText*>(other);
    o->mPos = mPos;
    o->mAlign = mAlign;
    o->mText = mText;
    o->mStyle = mStyle;
    o->mHeight = mHeight;
    o->mWidthFactor = mWidthFactor;
    o->mRotation = mRotation;
    o->mOblique = mOblique;
    o->mThickness = mThickness;
    o->mNormal = mNormal;
    o->mHorz = mHorz;
    o->mVert = mVert;
    o->mGenFlags = mGenFlags;
}

// The text's box estimated from its height and character count (glyph widths come from the renderer).
Acad::ErrorStatus AcDbText::getGeomExtents(AcDbExtents& ext) const {
    double h = mHeight > 0 ? mHeight : 2.5;
    double w = h * mWidthFactor * 0.8 * static_cast<double>(std::max<size_t>(mText.size(), 1));
    AcGePoint3d base = isDefaultAlignment() ? mPos : mAlign;
    double shift = mHorz == AcDb::kTextCenter || mHorz == AcDb::kTextMid ? -w / 2 : mHorz == AcDb::kTextRight ? -w : 0;
    if (mHorz == AcDb::kTextAlign || mHorz == AcDb::kTextFit) {
        base = mPos;
        w = mPos.distanceTo(mAlign);
        shift = 0;
    }
    double lift = mVert == AcDb::kTextVertMid || mHorz == AcDb::kTextMid ? -h / 2 : mVert == AcDb::kTextTop ? -h : 0;
    AcGeVector3d x = cvxDirectionInPlane(mRotation, mNormal);
    AcGeVector3d y = mNormal.crossProduct(x);
    AcGePoint3d o = base + x * shift + y * lift;
    ext.addPoint(o);
    ext.addPoint(o + x * w);
    ext.addPoint(o + y * h);
    ext.addPoint(o + x * w + y * h);
    return Acad::eOk;
}

void AcDbAttributeDefinition::copyDataTo(AcDbObject* other) const {
    AcDbText::copyDataTo(other);
    auto* o = static_cast<AcDbAttributeDefinition*>(other);
    o->mTag = mTag;
    o->mPrompt = mPrompt;
    o->mAttFlags = mAttFlags;
    o->mFieldLength = mFieldLength;
}

void AcDbAttribute::copyDataTo(AcDbObject* other) const {
    AcDbText::copyDataTo(other);
    auto* o = static_cast<AcDbAttribute*>(other);
    o->mTag = mTag;
    o->mAttFlags = mAttFlags;
    o->mFieldLength = mFieldLength;
}

// ---- multiline text ----

ACHAR* AcDbMText::contents() const {
    auto* s = new ACHAR[mContents.size() + 1];
    std::copy(mContents.c_str(), mContents.c_str() + mContents.size() + 1, s);
    return s;
}

double AcDbMText::rotation() const { return cvxAngleInPlane(mDirection, mNormal); }

Acad::ErrorStatus AcDbMText::setRotation(double a) {
    assertWriteEnabled();
    mDirection = cvxDirectionInPlane(a, mNormal);
    return Acad::eOk;
}

std::vector<std::wstring> AcDbMText::plainLines() const {
    std::vector<std::wstring> lines(1);
    const std::wstring& s = mContents;
    for (size_t i = 0; i < s.size(); ++i) {
        wchar_t c = s[i];
        if (c == L'{' || c == L'}') continue;
        if (c != L'\\' || i + 1 >= s.size()) {
            lines.back() += c;
            continue;
        }
        wchar_t code = s[++i];
        switch (code) {
            case L'P': lines.emplace_back(); break;
            case L'\\': case L'{': case L'}': lines.back() += code; break;
            case L'~': lines.back() += L' '; break;
            case L'L': case L'l': case L'O': case L'o': case L'K': case L'k': break;
            case L'U':
                if (i + 5 < s.size() && s[i + 1] == L'+') {
                    lines.back() += static_cast<wchar_t>(std::wcstol(s.substr(i + 2, 4).c_str(), nullptr, 16));
                    i += 5;
                }
                break;
            case L'S': {  // stacked text a^b: shown as a/b
                size_t end = s.find(L';', i);
                std::wstring stack = s.substr(i + 1, end == std::wstring::npos ? std::wstring::npos : end - i - 1);
                std::replace(stack.begin(), stack.end(), L'^', L'/');
                std::replace(stack.begin(), stack.end(), L'#', L'/');
                lines.back() += stack;
                i = end == std::wstring::npos ? s.size() : end;
                break;
            }
            default: {  // codes with a value up to ';' (font, height, colour, width, ...)
                size_t end = s.find(L';', i);
                i = end == std::wstring::npos ? s.size() : end;
                break;
            }
        }
    }
    return lines;
}

Acad::ErrorStatus AcDbMText::transformBy(const AcGeMatrix3d& m) {
    if (!m.isUniScaledOrtho()) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    mLocation = m * mLocation;
    mDirection = (m * mDirection).normal();
    mNormal = cvxTransformedNormal(m, mNormal);
    mHeight *= m.scale();
    mWidth *= m.scale();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::getGeomExtents(AcDbExtents& ext) const {
    std::vector<std::wstring> lines = plainLines();
    size_t longest = 1;
    for (const auto& l : lines) longest = std::max(longest, l.size());
    double h = mHeight > 0 ? mHeight : 2.5;
    double w = mWidth > 0 ? mWidth : h * 0.8 * static_cast<double>(longest);
    double tall = h * (1 + 0.667 * mSpacing * static_cast<double>(lines.size() - 1)) ;
    int col = (mAttach - 1) % 3, row = (mAttach - 1) / 3;
    AcGeVector3d x = mDirection.normal();
    AcGeVector3d y = mNormal.crossProduct(x);
    AcGePoint3d topLeft = mLocation - x * (w * col / 2.0) + y * (tall * row / 2.0);
    ext.addPoint(topLeft);
    ext.addPoint(topLeft + x * w);
    ext.addPoint(topLeft - y * tall);
    ext.addPoint(topLeft + x * w - y * tall);
    return Acad::eOk;
}

void AcDbMText::copyDataTo(AcDbObject* other) const {
    AcDbEntity::copyDataTo(other);
    auto* o = static_cast<AcDbMText*>(other);
    o->mLocation = mLocation;
    o->mNormal = mNormal;
    o->mDirection = mDirection;
    o->mContents = mContents;
    o->mStyle = mStyle;
    o->mHeight = mHeight;
    o->mWidth = mWidth;
    o->mSpacing = mSpacing;
    o->mAttach = mAttach;
    o->mDrawDir = mDrawDir;
    o->mSpacingStyle = mSpacingStyle;
}
