// A fresh drawing and editor per test, answers from script text, and a small dialog with one control of each kind.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cvx/dbmain.h"
#include "cvx/dialog.h"
#include "cvx/docman.h"
#include "cvx/editor.h"
#include "cvx/resbuf.h"
#include "editor/output.h"
#include "editor/script_source.h"
#include "editor/script_verbs.h"
#include "editor/state.h"
#include "unit/drawing_fixture.h"

enum {
    IDC_PLACE = 1001, IDC_FILLED, IDC_RED, IDC_GREEN, IDC_BLUE, IDC_SIZE, IDC_SLIDER, IDC_LIST, IDC_COMBO,
    IDC_PICTURE, IDC_LABEL, IDC_NAME, IDC_LARGE, IDC_SMALL
};

inline CvxDialogTemplate testLayout() {
    using K = CvxControl;
    return {L"Test dialog", 400, 260,
            {{K::PushButton, IDC_PLACE, 10, 10, 80, 24, L"Place"},
             {K::CheckBox, IDC_FILLED, 100, 10, 90, 20, L"Filled"},
             {K::RadioButton, IDC_RED, 10, 40, 60, 20, L"Red", WS_GROUP},
             {K::RadioButton, IDC_GREEN, 70, 40, 60, 20, L"Green"},
             {K::RadioButton, IDC_BLUE, 130, 40, 60, 20, L"Blue"},
             {K::RadioButton, IDC_LARGE, 200, 40, 60, 20, L"Large", WS_GROUP},
             {K::RadioButton, IDC_SMALL, 260, 40, 60, 20, L"Small"},
             {K::NumericEdit, IDC_SIZE, 10, 70, 60, 20, L""},
             {K::Slider, IDC_SLIDER, 80, 66, 200, 28, L""},
             {K::ListBox, IDC_LIST, 10, 100, 120, 80, L""},
             {K::ComboBox, IDC_COMBO, 140, 100, 120, 20, L""},
             {K::Picture, IDC_PICTURE, 280, 100, 100, 100, L""},
             {K::Label, IDC_LABEL, 140, 130, 130, 40, L""},
             {K::Edit, IDC_NAME, 140, 180, 120, 20, L"name"},
             {K::DefPushButton, IDOK, 220, 225, 80, 24, L"OK"},
             {K::PushButton, IDCANCEL, 310, 225, 80, 24, L"Cancel"}}};
}

// Records what its handlers saw, in order.
class TestDialog : public CAcUiDialog {
public:
    TestDialog() : CAcUiDialog(testLayout()) {
        onClicked(IDC_PLACE, &TestDialog::OnPlace);
        onClicked(IDC_FILLED, [this] { log.push_back(L"filled " + std::to_wstring(IsDlgButtonChecked(IDC_FILLED))); });
        for (int id : {IDC_RED, IDC_GREEN, IDC_BLUE})
            onClicked(id, [this, id] { log.push_back(L"colour " + std::to_wstring(id)); });
        onKillFocus(IDC_SIZE, &TestDialog::OnSizeTyped);
        onScroll(IDC_SLIDER, [this] { log.push_back(L"scroll " + std::to_wstring(m_slider.GetPos())); });
        onReleased(IDC_SLIDER, &TestDialog::OnReleased);
        onCustomDraw(IDC_SLIDER, &TestDialog::OnSliderDrawn);
        onSelChange(IDC_LIST, [this] { log.push_back(L"row " + std::to_wstring(m_list.GetCurSel())); });
        onSelChange(IDC_COMBO, [this] { log.push_back(L"combo " + std::to_wstring(m_combo.GetCurSel())); });
    }

    std::vector<std::wstring> log;
    std::vector<int> drawnPositions;  // slider positions seen by custom drawing
    int pointResult = 0;
    AcGePoint3d origin;
    bool visibleDuringPrompt = true;
    int cancels = 0;
    std::wstring label = L"Size:";

    CSliderCtrl m_slider;
    CAcUiNumericEdit m_size;
    CListBox m_list;
    CComboBox m_combo;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_SLIDER, m_slider);
        DDX_Control(dx, IDC_SIZE, m_size);
        DDX_Control(dx, IDC_LIST, m_list);
        DDX_Control(dx, IDC_COMBO, m_combo);
    }
    BOOL OnInitDialog() override {
        CAcUiDialog::OnInitDialog();
        m_slider.SetRange(10, 100);
        m_slider.SetPos(50);
        m_slider.SetTicFreq(10);
        m_size.SetRange(10, 100);
        m_size.SetValue(50);
        for (const wchar_t* row : {L"Circle", L"Square", L"Triangle"}) m_list.AddString(row);
        m_list.SetCurSel(0);
        m_combo.AddString(L"Spline");
        m_combo.AddString(L"Polyline");
        m_combo.SetCurSel(0);
        CheckRadioButton(IDC_RED, IDC_BLUE, IDC_RED);
        SetDlgItemText(IDC_LABEL, label.c_str());
        return TRUE;
    }
    void OnCancel() override {
        ++cancels;
        CAcUiDialog::OnCancel();
    }
    void OnPaint() override {
        CDC* dc = GetDlgItem(IDC_PICTURE)->GetDC();
        CBrush red(RGB(255, 0, 0));
        CBrush* old = dc->SelectObject(&red);
        dc->Ellipse(10, 10, 90, 90);
        dc->SelectObject(old);
        GetDlgItem(IDC_PICTURE)->ReleaseDC(dc);
    }

private:
    void OnPlace() {
        BeginEditorCommand();
        visibleDuringPrompt = IsWindowVisible();
        ads_point p;
        pointResult = acedGetPoint(nullptr, L"\nOrigin: ", p);
        if (pointResult == RTNORM) origin = asPnt3d(p);
        CompleteEditorCommand();
        log.push_back(L"placed");
    }
    void OnSizeTyped() {
        double v = 0;
        if (!m_size.Validate() && m_size.GetValue(v)) m_size.SetValue(v < 10 ? 10 : 100);
        m_size.GetValue(v);
        m_slider.SetPos(static_cast<int>(v));
        log.push_back(L"size " + std::to_wstring(static_cast<int>(v)));
    }
    void OnReleased(NMHDR* n, LRESULT* result) {
        log.push_back(L"released " + std::to_wstring(n->idFrom) + L" at " + std::to_wstring(m_slider.GetPos()));
        *result = 0;
    }
    void OnSliderDrawn(NMHDR* n, LRESULT* result) {
        if (n->code == NM_CUSTOMDRAW) drawnPositions.push_back(m_slider.GetPos());
        *result = 0;
    }
};

class UiTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        cvx::editor::clearQueuedAnswers();
    }
    void TearDown() override {
        cvx::editor::clearQueuedAnswers();
        DrawingTest::TearDown();
    }
};
