// Translation of Windows-style paths to platform paths.
#include <dirent.h>
#include <sys/stat.h>

#include <cwctype>

#include "cvx/files.h"
#include "cvx/wide.h"

namespace {

bool exists(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    std::wstring wa = cvxFromUtf8(a), wb = cvxFromUtf8(b);
    if (wa.size() != wb.size())
        return false;
    for (size_t i = 0; i < wa.size(); ++i)
        if (std::towlower(static_cast<wint_t>(wa[i])) != std::towlower(static_cast<wint_t>(wb[i])))
            return false;
    return true;
}

// The entry of `folder` whose name equals `name` without regard to case; empty when there is none.
std::string findIgnoringCase(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return {};
    std::string found;
    while (dirent* e = readdir(dir)) {
        if (sameIgnoringCase(e->d_name, name)) {
            found = e->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

// Walks the components, replacing each that is missing by an entry differing only in case.
std::string resolveCase(const std::string& path) {
    std::string out = path[0] == '/' ? "/" : "";
    size_t pos = out.size();
    while (pos < path.size()) {
        size_t end = path.find('/', pos);
        std::string part = path.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        std::string folder = out;
        std::string candidate = out + part;
        if (!exists(candidate) && part != "." && part != "..") {
            std::string match = findIgnoringCase(folder, part);
            if (match.empty())
                return out + path.substr(pos);
            candidate = out + match;
        }
        out = candidate;
        if (end == std::string::npos)
            break;
        out += '/';
        pos = end + 1;
    }
    return out;
}

bool endsWithExe(const std::string& path) {
    return path.size() > 4 && sameIgnoringCase(path.substr(path.size() - 4), ".exe");
}

}  // namespace

std::string cvxNativePath(LPCWSTR path) {
    if (!path || !*path)
        return {};
    std::string raw = cvxToUtf8(path), out;
    for (char c : raw) {
        if (c == '\\')
            c = '/';
        if (c == '/' && !out.empty() && out.back() == '/')
            continue;
        out += c;
    }
    if (exists(out))
        return out;
    out = resolveCase(out);
    if (!exists(out) && endsWithExe(out)) {
        std::string stem = resolveCase(out.substr(0, out.size() - 4));
        if (exists(stem))
            return stem;
    }
    return out;
}
