// Object ids and handles.
#pragma once

#include <cstdint>
#include <functional>

#include "cvx/array.h"
#include "cvx/status.h"

class AcDbDatabase;
class AcDbObject;
struct AcDbStub;

// A handle: the object's name in its drawing, unique within it and kept across save and reopen.
class AcDbHandle {
public:
    AcDbHandle() = default;
    AcDbHandle(uint64_t v) : mValue(v) {}
    explicit AcDbHandle(const ACHAR* hex);
    bool isNull() const { return mValue == 0; }
    uint64_t value() const { return mValue; }
    void getIntoAsciiBuffer(ACHAR* buf, size_t len = 17) const;  // upper-case hexadecimal
    AcDbHandle& operator++() { ++mValue; return *this; }
    bool operator==(const AcDbHandle& o) const { return mValue == o.mValue; }
    bool operator!=(const AcDbHandle& o) const { return mValue != o.mValue; }
    bool operator<(const AcDbHandle& o) const { return mValue < o.mValue; }

private:
    uint64_t mValue = 0;
};

// Identifies an object for the object's whole life in its database; the null id refers to nothing.
class AcDbObjectId {
public:
    AcDbObjectId() = default;
    explicit AcDbObjectId(AcDbStub* stub) : mStub(stub) {}
    static const AcDbObjectId kNull;

    bool isNull() const { return mStub == nullptr; }
    void setNull() { mStub = nullptr; }
    bool isValid() const;
    bool isErased() const;
    bool isEffectivelyErased() const { return isErased(); }
    AcDbDatabase* database() const;
    AcDbHandle handle() const;
    // A number that stands for the id in entity names (ads_name) and back.
    int64_t asOldId() const { return static_cast<int64_t>(reinterpret_cast<intptr_t>(mStub)); }
    AcDbObjectId& setFromOldId(int64_t oldId) {
        mStub = reinterpret_cast<AcDbStub*>(static_cast<intptr_t>(oldId));
        return *this;
    }
    AcDbStub* stub() const { return mStub; }
    // The object while it is in memory (whether or not it is open); the host's own code only.
    AcDbObject* objectPtr() const;

    bool operator==(const AcDbObjectId& o) const { return mStub == o.mStub; }
    bool operator!=(const AcDbObjectId& o) const { return mStub != o.mStub; }
    bool operator<(const AcDbObjectId& o) const;  // by handle
    explicit operator bool() const { return mStub != nullptr; }

private:
    AcDbStub* mStub = nullptr;
};

using AcDbObjectIdArray = AcArray<AcDbObjectId>;

template <>
struct std::hash<AcDbObjectId> {
    size_t operator()(const AcDbObjectId& id) const noexcept { return std::hash<void*>()(id.stub()); }
};
