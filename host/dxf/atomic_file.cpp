#include "dxf/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

std::string dxfBackupName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ".bak";
    return path.substr(0, dot) + ".bak";
}

namespace {
std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

void syncFolder(const std::string& path) {
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}
}  // namespace

bool dxfReplaceFile(const std::string& path, const std::function<bool(int, std::string&)>& write,
                    std::string& error) {
    struct stat st {};
    bool existed = ::stat(path.c_str(), &st) == 0;
    if (existed && !S_ISREG(st.st_mode)) {  // a folder would otherwise be moved aside as the backup
        error = "cannot replace '" + path + "': it is " + (S_ISDIR(st.st_mode) ? "a folder" : "not a regular file");
        return false;
    }
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> tmpName(pattern.begin(), pattern.end());
    tmpName.push_back('\0');
    int fd = mkstemp(tmpName.data());
    if (fd < 0) {
        error = "cannot create a file beside '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::string tmp(tmpName.data());
    fchmod(fd, existed ? (st.st_mode & 07777) : 0644);
    bool ok = write(fd, error);
    if (ok && fsync(fd) != 0) {
        error = "cannot write '" + tmp + "': " + std::strerror(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = "cannot write '" + tmp + "': " + std::strerror(errno);
        ok = false;
    }
    if (ok && existed) {
        // The previous file stays under the target's name until the new one replaces it.
        std::string bak = dxfBackupName(path);
        ::unlink(bak.c_str());
        if (::link(path.c_str(), bak.c_str()) != 0 && ::rename(path.c_str(), bak.c_str()) != 0) {
            error = "cannot keep the previous file as '" + bak + "': " + std::strerror(errno);
            ok = false;
        }
    }
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
        error = "cannot replace '" + path + "': " + std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    syncFolder(path);
    return true;
}
