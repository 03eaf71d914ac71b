#include <array>
#include <cmath>

#include "cvx/color.h"

namespace {
// The standard index colour table: 1-9 fixed colours, 10-249 a wheel of 24 hues in five brightness levels,
// each full and pale, and 250-255 a grey ramp.
std::array<uint32_t, 256> makeAciTable() {
    std::array<uint32_t, 256> t{};
    const uint32_t fixed[10] = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                0x0000FF, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};
    for (int i = 0; i < 10; ++i) t[i] = fixed[i];
    const double levels[5] = {255, 165, 127, 76, 38};
    for (int hue = 0; hue < 24; ++hue) {
        // Fully saturated colour of this hue, components in [0, 1].
        double h = hue * 15.0 / 60.0;
        double x = 1.0 - std::fabs(std::fmod(h, 2.0) - 1.0);
        double rgb[3];
        switch (static_cast<int>(h)) {
            case 0: rgb[0] = 1; rgb[1] = x; rgb[2] = 0; break;
            case 1: rgb[0] = x; rgb[1] = 1; rgb[2] = 0; break;
            case 2: rgb[0] = 0; rgb[1] = 1; rgb[2] = x; break;
            case 3: rgb[0] = 0; rgb[1] = x; rgb[2] = 1; break;
            case 4: rgb[0] = x; rgb[1] = 0; rgb[2] = 1; break;
            default: rgb[0] = 1; rgb[1] = 0; rgb[2] = x; break;
        }
        for (int k = 0; k < 10; ++k) {
            double v = levels[k / 2];
            uint32_t c = 0;
            for (int i = 0; i < 3; ++i) {
                double comp = (k % 2 == 0) ? rgb[i] * v : v / 2 + rgb[i] * (v / 2);
                c = (c << 8) | static_cast<uint32_t>(std::floor(comp + 1e-9));
            }
            t[10 + hue * 10 + k] = c;
        }
    }
    const uint32_t greys[6] = {0x333333, 0x505050, 0x696969, 0x828282, 0xBEBEBE, 0xFFFFFF};
    for (int i = 0; i < 6; ++i) t[250 + i] = greys[i];
    return t;
}

const std::array<uint32_t, 256>& aciTable() {
    static const std::array<uint32_t, 256> table = makeAciTable();
    return table;
}
}  // namespace

uint32_t AcCmEntityColor::lookUpRGB(uint8_t aci) { return aciTable()[aci]; }

uint8_t AcCmEntityColor::lookUpACI(uint8_t r, uint8_t g, uint8_t b) {
    int best = 1;
    long bestDist = -1;
    for (int i = 1; i < 256; ++i) {
        uint32_t c = aciTable()[i];
        long dr = long((c >> 16) & 0xFF) - r, dg = long((c >> 8) & 0xFF) - g, db = long(c & 0xFF) - b;
        long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

Acad::ErrorStatus AcCmEntityColor::setColorIndex(int16_t index) {
    if (index == 0) {
        setByBlock();
    } else if (index == 256) {
        setByLayer();
    } else if (index >= 1 && index <= 255) {
        mMethod = kByACI;
        mValue = static_cast<uint32_t>(index);
    } else if (index == 257) {
        mMethod = kNone;
        mValue = 257;
    } else {
        return Acad::eOutOfRange;
    }
    return Acad::eOk;
}

int16_t AcCmEntityColor::colorIndex() const {
    switch (mMethod) {
        case kByLayer: return 256;
        case kByBlock: return 0;
        case kByACI: return static_cast<int16_t>(mValue);
        case kForeground: return 7;
        case kByColor: return lookUpACI(red(), green(), blue());
        default: return 257;
    }
}

uint32_t AcCmEntityColor::rgb() const {
    if (mMethod == kByColor) return mValue & 0xFFFFFF;
    int16_t i = colorIndex();
    return (i >= 0 && i <= 255) ? lookUpRGB(static_cast<uint8_t>(i)) : 0xFFFFFF;
}

uint8_t AcCmEntityColor::red() const { return static_cast<uint8_t>((rgb() >> 16) & 0xFF); }
uint8_t AcCmEntityColor::green() const { return static_cast<uint8_t>((rgb() >> 8) & 0xFF); }
uint8_t AcCmEntityColor::blue() const { return static_cast<uint8_t>(rgb() & 0xFF); }
