// Lightweight and 2D polylines turn into each other: the same shape, and with a transfer of the id the new
// object takes the old one's id, handle, place in its block, xdata, reactors and extension dictionary.
#include <gtest/gtest.h>

#include <algorithm>

#include "kinds.h"
#include "unit/append_entity.h"

using namespace svc;

namespace {

class Counter : public AcDbObjectReactor {
public:
    int modifiedCount = 0;
    void modified(const AcDbObject*) override { ++modifiedCount; }
};

struct Drawing {
    AcDbDatabase db;
    AcDbObjectId watcher;  // a dictionary standing in as a persistent reactor
    Drawing() {
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        acdbRegApp(L"CVX_TEST");
        AcDbDictionary* nod = nullptr;
        db.getNamedObjectsDictionary(nod, AcDb::kForWrite);
        auto* w = new AcDbDictionary;
        nod->setAt(L"WATCHER", w, watcher);
        w->close();
        nod->close();
    }
    ~Drawing() { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
    AcDbObjectId add(AcDbEntity* e) { return appendEntity(db, e); }
    std::vector<AcDbObjectId> modelSpace() {
        AcDbObjectPointer<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForRead);
        return ms->entityIds();
    }
    // Gives an entity (open for write) xdata, a persistent reactor and an extension dictionary.
    void decorate(AcDbEntity* e) {
        resbuf* x = acutBuildList(1001, L"CVX_TEST", 1000, L"kept", 1070, 42, 0);
        e->setXData(x);
        acutRelRb(x);
        e->addPersistentReactor(watcher);
        e->createExtensionDictionary();
    }
    void expectDecorated(const AcDbEntity* e, AcDbObjectId xdict) {
        resbuf* x = e->xData(L"CVX_TEST");
        ASSERT_NE(x, nullptr);
        ASSERT_NE(x->rbnext, nullptr);
        EXPECT_STREQ(x->rbnext->resval.rstring, L"kept");
        acutRelRb(x);
        EXPECT_TRUE(e->hasPersistentReactor(watcher));
        EXPECT_EQ(e->extensionDictionary(), xdict);
        EXPECT_FALSE(xdict.isNull());
    }
};

double lengthOf(const AcDbCurve* c) {
    double end = 0, len = 0;
    c->getEndParam(end);
    c->getDistAtParam(end, len);
    return len;
}

// The same shape: same length and area, and points at the same distances along both.
void expectSameShape(const AcDbCurve* a, const AcDbCurve* b) {
    double la = lengthOf(a), lb = lengthOf(b);
    ASSERT_NEAR(la, lb, 1e-9);
    double aa = 0, ab = 0;
    a->getArea(aa);
    b->getArea(ab);
    EXPECT_NEAR(aa, ab, 1e-9);
    for (int i = 0; i <= 20; ++i) {
        AcGePoint3d pa, pb;
        a->getPointAtDist(la * i / 20, pa);
        b->getPointAtDist(la * i / 20, pb);
        EXPECT_TRUE(samePoint(pa, pb, 1e-9)) << i;
    }
}

AcDbPolyline* sample() {
    AcDbPolyline* p = lwpoly({{0, 0, 0}, {4, 0, 0.5}, {4, 3, -0.3}, {1, 4, 0}}, true);
    p->setElevation(2);
    p->setWidthsAt(1, 0.2, 0.4);
    return p;
}

}  // namespace

TEST(PolylineConvert, ToHeavyWithTransferTakesThePlaceOfTheLightweight) {
    Drawing d;
    AcDbObjectId before = d.add(new AcDbLine({0, 0, 0}, {1, 1, 0}));
    AcDbObjectId id = d.add(sample());
    AcDbObjectId after = d.add(new AcDbCircle({5, 5, 0}, AcGeVector3d::kZAxis, 1));
    Counter counter;

    AcDbPolyline* lw = nullptr;
    ASSERT_EQ(acdbOpenObject(lw, id, AcDb::kForWrite), Acad::eOk);
    d.decorate(lw);
    lw->addReactor(&counter);
    AcDbObjectId xdict = lw->extensionDictionary();
    AcDbHandle handle = lw->handle();
    std::unique_ptr<AcDbPolyline> reference(static_cast<AcDbPolyline*>(lw->clone()));

    AcDb2dPolyline* heavy = nullptr;
    ASSERT_EQ(lw->convertTo(heavy, true), Acad::eOk);
    EXPECT_FALSE(lw->isDatabaseResident());
    delete lw;
    EXPECT_EQ(heavy->objectId(), id);
    EXPECT_EQ(heavy->handle(), handle);
    EXPECT_EQ(heavy->ownerId(), d.db.modelSpaceId());
    d.expectDecorated(heavy, xdict);
    heavy->setThickness(0.5);  // a change the transient reactor hears of on close
    EXPECT_EQ(heavy->close(), Acad::eOk);
    EXPECT_EQ(counter.modifiedCount, 1);

    EXPECT_EQ(d.modelSpace(), (std::vector<AcDbObjectId>{before, id, after}));
    AcDbObjectPointer<AcDb2dPolyline> reopened(id, AcDb::kForRead);
    ASSERT_TRUE(reopened);
    EXPECT_TRUE(reopened->isClosed());
    EXPECT_DOUBLE_EQ(reopened->elevation(), 2);
    std::vector<const AcDbVertex*> verts = reopened->vertices();
    ASSERT_EQ(verts.size(), 4u);
    for (const AcDbVertex* v : verts) {
        EXPECT_TRUE(v->isDatabaseResident());
        EXPECT_EQ(v->ownerId(), id);
    }
    auto* v1 = static_cast<const AcDb2dVertex*>(verts[1]);
    EXPECT_DOUBLE_EQ(v1->bulge(), 0.5);
    EXPECT_DOUBLE_EQ(v1->startWidth(), 0.2);
    EXPECT_DOUBLE_EQ(v1->endWidth(), 0.4);
    expectSameShape(reference.get(), reopened.object());
    reopened->removeReactor(&counter);  // the counter goes before the drawing does
}

