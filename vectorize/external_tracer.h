// Quick-mode tracing: a picture saved as BMP is traced by the companion program autotrace into a DXF file,
// which the user places as a block; the block is then cleaned of the trace's frame and of small pieces.
#pragma once

#include <string>

class AcDbBlockReference;

// Runs the tracer on `bmpPath` and waits for it at most 20 seconds. Returns whether the DXF file exists
// afterwards; `dxfPath` receives its path either way.
bool runTracer(const std::wstring& bmpPath, std::wstring& dxfPath);

// Traces `bmpPath`, inserts the trace as a block at a point the user picks, and cleans the new block
// reference with `minVertices`.
void vectorizeBitmapFile(const std::wstring& bmpPath, int minVertices);

// Erases from the referenced block the frame (an entity whose extents match the block's within 0.001 on all
// four sides) and the polylines with fewer than `minVertices` vertices; every other entity takes colour
// BYBLOCK.
void cleanTracedBlock(AcDbBlockReference* reference, int minVertices);
