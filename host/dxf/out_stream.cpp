#include "dxf/out_stream.h"

#include <unistd.h>

#include <cerrno>

bool DxfOutStream::flush() {
    size_t done = 0;
    while (done < mBuf.size() && mError == 0) {
        ssize_t n = ::write(mFd, mBuf.data() + done, mBuf.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            mError = errno;
        } else {
            done += static_cast<size_t>(n);
        }
    }
    mBuf.clear();
    return mError == 0;
}
