// The report commands: coordinate tables written as documents, and vertex numbering in the drawing.
#pragma once

void clistCommand();    // CLIST: circles
void elllistCommand();  // ELLLIST: ellipses
void arclistCommand();  // ARCLIST: arcs
void pllistCommand();   // PLLIST: vertices of polylines, splines, lines, arcs and open ellipses
void plbhCommand();     // PLBH: numbers the vertices of the same curves in the drawing
