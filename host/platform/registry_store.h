// The registry held in memory and its text file. Key paths are full ("HKEY_CURRENT_USER\Software\X");
// names compare without regard to case but keep the spelling they were first given.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cvx/registry.h"

namespace cvx {

struct RegValue {
    DWORD type = REG_SZ;
    std::wstring text;  // REG_SZ
    DWORD number = 0;   // REG_DWORD
};

class RegistryStore {
public:
    explicit RegistryStore(std::string path) : mPath(std::move(path)) {}

    const std::string& path() const { return mPath; }
    // Problems found in the file (line numbers and reasons); writes fail while there are any.
    const std::vector<std::string>& loadErrors();

    bool keyExists(std::wstring_view key);
    bool hasSubkeys(std::wstring_view key);
    const RegValue* value(std::wstring_view key, std::wstring_view name);

    // Each change is written to the file at once; when that fails the change is undone.
    LONG createKey(std::wstring_view key, bool* created);
    LONG setValue(std::wstring_view key, std::wstring_view name, const RegValue& value);
    LONG deleteValue(std::wstring_view key, std::wstring_view name);
    LONG deleteKey(std::wstring_view key);

    // The key path with separators tidied ("A\\B\" → "A\B") or empty when it has no known root.
    static std::wstring normalizeKey(std::wstring_view key);

private:
    struct Key {
        std::wstring name;
        std::vector<std::pair<std::wstring, RegValue>> values;
    };
    using KeyMap = std::map<std::wstring, Key>;

    void load();
    void parse(const std::string& text);
    std::string format() const;
    LONG save();
    LONG commit(KeyMap before);
    Key* find(std::wstring_view key);
    bool addWithParents(std::wstring_view key);  // true when a key was added

    std::string mPath;
    bool mLoaded = false;
    KeyMap mKeys;  // by folded path, so that a key sorts right before its subkeys
    std::vector<std::string> mErrors;
};

}  // namespace cvx
