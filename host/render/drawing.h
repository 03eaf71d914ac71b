// Walks model space and the blocks it references, resolving layers and colours, and sends every visible
// entity to a sink.
#pragma once

#include <cstdint>
#include <vector>

#include "cvx/dbid.h"

#include "render/glyphs.h"
#include "render/sink.h"

class AcDbDatabase;
class AcCmEntityColor;

namespace cvx::render {

// The colour an index or true colour is drawn in; index 7 (and any colour that names no index or RGB
// value: by layer, by block, foreground) is white on a dark background and black on a light one.
uint32_t drawnColor(const AcCmEntityColor& color, uint32_t background);

void drawModelSpace(const AcDbDatabase& db, Sink& sink, FontSet& fonts, uint32_t background);
// Only the listed entities of model space (ids that are erased or no entity are skipped), as drawModelSpace
// draws them.
void drawEntities(const AcDbDatabase& db, const std::vector<AcDbObjectId>& ids, Sink& sink, FontSet& fonts,
                  uint32_t background);

}  // namespace cvx::render
