// Objects of a going module, message boxes and file dialogs answered by scripts, the UCS and acedTrans, and the
// pixel <-> world services.
#include <cmath>

#include "cvx/msgbox.h"
#include "cvx/render.h"
#include "editor/command_line.h"
#include "editor/group_filer.h"
#include "editor/module_objects.h"
#include "unit/drawing_fixture.h"

using namespace cvx::editor;

namespace {

// Stands for a module's class.
class Note : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(Note);
    static AcRxClass* gDesc;
    int32_t value = 0;
    AcDbObjectId target;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* f) const override {
        AcDbObject::dxfOutFields(f);
        f->writeString(100, L"Note");
        f->writeInt32(90, value);
        f->writePoint3d(10, {1.5, -2, 3});
        f->writeObjectId(340, target);
        return f->filerStatus();
    }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* f) override {
        AcDbObject::dxfInFields(f);
        if (!f->atSubclassData(L"Note")) return Acad::eBadDxfSequence;
        AcDbDxfGroup g;
        while (f->readGroup(g)) {
            if (g.code == 90) value = static_cast<int32_t>(g.integer);
            if (g.code == 10) {
                EXPECT_EQ(g.point, AcGePoint3d(1.5, -2, 3));
            }
            if (g.code == 340) target = f->idFromHandle(static_cast<uint64_t>(g.integer));
        }
        return f->filerStatus();
    }
};
AcRxClass* Note::gDesc = nullptr;
AcRxClass* Note::desc() { return gDesc; }
AcRxClass* Note::isA() const { return gDesc; }

}  // namespace

using EditorTest = DrawingTest;

TEST_F(EditorTest, ObjectsOfAGoingModuleKeepTheirDataAndComeBack) {
    Note::gDesc = newAcRxClass(L"Note", L"AcDbObject", 0, 0, 0, [] { return static_cast<AcRxObject*>(new Note); },
                               L"CVXNOTE", L"NoteApp");
    AcDbObjectId line = add(new AcDbLine({0, 0, 0}, {1, 1, 0}));
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db->getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    auto* note = new Note;
    note->value = 77;
    note->target = line;
    AcDbObjectId id;
    ASSERT_EQ(nod->setAt(L"NOTE", note, id), Acad::eOk);
    note->close();
    nod->close();
    {  // the line hears of the note through its reactor list
        AcDbObjectPointer<AcDbLine> l(line, AcDb::kForWrite);
        l->addPersistentReactor(id);
    }

    int skipped = 0;
    EXPECT_EQ(detachObjects(db.get(), [](const AcDbObject* o) { return Note::cast(o) != nullptr; }, skipped), 1);
    EXPECT_EQ(skipped, 0);
    deleteAcRxClass(Note::gDesc);
    Note::gDesc = nullptr;
    {
        AcDbObjectPointer<AcDbUnknownObject> u(id, AcDb::kForRead);
        ASSERT_TRUE(u) << "the note was not replaced";
        EXPECT_EQ(u->dxfTypeName(), L"CVXNOTE");
        ASSERT_GE(u->groups().size(), 6u);
        EXPECT_EQ(u->groups()[0], std::make_pair(100, std::string("Note")));
        EXPECT_EQ(u->groups()[1], std::make_pair(90, std::string("77")));
        AcDbDictionary* d = nullptr;
        db->getNamedObjectsDictionary(d, AcDb::kForRead);
        AcDbObjectId stillThere;
        d->getAt(L"NOTE", stillThere);
        d->close();
        EXPECT_EQ(stillThere, id);
    }
    bool kept = false;
    for (const auto& k : db->keptClasses()) kept = kept || k.dxfName == L"CVXNOTE";
    EXPECT_TRUE(kept);
    {
        AcDbObjectPointer<AcDbLine> l(line, AcDb::kForRead);
        EXPECT_TRUE(l->hasPersistentReactor(id));
    }

    // The module comes back: the object is a Note again, with its data and its reference.
    Note::gDesc = newAcRxClass(L"Note", L"AcDbObject", 0, 0, 0, [] { return static_cast<AcRxObject*>(new Note); },
                               L"CVXNOTE", L"NoteApp");
    EXPECT_EQ(reviveObjects(db.get()), 1);
    {
        AcDbObjectPointer<Note> back(id, AcDb::kForRead);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->value, 77);
        EXPECT_EQ(back->target, line);
    }
    detachObjects(db.get(), [](const AcDbObject* o) { return Note::cast(o) != nullptr; }, skipped);
    deleteAcRxClass(Note::gDesc);
    Note::gDesc = nullptr;
}

