#include "trace.h"

#include <potracelib.h>

#include <climits>
#include <memory>

namespace {

constexpr int kStepsPerCurve = 8;  // straight pieces per Bézier segment
constexpr int kWordBits = static_cast<int>(CHAR_BIT * sizeof(potrace_word));
constexpr potrace_word kHighBit = potrace_word(1) << (kWordBits - 1);

// The tracing library counts rows from the bottom: picture row y becomes its row height - 1 - y.
std::vector<potrace_word> packBits(const TwoColourPicture& picture, int wordsPerRow) {
    std::vector<potrace_word> words(static_cast<size_t>(wordsPerRow) * picture.height, 0);
    for (int y = 0; y < picture.height; ++y) {
        potrace_word* row = &words[static_cast<size_t>(picture.height - 1 - y) * wordsPerRow];
        for (int x = 0; x < picture.width; ++x)
            if (picture.isDark(x, y))
                row[x / kWordBits] |= kHighBit >> (x % kWordBits);
    }
    return words;
}

TracePoint bezierAt(const potrace_dpoint_t& p0, const potrace_dpoint_t& p1, const potrace_dpoint_t& p2,
                    const potrace_dpoint_t& p3, double t) {
    const double s = 1 - t;
    const double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
    return {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y};
}

// Each segment runs from the previous segment's end point (the last segment's end for the first one).
TraceOutline flatten(const potrace_curve_t& curve) {
    TraceOutline out;
    potrace_dpoint_t from = curve.c[curve.n - 1][2];
    for (int i = 0; i < curve.n; ++i) {
        const potrace_dpoint_t* c = curve.c[i];
        if (curve.tag[i] == POTRACE_CORNER) {
            out.push_back({c[1].x, c[1].y});
        } else {
            for (int k = 1; k < kStepsPerCurve; ++k)
                out.push_back(bezierAt(from, c[0], c[1], c[2], double(k) / kStepsPerCurve));
        }
        out.push_back({c[2].x, c[2].y});
        from = c[2];
    }
    return out;
}

}  // namespace

bool traceOutlines(const TwoColourPicture& picture, std::vector<TraceOutline>& outlines, std::string& error) {
    const int wordsPerRow = (picture.width + kWordBits - 1) / kWordBits;
    std::vector<potrace_word> words = packBits(picture, wordsPerRow);
    potrace_bitmap_t bitmap{picture.width, picture.height, wordsPerRow, words.data()};
    std::unique_ptr<potrace_param_t, decltype(&potrace_param_free)> param(potrace_param_default(),
                                                                           potrace_param_free);
    if (!param) {
        error = "out of memory";
        return false;
    }
    std::unique_ptr<potrace_state_t, decltype(&potrace_state_free)> state(potrace_trace(param.get(), &bitmap),
                                                                           potrace_state_free);
    if (!state || state->status != POTRACE_STATUS_OK) {
        error = "tracing failed";
        return false;
    }
    for (const potrace_path_t* path = state->plist; path; path = path->next)
        if (path->curve.n > 0)
            outlines.push_back(flatten(path->curve));
    return true;
}
