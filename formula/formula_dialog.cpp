#include "formula/formula_dialog.h"

#include <algorithm>
#include <cmath>

#include "cvx/msgbox.h"
#include "formula/dialog_layout.h"
#include "formula/dialog_settings.h"
#include "formula/formula_axes.h"
#include "formula/generator.h"
#include "formula/output_mode.h"
#include "formula/row_picture.h"
#include "frame/bilingual.h"
#include "frame/language.h"

namespace {

// Where the origin stands until the user picks one.
const AcGePoint3d kNoOrigin(-99999, -99999, -99999);

// The slider positions last reported, one per slot, for the whole process: a slider that paints at the same
// position again does not redraw the curve.
std::array<int, 4> gLastSliderValues{};

std::wstring asText(int value) { return std::to_wstring(value); }

}  // namespace

CMainDlgDlg::CMainDlgDlg(CWnd* parent) : CAcUiDialog(IDD_FORMULA, parent), mOrigin(kNoOrigin) {
    registerFormulaDialogTemplate();
    onClicked(IDC_FORMULA_PREVIEW, &CMainDlgDlg::preview);
    onSelChange(IDC_FORMULA_LIST, &CMainDlgDlg::loadRow);
    onSelChange(IDC_FORMULA_OUTPUT, &CMainDlgDlg::takeOutputChoice);
    for (int k = 0; k < 4; ++k) {
        onKillFocus(kFormulaEditIds[k], [this, k] { takeTypedValue(k); });
        onCustomDraw(formulaSliderId(k), [this, k](NMHDR*, LRESULT* result) { takeSliderValue(k, result); });
    }
}

bool CMainDlgDlg::originSet() const { return mOrigin.distanceTo(kNoOrigin) > 0.0001; }

void CMainDlgDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_FORMULA_PREVIEW, mPreviewButton);
    DDX_Control(dx, IDC_FORMULA_PICTURE, mPicture);
    for (int k = 0; k < 4; ++k) {
        DDX_Control(dx, formulaLabelId(k), mLabels[k]);
        DDX_Control(dx, kFormulaEditIds[k], mEdits[k]);
        DDX_Control(dx, formulaSliderId(k), mSliders[k]);
    }
    DDX_Control(dx, IDC_FORMULA_LIST, mList);
    DDX_Control(dx, IDC_FORMULA_DRAW_UCS, mDrawUcs);
    DDX_Control(dx, IDC_FORMULA_OUTPUT, mOutput);
}

BOOL CMainDlgDlg::OnInitDialog() {
    CAcUiDialog::OnInitDialog();
    mRows = &formulaCatalogue();
    mPreviewActive = false;
    mOrigin = kNoOrigin;
    for (const FormulaCurveEntry& row : *mRows) mList.AddString(row.label.c_str());

    const FormulaDialogSettings settings = readFormulaDialogSettings();
    if (settings.drawAxes) mDrawUcs.SetCheck(BST_CHECKED);
    if (mOutput.GetCount() == 0) {
        mOutput.AddString(chooseText(L"生成 Spline", L"Spline"));
        mOutput.AddString(chooseText(L"生成 Polyline", L"Polyline"));
    }
    mOutput.SetCurSel(settings.curveIsPline != 0 ? 1 : 0);
    const bool inRange = settings.listIndex >= 0 && settings.listIndex < mList.GetCount();
    mList.SetCurSel(inRange ? settings.listIndex : 0);
    loadRow();

    if (!chineseLanguage()) {
        for (int k = 0; k < 4; ++k) mLabels[k].SetWindowText((L"parm" + asText(k + 1)).c_str());
        mDrawUcs.SetWindowText(L"Draw UCS");
        mPreviewButton.SetWindowText(L"Preview");
        SetWindowText(L"Math Formula Curves");
    }
    return TRUE;
}

int CMainDlgDlg::selectedRow() const { return std::clamp(mList.GetCurSel(), 0, kFormulaRowCount - 1); }

void CMainDlgDlg::loadRow() {
    mPreviewActive = false;
    const FormulaCurveEntry& row = (*mRows)[static_cast<size_t>(selectedRow())];
    loadRowPicture(row);
    drawRowPicture();
    for (int k = 0; k < 4; ++k) {
        const FormulaParam& slot = row.params[static_cast<size_t>(k)];
        const int show = slot.label.empty() ? SW_HIDE : SW_SHOW;
        mLabels[k].ShowWindow(show);
        mEdits[k].ShowWindow(show);
        mSliders[k].ShowWindow(show);
        if (slot.label.empty()) continue;
        mLabels[k].SetWindowText(slot.label.c_str());
        mEdits[k].SetRange(slot.min, slot.max);
        mSliders[k].SetRange(slot.min, slot.max);
        mSliders[k].SetPos(slot.defaultValue);
        mEdits[k].SetWindowText(asText(slot.defaultValue).c_str());
    }
}

