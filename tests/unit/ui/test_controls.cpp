// Control behaviour: slider ranges and notifications, numeric edits, rows of lists and combos, radio groups and
// data exchange.
#include "ui_fixture.h"

TEST_F(UiTest, SlidersKeepTheirPositionInsideTheRange) {
    auto& s = answers(
        L";@dialog slide 1007 500\n"
        L";@dialog track 1007 -20\n"
        L";@dialog track 1007 30\n"
        L";@dialog release 1007\n"
        L";@dialog ok\n");
    TestDialog d;
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_FALSE(s.failed()) << s.error();
    // Dragging reports every position; only letting go sends the release.
    EXPECT_EQ(d.log, (std::vector<std::wstring>{L"scroll 100", L"released 1007 at 100", L"scroll 10", L"scroll 30",
                                                 L"released 1007 at 30"}));
    // Custom drawing follows every change of position.
    EXPECT_EQ(d.drawnPositions, (std::vector<int>{50, 100, 10, 30}));

    d.m_slider.SetRange(40, 20);  // put in order; the position moves in
    EXPECT_EQ(d.m_slider.GetRangeMin(), 20);
    EXPECT_EQ(d.m_slider.GetRangeMax(), 40);
    EXPECT_EQ(d.m_slider.GetPos(), 30);
    d.m_slider.SetRangeMax(25);
    EXPECT_EQ(d.m_slider.GetPos(), 25);
    d.m_slider.SetPos(-7);
    EXPECT_EQ(d.m_slider.GetPos(), 20);
    CSliderCtrl unbound;  // shows no window: harmless
    unbound.SetPos(3);
    EXPECT_EQ(unbound.GetPos(), 0);
}

TEST_F(UiTest, NumericEditsTellNumbersAndRangesApart) {
    auto& s = answers(
        L";@dialog text 1006 500\n"   // a number out of range: the dialog clamps it
        L";@dialog text 1006 abc\n"   // not a number: the last good text comes back
        L";@dialog text 1006 \" 42.5 \"\n"
        L";@dialog ok\n");
    TestDialog d;
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_FALSE(s.failed()) << s.error();
    EXPECT_EQ(d.log, (std::vector<std::wstring>{L"size 100", L"size 100", L"size 42"}));
    EXPECT_NE(cvx::editor::takeTranscript().find(L"'abc' is not a number."), std::wstring::npos);
    double v = 0;
    EXPECT_TRUE(d.m_size.GetValue(v));
    EXPECT_DOUBLE_EQ(v, 42.5);
    EXPECT_TRUE(d.m_size.Validate());
    d.m_size.SetValue(100.0000001);
    EXPECT_TRUE(d.m_size.Convert());
    EXPECT_FALSE(d.m_size.Validate());
    d.m_size.SetValue(1e6);
    EXPECT_EQ(d.GetDlgItemText(IDC_SIZE), L"1000000");
    d.SetDlgItemText(IDC_SIZE, L"12x");
    EXPECT_FALSE(d.m_size.Convert());
    BOOL ok = TRUE;
    EXPECT_EQ(d.GetDlgItemInt(IDC_SIZE, &ok), 0);
    EXPECT_FALSE(ok);
    d.SetDlgItemInt(IDC_SIZE, -17);
    EXPECT_EQ(d.GetDlgItemInt(IDC_SIZE, &ok), -17);
    EXPECT_TRUE(ok);
}

TEST_F(UiTest, ListAndComboRowsKeepTheSelectionOnTheSameRow) {
    answers(L";@dialog select 1008 Square\n;@dialog select 1009 -1\n;@dialog ok\n");
    TestDialog d;
    ASSERT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(d.log, (std::vector<std::wstring>{L"row 1", L"combo -1"}));
    EXPECT_EQ(d.GetDlgItemText(IDC_COMBO), L"");

    CListBox& list = d.m_list;
    EXPECT_EQ(list.InsertString(0, L"Star"), 0);  // before the selection: it moves along
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.DeleteString(2), 3);  // the selected row goes: nothing is selected
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.DeleteString(9), LB_ERR);
    EXPECT_EQ(list.InsertString(7, L"x"), LB_ERR);
    EXPECT_EQ(list.SetCurSel(3), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_EQ(list.FindStringExact(-1, L"TRIANGLE"), 2);
    EXPECT_EQ(list.FindStringExact(2, L"star"), 0);  // searches on from the start
    std::wstring t;
    EXPECT_EQ(list.GetText(5, t), LB_ERR);
    EXPECT_EQ(list.GetTextLen(1), 6);

    CComboBox& combo = d.m_combo;
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(d.GetDlgItemText(IDC_COMBO), L"Polyline");
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    // A list call on a control of another kind does nothing.
    CListBox wrong;
    wrong.m_hWnd = d.GetDlgItem(IDC_SLIDER)->m_hWnd;
    EXPECT_EQ(wrong.AddString(L"x"), LB_ERR);
}

TEST_F(UiTest, RadioButtonsFormGroupsAndDataExchangeReadsThem) {
    struct Dlg : TestDialog {
        int colour = 2, size = 1, filled = 1, slider = 33, row = 1, number = 0;
        void DoDataExchange(CDataExchange* dx) override {
            TestDialog::DoDataExchange(dx);
            DDX_Radio(dx, IDC_RED, colour);
            DDX_Radio(dx, IDC_LARGE, size);
            DDX_Check(dx, IDC_FILLED, filled);
            DDX_Slider(dx, IDC_SLIDER, slider);
            DDX_LBIndex(dx, IDC_LIST, row);
            DDX_Text(dx, IDC_NAME, number);
        }
        BOOL OnInitDialog() override {
            TestDialog::OnInitDialog();
            UpdateData(FALSE);  // members into the controls
            return TRUE;
        }
    };
    auto& s = answers(
        L";@dialog click 1003\n"
        L";@dialog click 1013\n"
        L";@dialog text 1012 x\n"
        L";@dialog ok\n"  // the name is no number: the exchange fails and the dialog stays
        L";@dialog text 1012 17\n"
        L";@dialog ok\n");
    Dlg d;
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_FALSE(s.failed()) << s.error();
    EXPECT_EQ(d.colour, 0);  // the first group: red
    EXPECT_EQ(d.size, 0);    // the second group kept its own check
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_GREEN), BST_UNCHECKED);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_BLUE), BST_UNCHECKED);
    EXPECT_EQ(d.filled, 1);
    EXPECT_EQ(d.slider, 33);
    EXPECT_EQ(d.row, 1);
    EXPECT_EQ(d.number, 17);
    EXPECT_NE(cvx::editor::takeTranscript().find(L"Please enter a whole number (got 'x')."), std::wstring::npos);
}
