#include "ge/iconv_text.h"

#include <iconv.h>

#include <cerrno>

void cvxIconv(void* descriptor, std::string_view in, std::string& out, std::string_view replacement) {
    auto cd = static_cast<iconv_t>(descriptor);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
    out.assign(in.size() * 2 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t done = 0;
    while (srcLeft > 0) {
        char* dst = out.data() + done;
        size_t dstLeft = out.size() - done;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        done = out.size() - dstLeft;
        if (r != static_cast<size_t>(-1)) break;
        if (error != E2BIG) {  // a byte that does not convert, or a sequence cut short by the end
            out.replace(done, replacement.size(), replacement);
            done += replacement.size();
            ++src;
            --srcLeft;
        }
        if (out.size() < done + srcLeft * 2 + 16) out.resize(done + srcLeft * 2 + 16);
        else if (error == E2BIG) out.resize(out.size() * 2);
    }
    out.resize(done);
}
