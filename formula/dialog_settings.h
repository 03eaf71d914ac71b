// What the formula dialog remembers between runs, in the registry under the product key.
#pragma once

struct FormulaDialogSettings {
    int listIndex = 0;         // formula_ListIndex: the selected row
    int curveIsPline = 0;      // formula_curveIsPline: the output combo's index (0 spline, 1 polyline)
    bool drawAxes = false;     // formula_XYcoor: "Draw UCS" checked
};

// Missing values read as 0. A stored row index is returned as stored (the dialog checks its range).
FormulaDialogSettings readFormulaDialogSettings();
void writeFormulaDialogSettings(const FormulaDialogSettings& settings);
