// Drawing the model space into memory rather than a file: what a window shows is the same picture a PNG of
// the same view holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cvx/render.h"

// Rows from the top, width pixels each, as 0x00RRGGBB. False with a message for bad options.
bool cvxRenderToPixels(const AcDbDatabase* db, const cvx::RenderOptions& options, std::vector<uint32_t>& pixels,
                       std::string* error = nullptr);
