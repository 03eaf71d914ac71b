// Opening and closing, erasing, ownership and handles of database objects.
#include <gtest/gtest.h>

#include "cvx/dbents.h"
#include "unit/append_entity.h"

namespace {
AcDbObjectId addLine(AcDbDatabase& db, AcGePoint3d a = {0, 0, 0}, AcGePoint3d b = {10, 0, 0}) {
    return appendEntity(db, new AcDbLine(a, b));
}
}  // namespace

TEST(OpenClose, ReadersShareWritersExclude) {
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbLine *r1 = nullptr, *r2 = nullptr, *w = nullptr;
    ASSERT_EQ(acdbOpenObject(r1, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(r2, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eWasOpenForRead);
    EXPECT_EQ(r1->upgradeOpen(), Acad::eWasOpenForRead);  // two readers: no upgrade
    r2->close();
    EXPECT_EQ(r1->upgradeOpen(), Acad::eOk);
    EXPECT_TRUE(r1->isWriteEnabled());
    EXPECT_EQ(acdbOpenObject(r2, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    r1->close();
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eOk);
    w->close();
}

TEST(OpenClose, WrongClassAndNullIdAreRefused) {
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbCircle* c = nullptr;
    EXPECT_EQ(acdbOpenObject(c, id, AcDb::kForRead), Acad::eNotThatKindOfClass);
    EXPECT_EQ(c, nullptr);
    // The failed open must not leave the line open.
    AcDbLine* l = nullptr;
    EXPECT_EQ(acdbOpenObject(l, id, AcDb::kForWrite), Acad::eOk);
    l->close();
    EXPECT_EQ(acdbOpenObject(l, AcDbObjectId(), AcDb::kForRead), Acad::eNullObjectId);
}

TEST(OpenClose, ErasedObjectsOpenOnlyWhenAsked) {
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    {
        AcDbObjectPointer<AcDbLine> line(id, AcDb::kForWrite);
        ASSERT_EQ(line.openStatus(), Acad::eOk);
        EXPECT_EQ(line->erase(), Acad::eOk);
    }
    EXPECT_TRUE(id.isErased());
    AcDbLine* l = nullptr;
    EXPECT_EQ(acdbOpenObject(l, id, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenObject(l, id, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_EQ(l->erase(false), Acad::eOk);
    l->close();
    EXPECT_FALSE(id.isErased());
}

TEST(Ownership, AppendedEntitiesBelongToTheirBlockAndTakeTheCurrentLayer) {
    AcDbDatabase db;
    AcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
    auto* rec = new AcDbLayerTableRecord();
    rec->setName(L"Walls");
    AcDbObjectId walls;
    ASSERT_EQ(layers->add(walls, rec), Acad::eOk);
    rec->close();
    layers->close();
    ASSERT_EQ(db.setClayer(walls), Acad::eOk);

    AcDbObjectId id = addLine(db);
    AcDbObjectPointer<AcDbLine> line(id, AcDb::kForRead);
    EXPECT_EQ(line->ownerId(), db.modelSpaceId());
    EXPECT_STREQ(line->layer(), L"Walls");
    EXPECT_EQ(line->database(), &db);
    EXPECT_FALSE(line->handle().isNull());
}

TEST(Ownership, HandlesAreUniqueAndIdsFindTheirObjects) {
    AcDbDatabase db;
    std::vector<AcDbObjectId> ids;
    for (int i = 0; i < 50; ++i) ids.push_back(addLine(db));
    std::set<uint64_t> handles;
    for (auto id : ids) handles.insert(id.handle().value());
    EXPECT_EQ(handles.size(), ids.size());
    AcDbObjectId found;
    ASSERT_EQ(db.getAcDbObjectId(found, false, ids[17].handle()), Acad::eOk);
    EXPECT_EQ(found, ids[17]);
    // ads names stand for ids and back.
    ads_name name;
    acdbGetAdsName(name, ids[3]);
    AcDbObjectId back;
    acdbGetObjectId(back, name);
    EXPECT_EQ(back, ids[3]);
}

TEST(Ownership, HeavyPolylineVerticesBecomeResidentWithTheirPolyline) {
    AcDbDatabase db;
    AcGePoint3dArray pts{{0, 0, 0}, {5, 0, 0}, {5, 5, 0}};
    auto* pl = new AcDb3dPolyline(AcDb::k3dSimplePoly, pts, true);
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
    AcDbObjectId plId;
    ASSERT_EQ(ms->appendAcDbEntity(plId, pl), Acad::eOk);
    ms->close();
    std::unique_ptr<AcDbObjectIterator> it(pl->vertexIterator());
    int n = 0;
    for (; !it->done(); it->step(), ++n) {
        AcDbObjectId vid = it->objectId();
        ASSERT_FALSE(vid.isNull());
        AcDbObjectPointer<AcDb3dPolylineVertex> v(vid, AcDb::kForRead);
        ASSERT_EQ(v.openStatus(), Acad::eOk);
        EXPECT_EQ(v->ownerId(), plId);
        EXPECT_TRUE(v->position().isEqualTo(pts[n]));
    }
    EXPECT_EQ(n, 3);
    EXPECT_FALSE(pl->sequenceEndId().isNull());
    pl->close();
}
