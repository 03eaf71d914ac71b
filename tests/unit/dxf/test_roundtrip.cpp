// A drawing with every entity kind, extended data, dictionaries, an object of a module's class and a
// persistent-reactor link survives saving and reading: same handles, owners and data, and from the second
// save on, the same bytes.
#include <gtest/gtest.h>

#include "cvx/dbents.h"
#include "dxf_test_util.h"
#include "unit/append_entity.h"

namespace {

// A small class a module would register: its own data after the base object's.
class TestWatcher : public AcDbObject {
public:
    static AcRxClass* desc() {
        static AcRxClass* cls = newAcRxClass(L"TestWatcher", L"AcDbObject", 0, 0, 0,
                                             [] { return static_cast<AcRxObject*>(new TestWatcher()); },
                                             L"TESTWATCHER", L"CurvixTests");
        return cls;
    }
    static TestWatcher* cast(const AcRxObject* p) {
        return p && p->isKindOf(desc()) ? const_cast<TestWatcher*>(static_cast<const TestWatcher*>(p)) : nullptr;
    }
    AcRxClass* isA() const override { return desc(); }
    int count = 0;
    std::wstring label;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* f) override {
        assertWriteEnabled();
        Acad::ErrorStatus es = AcDbObject::dxfInFields(f);
        if (es != Acad::eOk) return es;
        if (!f->atSubclassData(L"TestWatcher")) return Acad::eBadDxfSequence;
        resbuf rb{};
        while (f->readItem(&rb) == Acad::eOk) {
            if (rb.restype == 90) count = rb.resval.rlong;
            if (rb.restype == 1) {
                label = rb.resval.rstring;
                delete[] rb.resval.rstring;
            }
        }
        return f->filerStatus();
    }
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* f) const override {
        Acad::ErrorStatus es = AcDbObject::dxfOutFields(f);
        if (es != Acad::eOk) return es;
        f->writeString(100, L"TestWatcher");
        f->writeInt32(90, count);
        f->writeString(1, label);
        return f->filerStatus();
    }
};

struct Built {
    AcDbHandle line, circle, watcher, poly2d, insert, unknownHost;
};

