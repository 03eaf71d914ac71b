#include "linkline/link_key.h"

#include <cwchar>
#include <random>

std::wstring linkKeyOf(const std::array<uint8_t, 16>& g) {
    const unsigned data1 = (unsigned(g[0]) << 24) | (unsigned(g[1]) << 16) | (unsigned(g[2]) << 8) | g[3];
    const unsigned data2 = (unsigned(g[4]) << 8) | g[5];
    const unsigned data3 = (unsigned(g[6]) << 8) | g[7];
    wchar_t text[48];
    std::swprintf(text, 48, L"{C-%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", data1, data2, data3, g[8],
                  g[9], g[10], g[11], g[12], g[13], g[14], g[15]);
    return std::wstring(text).substr(0, 38);
}

std::wstring newLinkKey() {
    std::random_device source;
    std::array<uint8_t, 16> guid;
    for (size_t i = 0; i < guid.size(); i += 4) {
        const uint32_t bits = source();
        for (size_t k = 0; k < 4; ++k) guid[i + k] = static_cast<uint8_t>(bits >> (8 * k));
    }
    guid[6] = static_cast<uint8_t>((guid[6] & 0x0F) | 0x40);  // version 4: random
    guid[8] = static_cast<uint8_t>((guid[8] & 0x3F) | 0x80);  // variant 1
    return linkKeyOf(guid);
}
