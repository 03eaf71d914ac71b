#include "editor/lisp.h"

#include <cwctype>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "cvx/editor.h"
#include "editor/menus.h"

namespace cvx::editor::lisp {
namespace {

// A parsed expression: an atom or a list.
struct Node {
    enum Kind { Atom, Symbol, List } kind = Atom;
    Value atom;
    std::wstring symbol;  // upper case
    std::vector<Node> items;
};

struct Failure {
    std::wstring message;
};

class Parser {
public:
    explicit Parser(const std::wstring& t) : mText(t) {}

    bool atEnd() {
        skipBlanks();
        return mPos >= mText.size();
    }

    Node parse() {
        skipBlanks();
        if (mPos >= mText.size()) throw Failure{L"the expression ends too early"};
        wchar_t c = mText[mPos];
        if (c == L'(') {
            // Each level is a call of parse() and later of eval(): a bound keeps a hostile line from
            // exhausting the stack.
            if (mDepth >= kMaxNesting)
                throw Failure{L"lists nest more than " + std::to_wstring(kMaxNesting) + L" levels deep"};
            ++mPos;
            ++mDepth;
            struct Leave {
                int& depth;
                ~Leave() { --depth; }
            } leave{mDepth};
            Node list;
            list.kind = Node::List;
            for (;;) {
                skipBlanks();
                if (mPos >= mText.size()) throw Failure{L"malformed list: a ')' is missing"};
                if (mText[mPos] == L')') {
                    ++mPos;
                    return list;
                }
                list.items.push_back(parse());
            }
        }
        if (c == L')') throw Failure{L"extra right paren"};
        if (c == L'"') return string();
        if (c == L'\'') throw Failure{L"quoted forms are not supported"};
        return word();
    }

private:
    static constexpr int kMaxNesting = 1000;
    int mDepth = 0;

    void skipBlanks() {
        while (mPos < mText.size()) {
            if (std::iswspace(mText[mPos])) ++mPos;
            else if (mText[mPos] == L';') while (mPos < mText.size() && mText[mPos] != L'\n') ++mPos;
            else break;
        }
    }

    Node string() {
        ++mPos;
        Node n;
        n.atom.kind = Value::String;
        while (mPos < mText.size() && mText[mPos] != L'"') {
            wchar_t c = mText[mPos++];
            if (c == L'\\') {
                if (mPos >= mText.size()) break;
                wchar_t e = mText[mPos++];
                c = e == L'n' ? L'\n' : e == L't' ? L'\t' : e == L'r' ? L'\r' : e == L'e' ? L'\x1b' : e;
            }
            n.atom.text += c;
        }
        if (mPos >= mText.size()) throw Failure{L"malformed string: the closing '\"' is missing"};
        ++mPos;
        return n;
    }

    Node word() {
        size_t start = mPos;
        while (mPos < mText.size() && !std::iswspace(mText[mPos]) && mText[mPos] != L'(' && mText[mPos] != L')' &&
               mText[mPos] != L'"')
            ++mPos;
        std::wstring w = mText.substr(start, mPos - start);
        Node n;
        size_t digits = (w[0] == L'-' || w[0] == L'+') ? 1 : 0;
        bool number = w.size() > digits && w.find_first_not_of(L"0123456789", digits) == std::wstring::npos;
        if (number) {
            n.atom.kind = Value::Integer;
            try {
                n.atom.integer = std::stoll(w);
            } catch (...) {
                throw Failure{L"integer out of range: " + w};
            }
            return n;
        }
        if (w.find_first_of(L".") != std::wstring::npos && w.find_first_not_of(L"0123456789.+-eE") == std::wstring::npos)
            throw Failure{L"real numbers are not supported: " + w};
        n.kind = Node::Symbol;
        for (wchar_t c : w) n.symbol += static_cast<wchar_t>(std::towupper(c));
        return n;
    }

