// DIALOGDEMO: a small dialog that shows what the framework offers. Choose a shape, a size and a colour, pick a
// point (the dialog steps aside for the prompt), and OK draws the shape there.
#include <algorithm>
#include <cstdlib>

#include "cvx/dbents.h"
#include "cvx/dialog.h"
#include "cvx/docman.h"
#include "cvx/editor.h"
#include "editor/commands/command_util.h"
#include "ui/demo_command.h"

namespace {

enum {
    IDC_SHAPES = 3001, IDC_SIZE_EDIT, IDC_SIZE_SLIDER, IDC_FILLED, IDC_RED, IDC_GREEN, IDC_BLUE, IDC_PREVIEW,
    IDC_PICK, IDC_ORIGIN
};

CvxDialogTemplate demoLayout() {
    using K = CvxControl;
    return {L"Dialog demo / 对话框演示", 420, 250,
            {{K::Label, IDC_STATIC, 10, 10, 120, 16, L"Shape / 形状"},
             {K::ListBox, IDC_SHAPES, 10, 28, 120, 64, L""},
             {K::Label, IDC_STATIC, 10, 104, 120, 16, L"Size / 大小"},
             {K::NumericEdit, IDC_SIZE_EDIT, 10, 122, 50, 20, L""},
             {K::Slider, IDC_SIZE_SLIDER, 64, 118, 200, 28, L""},
             {K::CheckBox, IDC_FILLED, 10, 152, 150, 20, L"Filled preview / 填充"},
             {K::GroupBox, IDC_STATIC, 140, 6, 124, 92, L"Colour / 颜色"},
             {K::RadioButton, IDC_RED, 150, 24, 100, 20, L"Red / 红", WS_GROUP},
             {K::RadioButton, IDC_GREEN, 150, 46, 100, 20, L"Green / 绿"},
             {K::RadioButton, IDC_BLUE, 150, 68, 100, 20, L"Blue / 蓝"},
             {K::Picture, IDC_PREVIEW, 280, 10, 130, 130, L""},
             {K::PushButton, IDC_PICK, 10, 182, 120, 24, L"Pick point / 选点"},
             {K::Label, IDC_ORIGIN, 140, 187, 270, 16, L"Origin 0, 0"},
             {K::DefPushButton, IDOK, 240, 218, 80, 24, L"OK"},
             {K::PushButton, IDCANCEL, 330, 218, 80, 24, L"Cancel"}}};
}

class DemoDialog : public CAcUiDialog {
public:
    DemoDialog() : CAcUiDialog(demoLayout()) {
        onSelChange(IDC_SHAPES, &DemoDialog::drawPreview);
        onClicked(IDC_FILLED, &DemoDialog::drawPreview);
        for (int id : {IDC_RED, IDC_GREEN, IDC_BLUE}) onClicked(id, &DemoDialog::drawPreview);
        onCustomDraw(IDC_SIZE_SLIDER, &DemoDialog::takeSlider);
        onKillFocus(IDC_SIZE_EDIT, &DemoDialog::takeTypedSize);
        onClicked(IDC_PICK, &DemoDialog::pickOrigin);
    }

    int shape = 0, size = 40, colour = 0;
    AcGePoint3d origin;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_SHAPES, mShapes);
        DDX_Control(dx, IDC_SIZE_EDIT, mSizeEdit);
        DDX_Control(dx, IDC_SIZE_SLIDER, mSlider);
        DDX_LBIndex(dx, IDC_SHAPES, shape);
        DDX_Radio(dx, IDC_RED, colour);
    }
    BOOL OnInitDialog() override {
        CAcUiDialog::OnInitDialog();
        for (const wchar_t* s : {L"Circle / 圆", L"Square / 正方形", L"Diamond / 菱形"}) mShapes.AddString(s);
        mShapes.SetCurSel(shape);
        CheckRadioButton(IDC_RED, IDC_BLUE, IDC_RED + colour);
        mSlider.SetRange(1, 100);
        mSlider.SetTicFreq(10);
        mSlider.SetPos(size);
        mSizeEdit.SetRange(1, 100);
        mSizeEdit.SetValue(size);
        return TRUE;
    }
    void OnPaint() override { drawPreview(); }

