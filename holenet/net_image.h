// The pictures of the hole-net dialog: copies, the resampling a loaded file goes through, and the contrast
// and brightness adjustments. Adjustments work in place on 24- and 32-bit images (blue, green and red; a
// fourth byte stays) and on 8-bit images through each pixel's colour; other depths are left unchanged.
#pragma once

#include "cvx/image.h"

// Widest base image the dialog works on; wider files are scaled down to it.
constexpr int kNetImageMaxWidth = 1024;

// Makes dest an exact copy of source (size, depth, alpha channel, colour table, pixels); an empty source
// empties dest. False when dest cannot be created.
bool copyNetImage(const CImage& source, CImage& dest);

// Resamples source into dest at width min(width, 1024) and height width * height / source width (whole
// pixels), same depth, nearest-pixel stretching. False when dest cannot be created or the copy fails.
bool resampleForNet(const CImage& source, CImage& dest);

// Contrast slider position (0..100) to the factor each channel's distance from 128 is multiplied by.
double contrastFactor(int position);
// Brightness slider position (0..100) to the factor each channel is multiplied by.
double brightnessFactor(int position);

// v -> trunc((v - 128) * f + 128) and v -> trunc(v * f), clamped to 0..255.
void applyContrast(CImage& image, int position);
void applyBrightness(CImage& image, int position);
