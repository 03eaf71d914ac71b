// The database's undo log: what each command changed, kept so that the change can be taken back and done again.
//
// While a group is open (the editor opens one per command), the database notes, without any code in the
// command: the state of each object before its first change (its own filing fields, its ids of entities,
// records, entries or sub-objects, and its extended data), each object added, and each erasure. Undoing a group
// puts the noted states back (the objects as they are become the states to redo), removes the added objects
// and turns erasures back; reactors hear of each restored object as of a change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AcDbDatabase;
class AcDbObject;
struct AcDbStub;

class CvxUndoLog {
public:
    explicit CvxUndoLog(AcDbDatabase* db);
    ~CvxUndoLog();
    CvxUndoLog(const CvxUndoLog&) = delete;
    CvxUndoLog& operator=(const CvxUndoLog&) = delete;

    // Opens a group named after its command; nested calls join the open group. Ending the outermost call
    // keeps the group when it holds a change (which ends what could be redone) and drops it when not.
    void begin(const std::wstring& name);
    void end();
    bool recording() const { return mDepth > 0 && !mReplaying && mPaused == 0; }
    void setDatabase(AcDbDatabase* db) { mDb = db; }

    // Noted by the database (only while recording).
    void noteModify(AcDbObject* obj);
    void noteAppend(AcDbStub* stub);
    void noteErase(AcDbStub* stub, bool wasErased);

    // Undoes up to n steps as one batch (a mark counts as a step and is dropped); returns the names undone,
    // latest first.
    std::vector<std::wstring> undo(size_t n);
    // Undoes back to the latest mark (removing it); everything when there is none (found = false).
    std::vector<std::wstring> undoToMark(bool& found);
    // Does again the batch undone last; returns its names in the order redone.
    std::vector<std::wstring> redo();
    void mark();

    size_t steps() const;     // groups that can be undone (marks left out)
    size_t redoable() const;  // batches that can be redone
    size_t bytes() const { return mBytes; }
    size_t limit() const { return mLimit; }
    void setLimit(size_t bytes);
    // True once, after the first time the limit made the log drop its oldest steps.
    bool takeDroppedNotice();

    struct Group;
    struct Change;

private:
    void replay(Group& g, bool undoing);
    void trim();
    void clearRedo();

    AcDbDatabase* mDb;
    std::vector<std::unique_ptr<Group>> mDone;                  // oldest first
    struct Batch {
        std::vector<std::unique_ptr<Group>> groups;  // latest undone first
        uint64_t handseed = 0;                       // the next handle when the batch was undone
    };
    std::vector<Batch> mUndone;  // latest last
    std::unique_ptr<Group> mOpen;
    int mDepth = 0;
    bool mReplaying = false;
    int mPaused = 0;
    friend class CvxUndoPause;
    uint32_t mSerial = 0;
    size_t mBytes = 0;
    size_t mLimit;
    bool mDropped = false, mNoticePending = false;
};

// Nothing of the database is noted while one lives (saving adds the objects a file needs: that is no step).
class CvxUndoPause {
public:
    explicit CvxUndoPause(AcDbDatabase* db);
    ~CvxUndoPause();
    CvxUndoPause(const CvxUndoPause&) = delete;
    CvxUndoPause& operator=(const CvxUndoPause&) = delete;

private:
    CvxUndoLog* mLog;
};

// The log of a database (made when first asked for).
CvxUndoLog& cvxUndoLog(AcDbDatabase* db);
// The same, or null when none was made yet: the database's hooks use this one.
CvxUndoLog* cvxUndoLogIfAny(AcDbDatabase* db);

// The hooks of the database (cheap when nothing is recorded).
void cvxUndoNoteModify(AcDbObject* obj);
void cvxUndoNoteErase(AcDbObject* obj, bool wasErased);
void cvxUndoNoteAppend(AcDbDatabase* db, AcDbStub* stub);

// The memory an object's noted state takes (for the benchmark): bytes of fields and lists.
size_t cvxUndoStateBytes(const AcDbObject* obj);