private:
    void takeSlider() {
        if (mSlider.GetPos() == size) return;
        size = mSlider.GetPos();
        mSizeEdit.SetValue(size);
        drawPreview();
    }
    void takeTypedSize() {
        double v = size;
        mSizeEdit.GetValue(v);
        size = std::clamp(static_cast<int>(v), 1, 100);
        mSizeEdit.SetValue(size);
        mSlider.SetPos(size);
    }
    void pickOrigin() {
        BeginEditorCommand();
        ads_point p;
        if (acedGetPoint(nullptr, L"\nOrigin of the shape: ", p) == RTNORM) origin = asPnt3d(p);
        CompleteEditorCommand();
        wchar_t text[96];
        acutSPrintf(text, 96, L"Origin %g, %g", origin.x, origin.y);
        SetDlgItemText(IDC_ORIGIN, text);
    }
    void drawPreview() {
        UpdateData(TRUE);
        CWnd* area = GetDlgItem(IDC_PREVIEW);
        CDC* dc = area->GetDC();
        const COLORREF colours[] = {RGB(220, 30, 30), RGB(30, 160, 60), RGB(30, 80, 220)};
        COLORREF c = colours[std::clamp(colour, 0, 2)];
        dc->FillSolidRect(0, 0, 130, 130, RGB(255, 255, 255));
        int r = 5 + size * 60 / 100;
        CPen pen(PS_SOLID, 2, c);
        CBrush fill(c), hollow;
        CPen* oldPen = dc->SelectObject(&pen);
        CBrush* oldBrush = dc->SelectObject(IsDlgButtonChecked(IDC_FILLED) ? &fill : &hollow);
        if (shape == 0) {
            dc->Ellipse(65 - r, 65 - r, 65 + r, 65 + r);
        } else {
            // Squares and diamonds point by point: the drawing context has no polygons.
            for (int y = -r; y <= r; ++y)
                for (int x = -r; x <= r; ++x) {
                    int reach = shape == 1 ? std::max(std::abs(x), std::abs(y)) : std::abs(x) + std::abs(y);
                    bool edge = reach >= r - 1 && reach <= r;
                    if (reach <= r && (edge || IsDlgButtonChecked(IDC_FILLED))) dc->SetPixel(65 + x, 65 + y, c);
                }
        }
        dc->SelectObject(oldPen);
        dc->SelectObject(oldBrush);
        area->ReleaseDC(dc);
    }

    CListBox mShapes;
    CAcUiNumericEdit mSizeEdit;
    CSliderCtrl mSlider;
};

void dialogDemoCommand() {
    AcApDocument* doc = curDoc();
    acDocManager->lockDocument(doc);
    DemoDialog d;
    INT_PTR result = d.DoModal();
    acDocManager->unlockDocument(doc);
    if (result != IDOK) return;
    double half = d.size / 2.0;
    const AcGePoint3d& o = d.origin;
    AcDbEntity* ent = nullptr;
    if (d.shape == 0) {
        ent = new AcDbCircle(o, AcGeVector3d::kZAxis, half);
    } else {
        auto* pl = new AcDbPolyline;
        const double square[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}, diamond[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
        for (unsigned i = 0; i < 4; ++i) {
            const double* k = d.shape == 1 ? square[i] : diamond[i];
            pl->addVertexAt(i, AcGePoint2d(o.x + k[0] * half, o.y + k[1] * half));
        }
        pl->setClosed(true);
        pl->setElevation(o.z);
        ent = pl;
    }
    AcDbObjectId id = cvx::editor::commands::addEntity(ent);  // takes the drawing's colour ...
    AcDbObjectPointer<AcDbEntity> placed(id, AcDb::kForWrite);   // ... which the chosen one replaces
    const int16_t colourIndex[] = {1, 3, 5};
    if (placed.openStatus() == Acad::eOk) placed->setColorIndex(colourIndex[std::clamp(d.colour, 0, 2)]);
}

}  // namespace

namespace cvx::ui {

void registerDialogCommands() {
    acedRegCmds->addCommand(L"CVXUI", L"DIALOGDEMO", L"DIALOGDEMO", ACRX_CMD_MODAL, dialogDemoCommand);
}

}  // namespace cvx::ui
