#include "editor/group_filer.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "cvx/dbmain.h"
#include "cvx/wide.h"
#include "db/dxf_support.h"

namespace cvx::editor {
namespace {

std::string realText(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

}  // namespace

void GroupFiler::setError(Acad::ErrorStatus es, const ACHAR*) { mStatus = es; }

void GroupFiler::writeString(int code, std::wstring_view s) { put(code, cvxToUtf8(s)); }

void GroupFiler::writeDouble(int code, double v) { put(code, realText(v)); }

void GroupFiler::writePoint2d(int code, const AcGePoint2d& p) {
    put(code, realText(p.x));
    put(code + 10, realText(p.y));
}

void GroupFiler::writePoint3d(int code, const AcGePoint3d& p) {
    writePoint2d(code, {p.x, p.y});
    put(code + 20, realText(p.z));
}

void GroupFiler::writeHandle(int code, const AcDbHandle& h) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%" PRIX64, h.value());
    put(code, buf);
}

bool GroupFiler::readGroup(AcDbDxfGroup& g) {
    if (mPos >= mGroups.size()) return false;
    mLastStart = mPos;
    const auto& [code, text] = mGroups[mPos++];
    g = AcDbDxfGroup();
    g.code = code;
    mText = text;
    g.text = mText;
    switch (cvxDxfKind(code)) {
    case CvxDxfKind::Real: g.real = std::strtod(text.c_str(), nullptr); break;
    case CvxDxfKind::Int: g.integer = std::strtoll(text.c_str(), nullptr, 10); break;
    case CvxDxfKind::Handle: g.integer = static_cast<int64_t>(std::strtoull(text.c_str(), nullptr, 16)); break;
    case CvxDxfKind::PointX:
        g.point.x = std::strtod(text.c_str(), nullptr);
        if (mPos < mGroups.size() && mGroups[mPos].first == code + 10)
            g.point.y = std::strtod(mGroups[mPos++].second.c_str(), nullptr);
        if (mPos < mGroups.size() && mGroups[mPos].first == code + 20) {
            g.point.z = std::strtod(mGroups[mPos++].second.c_str(), nullptr);
            g.hasZ = true;
        }
        g.real = g.point.x;
        break;
    default: break;
    }
    return true;
}

void GroupFiler::pushBackGroup() { mPos = mLastStart; }

bool GroupFiler::atSubclassData(const ACHAR* subClassName) {
    if (mPos < mGroups.size() && mGroups[mPos].first == 100 && mGroups[mPos].second == cvxToUtf8(subClassName)) {
        ++mPos;
        return true;
    }
    return false;
}

AcDbObjectId GroupFiler::idFromHandle(uint64_t handle) {
    AcDbObjectId id;
    if (mDb && handle) mDb->getAcDbObjectId(id, false, AcDbHandle(handle));
    return id;
}

}  // namespace cvx::editor
