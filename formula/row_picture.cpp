#include "formula/row_picture.h"

#include "frame/module_folder.h"

std::wstring rowPicturePath(int pictureId) {
    return moduleFolder() + L"resources/pictures/" + std::to_wstring(pictureId) + L".png";
}

bool loadRowPicture(const std::wstring& path, CImage& image) {
    image.Destroy();
    if (FAILED(image.Load(path.c_str())) || image.IsNull()) return false;
    if (image.GetBPP() != 32) return true;
    for (int y = 0; y < image.GetHeight(); ++y) {
        auto* pixel = static_cast<BYTE*>(image.GetPixelAddress(0, y));
        for (int x = 0; x < image.GetWidth(); ++x, pixel += 4)
            for (int c = 0; c < 3; ++c) pixel[c] = static_cast<BYTE>(pixel[c] * pixel[3] / 255);
    }
    return true;
}

RECT rowPictureSquare(const RECT& list, const RECT& firstLabel, int frameWidth) {
    const int left = list.right + frameWidth;
    const int side = firstLabel.left - list.right - 2 * frameWidth;
    if (side <= 0) return RECT{left, list.top, left, list.top};
    return RECT{left, list.top, left + side, list.top + side};
}

void drawRowPicture(const CImage& image, HDC dc, int side) {
    if (side >= 512 && side <= 536) {
        image.BitBlt(dc, 0, 0);
        return;
    }
    SetStretchBltMode(dc, HALFTONE);
    image.StretchBlt(dc, 0, 0, side, side);
}
