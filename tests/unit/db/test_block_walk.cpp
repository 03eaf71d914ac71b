// Blocks that reach themselves: extents of their references end, and the block graph names the problem.
#include <gtest/gtest.h>

#include "cvx/dbents.h"
#include "db/block_walk.h"
#include "unit/append_entity.h"

namespace {
AcDbObjectId addBlock(AcDbDatabase& db, const wchar_t* name) {
    AcDbBlockTable* bt = nullptr;
    EXPECT_EQ(db.getBlockTable(bt, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbBlockTableRecord();
    rec->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(bt->add(id, rec), Acad::eOk);
    rec->close();
    bt->close();
    return id;
}

double extentWidth(AcDbObjectId id) {
    AcDbEntity* e = nullptr;
    EXPECT_EQ(acdbOpenObject(e, id, AcDb::kForRead), Acad::eOk);
    AcDbExtents ext;
    Acad::ErrorStatus es = e->getGeomExtents(ext);
    e->close();
    return es == Acad::eOk ? ext.maxPoint().x - ext.minPoint().x : -1;
}
}  // namespace

TEST(BlockWalk, CyclesAndDoublingChainsEndWithAMessage) {
    AcDbDatabase db;
    // PING holds a circle and PONG; PONG holds a circle and PING, one unit to the right.
    AcDbObjectId ping = addBlock(db, L"PING"), pong = addBlock(db, L"PONG");
    appendEntity(db, new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1), ping);
    appendEntity(db, new AcDbBlockReference(AcGePoint3d(1, 0, 0), pong), ping);
    appendEntity(db, new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1), pong);
    appendEntity(db, new AcDbBlockReference(AcGePoint3d(1, 0, 0), ping), pong);
    AcDbObjectId ref = appendEntity(db, new AcDbBlockReference(AcGePoint3d(0, 0, 0), ping));
    // PING, PONG inside it, and PING again is left out: circles at 0 and 1.
    EXPECT_DOUBLE_EQ(extentWidth(ref), 3);
    EXPECT_NE(cvx::db::BlockWalk::cut().find(L"inserts itself"), std::wstring::npos);
    std::vector<std::wstring> problems = cvx::db::blockGraphProblems(db);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(L"\"PING\" > \"PONG\" > \"PING\""), std::wstring::npos) << problems[0];

    // Thirty levels of two inserts each: a billion circles, cut at the budget instead.
    AcDbDatabase chain;
    AcDbObjectId below = addBlock(chain, L"L0");
    appendEntity(chain, new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1), below);
    for (int i = 1; i <= 30; ++i) {
        AcDbObjectId level = addBlock(chain, (L"L" + std::to_wstring(i)).c_str());
        appendEntity(chain, new AcDbBlockReference(AcGePoint3d(0, 0, 0), below), level);
        appendEntity(chain, new AcDbBlockReference(AcGePoint3d(1, 0, 0), below), level);
        below = level;
    }
    AcDbObjectId top = appendEntity(chain, new AcDbBlockReference(AcGePoint3d(0, 0, 0), below));
    EXPECT_GT(extentWidth(top), 2);
    EXPECT_NE(cvx::db::BlockWalk::cut().find(L"\"L30\" holds more than"), std::wstring::npos);
    problems = cvx::db::blockGraphProblems(chain);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(L"\"L30\" expands to 1073741824 entities"), std::wstring::npos) << problems[0];
}