TEST_F(EditorTest, MessageBoxesTakeScriptAnswersOrTheFirstButton) {
    answers(L";@msgbox no\n;@msgbox Cancel\n");
    EXPECT_EQ(AfxMessageBox(L"Go on?", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, L"Sure?", L"Caption", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(AfxMessageBox(L"No answer left", MB_YESNOCANCEL), IDYES);
    std::wstring out = takeTranscript();
    EXPECT_NE(out.find(L"[Caption] Sure?"), std::wstring::npos);
    EXPECT_NE(out.find(L"<Cancel>"), std::wstring::npos);
    // An answer the box does not offer stops the script.
    auto& s = answers(L";@msgbox yes\n");
    EXPECT_EQ(AfxMessageBox(L"Only OK", MB_OK), IDOK);
    EXPECT_TRUE(s.failed());
    EXPECT_NE(s.error().find(L"no button 'yes'"), std::wstring::npos);
}

TEST_F(EditorTest, FileDialogsTakeScriptPathsWithTheirDefaultExtension) {
    answers(L";@file \"/tmp/some report\"\n;@file \"\"\n");
    CFileDialog save(FALSE, L"xls", nullptr, OFN_OVERWRITEPROMPT, L"EXCEL File(*.xls)|*.xls|");
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), L"/tmp/some report.xls");
    EXPECT_EQ(save.GetFileTitle(), L"some report");
    EXPECT_EQ(save.GetFileExt(), L"xls");
    CFileDialog cancelled(TRUE);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    CFileDialog none(TRUE);  // no answer left: cancelled
    EXPECT_EQ(none.DoModal(), IDCANCEL);
    auto& s = answers(L";@file \"/no/such/file.txt\"\n");
    CFileDialog open(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, L"Text|*.txt||");
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_NE(s.error().find(L"File not found: /no/such/file.txt"), std::wstring::npos);
}

TEST_F(EditorTest, UcsMovesWhatTransAndTheDrawingCommandsSee) {
    answers(L"UCS 3 10,20 10,30 0,20\nLINE 0,0 5,0\n\n");
    runCommandLoop();
    // X along world +Y, Y along world -X, origin (10, 20).
    ads_point p = {5, 0, 0}, w;
    resbuf ucs{nullptr, RTSHORT, {}}, world{nullptr, RTSHORT, {}};
    ucs.resval.rint = 1;
    world.resval.rint = 0;
    ASSERT_EQ(acedTrans(p, &ucs, &world, 0, w), RTNORM);
    EXPECT_NEAR(w[0], 10, 1e-12);
    EXPECT_NEAR(w[1], 25, 1e-12);
    ads_point back;
    acedTrans(w, &world, &ucs, 0, back);
    EXPECT_NEAR(back[0], 5, 1e-12);
    ASSERT_EQ(acedTrans(p, &ucs, &world, 1, w), RTNORM);  // a displacement turns but does not move
    EXPECT_NEAR(w[0], 0, 1e-12);
    EXPECT_NEAR(w[1], 5, 1e-12);
    auto ids = modelSpace();
    ASSERT_EQ(ids.size(), 1u);
    AcDbObjectPointer<AcDbLine> line(ids[0], AcDb::kForRead);
    EXPECT_TRUE(line->startPoint().isEqualTo({10, 20, 0}));
    EXPECT_TRUE(line->endPoint().isEqualTo({10, 25, 0}));
    resbuf v;
    acedGetVar(L"WORLDUCS", &v);
    EXPECT_EQ(v.resval.rint, 0);
    answers(L"UCS Z 90\nUCS W\n");
    runCommandLoop();
    acedGetVar(L"WORLDUCS", &v);
    EXPECT_EQ(v.resval.rint, 1);
}

TEST_F(EditorTest, PixelsAndWorldPointsAgreeWithTheRenderMapping) {
    View& v = editorState().view;
    v.screenWidth = 640;
    v.screenHeight = 480;
    zoomCenter({100, 50}, 48);  // 10 pixels per unit
    POINT px{0, 0};
    ads_point w;
    ASSERT_TRUE(acedCoordFromPixelToWorld(0, px, w));
    EXPECT_NEAR(w[0], 100 - 32 + 0.05, 1e-9);  // the centre of the top-left pixel
    EXPECT_NEAR(w[1], 50 + 24 - 0.05, 1e-9);
    ads_point q = {100.01, 49.99, 0};
    ASSERT_TRUE(acedCoordFromWorldToPixel(0, q, px));
    EXPECT_EQ(px.x, 320);
    EXPECT_EQ(px.y, 240);
    for (POINT p : {POINT{0, 0}, POINT{639, 479}, POINT{17, 301}}) {
        POINT again{};
        acedCoordFromPixelToWorld(0, p, w);
        acedCoordFromWorldToPixel(0, w, again);
        EXPECT_EQ(again.x, p.x);
        EXPECT_EQ(again.y, p.y);
    }
}
