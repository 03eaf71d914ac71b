// The general picture decoders and encoders, from the stb single-file libraries (kept private here).
#include "platform/codecs.h"

#include <cstring>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace cvx {

bool decodeGeneral(const std::vector<BYTE>& file, RawImage& out, std::string& why) {
    if (file.empty() || file.size() > 0x7FFFFFFF) {
        why = "empty or too large file";
        return false;
    }
    int w = 0, h = 0, ch = 0;
    stbi_uc* px = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &w, &h, &ch, 0);
    if (!px) {
        why = stbi_failure_reason() ? stbi_failure_reason() : "cannot decode";
        return false;
    }
    out.width = w;
    out.height = h;
    out.channels = ch;
    out.pixels.assign(px, px + static_cast<size_t>(w) * static_cast<size_t>(h) * static_cast<size_t>(ch));
    stbi_image_free(px);
    return true;
}

bool encodeGeneral(const RawImage& image, RawFormat format, std::vector<BYTE>& out) {
    out.clear();
    auto sink = [](void* context, void* data, int size) {
        auto* v = static_cast<std::vector<BYTE>*>(context);
        v->insert(v->end(), static_cast<BYTE*>(data), static_cast<BYTE*>(data) + size);
    };
    int ok = format == RawFormat::kPng
                 ? stbi_write_png_to_func(sink, &out, image.width, image.height, image.channels, image.pixels.data(),
                                          image.width * image.channels)
                 : stbi_write_jpg_to_func(sink, &out, image.width, image.height, image.channels, image.pixels.data(),
                                          90);
    return ok != 0 && !out.empty();
}

}  // namespace cvx
