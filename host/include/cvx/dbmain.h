// The drawing database: symbol tables, dictionaries and header variables.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cvx/color.h"
#include "cvx/dbobject.h"

class AcDbEntity;
class AcDbBlockTableRecord;
class AcDbSymbolTableRecord;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbRegAppTable;
class AcDbViewportTable;
class AcDbLinetypeTable;
class AcDbTextStyleTable;
class AcDbDimStyleTable;
class AcDbUCSTable;
class AcDbViewTable;
class AcDbDictionary;

// ---- symbol tables ----

class AcDbSymbolTableRecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
    Acad::ErrorStatus getName(ACHAR*& name) const;  // a copy the caller frees with delete[]
    Acad::ErrorStatus getName(std::wstring& name) const { name = mName; return Acad::eOk; }
    const ACHAR* getName() const { return mName.c_str(); }
    const std::wstring& name() const { return mName; }
    Acad::ErrorStatus setName(const ACHAR* name);
    int flags() const { return mFlags; }  // group 70 as read from a file
    void setFlags(int f) { assertWriteEnabled(); mFlags = f; }
    bool isDependent() const { return mName.find(L'|') != std::wstring::npos; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    // Every change of the name goes through here, so the owning table's index follows it.
    void assignName(std::wstring name);
    std::wstring mName;
    int mFlags = 0;
};

class AcDbSymbolTableIterator;

class AcDbSymbolTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
    AcDbSymbolTable();
    ~AcDbSymbolTable() override;
    // Names compare without regard to case.
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id, bool getErased = false) const;
    Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode,
                            bool openErased = false) const;
    bool has(const ACHAR* name) const;
    bool has(AcDbObjectId id) const;
    // Makes the record resident in the table's database and owned by the table.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* rec);
    Acad::ErrorStatus add(AcDbObjectId& id, AcDbSymbolTableRecord* rec);
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& it, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    const std::vector<AcDbObjectId>& recordIds() const { return mRecords; }
    // The class of the records this table holds.
    virtual AcRxClass* recordClass() const = 0;
    // The name of the table in a drawing file (LAYER, BLOCK_RECORD, ...).
    virtual const ACHAR* tableName() const = 0;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    // The host's own use: enters a record that is already resident (read from a file) in the table.
    void adoptRecordId(AcDbObjectId id) { mRecords.push_back(id); }
    // The host's own use: a record of this table changed its name from oldName.
    void noteRenamed(AcDbObjectId id, const std::wstring& oldName) const;

private:
    struct NameIndex;
    NameIndex& index() const;
    std::vector<AcDbObjectId> mRecords;
    mutable std::unique_ptr<NameIndex> mIndex;  // names (folded to lower case) to records, built as needed
};

class AcDbSymbolTableIterator {
public:
    AcDbSymbolTableIterator(const AcDbSymbolTable* table, bool skipDeleted);
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const { return mPos >= mIds.size(); }
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& rec, AcDb::OpenMode mode, bool openErased = false) const;

private:
    void skip();
    std::vector<AcDbObjectId> mIds;
    size_t mPos = 0;
    bool mSkipDeleted = true;
};

#define CVX_DECLARE_TABLE(TABLE, RECORD, DXFNAME)                                                  \
    class RECORD;                                                                                  \
    class TABLE : public AcDbSymbolTable {                                                         \
    public:                                                                                        \
        ACRX_DECLARE_MEMBERS(TABLE);                                                               \
        AcRxClass* recordClass() const override;                                                   \
        const ACHAR* tableName() const override { return DXFNAME; }                                \
        Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& id, bool getErased = false) const { \
            return AcDbSymbolTable::getAt(name, id, getErased);                                    \
        }                                                                                          \
        Acad::ErrorStatus getAt(const ACHAR* name, RECORD*& rec, AcDb::OpenMode mode,             \
                                bool openErased = false) const;                                    \
    }

CVX_DECLARE_TABLE(AcDbBlockTable, AcDbBlockTableRecord, L"BLOCK_RECORD");
CVX_DECLARE_TABLE(AcDbLayerTable, AcDbLayerTableRecord, L"LAYER");
CVX_DECLARE_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord, L"APPID");
CVX_DECLARE_TABLE(AcDbViewportTable, AcDbViewportTableRecord, L"VPORT");
CVX_DECLARE_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, L"LTYPE");
CVX_DECLARE_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord, L"STYLE");
CVX_DECLARE_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, L"DIMSTYLE");
CVX_DECLARE_TABLE(AcDbUCSTable, AcDbUCSTableRecord, L"UCS");
CVX_DECLARE_TABLE(AcDbViewTable, AcDbViewTableRecord, L"VIEW");

