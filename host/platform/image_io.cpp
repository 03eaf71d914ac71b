// CImage::Load and CImage::Save: choosing the codec and converting between depths.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "cvx/files.h"
#include "cvx/wide.h"
#include "platform/codecs.h"
#include "platform/image_access.h"

namespace {

HRESULT failWith(DWORD error) {
    SetLastError(error);
    return E_FAIL;
}

bool readFile(const std::string& path, std::vector<BYTE>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool isGif(const std::vector<BYTE>& f) { return f.size() >= 6 && std::memcmp(f.data(), "GIF8", 4) == 0; }

// An 8-bit image holding the colours of `raw` (red, green, blue, alpha); false when there are too many.
bool toIndexed(const cvx::RawImage& raw, CImage& out) {
    std::map<COLORREF, BYTE> index;
    for (size_t i = 0; i < raw.pixels.size(); i += 4) {
        COLORREF c = RGB(raw.pixels[i], raw.pixels[i + 1], raw.pixels[i + 2]);
        if (!index.count(c)) {
            if (index.size() == 256)
                return false;
            index.emplace(c, static_cast<BYTE>(index.size()));
        }
    }
    if (!out.Create(raw.width, raw.height, 8))
        return false;
    RGBQUAD table[256] = {};
    for (auto [c, i] : index)
        table[i] = RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
    out.SetColorTable(0, 256, table);
    const BYTE* p = raw.pixels.data();
    for (int y = 0; y < raw.height; ++y)
        for (int x = 0; x < raw.width; ++x, p += 4)
            out.SetPixelIndexed(x, y, index[RGB(p[0], p[1], p[2])]);
    return true;
}

bool fromRaw(const cvx::RawImage& raw, bool gif, CImage& out) {
    if (gif && raw.channels == 4 && toIndexed(raw, out))
        return true;
    int ch = raw.channels;
    bool alpha = ch == 2 || ch == 4;
    if (!out.Create(raw.width, raw.height, ch == 1 ? 8 : alpha ? 32 : 24, alpha ? DWORD{CImage::createAlphaChannel} : DWORD{0}))
        return false;
    const BYTE* p = raw.pixels.data();
    for (int y = 0; y < raw.height; ++y) {
        auto* d = static_cast<BYTE*>(out.GetPixelAddress(0, y));
        for (int x = 0; x < raw.width; ++x, p += ch) {
            if (ch == 1) {
                *d++ = p[0];  // the default colour table is the grey ramp
                continue;
            }
            BYTE r = p[0], g = ch <= 2 ? p[0] : p[1], b = ch <= 2 ? p[0] : p[2];
            *d++ = b;
            *d++ = g;
            *d++ = r;
            if (alpha)
                *d++ = p[ch - 1];
        }
    }
    return true;
}

cvx::RawImage toRaw(const CImage& image) {
    cvx::RawImage raw;
    raw.width = image.GetWidth();
    raw.height = image.GetHeight();
    raw.channels = image.GetBPP() == 32 && image.HasAlphaChannel() ? 4 : 3;
    raw.pixels.reserve(static_cast<size_t>(raw.width) * static_cast<size_t>(raw.height) * static_cast<size_t>(raw.channels));
    for (int y = 0; y < raw.height; ++y) {
        for (int x = 0; x < raw.width; ++x) {
            COLORREF c = image.GetPixel(x, y);
            raw.pixels.push_back(GetRValue(c));
            raw.pixels.push_back(GetGValue(c));
            raw.pixels.push_back(GetBValue(c));
            if (raw.channels == 4)
                raw.pixels.push_back(static_cast<const BYTE*>(image.GetPixelAddress(x, y))[3]);
        }
    }
    return raw;
}

std::string lowerExtension(const std::string& path) {
    size_t dot = path.rfind('.'), slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot);
    for (auto& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

HRESULT CImage::Load(LPCWSTR path) {
    Destroy();
    std::string native = cvxNativePath(path);
    std::vector<BYTE> file;
    if (native.empty() || !readFile(native, file))
        return failWith(native.empty() ? ERROR_INVALID_PARAMETER : ERROR_FILE_NOT_FOUND);
    if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') {
        cvx::BmpResult r = cvx::decodeBmp(file, *this);
        if (r == cvx::BmpResult::kLoaded)
            return S_OK;
        Destroy();
        if (r == cvx::BmpResult::kCorrupt)
            return failWith(ERROR_INVALID_DATA);
    }
    cvx::RawImage raw;
    std::string why;
    if (!cvx::decodeGeneral(file, raw, why) || !fromRaw(raw, isGif(file), *this)) {
        Destroy();
        return failWith(ERROR_INVALID_DATA);
    }
    return S_OK;
}

HRESULT CImage::Save(LPCWSTR path) const {
    if (IsNull())
        return failWith(ERROR_INVALID_PARAMETER);
    std::string native = cvxNativePath(path);
    std::string ext = lowerExtension(native);
    std::vector<BYTE> bytes;
    if (ext == ".bmp") {
        bytes = cvx::encodeBmp(*this);
    } else if (ext == ".png" || ext == ".jpg" || ext == ".jpeg") {
        if (!cvx::encodeGeneral(toRaw(*this), ext == ".png" ? cvx::RawFormat::kPng : cvx::RawFormat::kJpeg, bytes))
            return failWith(ERROR_INVALID_DATA);
    } else {
        return failWith(ERROR_INVALID_PARAMETER);
    }
    std::FILE* f = std::fopen(native.c_str(), "wb");
    if (!f)
        return failWith(ERROR_PATH_NOT_FOUND);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok ? S_OK : failWith(ERROR_WRITE_FAULT);
}
