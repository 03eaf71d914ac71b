// Text conversion between encodings through the C library's iconv, shared by the drawing-file code pages and
// the host's multibyte code page.
#pragma once

#include <string>
#include <string_view>

// Converts `in` with an open iconv descriptor (iconv_t) into `out`. A sequence that does not convert is
// skipped a byte at a time, `replacement` standing in its place.
void cvxIconv(void* descriptor, std::string_view in, std::string& out, std::string_view replacement);
