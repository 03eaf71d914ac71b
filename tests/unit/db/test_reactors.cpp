// Reactors hear of changes: before (openedForModify, with the old data) and after (modified, on close).
#include <gtest/gtest.h>

#include "cvx/dbents.h"
#include "db/rxdefs.h"

namespace {
// A persistent reactor that records what it saw.
class Watcher : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(Watcher);
    std::vector<std::string> events;
    double radiusBefore = -1, radiusAfter = -1;
    void openedForModify(const AcDbObject* obj) override {
        events.push_back("openedForModify");
        if (auto* c = AcDbCircle::cast(obj)) radiusBefore = c->radius();
    }
    void modified(const AcDbObject* obj) override {
        events.push_back("modified");
        if (auto* c = AcDbCircle::cast(obj)) radiusAfter = c->radius();
    }
};
CVX_DEFINE_CLASS(Watcher, AcDbObject, L"TEST_WATCHER")

class TransientWatcher : public AcDbObjectReactor {
public:
    int modifiedCount = 0, erasedCount = 0;
    void modified(const AcDbObject*) override { ++modifiedCount; }
    void erased(const AcDbObject*, bool) override { ++erasedCount; }
};

struct Scene {
    AcDbDatabase db;
    AcDbObjectId circle, watcher;
    Scene() {
        AcDbBlockTableRecord* ms = nullptr;
        acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
        auto* c = new AcDbCircle({0, 0, 0}, AcGeVector3d::kZAxis, 2.0);
        ms->appendAcDbEntity(circle, c);
        ms->close();
        AcDbDictionary* nod = nullptr;
        db.getNamedObjectsDictionary(nod, AcDb::kForWrite);
        auto* w = new Watcher();
        nod->setAt(L"W", w, watcher);
        w->close();
        nod->close();
        c->addPersistentReactor(watcher);
        c->close();
    }
    Watcher* w() { return static_cast<Watcher*>(watcher.objectPtr()); }
};
}  // namespace

TEST(Reactors, PersistentReactorSeesOldDataThenNewDataAndNothingWithoutAChange) {
    Scene s;
    s.w()->events.clear();
    AcDbObjectPointer<AcDbCircle> c(s.circle, AcDb::kForWrite);
    c->setRadius(5.0);
    c->setRadius(6.0);  // a second change in the same opening: one openedForModify
    c.close();
    EXPECT_EQ(s.w()->events, (std::vector<std::string>{"openedForModify", "modified"}));
    EXPECT_DOUBLE_EQ(s.w()->radiusBefore, 2.0);
    EXPECT_DOUBLE_EQ(s.w()->radiusAfter, 6.0);
    // Opening for write without a change tells nobody.
    s.w()->events.clear();
    c.open(s.circle, AcDb::kForWrite);
    c.close();
    EXPECT_TRUE(s.w()->events.empty());
}

TEST(Reactors, TransformationNotifiesAndPersistentListIsVisible) {
    Scene s;
    s.w()->events.clear();
    AcDbCircle* c = nullptr;
    acdbOpenObject(c, s.circle, AcDb::kForWrite);
    ASSERT_NE(c->reactors(), nullptr);
    ASSERT_EQ(c->reactors()->length(), 1);
    void* entry = (*c->reactors())[0];
    EXPECT_TRUE(acdbIsPersistentReactor(entry));
    EXPECT_EQ(acdbPersistentReactorObjectId(entry), s.watcher);
    c->transformBy(AcGeMatrix3d::scaling(3.0));
    c->close();
    EXPECT_EQ(s.w()->events.size(), 2u);
    EXPECT_DOUBLE_EQ(s.w()->radiusAfter, 6.0);
}

TEST(Reactors, TransientReactorHearsModificationAndErasure) {
    Scene s;
    TransientWatcher t;
    AcDbCircle* c = nullptr;
    acdbOpenObject(c, s.circle, AcDb::kForWrite);
    c->addReactor(&t);
    c->setCenter({1, 1, 0});
    c->close();
    EXPECT_EQ(t.modifiedCount, 1);
    acdbOpenObject(c, s.circle, AcDb::kForWrite);
    c->erase();
    c->removeReactor(&t);
    c->close();
    EXPECT_EQ(t.erasedCount, 1);
}

TEST(Reactors, ErasedReactorIsNotCalled) {
    Scene s;
    {
        AcDbObjectPointer<Watcher> w(s.watcher, AcDb::kForWrite);
        w->erase();
    }
    s.w()->events.clear();
    AcDbObjectPointer<AcDbCircle> c(s.circle, AcDb::kForWrite);
    c->setRadius(3.0);
    c.close();
    EXPECT_TRUE(s.w()->events.empty());
}
