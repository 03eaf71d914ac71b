// BMP files: uncompressed bitmaps with a BITMAPINFOHEADER (or a larger header).
#include <cstring>

#include "platform/codecs.h"

namespace cvx {

namespace {

uint32_t u32(const std::vector<BYTE>& f, size_t at) {
    return uint32_t(f[at]) | uint32_t(f[at + 1]) << 8 | uint32_t(f[at + 2]) << 16 | uint32_t(f[at + 3]) << 24;
}
uint16_t u16(const std::vector<BYTE>& f, size_t at) { return static_cast<uint16_t>(f[at] | f[at + 1] << 8); }

void put32(std::vector<BYTE>& f, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        f.push_back(static_cast<BYTE>(v >> (8 * i)));
}
void put16(std::vector<BYTE>& f, uint16_t v) {
    f.push_back(static_cast<BYTE>(v));
    f.push_back(static_cast<BYTE>(v >> 8));
}

}  // namespace

BmpResult decodeBmp(const std::vector<BYTE>& file, CImage& out) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return BmpResult::kCorrupt;
    uint32_t offBits = u32(file, 10), headerSize = u32(file, 14);
    if (headerSize < 40)
        return BmpResult::kUnsupported;
    auto width = static_cast<int32_t>(u32(file, 18)), height = static_cast<int32_t>(u32(file, 22));
    int bpp = u16(file, 28);
    uint32_t compression = u32(file, 30), colorsUsed = u32(file, 46);
    bool known = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32;
    if (compression != 0 || !known)
        return BmpResult::kUnsupported;
    if (width <= 0 || height == 0 || width > (1 << 20) || height > (1 << 20) || height < -(1 << 20))
        return BmpResult::kCorrupt;
    bool topDown = height < 0;
    int rows = topDown ? -height : height;
    size_t rowBytes = (static_cast<size_t>(width) * static_cast<size_t>(bpp) + 31) / 32 * 4;
    if (offBits > file.size() || rowBytes * static_cast<size_t>(rows) > file.size() - offBits)
        return BmpResult::kCorrupt;

    if (!out.Create(width, rows, bpp <= 8 ? 8 : bpp))
        return BmpResult::kCorrupt;
    if (bpp <= 8) {
        size_t count = colorsUsed ? colorsUsed : 1u << bpp;
        size_t tableAt = 14 + size_t{headerSize};
        if (count > 256 || tableAt + 4 * count > offBits)
            return BmpResult::kCorrupt;
        RGBQUAD table[256] = {};
        std::memcpy(table, file.data() + tableAt, 4 * count);
        out.SetColorTable(0, 256, table);
    }
    for (int r = 0; r < rows; ++r) {
        const BYTE* src = file.data() + offBits + rowBytes * static_cast<size_t>(r);
        auto* dst = static_cast<BYTE*>(out.GetPixelAddress(0, topDown ? r : rows - 1 - r));
        if (bpp >= 8) {
            std::memcpy(dst, src, static_cast<size_t>(width) * static_cast<size_t>(bpp / 8));
            continue;
        }
        int perByte = 8 / bpp, mask = (1 << bpp) - 1;
        for (int x = 0; x < width; ++x) {
            int shift = 8 - bpp * (x % perByte + 1);
            dst[x] = static_cast<BYTE>((src[x / perByte] >> shift) & mask);
        }
    }
    return BmpResult::kLoaded;
}

std::vector<BYTE> encodeBmp(const CImage& image) {
    int w = image.GetWidth(), h = image.GetHeight(), bpp = image.GetBPP();
    size_t rowBytes = static_cast<size_t>(std::abs(image.GetPitch()));
    uint32_t tableBytes = bpp == 8 ? 256 * 4 : 0;
    uint32_t offBits = 14 + 40 + tableBytes;
    uint32_t imageBytes = static_cast<uint32_t>(rowBytes * static_cast<size_t>(h));
    std::vector<BYTE> f;
    f.reserve(offBits + imageBytes);
    f.push_back('B');
    f.push_back('M');
    put32(f, offBits + imageBytes);
    put32(f, 0);
    put32(f, offBits);
    put32(f, 40);
    put32(f, static_cast<uint32_t>(w));
    put32(f, static_cast<uint32_t>(h));  // bottom-up
    put16(f, 1);
    put16(f, static_cast<uint16_t>(bpp));
    put32(f, 0);  // no compression
    put32(f, imageBytes);
    put32(f, 2835);  // 72 dots per inch
    put32(f, 2835);
    put32(f, bpp == 8 ? 256 : 0);
    put32(f, 0);
    if (bpp == 8) {
        RGBQUAD table[256];
        image.GetColorTable(0, 256, table);
        const auto* bytes = reinterpret_cast<const BYTE*>(table);
        f.insert(f.end(), bytes, bytes + sizeof table);
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = static_cast<const BYTE*>(image.GetPixelAddress(0, y));
        f.insert(f.end(), row, row + rowBytes);
    }
    return f;
}

}  // namespace cvx
