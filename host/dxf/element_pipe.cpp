#include "dxf/element_pipe.h"

#include <cstdint>
#include <cstring>

std::string_view DxfTextStore::keep(std::string_view s) {
    if (s.empty()) return {"", 0};
    char* to;
    if (s.size() > kChunk / 8) {
        mLarge.push_back(std::make_unique_for_overwrite<char[]>(s.size()));
        to = mLarge.back().get();
    } else {
        if (kChunk - mUsed < s.size()) {  // on to the next chunk
            if (mNextChunk == mChunks.size()) mChunks.push_back(std::make_unique_for_overwrite<char[]>(kChunk));
            mCurrent = mChunks[mNextChunk++].get();
            mUsed = 0;
        }
        to = mCurrent + mUsed;
        mUsed += s.size();
    }
    std::memcpy(to, s.data(), s.size());
    return {to, s.size()};
}

void DxfTextStore::clear() {
    mNextChunk = 0;
    mCurrent = nullptr;
    mUsed = kChunk;
    mLarge.clear();
}

DxfElementPipe::DxfElementPipe(DxfGroupReader& reader)
    : mReader(reader), mSize(reader.size()), mThread([this] { produce(); }) {}

DxfElementPipe::~DxfElementPipe() {
    {
        std::lock_guard lock(mMutex);
        mStop = true;
    }
    mChanged.notify_all();
    mThread.join();
}

template <class Ready>
void DxfElementPipe::waitUntil(Ready ready) {
    for (int i = 0; i < 256; ++i) {
        if (ready()) return;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, ready);
}

void DxfElementPipe::changed() {
    // Taking the lock orders the change before a waiter's last look under it: no wake-up is lost.
    { std::lock_guard lock(mMutex); }
    mChanged.notify_all();
}

// The reader's thread: fills the batches in turn, each once the caller has handed back what it held before.
void DxfElementPipe::produce() {
    for (int slot = 0;; slot = (slot + 1) % kBatches) {
        waitUntil([&] { return mStop || mFilled < kBatches; });
        if (mStop) return;
        Batch& b = mBatches[slot];
        fill(b);
        const bool last = b.last;  // the batch is the caller's once handed over
        ++mFilled;
        changed();
        if (last) return;
    }
}

void DxfElementPipe::fill(Batch& b) {
    b.count = 0;
    b.texts.clear();
    try {
        while (b.count < kBatch) {
            if (b.count == b.elements.size()) {
                b.elements.emplace_back();
                b.lines.push_back(0);
                b.offsets.push_back(0);
            }
            DxfElement& e = b.elements[b.count];
            if (!mReader.next(e)) {
                b.last = true;
                break;
            }
            // The window the texts are in moves on before the caller reads them: the element's text is copied
            // whole and its texts pointed into the copy; decoded texts (elsewhere) are copied one by one.
            const std::string_view from = mReader.elementText();
            const char* to = b.texts.keep(from).data();
            auto moved = [&](std::string_view s) {
                const auto at = reinterpret_cast<uintptr_t>(s.data()) - reinterpret_cast<uintptr_t>(from.data());
                return at <= from.size() && s.size() <= from.size() - at ? std::string_view(to + at, s.size())
                                                                        : b.texts.keep(s);
            };
            e.type = moved(e.type);
            for (AcDbDxfGroup& g : e.groups) g.text = moved(g.text);
            b.lines[b.count] = mReader.line();
            b.offsets[b.count] = mReader.offset();
            ++b.count;
        }
    } catch (...) {
        b.error = std::current_exception();
        b.last = true;
    }
    b.endLine = mReader.line();
    b.endOffset = mReader.offset();
}

bool DxfElementPipe::next(DxfElement& e) {
    if (mEnded) return false;
    for (;;) {
        if (mHolding) {
            Batch& b = mBatches[mTake];
            if (mIndex < b.count) {
                DxfElement& from = b.elements[mIndex];
                e.type = from.type;
                e.line = from.line;
                e.groups.swap(from.groups);  // the caller's old vectors go back to be filled again
                e.lines.swap(from.lines);
                mLine = b.lines[mIndex];
                mOffset = b.offsets[mIndex];
                ++mIndex;
                return true;
            }
            if (b.last) {
                mEnded = true;
                mLine = b.endLine;
                mOffset = b.endOffset;
                if (b.error) std::rethrow_exception(b.error);
                return false;
            }
            --mFilled;
            changed();
            mTake = (mTake + 1) % kBatches;
            mHolding = false;
        }
        waitUntil([&] { return mFilled > 0; });
        mHolding = true;
        mIndex = 0;
    }
}