Built buildDrawing(AcDbDatabase& db) {
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    TestWatcher::desc()->setCustom(true);
    Built b;
    // Layers and a block.
    AcDbLayerTable* layers = nullptr;
    db.getLayerTable(layers, AcDb::kForWrite);
    auto* red = new AcDbLayerTableRecord();
    red->setName(L"Red \u7EA2\u8272");
    AcCmColor c;
    c.setColorIndex(1);
    red->setColor(c);
    layers->add(red);
    red->close();
    layers->close();
    AcDbBlockTable* blocks = nullptr;
    db.getBlockTable(blocks, AcDb::kForWrite);
    auto* blk = new AcDbBlockTableRecord();
    blk->setName(L"PART");
    AcDbObjectId blkId;
    blocks->add(blkId, blk);
    blk->close();
    blocks->close();
    appendEntity(db, new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 2.5), blkId);

    auto* line = new AcDbLine(AcGePoint3d(0.1, 0.2, 0.3), AcGePoint3d(1.0 / 3, 2e-17, -1e300));
    line->setLayer(L"Red \u7EA2\u8272");
    b.line = appendEntity(db, line).handle();
    auto* circle = new AcDbCircle(AcGePoint3d(5, 5, 0), AcGeVector3d(0, 0, 1), 1.25);
    circle->setColor(AcCmColor(10, 200, 30));
    b.circle = appendEntity(db, circle).handle();
    auto* arc = new AcDbArc(AcGePoint3d(1, 2, 0), 3, 0.1, 2.2);
    AcCmColor byBlock;
    byBlock.setByBlock();
    arc->setColor(byBlock);
    appendEntity(db, arc);
    appendEntity(db,
                 new AcDbEllipse(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), AcGeVector3d(4, 1, 0), 0.5, 0.3, 5.0));
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(0, 0), 0.5);
    pl->addVertexAt(1, AcGePoint2d(10, 0));
    pl->addVertexAt(2, AcGePoint2d(10, 5), 0, 0.2, 0.4);
    pl->setClosed(true);
    appendEntity(db, pl);
    AcGePoint3dArray pts;
    pts.append(AcGePoint3d(0, 0, 0));
    pts.append(AcGePoint3d(3, 4, 0));
    pts.append(AcGePoint3d(6, 0, 0));
    b.poly2d = appendEntity(db, new AcDb2dPolyline(AcDb::k2dSimplePoly, pts, 0, true)).handle();
    pts.append(AcGePoint3d(7, 7, 7));
    appendEntity(db, new AcDb3dPolyline(AcDb::k3dSimplePoly, pts));
    AcGePoint3dArray fit;
    for (int i = 0; i < 5; ++i) fit.append(AcGePoint3d(i, i * i % 3, 0));
    appendEntity(db, new AcDbSpline(fit));
    appendEntity(db, new AcDbPoint(AcGePoint3d(9, 9, 0)));
    appendEntity(db, new AcDbText(AcGePoint3d(1, 1, 0), L"Hello \u4E2D\u6587 ^J caret", AcDbObjectId(), 2.5, 0.5));
    auto* mt = new AcDbMText();
    std::wstring longText = L"{\\fArial;Line one}\\P";
    for (int i = 0; i < 40; ++i) longText += L"\u6F22\u5B57 text " + std::to_wstring(i) + L" ";
    mt->setContents(longText.c_str());
    appendEntity(db, mt);
    auto* ref = new AcDbBlockReference(AcGePoint3d(20, 20, 0), blkId);
    ref->setRotation(0.7);
    ref->setScaleFactors(AcGeScale3d(2, 2, 1));
    auto* att = new AcDbAttribute();
    att->setTag(L"NUM");
    att->setTextString(L"42");
    ref->appendAttribute(att);
    b.insert = appendEntity(db, ref).handle();
    auto* hatch = new AcDbHatch();
    AcGePoint2dArray hv;
    hv.append(AcGePoint2d(0, 0));
    hv.append(AcGePoint2d(4, 0));
    hv.append(AcGePoint2d(4, 4));
    AcGeDoubleArray hb;
    hb.append(0);
    hb.append(0.3);
    hb.append(0);
    hatch->appendLoop(AcDbHatch::kExternal | AcDbHatch::kPolyline, hv, hb);
    appendEntity(db, hatch);
    b.unknownHost = appendEntity(db, new AcDbCircle(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), 7)).handle();

    // Extended data with a handle, a dictionary with an xrecord and a module's object watching the line.
    acdbRegApp(L"CVXTEST");
    AcDbLine* l = nullptr;
    AcDbObjectId lineId;
    db.getAcDbObjectId(lineId, false, b.line);
    acdbOpenObject(l, lineId, AcDb::kForWrite);
    std::wstring h = std::to_wstring(b.circle.value());
    ACHAR hex[17];
    b.circle.getIntoAsciiBuffer(hex);
    resbuf* xd = acutBuildList(1001, L"CVXTEST", 1000, L"\u00E9t\u00E9", 1070, 7, 1071, 123456, 1040, 0.1,
                               1005, hex, 1010, AcGePoint3d(1, 2, 3).x == 1 ? std::array<double, 3>{1, 2, 3}.data() : nullptr,
                               0);
    EXPECT_EQ(l->setXData(xd), Acad::eOk);
    acutRelRb(xd);

    AcDbDictionary* nod = nullptr;
    db.getNamedObjectsDictionary(nod, AcDb::kForWrite);
    auto* dict = new AcDbDictionary();
    AcDbObjectId dictId;
    nod->setAt(L"CVX_DICT", dict, dictId);
    nod->close();
    auto* w = new TestWatcher();
    w->count = 3;
    w->label = L"watch \u00FC";
    AcDbObjectId wid;
    dict->setAt(L"{C-1}", w, wid);
    w->close();
    auto* xr = new AcDbXrecord();
    resbuf* chain = acutBuildList(1, L"text \u4E2D", 40, 2.5, 70, 3, 0);
    xr->setFromRbChain(chain);
    acutRelRb(chain);
    AcDbObjectId xrId;
    dict->setAt(L"REC", xr, xrId);
    xr->close();
    dict->close();
    l->addPersistentReactor(wid);
    l->close();
    b.watcher = wid.handle();
    return b;
}

int countOf(AcDbDatabase& db, const wchar_t* type) {
    int n = 0;
    for (AcDbObjectId space : {db.modelSpaceId(), db.paperSpaceId()}) {
        auto* btr = AcDbBlockTableRecord::cast(space.objectPtr());
        for (AcDbObjectId id : btr->entityIds())
            if (auto* e = AcDbEntity::cast(id.objectPtr()); e && std::wstring(e->dxfTypeName()) == type) ++n;
    }
    return n;
}

}  // namespace

