#include "editor/command_stack.h"

#include <cwctype>
#include <memory>
#include <vector>


namespace cvx::editor {
namespace {

std::wstring upper(const ACHAR* s) {
    std::wstring u = s ? s : L"";
    for (auto& c : u) c = static_cast<wchar_t>(std::towupper(c));
    return u;
}

class Command : public AcEdCommand {
public:
    Command(std::wstring group, std::wstring global, std::wstring local, int flags, AcRxFunctionPtr fn)
        : mGroup(std::move(group)), mGlobal(std::move(global)), mLocal(std::move(local)), mFlags(flags), mFn(fn) {}
    const ACHAR* globalName() const override { return mGlobal.c_str(); }
    const ACHAR* localName() const override { return mLocal.c_str(); }
    const ACHAR* groupName() const override { return mGroup.c_str(); }
    int commandFlags() const override { return mFlags; }
    AcRxFunctionPtr functionAddr() const override { return mFn; }

private:
    std::wstring mGroup, mGlobal, mLocal;
    int mFlags;
    AcRxFunctionPtr mFn;
};

struct Group {
    std::wstring name;  // upper case
    std::vector<std::unique_ptr<Command>> commands;
};

class Stack : public AcEdCommandStack {
public:
    Acad::ErrorStatus addCommand(const ACHAR* groupName, const ACHAR* globalName, const ACHAR* localName,
                                 int commandFlags, AcRxFunctionPtr function, void*, int, void*,
                                 AcEdCommand** commandOut) override {
        if (!groupName || !globalName || !*globalName || !function) return Acad::eInvalidInput;
        const ACHAR* local = localName && *localName ? localName : globalName;
        Group& g = group(upper(groupName));
        for (auto& c : g.commands)
            if (upper(c->globalName()) == upper(globalName) || upper(c->localName()) == upper(local))
                return Acad::eDuplicateKey;
        g.commands.push_back(std::make_unique<Command>(groupName, globalName, local, commandFlags, function));
        if (commandOut) *commandOut = g.commands.back().get();
        return Acad::eOk;
    }

    Acad::ErrorStatus removeCmd(const ACHAR* groupName, const ACHAR* globalName) override {
        Group* g = findGroup(upper(groupName));
        if (!g) return Acad::eKeyNotFound;
        for (auto it = g->commands.begin(); it != g->commands.end(); ++it)
            if (upper((*it)->globalName()) == upper(globalName)) {
                g->commands.erase(it);
                return Acad::eOk;
            }
        return Acad::eKeyNotFound;
    }

    Acad::ErrorStatus removeGroup(const ACHAR* groupName) override {
        std::wstring name = upper(groupName);
        for (auto it = mGroups.begin(); it != mGroups.end(); ++it)
            if (it->name == name) {
                mGroups.erase(it);
                return Acad::eOk;
            }
        return Acad::eKeyNotFound;
    }

    AcEdCommand* lookupCmd(const ACHAR* name, bool globalFlag, bool) const override {
        std::wstring n = upper(name);
        if (!n.empty() && n[0] == L'_') {
            globalFlag = true;
            n.erase(0, 1);
        }
        // The group added last wins, as a module loaded later overrides commands of the same name.
        for (auto g = mGroups.rbegin(); g != mGroups.rend(); ++g)
            for (auto& c : g->commands)
                if (upper(globalFlag ? c->globalName() : c->localName()) == n) return c.get();
        return nullptr;
    }

    std::vector<std::pair<std::wstring, std::wstring>> list() const {
        std::vector<std::pair<std::wstring, std::wstring>> out;
        for (auto& g : mGroups)
            for (auto& c : g.commands) out.emplace_back(c->groupName(), c->localName());
        return out;
    }

private:
    Group* findGroup(const std::wstring& name) {
        for (auto& g : mGroups)
            if (g.name == name) return &g;
        return nullptr;
    }
    Group& group(const std::wstring& name) {
        if (Group* g = findGroup(name)) return *g;
        mGroups.push_back({name, {}});
        return mGroups.back();
    }

    std::vector<Group> mGroups;
};

}  // namespace

AcEdCommand* findCommand(const std::wstring& typedName) {
    std::wstring n = typedName;
    while (!n.empty() && (n[0] == L'.' || n[0] == L'\'')) n.erase(0, 1);
    if (n.empty()) return nullptr;
    if (n[0] == L'_') return acedRegCmds->lookupCmd(n.c_str(), true);
    AcEdCommand* c = acedRegCmds->lookupCmd(n.c_str(), false);
    return c ? c : acedRegCmds->lookupCmd(n.c_str(), true);
}

std::vector<std::pair<std::wstring, std::wstring>> registeredCommands() {
    return static_cast<Stack*>(acedRegCmds)->list();
}

}  // namespace cvx::editor

AcEdCommandStack* cvxCommandStack() {
    static cvx::editor::Stack stack;
    return &stack;
}
