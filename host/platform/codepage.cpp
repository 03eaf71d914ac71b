#include "cvx/codepage.h"

#include <iconv.h>

#include "cvx/wide.h"
#include "ge/iconv_text.h"
#include "ge/utf8.h"

namespace {
constexpr const char* kCodePage = "GB18030";

std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    cvxIconv(cd, in, out, replacement);
    iconv_close(cd);
    return out;
}
}  // namespace

std::string cvxToCodePage(std::wstring_view text) { return convert(kCodePage, "UTF-8", cvxToUtf8(text), "?"); }

std::wstring cvxFromCodePage(std::string_view bytes) {
    return cvxFromUtf8(convert("UTF-8", kCodePage, bytes, "\xEF\xBF\xBD"));
}

bool cvxIsUtf8(std::string_view bytes) {
    // The one decoder: a replacement character it gives must stand in the text itself.
    for (size_t i = 0; i < bytes.size();) {
        const size_t at = i;
        if (cvxUtf8Next(bytes, i) == 0xFFFD && bytes.substr(at, 3) != "\xEF\xBF\xBD") return false;
    }
    return true;
}
