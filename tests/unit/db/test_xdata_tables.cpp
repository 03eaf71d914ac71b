// Extended data, symbol tables, dictionaries and run-time classes.
#include <gtest/gtest.h>

#include <cwchar>

#include "cvx/dbents.h"
#include "unit/append_entity.h"

namespace {
struct Db {
    AcDbDatabase db;
    Db() { acdbHostApplicationServices()->setWorkingDatabase(&db); }
    AcDbObjectId add(AcDbEntity* e) { return appendEntity(db, e); }
};

int countApps(const resbuf* rb) {
    int n = 0;
    for (; rb; rb = rb->rbnext) n += rb->restype == 1001;
    return n;
}
}  // namespace

TEST(XData, EachApplicationKeepsItsOwnGroupsAndCanBeReplaced) {
    Db d;
    ASSERT_TRUE(acdbRegApp(L"APP_A"));
    ASSERT_TRUE(acdbRegApp(L"APP_B"));
    AcDbObjectId id = d.add(new AcDbPoint({1, 2, 3}));
    AcDbObjectPointer<AcDbPoint> p(id, AcDb::kForWrite);
    resbuf* a = acutBuildList(1001, L"APP_A", 1000, L"first", 1040, 2.5, 0);
    resbuf* b = acutBuildList(1001, L"APP_B", 1070, 7, 0);
    p->setXData(a);
    p->setXData(b);
    resbuf* all = p->xData();
    EXPECT_EQ(countApps(all), 2);
    acutRelRb(all);

    // Replacing APP_A leaves APP_B alone.
    resbuf* a2 = acutBuildList(1001, L"APP_A", 1000, L"second", 0);
    p->setXData(a2);
    resbuf* onlyA = p->xData(L"app_a");  // application names ignore case
    ASSERT_NE(onlyA, nullptr);
    ASSERT_NE(onlyA->rbnext, nullptr);
    EXPECT_STREQ(onlyA->rbnext->resval.rstring, L"second");
    EXPECT_EQ(onlyA->rbnext->rbnext, nullptr);
    resbuf* onlyB = p->xData(L"APP_B");
    ASSERT_NE(onlyB, nullptr);
    EXPECT_EQ(onlyB->rbnext->resval.rint, 7);

    // An application named with no groups is removed.
    resbuf* clearA = acutBuildList(1001, L"APP_A", 0);
    p->setXData(clearA);
    EXPECT_EQ(p->xData(L"APP_A"), nullptr);
    for (resbuf* r : {a, b, a2, onlyA, onlyB, clearA}) acutRelRb(r);
}

