// The formula dialog driven as a person would: rows and their slots, typed and slid values, previews that
// replace their curve, what closing draws and stores, and the row picture.
#include "cvx/image.h"
#include "dialog_fixture.h"
#include "formula/row_picture.h"

namespace {

// The controls a dialog's text view (";@dialog show") lists, that is the visible ones, by id.
bool shows(const std::wstring& view, int id) {
    return view.find(L"\n  " + std::to_wstring(id) + L"  ") != std::wstring::npos;
}

}  // namespace

TEST_F(FormulaDialogTest, OpensOnTheFirstRowWithSplineOutputWhenNothingIsStored) {
    CMainDlgDlg d;
    run(d, L";@dialog show\n;@dialog close\n");
    const std::wstring view = cvx::editor::takeTranscript();
    EXPECT_TRUE(shows(view, formulaSliderId(0)));  // the heart has one slot
    EXPECT_FALSE(shows(view, formulaSliderId(1)));
    EXPECT_EQ(d.GetDlgItemText(IDC_FORMULA_OUTPUT), L"Spline");
    EXPECT_EQ(static_cast<CListBox*>(item(d, IDC_FORMULA_LIST))->GetCurSel(), 0);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_FORMULA_DRAW_UCS), 0u);
    // English captions are set after the first row loaded, so the slot labels read parm1..parm4.
    EXPECT_EQ(d.GetDlgItemText(formulaLabelId(0)), L"parm1");
    std::wstring title;
    d.GetWindowText(title);
    EXPECT_EQ(title, L"Math Formula Curves");
    EXPECT_EQ(d.GetDlgItemText(IDC_FORMULA_PREVIEW), L"Preview");
    // Nothing previewed: nothing drawn, but the choices are stored.
    EXPECT_TRUE(modelSpace().empty());
    EXPECT_EQ(stored(L"formula_ListIndex"), 0u);
    EXPECT_EQ(stored(L"formula_curveIsPline"), 0u);
    EXPECT_EQ(stored(L"formula_XYcoor"), 0u);
}

TEST_F(FormulaDialogTest, ChoicesAreStoredOnClosingAndRestoredOnOpening) {
    {
        CMainDlgDlg d;
        run(d, L";@dialog select 2010 7\n;@dialog select 2009 1\n;@dialog check 4000\n;@dialog close\n");
    }
    EXPECT_EQ(stored(L"formula_ListIndex"), 7u);
    EXPECT_EQ(stored(L"formula_curveIsPline"), 1u);
    EXPECT_EQ(stored(L"formula_XYcoor"), 1u);
    CMainDlgDlg again;
    run(again, L";@dialog show\n;@dialog close\n");
    const std::wstring view = cvx::editor::takeTranscript();
    EXPECT_EQ(static_cast<CListBox*>(item(again, IDC_FORMULA_LIST))->GetCurSel(), 7);
    EXPECT_EQ(again.GetDlgItemText(IDC_FORMULA_OUTPUT), L"Polyline");
    EXPECT_EQ(again.IsDlgButtonChecked(IDC_FORMULA_DRAW_UCS), 1u);
    // Row 8 (the disk spring) has three slots; the restored row loads them.
    EXPECT_EQ(slider(again, 0)->GetRangeMax(), 100);
    EXPECT_EQ(slider(again, 2)->GetPos(), 5);
    EXPECT_TRUE(shows(view, formulaSliderId(2)));
    EXPECT_FALSE(shows(view, formulaSliderId(3)));
}

TEST_F(FormulaDialogTest, AStoredRowOutsideTheListSelectsTheFirst) {
    writeRegDword(HKEY_CURRENT_USER, kProductKey, L"formula_ListIndex", 80);
    CMainDlgDlg d;
    run(d, L";@dialog close\n");
    EXPECT_EQ(static_cast<CListBox*>(item(d, IDC_FORMULA_LIST))->GetCurSel(), 0);
    EXPECT_EQ(stored(L"formula_ListIndex"), 0u);
}

