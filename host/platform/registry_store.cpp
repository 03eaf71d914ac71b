#include "platform/registry_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cwctype>
#include <fstream>
#include <sstream>

#include "cvx/wide.h"
#include "platform/syserror.h"

namespace cvx {

namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00";
constexpr const wchar_t* kRoots[] = {L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE",
                                     L"HKEY_USERS"};

std::wstring fold(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out)
        c = c == L'\\' ? L'\x01' : static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

bool sameName(std::wstring_view a, std::wstring_view b) { return a.size() == b.size() && fold(a) == fold(b); }

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

std::string quote(std::wstring_view text) {
    std::string out = "\"";
    for (char c : cvxToUtf8(text)) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// Reads a quoted string starting at `pos` (which holds the opening quote); leaves `pos` after the
// closing quote. Only \\ and \" are escapes.
bool unquote(const std::string& line, size_t& pos, std::wstring& out) {
    if (pos >= line.size() || line[pos] != '"')
        return false;
    std::string raw;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            out = cvxFromUtf8(raw);
            return true;
        }
        if (c == '\\') {
            if (++pos >= line.size() || (line[pos] != '\\' && line[pos] != '"'))
                return false;
            c = line[pos];
        }
        raw += c;
    }
    return false;
}

bool parseDword(const std::string& s, DWORD& out) {
    if (s.empty() || s.size() > 8)
        return false;
    out = 0;
    for (char c : s) {
        int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (d < 0)
            return false;
        out = out << 4 | static_cast<DWORD>(d);
    }
    return true;
}

void makeParentFolders(const std::string& path) {
    for (size_t p = path.find('/', 1); p != std::string::npos; p = path.find('/', p + 1))
        mkdir(path.substr(0, p).c_str(), 0700);
}

}  // namespace

std::wstring RegistryStore::normalizeKey(std::wstring_view key) {
    std::wstring out;
    size_t pos = 0;
    bool first = true;
    while (pos <= key.size()) {
        size_t end = key.find(L'\\', pos);
        if (end == std::wstring_view::npos)
            end = key.size();
        std::wstring_view part = key.substr(pos, end - pos);
        pos = end + 1;
        if (part.empty())
            continue;
        if (first) {
            for (const wchar_t* root : kRoots)
                if (sameName(part, root))
                    out = root;
            if (out.empty())
                return {};
            first = false;
        } else {
            out += L'\\';
            out += part;
        }
    }
    return out;
}

const std::vector<std::string>& RegistryStore::loadErrors() {
    load();
    return mErrors;
}

RegistryStore::Key* RegistryStore::find(std::wstring_view key) {
    auto it = mKeys.find(fold(key));
    return it == mKeys.end() ? nullptr : &it->second;
}

bool RegistryStore::keyExists(std::wstring_view key) {
    load();
    return key.find(L'\\') == std::wstring_view::npos ? !normalizeKey(key).empty() : find(key) != nullptr;
}

