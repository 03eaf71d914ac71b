// Quick-mode tracing: a picture saved as BMP is traced by the companion program autotrace into a DXF file,
// which the user places as a block; the block is then cleaned of the trace's frame and of small pieces.
#pragma once

#include <string>

class AcDbBlockReference;

// The tracer program: the module's folder + "autotrace\autotrace.exe".
std::wstring tracerPath();

// A fresh DXF path for the trace of `bmpPath`: the temporary folder, the BMP file's name without folder and
// extension, and the name (without folder and extension) of a new temporary file made there, then ".dxf".
std::wstring tracedDxfPath(const std::wstring& bmpPath);

// Deletes a file left at `dxfPath`, starts the tracer hidden on `bmpPath` with `dxfPath` as its output and
// waits for it at most 20 seconds. Returns whether the DXF file exists afterwards. A missing tracer is shown
// in a message box (false).
bool traceInto(const std::wstring& bmpPath, const std::wstring& dxfPath);

// traceInto with a fresh tracedDxfPath, handed back in `dxfPath`.
bool runTracer(const std::wstring& bmpPath, std::wstring& dxfPath);

// Traces `bmpPath`, inserts the trace as a block at a point the user picks (scale 1, no rotation), deletes
// the DXF file and cleans the new block reference with `minVertices`.
void vectorizeBitmapFile(const std::wstring& bmpPath, int minVertices);

// Erases from the referenced block the frame (an entity whose extents match the block's within 0.001 on all
// four sides) and the polylines with fewer than `minVertices` vertices; every other entity takes colour
// BYBLOCK, so that the pieces show in the reference's colour.
void cleanTracedBlock(AcDbBlockReference* reference, int minVertices);