#define ACDB_MODEL_SPACE L"*Model_Space"
#define ACDB_PAPER_SPACE L"*Paper_Space"

class AcDbBlockTableRecordIterator;

class AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
    ~AcDbBlockTableRecord() override;
    // Makes the entity resident and owned by this record; the record must be open for write.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* ent);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& id, AcDbEntity* ent);
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& it, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    const std::vector<AcDbObjectId>& entityIds() const { return mEntities; }
    AcGePoint3d origin() const { return mOrigin; }
    void setOrigin(const AcGePoint3d& p) { assertWriteEnabled(); mOrigin = p; }
    bool isAnonymous() const { return !name().empty() && name()[0] == L'*' && !isLayout(); }
    bool isLayout() const;
    bool isFromExternalReference() const { return !mPathName.empty(); }
    const std::wstring& pathName() const { return mPathName; }
    void setPathName(const std::wstring& p) { assertWriteEnabled(); mPathName = p; }
    const std::wstring& comments() const { return mComments; }
    void setComments(const std::wstring& c) { assertWriteEnabled(); mComments = c; }
    int blockFlags() const { return mBlockFlags; }  // group 70 of the BLOCK entity
    void setBlockFlags(int f) { assertWriteEnabled(); mBlockFlags = f; }
    AcDbObjectId getLayoutId() const { return mLayout; }
    void setLayoutId(AcDbObjectId id) { assertWriteEnabled(); mLayout = id; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

    // The host's own use: the entities, and the handles of the BLOCK / ENDBLK markers of a drawing file.
    std::vector<AcDbObjectId>& entityIdsForWrite() { return mEntities; }
    struct BlockMarkers {
        AcDbHandle begin, end;
        AcDbObjectId beginLayer, endLayer;
    };
    BlockMarkers& markers() { return mMarkers; }
    const BlockMarkers& markers() const { return mMarkers; }

private:
    std::vector<AcDbObjectId> mEntities;
    AcGePoint3d mOrigin;
    std::wstring mPathName, mComments;
    int mBlockFlags = 0;
    AcDbObjectId mLayout;
    BlockMarkers mMarkers;
};

class AcDbBlockTableRecordIterator {
public:
    AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* rec, bool skipDeleted);
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const { return mPos >= mIds.size(); }
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& id) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& ent, AcDb::OpenMode mode, bool openErased = false) const;

private:
    void skip();
    std::vector<AcDbObjectId> mIds;
    size_t mPos = 0;
    bool mSkipDeleted = true;
};

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
    AcCmColor color() const { return mColor; }
    void setColor(const AcCmColor& c) { assertWriteEnabled(); mColor = c; }
    bool isOff() const { return mOff; }
    void setIsOff(bool off) { assertWriteEnabled(); mOff = off; }
    bool isFrozen() const { return (flags() & 1) != 0; }
    void setIsFrozen(bool f) { setFlags(f ? (flags() | 1) : (flags() & ~1)); }
    bool isLocked() const { return (flags() & 4) != 0; }
    void setIsLocked(bool f) { setFlags(f ? (flags() | 4) : (flags() & ~4)); }
    bool isPlottable() const { return mPlottable; }
    void setIsPlottable(bool p) { assertWriteEnabled(); mPlottable = p; }
    AcDbObjectId linetypeObjectId() const { return mLinetype; }
    void setLinetypeObjectId(AcDbObjectId id) { assertWriteEnabled(); mLinetype = id; }
    int lineWeight() const { return mLineWeight; }
    void setLineWeight(int w) { assertWriteEnabled(); mLineWeight = w; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcCmColor mColor{};
    AcDbObjectId mLinetype;
    int mLineWeight = -3;  // default
    bool mOff = false;
    bool mPlottable = true;
};

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord);
};

class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    const std::wstring& comments() const { return mComments; }
    void setComments(const std::wstring& c) { assertWriteEnabled(); mComments = c; }
    double patternLength() const { return mPatternLength; }
    const std::vector<double>& dashes() const { return mDashes; }
    void setDashes(const std::vector<double>& d);
    void copyDataTo(AcDbObject* other) const override;

private:
    std::wstring mComments;
    double mPatternLength = 0;
    std::vector<double> mDashes;
};

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    double textSize() const { return mTextSize; }
    double xScale() const { return mXScale; }
    const std::wstring& fileName() const { return mFont; }
    const std::wstring& bigFontFileName() const { return mBigFont; }
    void setFileName(const std::wstring& f) { assertWriteEnabled(); mFont = f; }
    void copyDataTo(AcDbObject* other) const override;

