// txt2PL: texts become the outlines of their glyphs. The texts are mirrored (with MIRRTEXT 1, so the glyphs
// turn too), written to a metafile, read back as a metafile block, and that block is mirrored back onto the
// place of the texts, which are erased.
#pragma once

void txt2plCommand();
