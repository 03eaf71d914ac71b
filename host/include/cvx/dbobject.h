// AcDbObject: the base of everything a drawing database holds, with opening and closing, ownership, xdata,
// reactors and filing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cvx/dbid.h"
#include "cvx/ge.h"
#include "cvx/resbuf.h"
#include "cvx/rx.h"

class AcDbObject;
class AcDbDictionary;

// ---- filing ----

// One group of a drawing file: a code and its value, parsed by the kind its code stands for. A point comes as
// one group (codes 10..18, 110..112, 210, 1010..1013, ...) with its X, Y and, where present, Z.
class CvxDxfInSupport;
class CvxDxfOutSupport;

struct AcDbDxfGroup {
    int code = 0;
    std::string_view text;  // the value as UTF-8 text, valid until the next read
    double real = 0;        // real codes
    int64_t integer = 0;    // integer and boolean codes; handle codes hold the handle's value
    AcGePoint3d point;      // point codes
    bool hasZ = false;
    std::wstring wtext() const;  // the text as a wide string
    bool is(int c, std::string_view t) const { return code == c && text == t; }
};

// Reads and writes the groups of one object. The host's drawing-file reader and writer implement it; classes
// file their own data through it in dxfInFields / dxfOutFields.
class AcDbDxfFiler : public AcRxObject {
public:
    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual void setError(Acad::ErrorStatus es, const ACHAR* message) = 0;
    virtual AcDbDatabase* database() const = 0;
    virtual int dwgVersion() const = 0;  // one of AcDb::AcDbDwgVersion

    // Reading: the next group, or false at the end of the object's groups.
    virtual bool readGroup(AcDbDxfGroup& group) = 0;
    virtual void pushBackGroup() = 0;  // the last group read is read again next time
    virtual bool atEOF() const = 0;
    // True and consumed when the next group is subclass marker 100 with this name.
    virtual bool atSubclassData(const ACHAR* subClassName) = 0;
    // The id of the object that has, or will have once read, this handle (null for handle 0).
    virtual AcDbObjectId idFromHandle(uint64_t handle) = 0;
    // The result-buffer form, for module code: reads one group into rb (strings owned by rb).
    Acad::ErrorStatus readItem(resbuf* rb);
    Acad::ErrorStatus readResBuf(resbuf* rb) { return readItem(rb); }

    // Writing.
    virtual void writeString(int code, std::wstring_view s) = 0;
    virtual void writeInt16(int code, int16_t v) = 0;
    virtual void writeInt32(int code, int32_t v) = 0;
    virtual void writeInt64(int code, int64_t v) = 0;
    virtual void writeBool(int code, bool v) = 0;
    virtual void writeDouble(int code, double v) = 0;
    virtual void writePoint2d(int code, const AcGePoint2d& p) = 0;
    virtual void writePoint3d(int code, const AcGePoint3d& p) = 0;
    virtual void writeVector3d(int code, const AcGeVector3d& v) = 0;
    virtual void writeObjectId(int code, const AcDbObjectId& id) = 0;  // as the object's handle
    virtual void writeHandle(int code, const AcDbHandle& h) = 0;
    Acad::ErrorStatus writeItem(const resbuf* rb);
    Acad::ErrorStatus writeResBuf(const resbuf* rb) { return writeItem(rb); }

    // The host's own drawing-file reader and writer offer more than this (table records by name, texts as
    // they are); other filers give null.
    virtual CvxDxfInSupport* inSupport() { return nullptr; }
    virtual CvxDxfOutSupport* outSupport() { return nullptr; }
};

