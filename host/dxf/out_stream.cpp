#include "dxf/out_stream.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>

const DxfOutStream::CodeLine* DxfOutStream::codeLines() {
    static const auto lines = [] {
        std::array<CodeLine, kCodeLines> t{};
        for (int c = 0; c < kCodeLines; ++c) {
            char* p = t[static_cast<size_t>(c)].text;
            int n = std::snprintf(p, sizeof t[0].text, "%3d\n", c);
            t[static_cast<size_t>(c)].size = static_cast<uint8_t>(n);
        }
        return t;
    }();
    return lines.data();
}

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