TEST_F(FormulaDialogTest, EachRowShowsExactlyItsSlotsWithTheirRangesAndDefaults) {
    CMainDlgDlg d;
    // Row 2 (Wave): two slots.
    run(d, L";@dialog select 2010 1\n;@dialog show\n;@dialog close\n");
    std::wstring view = cvx::editor::takeTranscript();
    for (int k = 0; k < 4; ++k) {
        const bool used = k < 2;
        EXPECT_EQ(shows(view, formulaLabelId(k)), used) << k;
        EXPECT_EQ(shows(view, kFormulaEditIds[k]), used) << k;
        EXPECT_EQ(shows(view, formulaSliderId(k)), used) << k;
    }
    EXPECT_EQ(d.GetDlgItemText(formulaLabelId(0)), L"Waves");
    EXPECT_EQ(d.GetDlgItemText(formulaLabelId(1)), L"Hight");
    EXPECT_EQ(slider(d, 1)->GetRangeMin(), 1);
    EXPECT_EQ(slider(d, 1)->GetRangeMax(), 1000);
    EXPECT_EQ(editText(d, 1), L"10");
    EXPECT_EQ(d.params()[0], 10);
    EXPECT_EQ(d.params()[1], 10);

    // Row 5 (LOG curve): its second slot exists in the table but is hidden.
    CMainDlgDlg log;
    run(log, L";@dialog select 2010 4\n;@dialog show\n;@dialog close\n");
    view = cvx::editor::takeTranscript();
    EXPECT_TRUE(shows(view, formulaSliderId(0)));
    EXPECT_FALSE(shows(view, formulaSliderId(1)));
    EXPECT_EQ(log.GetDlgItemText(formulaLabelId(0)), L"HightTimes");
}

TEST_F(FormulaDialogTest, TypedValuesAreClampedToTheSlotAndMoveTheSlider) {
    CMainDlgDlg d;
    run(d,
        L";@dialog text 2021 5000\n;@dialog show\n"
        L";@dialog text 2021 -7\n;@dialog show\n"
        L";@dialog text 2021 250\n"
        L";@dialog text 2021 abc\n"
        L";@dialog close\n");
    const std::wstring view = cvx::editor::takeTranscript();
    // The heart's width runs 1..1000: 5000 shows 1000 with the slider at its end, -7 shows 1.
    const size_t high = view.find(L"2021  number edit   [1000]"), low = view.find(L"2021  number edit   [1]");
    EXPECT_NE(high, std::wstring::npos);
    EXPECT_NE(low, std::wstring::npos);
    EXPECT_LT(high, low);
    EXPECT_NE(view.find(L"4010  slider        1..1000 at 1000"), std::wstring::npos);
    // "abc" is refused by the edit, which keeps 250.
    EXPECT_EQ(editText(d, 0), L"250");
    EXPECT_EQ(slider(d, 0)->GetPos(), 250);
    EXPECT_EQ(d.params()[0], 250);
}

TEST_F(FormulaDialogTest, SliderMovesWriteTheirValueIntoTheEdit) {
    CMainDlgDlg d;
    run(d, L";@dialog select 2010 1\n;@dialog slide 4011 37\n;@dialog track 4010 3\n;@dialog close\n");
    EXPECT_EQ(editText(d, 1), L"37");
    EXPECT_EQ(editText(d, 0), L"3");
    EXPECT_EQ(d.params()[0], 3);
    EXPECT_EQ(d.params()[1], 37);
}

TEST_F(FormulaDialogTest, PreviewPlacesTheCurveAndEverySliderStepReplacesIt) {
    CMainDlgDlg d;
    run(d,
        L";@dialog select 2010 5\n"   // the hyperbola: two entities
        L";@dialog select 2009 1\n"   // polylines
        L";@dialog click 4004\n"
        L"10,20\n"
        L";@dialog slide 4010 6\n"
        L";@dialog slide 4012 2\n"
        L";@dialog close\n");
    EXPECT_NE(cvx::editor::takeTranscript().find(L"Please specify the origin>>"), std::wstring::npos);
    EXPECT_EQ(d.origin(), AcGePoint3d(10, 20, 0));
    // Three drawings of two branches, then the closing one: only the last two entities are left.
    std::vector<AcDbObjectId> left = modelSpace();
    ASSERT_EQ(left.size(), 2u);
    ASSERT_EQ(d.previewIds().length(), 2);
    EXPECT_EQ(left[0], d.previewIds()[0]);
    EXPECT_EQ(left[1], d.previewIds()[1]);
    // N = 2 doubles the samples of each branch; a = 6 reaches x = (6/3)·sqrt(9 + 100) at y = -10.
    Drawn right = readDrawn(left[0]);
    EXPECT_EQ(right.kind, "lwpolyline");
    EXPECT_EQ(right.points.size(), 72u);
    EXPECT_NEAR(right.points[0].x, 10 + 2 * std::sqrt(109.0), 1e-9);
    EXPECT_NEAR(right.points[0].y, 20 - 10, 1e-9);
}