private:
    double mTextSize = 0, mXScale = 1, mObliquing = 0, mPriorSize = 2.5;
    int mGenFlags = 0;
    std::wstring mFont = L"txt", mBigFont;
};

class AcDbDimStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimStyleTableRecord);
};
class AcDbUCSTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbUCSTableRecord);
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    AcGePoint3d origin() const { return mOrigin; }
    AcGeVector3d xAxis() const { return mX; }
    AcGeVector3d yAxis() const { return mY; }
    void set(const AcGePoint3d& o, const AcGeVector3d& x, const AcGeVector3d& y) {
        assertWriteEnabled(); mOrigin = o; mX = x; mY = y;
    }
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint3d mOrigin;
    AcGeVector3d mX{1, 0, 0}, mY{0, 1, 0};
};
class AcDbViewTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewTableRecord);
};

class AcDbViewportTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewportTableRecord);
    AcGePoint2d centerPoint() const { return mCenter; }
    void setCenterPoint(const AcGePoint2d& c) { assertWriteEnabled(); mCenter = c; }
    double height() const { return mHeight; }
    void setHeight(double h) { assertWriteEnabled(); mHeight = h; }
    double width() const { return mHeight * mAspect; }
    void setWidth(double w) { assertWriteEnabled(); if (mHeight > 0) mAspect = w / mHeight; }
    double aspectRatio() const { return mAspect; }
    AcGePoint2d lowerLeftCorner() const { return mLowerLeft; }
    AcGePoint2d upperRightCorner() const { return mUpperRight; }
    AcGeVector3d viewDirection() const { return mDirection; }
    AcGePoint3d target() const { return mTarget; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;

private:
    AcGePoint2d mLowerLeft{0, 0}, mUpperRight{1, 1}, mCenter{0, 0};
    double mHeight = 100, mAspect = 1.5;
    AcGeVector3d mDirection{0, 0, 1};
    AcGePoint3d mTarget;
};

// ---- dictionaries ----

class AcDbDictionaryIterator;

class AcDbDictionary : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionary);
    ~AcDbDictionary() override;
    Acad::ErrorStatus getAt(const ACHAR* key, AcDbObjectId& id) const;
    Acad::ErrorStatus getAt(const ACHAR* key, AcDbObject*& obj, AcDb::OpenMode mode) const;
    bool has(const ACHAR* key) const;
    bool has(AcDbObjectId id) const;
    Acad::ErrorStatus nameAt(AcDbObjectId id, std::wstring& key) const;
    // Adds (or replaces) an entry; a new object becomes resident and owned by the dictionary.
    Acad::ErrorStatus setAt(const ACHAR* key, AcDbObject* obj, AcDbObjectId& id);
    Acad::ErrorStatus remove(const ACHAR* key);
    Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& removedId);
    int numEntries() const { return static_cast<int>(mEntries.size()); }
    AcDbDictionaryIterator* newIterator() const;
    bool isHardOwner() const { return mHardOwner; }
    void setTreatElementsAsHard(bool hard) { assertWriteEnabled(); mHardOwner = hard; }
    int mergeStyle() const { return mMergeStyle; }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    struct Entry {
        std::wstring key;
        AcDbObjectId id;
    };
    const std::vector<Entry>& entries() const { return mEntries; }
    std::vector<Entry>& entriesForWrite() { return mEntries; }

private:
    std::vector<Entry> mEntries;  // in the order they were added or read
    bool mHardOwner = false;
    int mMergeStyle = 1;
};

class AcDbDictionaryIterator {
public:
    explicit AcDbDictionaryIterator(const AcDbDictionary* dict);
    bool done() const { return mPos >= mEntries.size(); }
    bool next() { ++mPos; return !done(); }
    const ACHAR* name() const { return mEntries[mPos].key.c_str(); }
    AcDbObjectId objectId() const { return mEntries[mPos].id; }
    Acad::ErrorStatus getObject(AcDbObject*& obj, AcDb::OpenMode mode) const;

private:
    std::vector<AcDbDictionary::Entry> mEntries;
    size_t mPos = 0;
};

// An object holding a list of groups under a dictionary key.
class AcDbXrecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbXrecord);
    Acad::ErrorStatus rbChain(resbuf** chain) const;
    Acad::ErrorStatus setFromRbChain(const resbuf* chain);
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    void copyDataTo(AcDbObject* other) const override;
    int cloning() const { return mCloning; }

private:
    std::vector<AcDbDxfGroup> mGroups;
    std::vector<std::string> mTexts;  // storage for the groups' text
    int mCloning = 1;
};

