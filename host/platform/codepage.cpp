#include "cvx/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "cvx/wide.h"

namespace {
constexpr const char* kCodePage = "GB18030";

// Converts with iconv; an input sequence that does not convert is skipped a byte at a time, leaving
// `replacement` in its place.
std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out(in.size() * 2 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t done = 0;
    while (srcLeft > 0) {
        char* dst = out.data() + done;
        size_t dstLeft = out.size() - done;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        done = out.size() - dstLeft;
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        out.replace(done, replacement.size(), replacement);  // room is left for it: at least 16 bytes
        done += replacement.size();
        out.resize(std::max(out.size(), done + srcLeft * 2 + 16));
        ++src;
        --srcLeft;
    }
    iconv_close(cd);
    out.resize(done);
    return out;
}
}  // namespace

std::string cvxToCodePage(std::wstring_view text) { return convert(kCodePage, "UTF-8", cvxToUtf8(text), "?"); }

std::wstring cvxFromCodePage(std::string_view bytes) {
    return cvxFromUtf8(convert("UTF-8", kCodePage, bytes, "\xEF\xBF\xBD"));
}

bool cvxIsUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}
