// A text held in memory handed out as a file would be, in windows of just the size asked for, each a fresh
// copy with the previous one spoiled: reading through it checks that the reader holds on to nothing of an
// earlier window and reads the same as from the whole text (tests and the fuzz target use it).
#pragma once

#include <algorithm>
#include <memory>
#include <string_view>

#include "dxf/group_reader.h"

class DxfMemoryText : public DxfTextSource {
public:
    explicit DxfMemoryText(std::string_view text) : mText(text) {}
    size_t size() const override { return mText.size(); }
    std::string_view window(size_t from, size_t atLeast, bool& final) override {
        size_t n = std::min(atLeast, mText.size() - std::min(from, mText.size()));
        if (mCopy) std::fill_n(mCopy.get(), mCopySize, '#');
        mCopy = std::make_unique<char[]>(n + 1);
        mCopySize = n;
        std::copy_n(mText.data() + from, n, mCopy.get());
        final = from + n >= mText.size();
        return {mCopy.get(), n};
    }

private:
    std::string_view mText;
    std::unique_ptr<char[]> mCopy;
    size_t mCopySize = 0;
};
