// The formula dialog's controls and its template (dialog resource 230).
#pragma once

enum FormulaDialogIds {
    IDD_FORMULA = 230,
    IDC_FORMULA_OUTPUT = 2009,  // Spline / Polyline combo
    IDC_FORMULA_LIST = 2010,    // the 71 rows
    IDC_FORMULA_EDIT1 = 2021,   // edits of the four slots
    IDC_FORMULA_EDIT2 = 2023,
    IDC_FORMULA_EDIT3 = 2024,
    IDC_FORMULA_EDIT4 = 2025,
    IDC_FORMULA_DRAW_UCS = 4000,
    IDC_FORMULA_PREVIEW = 4004,
    IDC_FORMULA_LABEL1 = 4005,  // 4005..4008: slot labels
    IDC_FORMULA_SLIDER1 = 4010,  // 4010..4013: slot sliders
    IDC_FORMULA_PICTURE = 4014,
};

// The control ids of slot k (0..3).
constexpr int kFormulaEditIds[4] = {IDC_FORMULA_EDIT1, IDC_FORMULA_EDIT2, IDC_FORMULA_EDIT3, IDC_FORMULA_EDIT4};
constexpr int formulaLabelId(int k) { return IDC_FORMULA_LABEL1 + k; }
constexpr int formulaSliderId(int k) { return IDC_FORMULA_SLIDER1 + k; }

// Registers the template under IDD_FORMULA (again on every call; the last one counts).
void registerFormulaDialogTemplate();
