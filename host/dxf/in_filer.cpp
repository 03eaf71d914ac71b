#include "dxf/in_filer.h"

#include "cvx/dbents.h"
#include "cvx/wide.h"
#include "ge/utf8.h"

void DxfInFiler::start(const DxfElement& e, size_t first) {
    mElement = &e;
    mPos = first;
    mEnd = e.groups.size();
    for (size_t i = first; i < e.groups.size(); ++i)
        if (e.groups[i].code >= 1000) {
            mEnd = i;
            break;
        }
}

void DxfInFiler::setError(Acad::ErrorStatus es, const ACHAR* message) {
    mStatus = es;
    mMessage = message ? message : L"";
}

bool DxfInFiler::readGroup(AcDbDxfGroup& group) {
    if (mPos >= mEnd) {
        ++mPos;  // so that pushing back after the end leaves the end in place
        return false;
    }
    group = mElement->groups[mPos++];
    return true;
}

void DxfInFiler::pushBackGroup() {
    if (mPos > 0) --mPos;
}

bool DxfInFiler::atSubclassData(const ACHAR* subClassName) {
    if (mPos >= mEnd || mElement->groups[mPos].code != 100) return false;
    // Compared code point by code point: this runs for every object read, so nothing is converted.
    std::string_view text = mElement->groups[mPos].text;
    const ACHAR* name = subClassName ? subClassName : L"";
    size_t i = 0;
    for (; i < text.size() && *name; ++name)
        if (static_cast<wchar_t>(cvxUtf8Next(text, i)) != *name) return false;
    if (i != text.size() || *name) return false;
    ++mPos;
    return true;
}

AcDbObjectId DxfInFiler::idFromHandle(uint64_t handle) {
    if (handle == 0) return {};
    // Runs of objects refer to the same owner; a stub lives as long as its database.
    if (handle != mLastHandle) {
        mLastHandle = handle;
        mLastHandleId = AcDbObjectId(mDb.impl().stubFor(handle, true));
    }
    return mLastHandleId;
}

AcDbObjectId DxfInFiler::recordByName(AcDbDatabase::TableIndex table, std::string_view name) {
    NameCache& cache = mNames[table];
    if (!cache.id.isNull() && cache.name == name && !cache.id.isErased()) return cache.id;
    std::wstring wname = cvxFromUtf8(name);
    AcDbObjectId id;
    if (auto* t = AcDbSymbolTable::cast(mDb.tableId(table).objectPtr())) t->getAt(wname.c_str(), id);
    if (id.isNull() && (table == AcDbDatabase::kLayer || table == AcDbDatabase::kBlock) && !wname.empty())
        id = createRecord(table, wname);
    cache.name.assign(name);
    cache.id = id;
    return id;
}

// A layer or block a file refers to without defining it in its tables.
AcDbObjectId DxfInFiler::createRecord(AcDbDatabase::TableIndex table, const std::wstring& name) {
    AcDbSymbolTable* t = nullptr;
    if (acdbOpenObject(t, mDb.tableId(table), AcDb::kForWrite) != Acad::eOk) return {};
    AcDbSymbolTableRecord* rec = nullptr;
    if (table == AcDbDatabase::kLayer) {
        auto* layer = new AcDbLayerTableRecord();
        layer->setLinetypeObjectId(mDb.continuousLinetype());
        AcCmColor white;
        white.setColorIndex(7);
        layer->setColor(white);
        rec = layer;
    } else {
        rec = new AcDbBlockTableRecord();
    }
    AcDbObjectId id;
    if (rec->setName(name.c_str()) != Acad::eOk || t->add(id, rec) != Acad::eOk) {
        delete rec;
        t->close();
        return {};
    }
    rec->close();
    t->close();
    return id;
}
