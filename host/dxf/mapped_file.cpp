#include "dxf/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

DxfMappedFile::~DxfMappedFile() {
    if (mMap) munmap(mMap, mMapSize);
}

bool DxfMappedFile::open(const std::string& path, std::string& error) {
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
    auto size = static_cast<size_t>(st.st_size);
    if (size > 0) {
        void* p = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (p != MAP_FAILED) {
            mMap = p;
            mMapSize = size;
            mText = std::string_view(static_cast<const char*>(p), size);
            ::close(fd);
            return true;
        }
    }
    // Not mappable (or empty): read it.
    char buf[1 << 16];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) mCopy.append(buf, static_cast<size_t>(n));
    int readErrno = errno;
    ::close(fd);
    if (n < 0) {
        error = std::strerror(readErrno);
        return false;
    }
    mText = mCopy;
    return true;
}

void DxfMappedFile::release(size_t offset) {
    if (!mMap) return;
    constexpr size_t kStep = 16u << 20;
    if (offset < mReleased + kStep + (1u << 20)) return;  // the usual case, asked for every element
    static const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    size_t upTo = (offset - (1u << 20)) / page * page;
    madvise(static_cast<char*>(mMap) + mReleased, upTo - mReleased, MADV_DONTNEED);
    mReleased = upTo;
}
