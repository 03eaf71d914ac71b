// Walks into block definitions: drawing, extents, picking, tracing and exploding follow block references into the
// blocks they insert. A drawing can make that walk endless (a block that inserts itself, blocks that insert each
// other) or astronomically long (each level inserting the one below twice: forty small blocks reach 2^40
// entities). Every such walk enters a block through a BlockVisit, which refuses a block already open in the walk,
// nesting deeper than kMaxBlockNesting and, once the walk has reached kBlockWalkBudget entities, anything more.
// What was left out is kept as one message for the caller to show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cvx/dbid.h"

class AcDbBlockTableRecord;
class AcDbDatabase;

namespace cvx::db {

constexpr int kMaxBlockNesting = 64;
constexpr uint64_t kBlockWalkBudget = 500'000;

// One whole operation (drawing a view, the extents of a drawing): its block visits share one budget. Scopes
// nest; only the outermost one starts a fresh budget. A visit outside any scope is a walk of its own.
class BlockWalk {
public:
    BlockWalk();
    ~BlockWalk();
    BlockWalk(const BlockWalk&) = delete;
    BlockWalk& operator=(const BlockWalk&) = delete;
    // Why the last walk on this thread left something out ("" when it did not).
    static const std::wstring& cut();
};

class BlockVisit {
public:
    explicit BlockVisit(const AcDbBlockTableRecord* block);
    ~BlockVisit();
    BlockVisit(const BlockVisit&) = delete;
    BlockVisit& operator=(const BlockVisit&) = delete;
    explicit operator bool() const { return mEntered; }

private:
    bool mEntered = false;
};

// What is wrong with the drawing's blocks as a whole: blocks that insert themselves (directly or through
// others), nesting deeper than kMaxBlockNesting, blocks that expand to more than kBlockWalkBudget entities.
// One line each, for the message shown when a drawing is opened or inserted.
std::vector<std::wstring> blockGraphProblems(const AcDbDatabase& db);

}  // namespace cvx::db
