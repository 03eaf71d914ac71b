// Appending a test's entity to a drawing.
#pragma once

#include <gtest/gtest.h>

#include "cvx/dbents.h"

// Appends the entity to the block (model space by default) and closes it; returns its id.
inline AcDbObjectId appendEntity(AcDbDatabase& db, AcDbEntity* e, AcDbObjectId block = AcDbObjectId()) {
    AcDbBlockTableRecord* owner = nullptr;
    EXPECT_EQ(acdbOpenObject(owner, block.isNull() ? db.modelSpaceId() : block, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(owner->appendAcDbEntity(id, e), Acad::eOk);
    e->close();
    owner->close();
    return id;
}
