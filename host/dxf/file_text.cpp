#include "dxf/file_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "dxf/dxf_error.h"

namespace {
// The buffer of the last file read, kept for the next one (up to this size).
constexpr size_t kKeptBuffer = size_t(64) << 20;
thread_local std::vector<char> spareBuffer;
}  // namespace

DxfFileText::~DxfFileText() {
    if (mFd >= 0) ::close(mFd);
    if (mBuffer.capacity() <= kKeptBuffer && mBuffer.capacity() > spareBuffer.capacity()) spareBuffer = std::move(mBuffer);
}

bool DxfFileText::open(const std::string& path, std::string& error) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        error = std::strerror(errno);
        ::close(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
        ::close(fd);
        return false;
    }
    mFd = fd;
    mSize = static_cast<size_t>(st.st_size);
    mBuffer = std::move(spareBuffer);
    return true;
}

std::string_view DxfFileText::window(size_t from, size_t atLeast, bool& final) {
    if (from < mStart || from > mStart + mFilled) throw DxfError{"the file was not read in order (a fault in the reader)"};
    const size_t kept = mStart + mFilled - from;
    if (kept > 0) std::memmove(mBuffer.data(), mBuffer.data() + (from - mStart), kept);  // none in a new buffer
    mStart = from;
    mFilled = kept;
    const size_t want = std::min(atLeast, mSize - from);
    if (mBuffer.size() < want) mBuffer.resize(want);
    // Fill the whole buffer: fewer, larger reads.
    while (mFilled < mBuffer.size() && mStart + mFilled < mSize) {
        ssize_t n = ::pread(mFd, mBuffer.data() + mFilled, std::min(mBuffer.size() - mFilled, mSize - mStart - mFilled),
                            static_cast<off_t>(mStart + mFilled));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw DxfError{std::string("the file cannot be read: ") + std::strerror(errno)};
        if (n == 0) {  // the file was cut short while being read
            mSize = mStart + mFilled;
            break;
        }
        mFilled += static_cast<size_t>(n);
    }
    final = mStart + mFilled >= mSize;
    return {mBuffer.data(), mFilled};
}
