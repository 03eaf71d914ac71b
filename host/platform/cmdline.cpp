#include "platform/cmdline.h"

namespace cvx {

std::vector<std::wstring> splitCommandLine(const std::wstring& line) {
    std::vector<std::wstring> args;
    std::wstring cur;
    bool inArg = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        wchar_t c = line[i];
        if ((c == L' ' || c == L'\t') && !quoted) {
            if (inArg)
                args.push_back(cur);
            cur.clear();
            inArg = false;
            continue;
        }
        inArg = true;
        if (c == L'\\') {
            size_t n = 0;
            while (i < line.size() && line[i] == L'\\') {
                ++n;
                ++i;
            }
            if (i < line.size() && line[i] == L'"') {
                cur.append(n / 2, L'\\');
                if (n % 2)
                    cur += L'"';
                else
                    quoted = !quoted;
            } else {
                cur.append(n, L'\\');
                --i;
            }
        } else if (c == L'"') {
            quoted = !quoted;
        } else {
            cur += c;
        }
    }
    if (inArg)
        args.push_back(cur);
    return args;
}

}  // namespace cvx
