// The hole-net dialog's controls and its template (dialog resource 485).
#pragma once

enum HoleNetDialogIds {
    IDD_IMAGE_HOLE_NET = 485,
    IDC_NET_PREVIEW_IMAGE = 4000,    // hidden check boxes, without effect
    IDC_NET_PREVIEW_NET = 4001,
    IDC_NET_INVERT = 4002,           // "BlockWhiteInvert"
    IDC_NET_LOAD = 4004,
    IDC_NET_CONTRAST = 4010,         // sliders 0..100
    IDC_NET_BRIGHTNESS = 4011,
    IDC_NET_SIZE = 4012,
    IDC_NET_PREVIEW = 4015,
    IDC_NET_DRAW = 4016,
    IDC_NET_CONTRAST_LABEL = 4025,
    IDC_NET_BRIGHTNESS_LABEL = 4026,
    IDC_NET_ROWS_LABEL = 4027,
    IDC_NET_SIZE_LABEL = 4028,
    IDC_NET_ROWS = 4029,             // numeric edit
    IDC_NET_CIRCLE = 4030,           // 4030..4033: hole shape radio buttons
    IDC_NET_SELECTED_SHAPE = 4033,
};

// The controls column on the right; the picture is shown in the client area left of it.
constexpr int kNetControlsWidth = 190;

// Registers the template under IDD_IMAGE_HOLE_NET (again on every call; the last one counts).
void registerHoleNetDialogTemplate();
