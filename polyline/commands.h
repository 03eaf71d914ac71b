// The polyline tools' commands, as the command table registers them.
#pragma once

// Optimisation: thinning, duplicate vertices, smoothing.
void plyhCommand();
void plyh2Command();
void plyh3Command();
// Conversions and batch edits.
void pl2oldCommand();
void oldpl2lwCommand();
void plddCommand();
void plgxkCommand();
void plcloseCommand();
void plopenCommand();
// Spline conversion and division.
void s2pCommand();
void p2sCommand();
void pldfCommand();
void pldjdfCommand();
// Hatch boundary recovery.
void chbjCommand();
// Batch offset, random array and projection.
void ploffsetCommand();
void plrndarrayCommand();
void qxtyCommand();
