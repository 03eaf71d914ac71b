// Reading a drawing file on two processors: a second thread splits the text into elements and parses their
// values while the caller builds objects from the elements read before.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "dxf/group_reader.h"

// Texts copied out of the reader's window, which moves on as reading goes: they stay where they are until
// clear().
class DxfTextStore {
public:
    std::string_view keep(std::string_view s);
    void clear();

private:
    static constexpr size_t kChunk = size_t(256) << 10;
    std::vector<std::unique_ptr<char[]>> mChunks;   // kChunk bytes each, kept for reuse
    std::vector<std::unique_ptr<char[]>> mLarge;    // texts longer than a chunk, one each
    size_t mNextChunk = 0;                          // the next chunk to fill
    char* mCurrent = nullptr;                       // the chunk being filled
    size_t mUsed = kChunk;                          // bytes used in it (full: none yet)
};

class DxfElementPipe : public DxfElementSource {
public:
    // Runs `reader` on a thread of its own from now on; the reader is not touched by the caller meanwhile.
    explicit DxfElementPipe(DxfGroupReader& reader);
    // Stops the thread (it may still be reading ahead when the caller gives up on the file).
    ~DxfElementPipe() override;
    DxfElementPipe(const DxfElementPipe&) = delete;
    DxfElementPipe& operator=(const DxfElementPipe&) = delete;

    // The next element, in file order; its texts stay valid until the next call. A damaged group throws its
    // DxfError here, once the elements before it have been handed out.
    bool next(DxfElement& e) override;
    uint32_t line() const override { return mLine; }
    size_t size() const override { return mSize; }
    size_t offset() const override { return mOffset; }

private:
    static constexpr size_t kBatch = 1024;  // elements handed over at a time
    static constexpr int kBatches = 8;      // in flight between the two threads
    struct Batch {
        std::vector<DxfElement> elements;
        std::vector<uint32_t> lines;    // the reader's line after each element
        std::vector<size_t> offsets;    // and its offset
        size_t count = 0;
        DxfTextStore texts;
        bool last = false;              // the reader's end (or its error) comes after these elements
        std::exception_ptr error;
        uint32_t endLine = 0;           // where the reader stopped
        size_t endOffset = 0;
    };
    void produce();
    void fill(Batch& b);
    // Returns once ready() holds: a short spin first (the other side is usually about to hand over), then a
    // wait until the other side says something changed.
    template <class Ready> void waitUntil(Ready ready);
    void changed();  // wakes the other side; the change itself is made before

    DxfGroupReader& mReader;
    const size_t mSize;
    Batch mBatches[kBatches];
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::atomic<int> mFilled = 0;      // batches filled and not yet handed back by the caller
    std::atomic<bool> mStop = false;   // the caller is done: the reader thread ends
    // The caller's side.
    int mTake = 0;          // the batch handed out from
    size_t mIndex = 0;      // its next element
    bool mHolding = false;  // a batch is being handed out from
    bool mEnded = false;
    uint32_t mLine = 0;
    size_t mOffset = 0;
    std::thread mThread;    // last: it starts once everything above is ready
};
