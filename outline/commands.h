// The outline commands, as the command table registers them.
#pragma once

// makeOutline: the outer contour of the selected figure as one red closed polyline.
void makeOutlineCommand();
// INOFFSET: offsets on the inside of every area the selected figure encloses.
void inoffsetCommand();
