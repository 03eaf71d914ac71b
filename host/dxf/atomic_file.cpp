#include "dxf/atomic_file.h"

#include <dirent.h>
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

std::string baseOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void syncFolder(const std::string& path) {
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

// A save onto a symbolic link updates the file it points at and leaves the link as it is (links of links
// followed too; one that points nowhere yet names the file to make).
std::string followLinks(const std::string& path) {
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::vector<char> buf(4096);
        ssize_t n = ::readlink(p.c_str(), buf.data(), buf.size() - 1);
        if (n <= 0) return p;
        std::string to(buf.data(), size_t(n));
        p = to[0] == '/' ? to : folderOf(p) + "/" + to;
    }
    return p;
}

// Files NAME.tmp-XXXXXX left beside the target by a save that was interrupted (killed, power lost).
void removeLeftTemporaries(const std::string& path) {
    std::string prefix = baseOf(path) + ".tmp-";
    DIR* dir = ::opendir(folderOf(path).c_str());
    if (!dir) return;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
            ::unlink((folderOf(path) + "/" + name).c_str());
    }
    ::closedir(dir);
}

mode_t newFileMode() {
    mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// The previous file copied to bak (through a temporary, so bak is whole or untouched), for file systems
// without hard links: the target itself is never moved away.
bool copyToBackup(const std::string& path, const std::string& bak, mode_t mode, std::string& error) {
    int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        error = "cannot read '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::string pattern = bak + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int out = mkstemp(name.data());
    bool ok = out >= 0;
    if (ok) {
        fchmod(out, mode);
        std::vector<char> buf(1 << 16);
        for (;;) {
            ssize_t n = ::read(in, buf.data(), buf.size());
            if (n == 0) break;
            if (n < 0 || ::write(out, buf.data(), size_t(n)) != n) {
                ok = false;
                break;
            }
        }
        ok = ok && fsync(out) == 0;
        ok = ::close(out) == 0 && ok;
        ok = ok && ::rename(name.data(), bak.c_str()) == 0;
        if (!ok) ::unlink(name.data());
    }
    if (!ok) error = "cannot keep the previous file as '" + bak + "': " + std::strerror(errno);
    ::close(in);
    return ok;
}
}  // namespace

bool dxfReplaceFile(const std::string& given, const std::function<bool(int, std::string&)>& write,
                    std::string& error) {
    const std::string path = followLinks(given);
    struct stat st {};
    bool existed = ::stat(path.c_str(), &st) == 0;
    if (existed && !S_ISREG(st.st_mode)) {  // a folder would otherwise be moved aside as the backup
        error = "cannot replace '" + given + "': it is " + (S_ISDIR(st.st_mode) ? "a folder" : "not a regular file");
        return false;
    }
    // A file the user made read-only is not replaced behind their back (renaming over it would work).
    if (existed && ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)) {
        error = "cannot replace '" + given + "': it is read-only";
        return false;
    }
    removeLeftTemporaries(path);
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> tmpName(pattern.begin(), pattern.end());
    tmpName.push_back('\0');
    int fd = mkstemp(tmpName.data());
    if (fd < 0) {
        error = "cannot create a file beside '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::string tmp(tmpName.data());
    fchmod(fd, existed ? (st.st_mode & 07777) : newFileMode());
    bool ok = write(fd, error);
    if (ok && fsync(fd) != 0) {
        error = "cannot write '" + tmp + "': " + std::strerror(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = "cannot write '" + tmp + "': " + std::strerror(errno);
        ok = false;
    }
    std::string bak = dxfBackupName(path);
    if (ok && existed && bak != path) {
        // The previous file stays under the target's name until the new one replaces it: it is linked (or,
        // where links are missing, copied) to the backup name, never moved. Saving onto a .bak name itself
        // keeps no backup: the old file is simply replaced whole.
        std::string bakTmp = bak + ".tmp-XXXXXX";
        std::vector<char> linkName(bakTmp.begin(), bakTmp.end());
        linkName.push_back('\0');
        int lfd = mkstemp(linkName.data());
        if (lfd >= 0) {
            ::close(lfd);
            ::unlink(linkName.data());
        }
        bool linked = lfd >= 0 && ::link(path.c_str(), linkName.data()) == 0;
        if (linked && ::rename(linkName.data(), bak.c_str()) != 0) {
            ::unlink(linkName.data());
            linked = false;
        }
        if (!linked && !copyToBackup(path, bak, st.st_mode & 07777, error)) ok = false;
    }
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
        error = "cannot replace '" + given + "': " + std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    syncFolder(path);
    return true;
}
