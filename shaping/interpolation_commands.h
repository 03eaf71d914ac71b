// The interpolation commands between two polylines, as the command table registers them.
#pragma once

// PLINT: a series of polylines between two, optionally guided by a reference curve.
void plintCommand();
// PLARR: a rows x columns array of polylines between two.
void plarrCommand();
