// The layout of R2V's dialog: the preview on the left, the controls in a column on the right.
#pragma once

// The width of the column of controls right of the preview.
inline constexpr int kControlColumnWidth = 190;

// Registers the template under IDD_VECTORIZE (Chinese texts; the dialog sets the English ones).
void registerVectorizeDialogTemplate();
