#include "dxf/out_stream.h"

#include <unistd.h>

#include <cerrno>

DxfOutStream::DxfOutStream(int fd)
    : mFd(fd), mCapacity(kFlushAt + 65536), mData(new char[mCapacity]), mPos(mData.get()), mLimit(mData.get() + mCapacity) {}

void DxfOutStream::makeRoom(size_t n) {
    flush();
    if (static_cast<size_t>(mLimit - mPos) >= n) return;
    // A value longer than the buffer (a huge text or binary chunk): the buffer grows to hold it.
    mCapacity = n + kFlushAt;
    mData.reset(new char[mCapacity]);
    mPos = mData.get();
    mLimit = mData.get() + mCapacity;
}

bool DxfOutStream::flush() {
    const char* p = mData.get();
    while (p < mPos && mError == 0) {
        ssize_t n = ::write(mFd, p, static_cast<size_t>(mPos - p));
        if (n < 0) {
            if (errno == EINTR) continue;
            mError = errno;
        } else {
            p += n;
        }
    }
    mPos = mData.get();
    return mError == 0;
}