TEST_F(FormulaDialogTest, AnotherRowEndsThePreviewButKeepsItsCurve) {
    CMainDlgDlg d;
    run(d,
        L";@dialog click 4004\n"
        L"0,0\n"
        L";@dialog select 2010 2\n"
        L";@dialog slide 4010 20\n"
        L";@dialog close\n");
    EXPECT_FALSE(d.previewActive());
    // Only the heart, drawn by the preview: neither the slider nor closing drew the new row.
    std::vector<AcDbObjectId> left = modelSpace();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(readDrawn(left[0]).color.colorIndex(), 1);
}

TEST_F(FormulaDialogTest, ClosingAfterACancelledOriginAsksAgainAndDrawsThere) {
    CMainDlgDlg d;
    run(d,
        L";@dialog click 4004\n"
        L";@cancel\n"
        L";@dialog close\n"
        L"5,5\n");
    EXPECT_TRUE(d.originSet());
    std::vector<AcDbObjectId> left = modelSpace();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(readDrawn(left[0]).kind, "spline");  // the combo's first choice
}

TEST_F(FormulaDialogTest, DrawUcsAddsOneBlockReferenceOfAxesAtTheOrigin) {
    CMainDlgDlg d;
    run(d,
        L";@dialog check 4000\n"
        L";@dialog select 2009 1\n"
        L";@dialog click 4004\n"
        L"100,50\n"
        L";@dialog close\n");
    std::vector<AcDbObjectId> left = modelSpace();
    ASSERT_EQ(left.size(), 2u);
    AcDbObjectPointer<AcDbBlockReference> ref(left[1], AcDb::kForRead);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->position(), AcGePoint3d(100, 50, 0));
    AcDbObjectPointer<AcDbBlockTableRecord> block(ref->blockTableRecord(), AcDb::kForRead);
    ASSERT_TRUE(block);
    EXPECT_TRUE(block->isAnonymous());
    EXPECT_EQ(block->origin(), AcGePoint3d(100, 50, 0));
    EXPECT_FALSE(block->entityIds().empty());
}

TEST_F(FormulaDialogTest, RowPicturesComeFromTheModulesFolderOrAreReported) {
    // A 2 x 2 picture, half transparent white: premultiplied it shows mid grey.
    CImage picture;
    ASSERT_TRUE(picture.Create(2, 2, 32, CImage::createAlphaChannel));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            auto* p = static_cast<BYTE*>(picture.GetPixelAddress(x, y));
            p[0] = p[1] = p[2] = 255;
            p[3] = 128;
        }
    const std::filesystem::path heart = folder / "resources" / "pictures" / "407.png";
    ASSERT_EQ(picture.Save(heart.wstring().c_str()), S_OK);
    CImage loaded;
    ASSERT_TRUE(loadRowPicture(rowPicturePath(407), loaded));
    EXPECT_EQ(static_cast<const BYTE*>(loaded.GetPixelAddress(1, 1))[0], 128);

    auto centre = [](CMainDlgDlg& d) {
        CDC* dc = item(d, IDC_FORMULA_PICTURE)->GetDC();
        COLORREF c = dc ? ::GetPixel(dc->GetSafeHdc(), 150, 150) : CLR_INVALID;
        item(d, IDC_FORMULA_PICTURE)->ReleaseDC(dc);
        return c;
    };
    CMainDlgDlg shown;
    run(shown, L";@dialog paint\n;@dialog close\n");
    EXPECT_EQ(centre(shown), RGB(128, 128, 128));  // stretched over the whole square
    cvx::editor::takeTranscript();

    CMainDlgDlg d;
    run(d, L";@dialog select 2010 1\n;@dialog close\n");
    std::wstring said = cvx::editor::takeTranscript();
    // The heart's picture was there (once more on opening); the wave's (408) was not.
    EXPECT_NE(said.find(L"没加载成功"), std::wstring::npos);
    EXPECT_EQ(said.find(L"没加载成功"), said.rfind(L"没加载成功"));
    EXPECT_EQ(centre(d), RGB(255, 255, 255));  // a blank square, not the heart
}

TEST(FormulaRowPicture, TheSquareFillsTheGapBetweenListAndLabels) {
    const RECT square = rowPictureSquare(RECT{10, 10, 220, 400}, RECT{534, 10, 650, 26}, 4);
    EXPECT_EQ(square.left, 224);
    EXPECT_EQ(square.top, 10);
    EXPECT_EQ(square.right - square.left, 306);
    EXPECT_EQ(square.bottom - square.top, 306);
    const RECT none = rowPictureSquare(RECT{10, 10, 220, 400}, RECT{225, 10, 300, 26}, 4);
    EXPECT_EQ(none.right, none.left);
}