bool RegistryStore::hasSubkeys(std::wstring_view key) {
    load();
    std::wstring prefix = fold(key) + L'\x01';
    auto it = mKeys.lower_bound(prefix);
    return it != mKeys.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

const RegValue* RegistryStore::value(std::wstring_view key, std::wstring_view name) {
    load();
    Key* k = find(key);
    if (!k)
        return nullptr;
    for (auto& [n, v] : k->values)
        if (sameName(n, name))
            return &v;
    return nullptr;
}

bool RegistryStore::addWithParents(std::wstring_view key) {
    bool added = false;
    size_t p = key.find(L'\\');  // the root itself is no section of its own
    while (p != std::wstring_view::npos) {
        p = key.find(L'\\', p + 1);
        std::wstring_view prefix = key.substr(0, p);
        if (!find(prefix)) {
            mKeys[fold(prefix)] = Key{std::wstring(prefix), {}};
            added = true;
        }
    }
    return added;
}

LONG RegistryStore::createKey(std::wstring_view key, bool* created) {
    load();
    KeyMap before = undoCopy();
    bool added = addWithParents(key);
    if (created)
        *created = added;
    return added ? commit(std::move(before)) : ERROR_SUCCESS;
}

LONG RegistryStore::setValue(std::wstring_view key, std::wstring_view name, const RegValue& value) {
    load();
    KeyMap before = undoCopy();
    Key* k = find(key);
    if (!k)
        return ERROR_FILE_NOT_FOUND;
    for (auto& [n, v] : k->values) {
        if (sameName(n, name)) {
            v = value;
            return commit(std::move(before));
        }
    }
    k->values.emplace_back(std::wstring(name), value);
    return commit(std::move(before));
}

LONG RegistryStore::deleteValue(std::wstring_view key, std::wstring_view name) {
    load();
    KeyMap before = undoCopy();
    Key* k = find(key);
    if (!k)
        return ERROR_FILE_NOT_FOUND;
    for (auto it = k->values.begin(); it != k->values.end(); ++it) {
        if (sameName(it->first, name)) {
            k->values.erase(it);
            return commit(std::move(before));
        }
    }
    return ERROR_FILE_NOT_FOUND;
}

LONG RegistryStore::deleteKey(std::wstring_view key) {
    load();
    if (!find(key))
        return ERROR_FILE_NOT_FOUND;
    if (hasSubkeys(key))
        return ERROR_ACCESS_DENIED;
    KeyMap before = undoCopy();
    mKeys.erase(fold(key));
    return commit(std::move(before));
}

LONG RegistryStore::commit(KeyMap before) {
    if (mBurst) {
        mPending = true;  // written with the rest of the burst
        return ERROR_SUCCESS;
    }
    LONG r = save();
    if (r != ERROR_SUCCESS)
        mKeys = std::move(before);
    else
        mBurst = true;
    return r;
}

bool RegistryStore::flush() {
    mBurst = false;
    if (!mPending)
        return true;
    mPending = false;
    LONG r = save();
    if (r != ERROR_SUCCESS && !mToldUnwritable) {
        mToldUnwritable = true;
        std::fprintf(stderr, "curvix: registry file %s: changes cannot be written (error %ld); settings made "
                             "now are kept only until curvix ends\n", mPath.c_str(), static_cast<long>(r));
    }
    if (r == ERROR_SUCCESS) mToldUnwritable = false;
    return r == ERROR_SUCCESS;
}

void RegistryStore::load() {
    if (mLoaded)
        return;
    mLoaded = true;
    std::ifstream in(mPath, std::ios::binary);
    if (!in) {
        if (access(mPath.c_str(), F_OK) == 0)
            mErrors.push_back("cannot be read");
    } else {
        std::ostringstream text;
        text << in.rdbuf();
        parse(text.str());
    }
    for (const auto& e : mErrors)
        std::fprintf(stderr, "curvix: registry file %s: %s\n", mPath.c_str(), e.c_str());
}

void RegistryStore::parse(const std::string& text) {
    std::istringstream in(text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text);
    std::string raw;
    int lineNo = 0;
    bool header = false;
    Key* current = nullptr;
    auto fail = [&](const std::string& why) { mErrors.push_back("line " + std::to_string(lineNo) + ": " + why); };
    while (std::getline(in, raw)) {
        ++lineNo;
        std::string line = trim(raw);
        if (line.empty() || line[0] == ';')
            continue;
        if (!header) {
            if (line != kHeader) {
                fail(std::string("not a registry file (expected \"") + kHeader + "\")");
                return;
            }
            header = true;
            continue;
        }
        if (line[0] == '[') {
            std::wstring name = line.back() == ']' ? normalizeKey(cvxFromUtf8(line.substr(1, line.size() - 2)))
                                                   : std::wstring();
            if (name.empty() || name.find(L'\\') == std::wstring::npos) {
                current = nullptr;
                fail("bad key line " + line);
                continue;
            }
            addWithParents(name);
            current = find(name);
            continue;
        }
        std::wstring valueName;
        size_t pos = 0;
        if (line[0] == '@')
            pos = 1;
        else if (!unquote(line, pos, valueName)) {
            fail("bad value name");
            continue;
        }
        if (!current) {
            fail("value outside a key");
            continue;
        }
        if (pos >= line.size() || line[pos] != '=') {
            fail("'=' expected after the value name");
            continue;
        }
        std::string data = trim(line.substr(pos + 1));
        RegValue v;
        size_t dataPos = 0;
        if (!data.empty() && data[0] == '"') {
            if (!unquote(data, dataPos, v.text) || dataPos != data.size()) {
                fail("bad string value");
                continue;
            }
        } else if (data.compare(0, 6, "dword:") == 0 && parseDword(data.substr(6), v.number)) {
            v.type = REG_DWORD;
        } else {
            fail("unsupported value data " + data);
            continue;
        }
        current->values.emplace_back(valueName, v);
    }
}

std::string RegistryStore::format() const {
    std::string out = std::string(kHeader) + "\n\n";
    for (const auto& [folded, key] : mKeys) {
        // Appended piece by piece (joining temporaries with + draws a false overlap warning from the optimiser).
        out += '[';
        out += cvxToUtf8(key.name);
        out += "]\n";
        for (const auto& [name, v] : key.values) {
            out += name.empty() ? std::string("@") : quote(name);
            if (v.type == REG_DWORD) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "%08x", v.number);
                out += "=dword:";
                out += hex;
            } else {
                out += '=';
                out += quote(v.text);
            }
            out += '\n';
        }
        out += "\n";
    }
    return out;
}

LONG RegistryStore::save() {
    if (!mErrors.empty())
        return ERROR_INVALID_DATA;
    static std::atomic<unsigned> counter{0};
    makeParentFolders(mPath);
    std::string temp = mPath + ".tmp." + std::to_string(getpid()) + "." + std::to_string(counter++);
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return static_cast<LONG>(errorFromErrno(errno));
    std::string text = format();
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    bool ok = done == text.size() && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    int err = errno;
    if (!ok || rename(temp.c_str(), mPath.c_str()) != 0) {
        if (ok)
            err = errno;
        unlink(temp.c_str());
        return static_cast<LONG>(err ? errorFromErrno(err) : ERROR_WRITE_FAULT);
    }
    return ERROR_SUCCESS;
}

}  // namespace cvx