// ---- the database ----

class AcDbDatabase : public AcRxObject {
public:
    // A new drawing with the standard tables and records (layer "0", model and paper space, ...), or an
    // empty shell that a drawing file is read into.
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    // Drawing files. On failure the database is unchanged and lastErrorText() says what and where.
    Acad::ErrorStatus readDxfFile(const ACHAR* fileName);
    Acad::ErrorStatus dxfIn(const ACHAR* fileName) { return readDxfFile(fileName); }
    // Writes atomically (a temporary file renamed over the target) and keeps the previous file as NAME.bak.
    Acad::ErrorStatus dxfOut(const ACHAR* fileName, int precision = 16,
                             AcDb::AcDbDwgVersion version = AcDb::kDHL_1015) const;
    const std::wstring& lastErrorText() const { return mLastError; }
    // What reading the drawing found wrong with it and worked around, one line each (empty for a sound file).
    const std::vector<std::wstring>& openNotes() const { return mOpenNotes; }
    void setLastErrorText(const std::wstring& t) const { mLastError = t; }
    const std::wstring& fileName() const { return mFileName; }
    void setFileName(const std::wstring& f) { mFileName = f; }
    int originalFileVersion() const { return mOriginalVersion; }
    void setOriginalFileVersion(int v) { mOriginalVersion = v; }

    // Tables.
    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& t, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& t, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& t, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getViewportTable(AcDbViewportTable*& t, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& t, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& t, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getDimStyleTable(AcDbDimStyleTable*& t, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getUCSTable(AcDbUCSTable*& t, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getViewTable(AcDbViewTable*& t, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& t, AcDb::OpenMode mode) { return getBlockTable(t, mode); }
    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& d, AcDb::OpenMode mode = AcDb::kForRead);
    AcDbObjectId blockTableId() const { return mTables[kBlock]; }
    AcDbObjectId layerTableId() const { return mTables[kLayer]; }
    AcDbObjectId regAppTableId() const { return mTables[kRegApp]; }
    AcDbObjectId viewportTableId() const { return mTables[kVport]; }
    AcDbObjectId linetypeTableId() const { return mTables[kLtype]; }
    AcDbObjectId textStyleTableId() const { return mTables[kStyle]; }
    AcDbObjectId dimStyleTableId() const { return mTables[kDimStyle]; }
    AcDbObjectId UCSTableId() const { return mTables[kUcs]; }
    AcDbObjectId viewTableId() const { return mTables[kView]; }
    AcDbObjectId namedObjectsDictionaryId() const { return mNamedObjects; }
    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;
    // The block record new entities go to: model space unless the user works in a layout.
    AcDbObjectId currentSpaceId() const;
    void setCurrentSpaceId(AcDbObjectId id) { mCurrentSpace = id; }
    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    AcDbObjectId continuousLinetype() const;

    // Objects and handles.
    // Makes an object resident in this database with a new handle; the caller sets its owner.
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* obj);
    Acad::ErrorStatus addAcDbObject(AcDbObject* obj) { AcDbObjectId id; return addAcDbObject(id, obj); }
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& h);
    AcDbHandle handseed() const { return mNextHandle; }
    void setHandseed(AcDbHandle h) { if (mNextHandle < h) mNextHandle = h; }
    // Every object id in handle order (the host's own use: saving, auditing).
    std::vector<AcDbObjectId> allObjectIds() const;