TEST(DxfRoundTrip, SecondAndThirdSaveAreIdenticalAndDataSurvives) {
    auto dir = dxftest::tempDir();
    Built b;
    {
        AcDbDatabase db;
        b = buildDrawing(db);
        ASSERT_EQ(db.dxfOut((dir / "a.dxf").wstring().c_str()), Acad::eOk) << db.lastErrorText().size();
    }
    AcDbDatabase db2(false);
    ASSERT_EQ(db2.readDxfFile((dir / "a.dxf").wstring().c_str()), Acad::eOk)
        << std::string(db2.lastErrorText().begin(), db2.lastErrorText().end());
    ASSERT_EQ(db2.dxfOut((dir / "b.dxf").wstring().c_str()), Acad::eOk);
    AcDbDatabase db3(false);
    ASSERT_EQ(db3.readDxfFile((dir / "b.dxf").wstring().c_str()), Acad::eOk);
    ASSERT_EQ(db3.dxfOut((dir / "c.dxf").wstring().c_str()), Acad::eOk);
    EXPECT_EQ(dxftest::readAll(dir / "b.dxf"), dxftest::readAll(dir / "c.dxf"));

    // Handles, owners and data of the re-read drawing.
    AcDbObjectId lineId, circleId, watcherId, insertId;
    ASSERT_EQ(db3.getAcDbObjectId(lineId, false, b.line), Acad::eOk);
    ASSERT_EQ(db3.getAcDbObjectId(circleId, false, b.circle), Acad::eOk);
    ASSERT_EQ(db3.getAcDbObjectId(watcherId, false, b.watcher), Acad::eOk);
    ASSERT_EQ(db3.getAcDbObjectId(insertId, false, b.insert), Acad::eOk);
    auto* line = AcDbLine::cast(lineId.objectPtr());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->ownerId(), db3.modelSpaceId());
    EXPECT_EQ(std::wstring(line->layer()), L"Red \u7EA2\u8272");
    EXPECT_EQ(line->endPoint().x, 1.0 / 3);
    EXPECT_EQ(line->endPoint().y, 2e-17);
    EXPECT_EQ(line->endPoint().z, -1e300);
    EXPECT_TRUE(line->hasPersistentReactor(watcherId));
    auto* circle = AcDbCircle::cast(circleId.objectPtr());
    ASSERT_NE(circle, nullptr);
    EXPECT_TRUE(circle->color().isByColor());
    EXPECT_EQ(circle->color().rgb(), 0x0AC81Eu);
    auto* watcher = TestWatcher::cast(watcherId.objectPtr());
    ASSERT_NE(watcher, nullptr);
    EXPECT_EQ(watcher->count, 3);
    EXPECT_EQ(watcher->label, L"watch \u00FC");
    auto* ref = AcDbBlockReference::cast(insertId.objectPtr());
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(ref->attributeIds().size(), 1u);
    EXPECT_NEAR(ref->rotation(), 0.7, 1e-15);

    resbuf* xd = line->xData(L"CVXTEST");
    ASSERT_NE(xd, nullptr);
    int n = 0;
    for (resbuf* r = xd; r; r = r->rbnext, ++n) {
        if (r->restype == 1000) {
            EXPECT_EQ(std::wstring(r->resval.rstring), L"\u00E9t\u00E9");
        }
        if (r->restype == 1071) {
            EXPECT_EQ(r->resval.rlong, 123456);
        }
        if (r->restype == 1005) {
            AcDbHandle h(r->resval.rstring);
            EXPECT_EQ(h, b.circle);
        }
    }
    EXPECT_EQ(n, 7);
    acutRelRb(xd);

    for (const wchar_t* type : {L"LINE", L"CIRCLE", L"ARC", L"ELLIPSE", L"LWPOLYLINE", L"POLYLINE", L"SPLINE",
                                L"POINT", L"TEXT", L"MTEXT", L"INSERT", L"HATCH"})
        EXPECT_GE(countOf(db3, type), 1) << std::string(type, type + wcslen(type));
    EXPECT_EQ(countOf(db3, L"POLYLINE"), 2);
    EXPECT_EQ(countOf(db3, L"CIRCLE"), 2);

    int status = 0;
    std::string audit = dxftest::python(dxftest::kAuditScript, dir / "c.dxf", status);
    EXPECT_EQ(status, 0) << audit;
    EXPECT_NE(audit.find("errors=0"), std::string::npos) << audit;
}
