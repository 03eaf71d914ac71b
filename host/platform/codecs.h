// Picture file codecs behind CImage::Load and CImage::Save.
#pragma once

#include <string>
#include <vector>

#include "cvx/image.h"

namespace cvx {

// Pixels as the general decoders give them: rows top-down, 1 to 4 interleaved channels
// (grey, grey + alpha, red green blue, red green blue alpha), 8 bits each.
struct RawImage {
    int width = 0, height = 0, channels = 0;
    std::vector<BYTE> pixels;
};

enum class BmpResult { kLoaded, kUnsupported, kCorrupt };

// Uncompressed BMP files of 1, 4, 8, 24 and 32 bits; other variants are left to decodeGeneral.
BmpResult decodeBmp(const std::vector<BYTE>& file, CImage& out);
std::vector<BYTE> encodeBmp(const CImage& image);

// PNG, JPEG, GIF (first frame) and the BMP variants decodeBmp leaves; `why` says what went wrong.
bool decodeGeneral(const std::vector<BYTE>& file, RawImage& out, std::string& why);
enum class RawFormat { kPng, kJpeg };
bool encodeGeneral(const RawImage& image, RawFormat format, std::vector<BYTE>& out);

}  // namespace cvx