    const std::wstring& mText;
    size_t mPos = 0;
};

Value nil() { return {}; }
Value truth() { Value v; v.kind = Value::True; return v; }
Value str(std::wstring s) { Value v; v.kind = Value::String; v.text = std::move(s); return v; }

Value eval(const Node& n);

std::vector<Value> evalArgs(const Node& call) {
    std::vector<Value> args;
    for (size_t i = 1; i < call.items.size(); ++i) args.push_back(eval(call.items[i]));
    return args;
}

void needArgs(const std::wstring& name, const std::vector<Value>& args, size_t count) {
    if (args.size() < count) throw Failure{L"too few arguments: (" + name + L" ...)"};
    if (args.size() > count) throw Failure{L"too many arguments: (" + name + L" ...)"};
}

const std::wstring& needString(const std::wstring& name, const Value& v) {
    if (v.kind != Value::String) throw Failure{L"bad argument type: stringp " + print(v) + L" in (" + name + L" ...)"};
    return v.text;
}

Value callIf(const Node& call) {
    if (call.items.size() < 3) throw Failure{L"too few arguments: (IF ...)"};
    if (call.items.size() > 4) throw Failure{L"too many arguments: (IF ...)"};
    if (!eval(call.items[1]).isNil()) return eval(call.items[2]);
    return call.items.size() == 4 ? eval(call.items[3]) : nil();
}

Value callNull(const Node& call) {
    auto args = evalArgs(call);
    needArgs(L"NULL", args, 1);
    return args[0].isNil() ? truth() : nil();
}

Value callMenugroup(const Node& call) {
    auto args = evalArgs(call);
    needArgs(L"MENUGROUP", args, 1);
    const menus::MenuGroup* g = menus::findGroup(needString(L"MENUGROUP", args[0]));
    return g ? str(g->name) : nil();
}

Value callCommand(const Node& call) {
    auto args = evalArgs(call);
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (const Value& a : args) {
        resbuf* rb = nullptr;
        if (a.kind == Value::String) {
            rb = acutNewRb(RTSTR);
            rb->resval.rstring = acutNewString(a.text.c_str());
        } else if (a.kind == Value::Integer) {
            rb = acutNewRb(RTLONG);
            rb->resval.rlong = static_cast<int32_t>(a.integer);
        } else if (a.kind == Value::Nil) {
            rb = acutNewRb(RTSTR);  // nil answers Enter
            rb->resval.rstring = acutNewString(L"");
        } else {
            acutRelRb(head);
            throw Failure{L"bad argument type for COMMAND: " + print(a)};
        }
        *tail = rb;
        tail = &rb->rbnext;
    }
    if (head) acedCmd(head);
    acutRelRb(head);
    return nil();
}

Value callMenucmd(const Node& call) {
    auto args = evalArgs(call);
    needArgs(L"MENUCMD", args, 1);
    std::wstring error;
    if (!menus::menuCommand(needString(L"MENUCMD", args[0]), error)) throw Failure{error};
    return truth();
}

Value eval(const Node& n) {
    if (n.kind == Node::Atom) return n.atom;
    if (n.kind == Node::Symbol) {
        if (n.symbol == L"NIL") return nil();
        if (n.symbol == L"T") return truth();
        throw Failure{L"unknown variable " + n.symbol};
    }
    if (n.items.empty()) return nil();
    const Node& head = n.items[0];
    if (head.kind != Node::Symbol) throw Failure{L"bad function: " + (head.kind == Node::Atom ? print(head.atom) : L"(...)")};
    static const std::map<std::wstring, std::function<Value(const Node&)>> functions = {
        {L"IF", callIf}, {L"NULL", callNull}, {L"NOT", callNull}, {L"MENUGROUP", callMenugroup},
        {L"COMMAND", callCommand}, {L"MENUCMD", callMenucmd}};
    auto f = functions.find(head.symbol);
    if (f == functions.end()) throw Failure{L"no function definition: " + head.symbol};
    return f->second(n);
}

}  // namespace

std::wstring print(const Value& v) {
    switch (v.kind) {
    case Value::Nil: return L"nil";
    case Value::True: return L"T";
    case Value::Integer: return std::to_wstring(v.integer);
    case Value::String: {
        std::wstring out = L"\"";
        for (wchar_t c : v.text) {
            if (c == L'"' || c == L'\\') out += L'\\';
            out += c;
        }
        return out + L"\"";
    }
    }
    return {};
}

Result evaluate(const std::wstring& text) {
    Result r;
    try {
        Parser p(text);
        if (p.atEnd()) throw Failure{L"no expression"};
        while (!p.atEnd()) r.value = eval(p.parse());
    } catch (const Failure& f) {
        r.error = f.message;
        r.value = nil();
    }
    return r;
}

bool isComplete(const std::wstring& text) {
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (inString) {
            if (c == L'\\') ++i;
            else if (c == L'"') inString = false;
        } else if (c == L'"') {
            inString = true;
        } else if (c == L'(') {
            ++depth;
        } else if (c == L')') {
            --depth;
        }
    }
    return depth <= 0 && !inString;
}

}  // namespace cvx::editor::lisp
