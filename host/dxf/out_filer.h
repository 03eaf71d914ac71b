// The filer objects write their groups through while a drawing file is saved.
#pragma once

#include <string>
#include <unordered_map>

#include "cvx/dbmain.h"
#include "db/dxf_support.h"
#include "dxf/out_stream.h"

class DxfOutFiler : public AcDbDxfFiler, public CvxDxfOutSupport {
public:
    DxfOutFiler(DxfOutStream& out, AcDbDatabase& db, int version)
        : mOut(out), mDb(db), mVersion(version), mEscape(version < AcDb::kDHL_1021) {}

    Acad::ErrorStatus filerStatus() const override { return mStatus; }
    void setError(Acad::ErrorStatus es, const ACHAR*) override { mStatus = es; }
    AcDbDatabase* database() const override { return &mDb; }
    int dwgVersion() const override { return mVersion; }

    // Reading is not offered by this filer.
    bool readGroup(AcDbDxfGroup&) override { return false; }
    void pushBackGroup() override {}
    bool atEOF() const override { return true; }
    bool atSubclassData(const ACHAR*) override { return false; }
    AcDbObjectId idFromHandle(uint64_t) override { return {}; }
    CvxDxfOutSupport* outSupport() override { return this; }

    void writeString(int code, std::wstring_view s) override;
    void writeInt16(int code, int16_t v) override { writeInt64(code, v); }
    void writeInt32(int code, int32_t v) override { writeInt64(code, v); }
    void writeInt64(int code, int64_t v) override;
    void writeBool(int code, bool v) override { writeInt64(code, v ? 1 : 0); }
    void writeDouble(int code, double v) override;
    void writePoint2d(int code, const AcGePoint2d& p) override;
    void writePoint3d(int code, const AcGePoint3d& p) override;
    void writeVector3d(int code, const AcGeVector3d& v) override { writePoint3d(code, AcGePoint3d(v.x, v.y, v.z)); }
    void writeObjectId(int code, const AcDbObjectId& id) override;
    void writeHandle(int code, const AcDbHandle& h) override;

    void writeUtf8(int code, std::string_view text) override;
    void writeRaw(int code, std::string_view text) override;
    void writeRecordName(int code, AcDbObjectId record) override;
    AcDbObjectId byLayerLinetype() override {
        if (!mByLayerKnown) mByLayer = mDb.byLayerLinetype(), mByLayerKnown = true;
        return mByLayer;
    }

private:
    // The text as a value line, in the file's encoding (escapes for older versions).
    void writeEncoded(std::string_view text);

    DxfOutStream& mOut;
    AcDbDatabase& mDb;
    int mVersion;
    bool mEscape;  // characters outside ASCII as \U+XXXX
    Acad::ErrorStatus mStatus = Acad::eOk;
    std::string mScratch, mEncoded;
    std::unordered_map<AcDbStub*, std::string> mNames;  // encoded names of table records
    AcDbStub* mLastRecord = nullptr;                     // the record named last (most entities share a layer)
    const std::string* mLastName = nullptr;
    AcDbObjectId mByLayer;
    bool mByLayerKnown = false;
};
