// The two filters that prepare a picture for vectorising: a black-and-white threshold and a reduction of its
// colours. Both change 8-, 24- and 32-bit pictures in place; other depths are left alone.
#pragma once

#include "cvx/image.h"

// A pixel's red, green and blue: 8-bit pictures through their colour table, 24 and 32 bits as the bytes blue,
// green, red (a fourth byte is not read).
struct PixelColor {
    int red, green, blue;
};
PixelColor readPixel(const CImage& image, int x, int y);
// Writes the three channels; a fourth byte is left alone, an 8-bit picture takes its nearest table entry.
void writePixel(CImage& image, int x, int y, PixelColor color);

// With S = red + green + blue and t the threshold held to 5..250: (S - 3t), negated when `invert` is set,
// below 1 makes the pixel black, otherwise white.
void applyThreshold(CImage& image, int threshold, bool invert);

// Quantisation steps of a gradient level (at least 1): hue step q (degrees), saturation step k and value step
// m (both in hundredths).
struct GradientSteps {
    int hueStep, saturationStep, valueStep;
};
GradientSteps gradientSteps(int level);
// The colour a pixel of this colour takes at the level: to hue, saturation and value, each rounded to the
// level's steps, and back (a channel past 255 is held at 255).
PixelColor quantizeColor(PixelColor color, int level);
// quantizeColor on every pixel except the outermost ring.
void applyColorGradient(CImage& image, int level);
