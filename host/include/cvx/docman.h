// Documents: the open drawing as the editor's current document, and the locks commands and dialogs take on it.
#pragma once

#include <vector>

#include "cvx/status.h"

class AcDbDatabase;

namespace AcAp {
enum DocLockMode { kNone = 0x00, kAutoWrite = 0x01, kNotLocked = 0x02, kWrite = 0x04, kProtectedAutoWrite = 0x14,
                   kRead = 0x20, kXWrite = 0x40 };
}

class AcApDocument {
public:
    explicit AcApDocument(AcDbDatabase* db) : mDb(db) {}
    AcDbDatabase* database() const { return mDb; }
    // The strongest lock held (kNotLocked when none).
    AcAp::DocLockMode lockMode() const;
    // How many locks are held.
    int lockCount() const { return mLocks; }

private:
    friend class AcApDocManager;
    AcDbDatabase* mDb;
    int mLocks = 0;
    int mWriteLocks = 0;
    std::vector<AcAp::DocLockMode> mModes;  // held locks, innermost last
};

class AcApDocManager {
public:
    // The document of the working database; null when there is none.
    AcApDocument* curDocument();
    AcApDocument* mdiActiveDocument() { return curDocument(); }
    // Locks nest; every lock is matched by an unlock. eNullObjectPointer for no document, eNotApplicable for an
    // unlock without a lock.
    Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                                   const ACHAR* globalCmdName = nullptr, const ACHAR* localCmdName = nullptr,
                                   bool prompt = true);
    Acad::ErrorStatus unlockDocument(AcApDocument* doc);

private:
    AcApDocument mDoc{nullptr};
};

AcApDocManager* cvxDocManager();
#define acDocManager (cvxDocManager())
inline AcApDocument* curDoc() { return acDocManager->curDocument(); }
