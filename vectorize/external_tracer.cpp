// Quick-mode tracing through the companion program.
#include "vectorize/external_tracer.h"

bool runTracer(const std::wstring& bmpPath, std::wstring& dxfPath) { return false; }

void vectorizeBitmapFile(const std::wstring& bmpPath, int minVertices) {}

void cleanTracedBlock(AcDbBlockReference* reference, int minVertices) {}