TEST(PolylineConvert, ToHeavyWithoutTransferLeavesTheLightweightInPlace) {
    Drawing d;
    AcDbObjectId id = d.add(sample());
    AcDbObjectPointer<AcDbPolyline> lw(id, AcDb::kForWrite);
    AcDb2dPolyline* heavy = nullptr;
    ASSERT_EQ(lw->convertTo(heavy, false), Acad::eOk);
    std::unique_ptr<AcDb2dPolyline> own(heavy);
    EXPECT_TRUE(lw->isDatabaseResident());
    EXPECT_EQ(lw->objectId(), id);
    EXPECT_FALSE(heavy->isDatabaseResident());
    EXPECT_EQ(heavy->vertices().size(), 4u);
    expectSameShape(lw.object(), heavy);
    EXPECT_EQ(d.modelSpace(), std::vector<AcDbObjectId>{id});

    // a polyline outside a drawing has no id to hand over
    std::unique_ptr<AcDbPolyline> loose(sample());
    AcDb2dPolyline* none = nullptr;
    EXPECT_EQ(loose->convertTo(none, true), Acad::eNotInDatabase);
    EXPECT_EQ(none, nullptr);
}

TEST(PolylineConvert, FromHeavyWithTransferTakesThePlaceOfTheHeavy) {
    Drawing d;
    AcGeDoubleArray bulges;
    for (double b : {0.0, 0.4, 0.0, -0.2}) bulges.append(b);
    AcDbObjectId first = d.add(new AcDbPoint({9, 9, 0}));
    AcDbObjectId id = d.add(new AcDb2dPolyline(AcDb::k2dSimplePoly, pts3({{0, 0, 1}, {3, 1, 1}, {5, 0, 1}, {6, 3, 1}}),
                                               1, false, 0, 0, &bulges));
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenObject(ent, id, AcDb::kForWrite), Acad::eOk);
    d.decorate(ent);
    AcDbObjectId xdict = ent->extensionDictionary();
    AcDbHandle handle = ent->handle();
    std::vector<AcDbObjectId> vertexIds;
    for (const AcDbVertex* v : AcDb2dPolyline::cast(ent)->vertices()) vertexIds.push_back(v->objectId());
    std::unique_ptr<AcDbEntity> reference(static_cast<AcDbEntity*>(ent->clone()));

    auto* lw = new AcDbPolyline;
    AcDbEntity* source = ent;
    ASSERT_EQ(lw->convertFrom(source, true), Acad::eOk);
    EXPECT_EQ(source, lw);
    EXPECT_FALSE(ent->isDatabaseResident());
    delete ent;
    EXPECT_EQ(lw->objectId(), id);
    EXPECT_EQ(lw->handle(), handle);
    d.expectDecorated(lw, xdict);
    EXPECT_EQ(lw->numVerts(), 4u);
    EXPECT_DOUBLE_EQ(lw->elevation(), 1);
    expectSameShape(AcDbCurve::cast(reference.get()), lw);
    EXPECT_EQ(lw->close(), Acad::eOk);

    EXPECT_EQ(d.modelSpace(), (std::vector<AcDbObjectId>{first, id}));
    AcDbObjectPointer<AcDbPolyline> reopened(id, AcDb::kForRead);
    EXPECT_TRUE(reopened);
    for (AcDbObjectId v : vertexIds) {  // the old vertices left with the old polyline
        AcDbObject* obj = nullptr;
        if (acdbOpenAcDbObject(obj, v, AcDb::kForRead, true) == Acad::eOk) {
            EXPECT_TRUE(obj->isErased());
            obj->close();
        }
    }
}

TEST(PolylineConvert, FromHeavyWithoutTransferAndRefusals) {
    Drawing d;
    AcDbObjectId id = d.add(new AcDb2dPolyline(AcDb::k2dSimplePoly, pts3({{0, 0, 0}, {3, 1, 0}, {5, 0, 0}}), 0, true));
    AcDbObjectPointer<AcDbEntity> heavy(id, AcDb::kForWrite);
    AcDbPolyline lw;
    AcDbEntity* source = heavy.object();
    ASSERT_EQ(lw.convertFrom(source, false), Acad::eOk);
    EXPECT_EQ(source, heavy.object());
    EXPECT_TRUE(heavy->isDatabaseResident());
    EXPECT_FALSE(lw.isDatabaseResident());
    EXPECT_TRUE(lw.isClosed());
    expectSameShape(AcDbCurve::cast(heavy.object()), &lw);
    heavy.close();

    // a fit curve would lose its shape; a point is no polyline; a heavy outside a drawing has no id to give
    AcDb2dPolyline fitted(AcDb::k2dCubicSplinePoly, pts3({{0, 0, 0}, {3, 2, 0}, {6, 0, 0}, {8, 4, 0}}));
    AcDbEntity* src = &fitted;
    AcDbPolyline target;
    EXPECT_EQ(target.convertFrom(src, false), Acad::eNotApplicable);
    AcDbPoint point;
    src = &point;
    EXPECT_EQ(target.convertFrom(src, false), Acad::eWrongObjectType);
    AcDb2dPolyline loose(AcDb::k2dSimplePoly, pts3({{0, 0, 0}, {1, 0, 0}}));
    src = &loose;
    EXPECT_EQ(target.convertFrom(src, true), Acad::eIllegalReplacement);
    EXPECT_EQ(src, &loose);
}
