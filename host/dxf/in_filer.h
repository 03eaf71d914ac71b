// The filer objects read their groups from: one element of a drawing file at a time.
#pragma once

#include <string>
#include <unordered_map>

#include "cvx/dbmain.h"
#include "db/database_impl.h"
#include "db/dxf_support.h"
#include "dxf/group_reader.h"

class DxfInFiler : public AcDbDxfFiler, public CvxDxfInSupport {
public:
    DxfInFiler(AcDbDatabase& db, int version) : mDb(db), mVersion(version) {}

    // Serves the element's groups from `first` up to its extended data.
    void start(const DxfElement& e, size_t first = 0);
    void setVersion(int version) { mVersion = version; }
    size_t position() const { return mPos; }
    size_t dataEnd() const { return mEnd; }

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    void setError(Acad::ErrorStatus es, const ACHAR* message) override;
    const std::wstring& errorMessage() const { return mMessage; }
    AcDbDatabase* database() const override { return &mDb; }
    int dwgVersion() const override { return mVersion; }
    bool readGroup(AcDbDxfGroup& group) override;
    void pushBackGroup() override;
    bool atEOF() const override { return mPos >= mEnd; }
    bool atSubclassData(const ACHAR* subClassName) override;
    AcDbObjectId idFromHandle(uint64_t handle) override;
    AcDbObjectId recordByName(AcDbDatabase::TableIndex table, std::string_view name) override;
    CvxDxfInSupport* inSupport() override { return this; }

    // Writing is not offered by this filer.
    void writeString(int, std::wstring_view) override {}
    void writeInt16(int, int16_t) override {}
    void writeInt32(int, int32_t) override {}
    void writeInt64(int, int64_t) override {}
    void writeBool(int, bool) override {}
    void writeDouble(int, double) override {}
    void writePoint2d(int, const AcGePoint2d&) override {}
    void writePoint3d(int, const AcGePoint3d&) override {}
    void writeVector3d(int, const AcGeVector3d&) override {}
    void writeObjectId(int, const AcDbObjectId&) override {}
    void writeHandle(int, const AcDbHandle&) override {}

private:
    AcDbObjectId createRecord(AcDbDatabase::TableIndex table, const std::wstring& name);

    AcDbDatabase& mDb;
    int mVersion;
    const DxfElement* mElement = nullptr;
    size_t mPos = 0, mEnd = 0;
    Acad::ErrorStatus mStatus = Acad::eOk;
    std::wstring mMessage;
    // The last name looked up in each table, and what it gave.
    struct NameCache {
        std::string name;
        AcDbObjectId id;
    };
    NameCache mNames[AcDbDatabase::kTableCount];
    uint64_t mLastHandle = 0;  // the last handle looked up, and its object
    AcDbObjectId mLastHandleId;
};