// Binary filing for copies of objects (clone, deep copy). Data is kept in memory in write order.
class AcDbDwgFiler : public AcRxObject {
public:
    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual Acad::ErrorStatus writeItem(double v) = 0;
    virtual Acad::ErrorStatus writeItem(int64_t v) = 0;
    virtual Acad::ErrorStatus writeItem(const std::wstring& s) = 0;
    virtual Acad::ErrorStatus writeItem(const AcGePoint3d& p) = 0;
    virtual Acad::ErrorStatus writeItem(const AcDbObjectId& id) = 0;
    virtual Acad::ErrorStatus readItem(double* v) = 0;
    virtual Acad::ErrorStatus readItem(int64_t* v) = 0;
    virtual Acad::ErrorStatus readItem(std::wstring* s) = 0;
    virtual Acad::ErrorStatus readItem(AcGePoint3d* p) = 0;
    virtual Acad::ErrorStatus readItem(AcDbObjectId* id) = 0;
};

// ---- reactors ----

// A transient reactor: an ordinary object that watches database objects while the session lasts.
class AcDbObjectReactor : public AcRxObject {
public:
    virtual void openedForModify(const AcDbObject* obj) {}
    virtual void modified(const AcDbObject* obj) {}
    virtual void erased(const AcDbObject* obj, bool erasing = true) {}
    virtual void goodbye(const AcDbObject* obj) {}
};

// Entries of an object's reactor list: transient reactors are pointers, persistent ones are object ids
// marked so that these two functions tell them apart.
bool acdbIsPersistentReactor(void* reactor);
AcDbObjectId acdbPersistentReactorObjectId(void* reactor);

// ---- the object ----

class AcDbObject : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);
    AcDbObject();
    ~AcDbObject() override;
    // Objects come from the host's object pool, which keeps drawings of millions of objects quick to build.
    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size);
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    // Identity and ownership.
    AcDbObjectId objectId() const;
    AcDbObjectId id() const { return objectId(); }
    AcDbObjectId ownerId() const { return mOwner; }
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId owner);
    AcDbDatabase* database() const;
    AcDbHandle handle() const;
    void getAcDbHandle(AcDbHandle& h) const { h = handle(); }
    bool isNewObject() const { return mStub == nullptr; }
    bool isDatabaseResident() const { return mStub != nullptr; }

    // Open state.
    bool isReadEnabled() const { return mMode != kClosed; }
    bool isWriteEnabled() const { return mMode == kWrite; }
    bool isNotifyEnabled() const { return mMode == kNotify; }
    bool isModified() const { return mModified; }
    bool isErased() const;
    void assertReadEnabled() const;
    // Called by every setter: fires openedForModify once per opening and marks the object changed.
    void assertWriteEnabled(bool autoUndo = true, bool recordModified = true);
    void assertNotifyEnabled() const {}
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    Acad::ErrorStatus upgradeFromNotify(bool& wasWritable);
    Acad::ErrorStatus downgradeToNotify(bool wasWritable);
    // Ends this opening; after a change the object's reactors hear of it.
    Acad::ErrorStatus close();
    Acad::ErrorStatus cancel() { return close(); }
    Acad::ErrorStatus erase(bool erasing = true);
    // Gives this object's id, handle, owner, xdata and reactors to a new object, which takes its place in the
    // database open for write; this object is left outside the database for the caller to delete.
    Acad::ErrorStatus handOverTo(AcDbObject* newObject);

    // Extended data: the groups of one application (or all) as a new list the caller frees with acutRelRb.
    resbuf* xData(const ACHAR* regappName = nullptr) const;
    // Replaces the xdata of every application named in the list (an application with no groups is removed).
    Acad::ErrorStatus setXData(const resbuf* xdata);

    // Reactors.
    void addReactor(AcDbObjectReactor* reactor) const;
    void removeReactor(AcDbObjectReactor* reactor) const;
    Acad::ErrorStatus addPersistentReactor(AcDbObjectId reactorId);
    Acad::ErrorStatus removePersistentReactor(AcDbObjectId reactorId);
    bool hasPersistentReactor(AcDbObjectId reactorId) const;
    AcDbObjectIdArray getPersistentReactors() const;
    // Transient and persistent reactors; see acdbIsPersistentReactor.
    const AcDbVoidPtrArray* reactors() const;

    // Extension dictionary.
    AcDbObjectId extensionDictionary() const;
    Acad::ErrorStatus createExtensionDictionary();
    Acad::ErrorStatus releaseExtensionDictionary();

    // Filing. The base class reads and writes the groups every object has (handle, reactors, owner).
    virtual Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer);
    virtual Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const;
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const;

    // Notifications an object receives when it is a persistent reactor of another.
    virtual void openedForModify(const AcDbObject* obj) {}
    virtual void modified(const AcDbObject* obj) {}
    virtual void erased(const AcDbObject* obj, bool erasing = true) {}
    virtual void copied(const AcDbObject* obj, const AcDbObject* newObj) {}

    // A new object with the same data (not database-resident, no reactors).
    AcRxObject* clone() const override;

    // ---- the host's own use ----
    struct Extras;  // xdata, reactors, extension dictionary, groups kept from a file
    Extras* extras() const { return mExtras; }
    Extras& extrasForWrite();
    void attachStub(AcDbStub* stub) { mStub = stub; }
    AcDbStub* stub() const { return mStub; }
    enum Mode : uint8_t { kClosed = 0, kRead = 1, kWrite = 2, kNotify = 3 };
    Mode openMode() const { return static_cast<Mode>(mMode); }
    Acad::ErrorStatus hostOpen(AcDb::OpenMode mode);
    // Copies the class's own data into a fresh object of the same class (used by clone).
    virtual void copyDataTo(AcDbObject* other) const;
    // Called after a change of the object's geometry or data, before reactors are told.
    void setModifiedFlag(bool m) { mModified = m; }

