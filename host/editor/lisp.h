// A small LISP for the expressions menus and modules queue: (if test then [else]), (null x), (menugroup "name"),
// (command "name" "answer" ...), (menucmd "Pn=+GROUP.POPm"), strings in double quotes (\\ is one backslash,
// \" a quote, \n a line end, \t a tab), integers, nil and T. Anything else is an error with a message.
#pragma once

#include <string>

namespace cvx::editor::lisp {

struct Value {
    enum Kind { Nil, True, Integer, String } kind = Nil;
    long long integer = 0;
    std::wstring text;
    bool isNil() const { return kind == Nil; }
};

struct Result {
    Value value;
    std::wstring error;  // not empty: the expression failed
};

// Evaluates every expression of the text in turn; the value of the last.
Result evaluate(const std::wstring& text);
// As the command line prints a value: nil, T, 12, "text".
std::wstring print(const Value& v);
// True when the text's parentheses (outside strings) are balanced or more are closed than opened.
bool isComplete(const std::wstring& text);

}  // namespace cvx::editor::lisp
