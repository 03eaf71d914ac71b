// Where objects and their stubs live: the object pool (slots of every size reused without overlap, deleted
// objects poisoned in checked builds) and the handle table (near and far-out handles, handles taken by ids
// made before their objects).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "cvx/dbents.h"
#include "db/object_pool.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

TEST(ObjectPool, SlotsOfMixedSizesNeverOverlapAcrossReuse) {
    // Blocks of many sizes, freed in a scattered order and made again, each filled with its own byte.
    std::map<char*, std::pair<size_t, unsigned char>> live;
    auto make = [&](size_t size, unsigned char fill) {
        auto* p = static_cast<char*>(cvxPoolAlloc(size));
        std::memset(p, fill, size);
        live[p] = {size, fill};
    };
    for (int i = 0; i < 3000; ++i) make(8 + static_cast<size_t>(i * 37 % 1100), static_cast<unsigned char>(i));
    int k = 0;
    for (auto it = live.begin(); it != live.end();)
        if (++k % 3 != 0) {
            cvxPoolFree(it->first, it->second.first);
            it = live.erase(it);
        } else {
            ++it;
        }
    for (int i = 0; i < 3000; ++i) make(8 + static_cast<size_t>(i * 53 % 1100), static_cast<unsigned char>(i + 7));

    char* prevEnd = nullptr;
    for (const auto& [p, sf] : live) {
        EXPECT_GE(p, prevEnd) << "two blocks share memory";
        prevEnd = p + sf.first;
        for (size_t b = 0; b < sf.first; ++b)
            if (static_cast<unsigned char>(p[b]) != sf.second) {
                ADD_FAILURE() << "a block of " << sf.first << " bytes was overwritten at byte " << b;
                break;
            }
    }
    for (const auto& [p, sf] : live) cvxPoolFree(p, sf.first);
}

#if defined(__SANITIZE_ADDRESS__)
TEST(ObjectPool, DeletedObjectsArePoisonedInCheckedBuilds) {
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    const void* where = line;
    EXPECT_EQ(__asan_address_is_poisoned(where), 0);
    delete line;
    EXPECT_NE(__asan_address_is_poisoned(where), 0);
    // Nor is the slot handed out again at once: the next object of that size lands elsewhere.
    auto* next = new AcDbLine();
    EXPECT_NE(static_cast<const void*>(next), where);
    delete next;
}
#endif

TEST(HandleTable, NearAndFarHandlesFindTheirObjects) {
    AcDbDatabase db;
    AcDbObjectId far, near;
    // Ids for handles met in a file before their objects: a far-out one and one just past the seed.
    const uint64_t farHandle = uint64_t(1) << 40, nearHandle = db.handseed().value() + 5;
    ASSERT_EQ(db.getAcDbObjectId(far, true, AcDbHandle(farHandle)), Acad::eOk);
    ASSERT_EQ(db.getAcDbObjectId(near, true, AcDbHandle(nearHandle)), Acad::eOk);
    AcDbObjectId again;
    ASSERT_EQ(db.getAcDbObjectId(again, false, AcDbHandle(farHandle)), Acad::eOk);
    EXPECT_EQ(again, far);
    EXPECT_EQ(db.getAcDbObjectId(again, false, AcDbHandle(farHandle + 1)), Acad::eKeyNotFound);

    // New objects take free handles in order, stepping over the one already taken by an id.
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    std::vector<uint64_t> handles;
    for (int i = 0; i < 10; ++i) {
        auto* c = new AcDbCircle(AcGePoint3d(i, 0, 0), AcGeVector3d::kZAxis, 1);
        AcDbObjectId id;
        ASSERT_EQ(ms->appendAcDbEntity(id, c), Acad::eOk);
        handles.push_back(id.handle().value());
        c->close();
    }
    ms->close();
    for (size_t i = 1; i < handles.size(); ++i) EXPECT_GT(handles[i], handles[i - 1]);
    for (uint64_t h : handles) EXPECT_NE(h, nearHandle);
    EXPECT_EQ(handles.back(), nearHandle + 5);  // ten handles and one step over the taken one
    EXPECT_EQ(near.objectPtr(), nullptr);
}

namespace {
// Asks for an id of a handle nobody has used yet when its object goes, as reactors that note the ids of
// vanished objects do; the database is being taken down at that moment.
class IdMaker : public AcDbObjectReactor {
public:
    explicit IdMaker(AcDbDatabase* db) : mDb(db) {}
    void goodbye(const AcDbObject*) override {
        AcDbObjectId id;
        mDb->getAcDbObjectId(id, true, AcDbHandle(++mNext));
    }

private:
    AcDbDatabase* mDb;
    uint64_t mNext = uint64_t(1) << 20;
};
}  // namespace

TEST(HandleTable, StubsMadeWhileTheDatabaseGoesAreSafe) {
    // More objects than one block of stubs holds, so that a stub made during the teardown needs a new block.
    auto db = std::make_unique<AcDbDatabase>();
    IdMaker maker(db.get());
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    const size_t perBlock = 65536;
    while (db->allObjectIds().size() < perBlock) {
        for (int i = 0; i < 4096; ++i) {
            auto* p = new AcDbPoint(AcGePoint3d(i, 0, 0));
            ms->appendAcDbEntity(p);
            p->close();
        }
    }
    ms->close();
    for (AcDbObjectId id : db->allObjectIds())
        if (AcDbObject* o = id.objectPtr(); o && AcDbPoint::cast(o)) o->addReactor(&maker);
    db.reset();  // under the address sanitizer a stale walk over the stub blocks is reported here
}