    // Header variables.
    AcDbObjectId clayer() const { return mClayer; }
    Acad::ErrorStatus setClayer(AcDbObjectId id);
    AcCmColor cecolor() const { return mCecolor; }
    Acad::ErrorStatus setCecolor(const AcCmColor& c) { mCecolor = c; return Acad::eOk; }
    AcDbObjectId celtype() const { return mCeltype; }
    void setCeltype(AcDbObjectId id) { mCeltype = id; }
    AcDbObjectId textstyle() const { return mTextStyle; }
    void setTextstyle(AcDbObjectId id) { mTextStyle = id; }
    int16_t pdmode() const { return mPdmode; }
    Acad::ErrorStatus setPdmode(int16_t v) { mPdmode = v; return Acad::eOk; }
    double pdsize() const { return mPdsize; }
    Acad::ErrorStatus setPdsize(double v) { mPdsize = v; return Acad::eOk; }
    int16_t surftab1() const { return mSurftab1; }
    Acad::ErrorStatus setSurftab1(int16_t v) { mSurftab1 = v; return Acad::eOk; }
    int16_t splinesegs() const { return mSplinesegs; }
    Acad::ErrorStatus setSplinesegs(int16_t v) { mSplinesegs = v; return Acad::eOk; }
    bool mirrtext() const { return mMirrtext; }
    Acad::ErrorStatus setMirrtext(bool v) { mMirrtext = v; return Acad::eOk; }
    double ltscale() const { return mLtscale; }
    void setLtscale(double v) { mLtscale = v; }
    double textsize() const { return mTextsize; }
    void setTextsize(double v) { mTextsize = v; }
    AcGePoint3d extmin() const { return mExtmin; }
    AcGePoint3d extmax() const { return mExtmax; }
    void setExtmin(const AcGePoint3d& p) { mExtmin = p; }
    void setExtmax(const AcGePoint3d& p) { mExtmax = p; }
    // Recomputes the drawing extents from the model-space entities.
    Acad::ErrorStatus updateExt(bool bestFit = false);
    AcGePoint3d insbase() const { return mInsbase; }
    void setInsbase(const AcGePoint3d& p) { mInsbase = p; }
    int16_t insunits() const { return mInsunits; }
    void setInsunits(int16_t v) { mInsunits = v; }
    bool tilemode() const { return mTilemode; }
    void setTilemode(bool v) { mTilemode = v; }
    int codePage() const { return mCodePage; }  // code page of the file the drawing came from (0: UTF-8)
    void setCodePage(int cp) { mCodePage = cp; }

    // Header variables the host does not model, kept as read and written back: name and groups.
    struct KeptHeaderVariable {
        std::wstring name;
        std::vector<std::pair<int, std::string>> groups;  // code and value text
    };
    std::vector<KeptHeaderVariable>& keptHeaderVariables() { return mKeptHeader; }
    const std::vector<KeptHeaderVariable>& keptHeaderVariables() const { return mKeptHeader; }
    // Entries of a file's class list that no loaded module registers, kept and written back.
    struct KeptClass {
        std::wstring dxfName, className, appName;
        int proxyFlags = 0;
        bool wasProxy = false, isEntity = false;
    };
    std::vector<KeptClass>& keptClasses() { return mKeptClasses; }
    const std::vector<KeptClass>& keptClasses() const { return mKeptClasses; }

    // The host's own use.
    struct Impl;
    Impl& impl() const { return *mImpl; }
    enum TableIndex { kBlock, kLayer, kRegApp, kVport, kLtype, kStyle, kDimStyle, kUcs, kView, kTableCount };
    void setTableId(TableIndex t, AcDbObjectId id) { mTables[t] = id; }
    AcDbObjectId tableId(TableIndex t) const { return mTables[t]; }
    void setNamedObjectsDictionaryId(AcDbObjectId id) { mNamedObjects = id; }
    // Moves everything of another database into this one (used when a file was read into a fresh database).
    void swapContents(AcDbDatabase& other);

private:
    void buildDefaultDrawing();

    std::unique_ptr<Impl> mImpl;
    AcDbObjectId mTables[kTableCount];
    AcDbObjectId mNamedObjects, mCurrentSpace;
    AcDbHandle mNextHandle{1};
    std::wstring mFileName;
    mutable std::wstring mLastError;
    std::vector<std::wstring> mOpenNotes;
    int mOriginalVersion = AcDb::kDHL_1015;
    int mCodePage = 0;

    AcDbObjectId mClayer, mCeltype, mTextStyle;
    AcCmColor mCecolor;
    int16_t mPdmode = 0, mSurftab1 = 6, mSplinesegs = 8, mInsunits = 0;
    double mPdsize = 0, mLtscale = 1, mTextsize = 2.5;
    bool mMirrtext = false, mTilemode = true;
    AcGePoint3d mExtmin{1e20, 1e20, 1e20}, mExtmax{-1e20, -1e20, -1e20}, mInsbase;
    std::vector<KeptHeaderVariable> mKeptHeader;
    std::vector<KeptClass> mKeptClasses;
};

// The host's services object: its release and the working database.
class AcDbHostApplicationServices : public AcRxObject {
public:
    AcDbDatabase* workingDatabase() const { return mWorking; }
    void setWorkingDatabase(AcDbDatabase* db) { mWorking = db; }
    int releaseMajorVersion() const { return 18; }
    int releaseMinorVersion() const { return 2; }
    const ACHAR* product() const { return L"Curvix host"; }

private:
    AcDbDatabase* mWorking = nullptr;
};
AcDbHostApplicationServices* acdbHostApplicationServices();
inline AcDbDatabase* acdbCurDwg() { return acdbHostApplicationServices()->workingDatabase(); }

// Registers an application name for xdata; true when it was added now or existed.
bool acdbRegApp(const ACHAR* appName);