void CMainDlgDlg::loadRowPicture(const FormulaCurveEntry& row) {
    if (!::loadRowPicture(rowPicturePath(row.pictureId), mRowImage)) AfxMessageBox(L"没加载成功");
}

void CMainDlgDlg::drawRowPicture() {
    RECT list, label;
    mList.GetWindowRect(&list);
    mLabels[0].GetWindowRect(&label);
    const RECT square = rowPictureSquare(list, label, GetSystemMetrics(SM_CXFRAME));
    const int side = square.right - square.left;
    if (side <= 0) return;
    if (list.bottom - list.top > side) mList.MoveWindow(list.left, list.top, list.right - list.left, side);
    mPicture.MoveWindow(&square, FALSE);
    CDC* dc = mPicture.GetDC();
    if (!dc) return;
    dc->FillSolidRect(0, 0, side, side, RGB(255, 255, 255));
    if (!mRowImage.IsNull()) ::drawRowPicture(mRowImage, dc->GetSafeHdc(), side);
    mPicture.ReleaseDC(dc);
}

void CMainDlgDlg::OnPaint() { drawRowPicture(); }

void CMainDlgDlg::takeTypedValue(int k) {
    const FormulaParam& slot = (*mRows)[static_cast<size_t>(selectedRow())].params[static_cast<size_t>(k)];
    double typed = mParams[static_cast<size_t>(k)];
    mEdits[k].GetValue(typed);
    const int value = static_cast<int>(std::clamp(std::trunc(typed), double(slot.min), double(slot.max)));
    mEdits[k].SetWindowText(asText(value).c_str());
    mParams[static_cast<size_t>(k)] = value;
    mSliders[k].SetPos(value);
}

void CMainDlgDlg::takeSliderValue(int k, LRESULT* result) {
    const int position = mSliders[k].GetPos();
    mParams[static_cast<size_t>(k)] = position;
    if (position == gLastSliderValues[static_cast<size_t>(k)]) return;
    mEdits[k].SetWindowText(asText(position).c_str());
    if (mPreviewActive && originSet()) redrawCurve();
    gLastSliderValues[static_cast<size_t>(k)] = position;
    *result = 0;
}

void CMainDlgDlg::takeOutputChoice() { setSplineOutput(mOutput.GetCurSel() < 1); }

void CMainDlgDlg::preview() {
    mPreviewActive = true;
    takeOutputChoice();
    pickOrigin();
    redrawCurve();
}

void CMainDlgDlg::pickOrigin() {
    BeginEditorCommand();
    AcGePoint3d picked;
    if (getPointBilingual(nullptr, L"\n请指定原点>>", L"\nPlease specify the origin>>", picked) == RTNORM)
        mOrigin = picked;
    CompleteEditorCommand();
}

// Replaces the curve in the drawing by the selected row's curve at the current values. Nothing is drawn
// before an origin was picked.
void CMainDlgDlg::redrawCurve() {
    mPreviewActive = true;
    if (!originSet()) return;
    for (AcDbObjectId id : mPreviewIds) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
        if (entity.openStatus() == Acad::eOk) entity->erase();
    }
    mPreviewIds.removeAll();
    const int row = selectedRow();
    std::array<int, 4> values = mParams;
    mPreviewIds.append(drawFormulaCurve(row, mOrigin, formulaArguments(row, values)));
    acedUpdateDisplay();
}

void CMainDlgDlg::OnClose() {
    if (mPreviewActive) {
        if (!originSet()) {
            takeOutputChoice();
            pickOrigin();
        }
        redrawCurve();
    }
    FormulaDialogSettings settings;
    settings.drawAxes = mDrawUcs.GetCheck() == BST_CHECKED;
    settings.curveIsPline = std::max(mOutput.GetCurSel(), 0);
    settings.listIndex = std::max(mList.GetCurSel(), 0);
    writeFormulaDialogSettings(settings);
    if (settings.drawAxes && originSet()) drawFormulaAxes(mOrigin, mPreviewIds);
    CAcUiDialog::OnClose();
}
