// Colours: index colours (ACI), by-layer, by-block and true colours.
#pragma once

#include <cstdint>

#include "cvx/status.h"


class AcCmEntityColor {
public:
    enum ColorMethod : uint8_t { kByLayer = 0xC0, kByBlock = 0xC1, kByColor = 0xC2, kByACI = 0xC3, kForeground = 0xC5, kNone = 0xC8 };
    enum ACIcolorMethod : int16_t { kACIbyBlock = 0, kACIRed = 1, kACIYellow = 2, kACIGreen = 3, kACICyan = 4,
                                    kACIBlue = 5, kACIMagenta = 6, kACIforeground = 7, kACIbyLayer = 256 };
    AcCmEntityColor() = default;
    AcCmEntityColor(uint8_t r, uint8_t g, uint8_t b) { setRGB(r, g, b); }

    ColorMethod colorMethod() const { return mMethod; }
    bool isByLayer() const { return mMethod == kByLayer; }
    bool isByBlock() const { return mMethod == kByBlock; }
    bool isByColor() const { return mMethod == kByColor; }
    bool isByACI() const { return mMethod == kByACI; }
    bool isForeground() const { return mMethod == kForeground; }
    bool isNone() const { return mMethod == kNone; }
    void setByLayer() { mMethod = kByLayer; mValue = 256; }
    void setByBlock() { mMethod = kByBlock; mValue = 0; }
    // An index 1..255; 0 means by block and 256 by layer.
    Acad::ErrorStatus setColorIndex(int16_t index);
    int16_t colorIndex() const;
    void setRGB(uint8_t r, uint8_t g, uint8_t b) { mMethod = kByColor; mValue = (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
    uint8_t red() const;
    uint8_t green() const;
    uint8_t blue() const;
    // 0x00RRGGBB of a true colour; for an index colour the entry of the standard table.
    uint32_t rgb() const;
    bool operator==(const AcCmEntityColor& o) const { return mMethod == o.mMethod && mValue == o.mValue; }
    bool operator!=(const AcCmEntityColor& o) const { return !(*this == o); }

    // The standard 256-entry index colour table as 0x00RRGGBB.
    static uint32_t lookUpRGB(uint8_t aci);
    // The index colour closest to an RGB value (1..255).
    static uint8_t lookUpACI(uint8_t r, uint8_t g, uint8_t b);

private:
    ColorMethod mMethod = kByLayer;
    uint32_t mValue = 256;
};

class AcCmColor : public AcCmEntityColor {
public:
    using AcCmEntityColor::AcCmEntityColor;
    AcCmColor() = default;
    AcCmColor(const AcCmEntityColor& c) : AcCmEntityColor(c) {}
    AcCmEntityColor entityColor() const { return *this; }
};
