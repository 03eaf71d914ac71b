// The formula curve dialog: pick a catalogue row, set its parameters with edits and sliders, preview the curve
// at a picked origin (every later change redraws it), and place it when the dialog closes, optionally with
// coordinate axes. Its choices are kept in the registry between runs.
#pragma once

#include <array>

#include "cvx/arx.h"
#include "cvx/dialog.h"
#include "cvx/image.h"
#include "formula/catalogue.h"

class CMainDlgDlg : public CAcUiDialog {
public:
    explicit CMainDlgDlg(CWnd* parent = nullptr);

    // What the dialog holds, for its command and its tests.
    const std::array<int, 4>& params() const { return mParams; }
    bool previewActive() const { return mPreviewActive; }
    const AcDbObjectIdArray& previewIds() const { return mPreviewIds; }
    const AcGePoint3d& origin() const { return mOrigin; }
    bool originSet() const;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnClose() override;
    void OnPaint() override;

private:
    int selectedRow() const;
    void loadRow();
    void loadRowPicture(const FormulaCurveEntry& row);
    void drawRowPicture();
    void takeTypedValue(int slot);
    void takeSliderValue(int slot, LRESULT* result);
    void takeOutputChoice();
    void preview();
    void pickOrigin();
    void redrawCurve();

    CButton mPreviewButton;
    CStatic mPicture;
    std::array<CStatic, 4> mLabels;
    std::array<CAcUiNumericEdit, 4> mEdits;
    std::array<CSliderCtrl, 4> mSliders;
    CListBox mList;
    CButton mDrawUcs;
    CComboBox mOutput;

    std::array<int, 4> mParams{};
    bool mPreviewActive = false;
    AcDbObjectIdArray mPreviewIds;
    AcGePoint3d mOrigin;
    const FormulaCatalogue* mRows = nullptr;
    CImage mRowImage;  // the selected row's picture; empty when it did not load
};
