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
    ~RegistryStore() { flush(); }
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    const std::string& path() const { return mPath; }
    // Problems found in the file (line numbers and reasons); writes fail while there are any.
    const std::vector<std::string>& loadErrors();

    bool keyExists(std::wstring_view key);
    bool hasSubkeys(std::wstring_view key);
    const RegValue* value(std::wstring_view key, std::wstring_view name);

    // The first change after a flush is written to the file at once (when that fails the change is undone);
    // changes after it are kept in memory until flush(), so that a burst of writes costs two file writes.
    LONG createKey(std::wstring_view key, bool* created);
    LONG setValue(std::wstring_view key, std::wstring_view name, const RegValue& value);
    LONG deleteValue(std::wstring_view key, std::wstring_view name);
    LONG deleteKey(std::wstring_view key);

    // The key path with separators tidied ("A\\B\" → "A\B") or empty when it has no known root.
    // Writes pending changes to the file; false (reported on stderr) when that failed.
    bool flush();
    bool pending() const { return mPending; }

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
    KeyMap undoCopy() const { return mBurst ? KeyMap() : mKeys; }  // what commit() restores on failure
    Key* find(std::wstring_view key);
    bool addWithParents(std::wstring_view key);  // true when a key was added

    std::string mPath;
    bool mLoaded = false;
    bool mBurst = false;    // a change was written since the last flush; the next ones wait
    bool mPending = false;  // changes not yet in the file
    bool mToldUnwritable = false;  // a failed write is reported once, not at every command
    KeyMap mKeys;  // by folded path, so that a key sorts right before its subkeys
    std::vector<std::string> mErrors;
};

}  // namespace cvx