private:
    void fireModified();
    void fireOpenedForModify();

    AcDbStub* mStub = nullptr;
    AcDbObjectId mOwner;
    Extras* mExtras = nullptr;
    uint8_t mMode = kClosed;
    uint8_t mReaders = 0;
    bool mModified = false;
    bool mModifyFired = false;
};

// Opens the object with the given id; T must be AcDbObject or a class derived from it.
Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& obj, AcDbObjectId id, AcDb::OpenMode mode,
                                     bool openErased = false);

template <typename T>
Acad::ErrorStatus acdbOpenObject(T*& obj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
    obj = nullptr;
    AcDbObject* p = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(p, id, mode, openErased);
    if (es != Acad::eOk) return es;
    T* t = T::cast(p);
    if (!t) {
        p->close();
        return Acad::eNotThatKindOfClass;
    }
    obj = t;
    return Acad::eOk;
}

// Opens an object for the guard's lifetime and closes it on every path.
template <typename T>
class AcDbObjectPointer {
public:
    AcDbObjectPointer() = default;
    AcDbObjectPointer(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
        mStatus = acdbOpenObject(mObj, id, mode, openErased);
    }
    ~AcDbObjectPointer() { close(); }
    AcDbObjectPointer(const AcDbObjectPointer&) = delete;
    AcDbObjectPointer& operator=(const AcDbObjectPointer&) = delete;

    Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false) {
        close();
        return mStatus = acdbOpenObject(mObj, id, mode, openErased);
    }
    Acad::ErrorStatus openStatus() const { return mStatus; }
    Acad::ErrorStatus close() {
        if (!mObj) return Acad::eOk;
        Acad::ErrorStatus es = mObj->close();
        mObj = nullptr;
        return es;
    }
    T* object() const { return mObj; }
    T* operator->() const { return mObj; }
    explicit operator bool() const { return mObj != nullptr; }

private:
    T* mObj = nullptr;
    Acad::ErrorStatus mStatus = Acad::eNullObjectId;
};

// A name that an entity stands for in the editor functions, and back.
Acad::ErrorStatus acdbGetAdsName(ads_name name, AcDbObjectId id);
Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name);
