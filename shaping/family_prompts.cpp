#include "shaping/family_prompts.h"

#include <algorithm>

#include "frame/bilingual.h"

namespace {
constexpr int kDefaultCount = 16;
constexpr int kMostCurves = 100;
}  // namespace

int askFamilyCount(const ACHAR* cn, const ACHAR* en) {
    for (;;) {
        int count = kDefaultCount;
        acedInitGet(6, nullptr);
        if (getIntBilingual(cn, en, count) != RTNORM) return kDefaultCount;
        if (count <= kMostCurves) return count;
    }
}

double askDensityAcceleration(const ACHAR* cn, const ACHAR* en) {
    int value = 0;
    if (getIntBilingual(cn, en, value) != RTNORM) value = 0;
    return std::clamp(value, -100, 100) / 100.0;
}
