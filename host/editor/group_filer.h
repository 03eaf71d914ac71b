// A filer that keeps an object's groups in memory as (code, text) pairs, the form AcDbUnknownObject holds them
// in: objects write into it, and read back from it, without a file.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cvx/dbobject.h"

namespace cvx::editor {

using GroupTexts = std::vector<std::pair<int, std::string>>;

class GroupFiler : public AcDbDxfFiler {
public:
    // A filer to write into (empty) or to read the given groups from, for objects of `db`.
    explicit GroupFiler(AcDbDatabase* db, GroupTexts groups = {}) : mDb(db), mGroups(std::move(groups)) {}
    const GroupTexts& groups() const { return mGroups; }

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    void setError(Acad::ErrorStatus es, const ACHAR* message) override;
    AcDbDatabase* database() const override { return mDb; }
    int dwgVersion() const override { return AcDb::kDHL_CURRENT; }

    bool readGroup(AcDbDxfGroup& group) override;
    void pushBackGroup() override;
    bool atEOF() const override { return mPos >= mGroups.size(); }
    bool atSubclassData(const ACHAR* subClassName) override;
    AcDbObjectId idFromHandle(uint64_t handle) override;

    void writeString(int code, std::wstring_view s) override;
    void writeInt16(int code, int16_t v) override { writeInt64(code, v); }
    void writeInt32(int code, int32_t v) override { writeInt64(code, v); }
    void writeInt64(int code, int64_t v) override { put(code, std::to_string(v)); }
    void writeBool(int code, bool v) override { writeInt64(code, v ? 1 : 0); }
    void writeDouble(int code, double v) override;
    void writePoint2d(int code, const AcGePoint2d& p) override;
    void writePoint3d(int code, const AcGePoint3d& p) override;
    void writeVector3d(int code, const AcGeVector3d& v) override { writePoint3d(code, {v.x, v.y, v.z}); }
    void writeObjectId(int code, const AcDbObjectId& id) override { writeHandle(code, id.handle()); }
    void writeHandle(int code, const AcDbHandle& h) override;

private:
    void put(int code, std::string text) { mGroups.emplace_back(code, std::move(text)); }

    AcDbDatabase* mDb;
    GroupTexts mGroups;
    size_t mPos = 0, mLastStart = 0;
    std::string mText;  // the text of the last group read
    Acad::ErrorStatus mStatus = Acad::eOk;
};

}  // namespace cvx::editor
