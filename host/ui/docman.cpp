// The current document and its locks.
#include "cvx/docman.h"

#include "cvx/dbmain.h"

AcAp::DocLockMode AcApDocument::lockMode() const {
    if (mWriteLocks > 0) return AcAp::kWrite;
    return mLocks > 0 ? AcAp::kRead : AcAp::kNotLocked;
}

AcApDocument* AcApDocManager::curDocument() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return nullptr;
    if (mDoc.mDb != db) mDoc = AcApDocument(db);  // another drawing: a document without locks
    return &mDoc;
}

Acad::ErrorStatus AcApDocManager::lockDocument(AcApDocument* doc, AcAp::DocLockMode mode, const ACHAR*, const ACHAR*,
                                               bool) {
    if (!doc) return Acad::eNullObjectPointer;
    ++doc->mLocks;
    if (mode != AcAp::kRead && mode != AcAp::kNone) ++doc->mWriteLocks;
    doc->mModes.push_back(mode);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::unlockDocument(AcApDocument* doc) {
    if (!doc) return Acad::eNullObjectPointer;
    if (doc->mModes.empty()) return Acad::eNotApplicable;
    AcAp::DocLockMode mode = doc->mModes.back();
    doc->mModes.pop_back();
    --doc->mLocks;
    if (mode != AcAp::kRead && mode != AcAp::kNone) --doc->mWriteLocks;
    return Acad::eOk;
}

AcApDocManager* cvxDocManager() {
    static AcApDocManager manager;
    return &manager;
}