TEST(SymbolTables, NamesIgnoreCaseAndMustBeUnique) {
    Db d;
    AcDbLayerTable* t = nullptr;
    ASSERT_EQ(d.db.getLayerTable(t, AcDb::kForWrite), Acad::eOk);
    auto* r1 = new AcDbLayerTableRecord();
    r1->setName(L"Doors");
    ASSERT_EQ(t->add(r1), Acad::eOk);
    r1->close();
    auto* r2 = new AcDbLayerTableRecord();
    r2->setName(L"DOORS");
    EXPECT_EQ(t->add(r2), Acad::eDuplicateRecordName);
    delete r2;
    EXPECT_TRUE(t->has(L"doors"));
    EXPECT_TRUE(t->has(L"0"));
    AcDbSymbolTableIterator* it = nullptr;
    t->newIterator(it);
    int n = 0;
    for (; !it->done(); it->step()) ++n;
    delete it;
    EXPECT_EQ(n, 2);
    // A rename moves the record in the table's name index; the old name is free again.
    AcDbObjectId doors;
    ASSERT_EQ(t->getAt(L"DOORS", doors), Acad::eOk);
    AcDbLayerTableRecord* rec = nullptr;
    ASSERT_EQ(acdbOpenObject(rec, doors, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(rec->setName(L"Windows"), Acad::eOk);
    rec->close();
    AcDbObjectId found;
    EXPECT_EQ(t->getAt(L"wINDOWS", found), Acad::eOk);
    EXPECT_EQ(found, doors);
    EXPECT_FALSE(t->has(L"Doors"));
    auto* again = new AcDbLayerTableRecord();
    again->setName(L"Doors");
    EXPECT_EQ(t->add(again), Acad::eOk);
    again->close();
    t->close();
}

TEST(SymbolTables, AnonymousBlocksGetUniqueNames) {
    Db d;
    AcDbBlockTable* bt = nullptr;
    d.db.getBlockTable(bt, AcDb::kForWrite);
    std::vector<std::wstring> names;
    for (int i = 0; i < 3; ++i) {
        auto* rec = new AcDbBlockTableRecord();
        rec->setName(L"*U");
        ASSERT_EQ(bt->add(rec), Acad::eOk);
        names.push_back(rec->name());
        EXPECT_TRUE(rec->isAnonymous());
        rec->close();
    }
    bt->close();
    EXPECT_NE(names[0], names[1]);
    EXPECT_NE(names[1], names[2]);
}

TEST(Dictionaries, EntriesAddFindReplaceAndRemove) {
    Db d;
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(d.db.getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* sub = new AcDbDictionary();
    AcDbObjectId subId;
    ASSERT_EQ(nod->setAt(L"MY_DICT", sub, subId), Acad::eOk);
    EXPECT_EQ(sub->ownerId(), nod->objectId());
    auto* x1 = new AcDbXrecord();
    AcDbObjectId x1Id;
    sub->setAt(L"{KEY}", x1, x1Id);
    x1->close();
    auto* x2 = new AcDbXrecord();
    AcDbObjectId x2Id;
    sub->setAt(L"{key}", x2, x2Id);  // same key: replaces and erases the old entry
    x2->close();
    EXPECT_EQ(sub->numEntries(), 1);
    EXPECT_TRUE(x1Id.isErased());
    AcDbObjectId found;
    EXPECT_EQ(sub->getAt(L"{KEY}", found), Acad::eOk);
    EXPECT_EQ(found, x2Id);
    EXPECT_EQ(sub->remove(L"{KEY}"), Acad::eOk);
    EXPECT_FALSE(sub->has(L"{KEY}"));
    sub->close();
    EXPECT_TRUE(nod->has(L"my_dict"));
    nod->close();
}

TEST(Xrecords, GroupsSurviveTheirResultBufferForm) {
    Db d;
    auto* x = new AcDbXrecord();
    resbuf* in = acutBuildList(1, L"名字", 40, 1.5, 70, 3, 0);
    ASSERT_EQ(x->setFromRbChain(in), Acad::eOk);
    resbuf* out = nullptr;
    x->rbChain(&out);
    ASSERT_NE(out, nullptr);
    EXPECT_STREQ(out->resval.rstring, L"名字");
    EXPECT_DOUBLE_EQ(out->rbnext->resval.rreal, 1.5);
    EXPECT_EQ(out->rbnext->rbnext->resval.rint, 3);
    acutRelRb(in);
    acutRelRb(out);
    delete x;
}

namespace {
class Custom : public AcDbObject {
public:
    static AcRxClass* gDesc;
    static AcRxClass* desc() { return gDesc; }
    AcRxClass* isA() const override { return gDesc; }
};
AcRxClass* Custom::gDesc = nullptr;
AcRxObject* makeCustom() { return new Custom(); }
}  // namespace

TEST(RunTimeClasses, ModuleClassesRegisterFindAndGo) {
    Custom::gDesc = newAcRxClass(L"TestCustom", L"AcDbObject", 29, 63, 0, makeCustom, L"TEST_CUSTOM", L"testapp");
    acrxBuildClassHierarchy();
    ASSERT_NE(Custom::gDesc, nullptr);
    EXPECT_TRUE(Custom::gDesc->isDerivedFrom(AcDbObject::desc()));
    EXPECT_EQ(acrxClassDictionary()->at(L"TestCustom"), Custom::gDesc);
    EXPECT_EQ(acrxFindClassByDxfName(L"TEST_CUSTOM"), Custom::gDesc);
    AcRxObject* made = Custom::gDesc->create();
    EXPECT_TRUE(made->isKindOf(AcDbObject::desc()));
    EXPECT_NE(AcDbObject::cast(made), nullptr);
    EXPECT_EQ(AcDbEntity::cast(made), nullptr);
    delete made;
    deleteAcRxClass(Custom::gDesc);
    EXPECT_EQ(acrxClassDictionary()->at(L"TestCustom"), nullptr);
    EXPECT_EQ(acrxFindClassByDxfName(L"TEST_CUSTOM"), nullptr);
}

TEST(RunTimeClasses, HostClassesKnowTheirFamily) {
    AcDbArc arc;
    EXPECT_TRUE(arc.isKindOf(AcDbCurve::desc()));
    EXPECT_TRUE(arc.isKindOf(AcDbEntity::desc()));
    EXPECT_FALSE(arc.isKindOf(AcDbCircle::desc()));
    EXPECT_EQ(acrxFindClassByDxfName(L"LWPOLYLINE"), AcDbPolyline::desc());
    EXPECT_STREQ(AcDbHelix::desc()->myParent()->name(), L"AcDbSpline");
}
