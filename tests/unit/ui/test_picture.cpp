// The client area as a picture: controls leave ink where they are, owner drawing shows, Chinese labels draw.
#include "ui_fixture.h"

#include <filesystem>

#include "cvx/image.h"
#include "cvx/wide.h"

namespace {

bool isInk(COLORREF c) { return GetRValue(c) < 160 && GetGValue(c) < 160 && GetBValue(c) < 160; }
bool isAccent(COLORREF c) { return GetRValue(c) < 30 && GetGValue(c) > 90 && GetGValue(c) < 150 && GetBValue(c) > 180; }
bool isRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }

int count(const CImage& img, RECT r, bool (*what)(COLORREF)) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += what(img.GetPixel(x, y));
    return n;
}

// A dialog whose picture is taken while it runs, through the script.
struct Snapshot : TestDialog {
    CImage picture;
    BOOL OnInitDialog() override {
        TestDialog::OnInitDialog();
        onClicked(IDC_PLACE, [this] { RenderClient(picture); });
        return TRUE;
    }
};

}  // namespace

TEST_F(UiTest, TheClientPictureHasInkWhereTheControlsAre) {
    auto dir = std::filesystem::temp_directory_path() / ("cvx-ui-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string png = (dir / "dialog.png").string();
    auto& s = answers(L";@dialog select 1008 1\n;@dialog png \"" + cvxFromUtf8(png) + L"\"\n;@dialog ok\n");
    TestDialog d;
    ASSERT_EQ(d.DoModal(), IDOK);
    ASSERT_FALSE(s.failed()) << s.error();
    CImage img;
    ASSERT_EQ(img.Load(cvxFromUtf8(png).c_str()), S_OK);
    EXPECT_EQ(img.GetWidth(), 400);
    EXPECT_EQ(img.GetHeight(), 260);
    EXPECT_GT(count(img, {20, 14, 80, 30}, isInk), 30);      // "Place"
    EXPECT_GT(count(img, {118, 10, 160, 30}, isInk), 20);    // "Filled"
    EXPECT_GT(count(img, {10, 40, 24, 60}, isInk), 10);      // the red radio button's dot
    EXPECT_EQ(count(img, {73, 47, 80, 54}, isInk), 0);       // the green one is empty inside
    EXPECT_GT(count(img, {12, 116, 128, 130}, isAccent), 800);  // row 1 chosen
    EXPECT_EQ(count(img, {12, 102, 128, 115}, isAccent), 0);
    EXPECT_GT(count(img, {310, 130, 350, 170}, isRed), 1000);   // the owner-drawn ellipse
    EXPECT_EQ(count(img, {140, 205, 215, 255}, isInk), 0);      // nothing there
    if (!getenv("CVX_KEEP")) std::filesystem::remove_all(dir);
}

TEST_F(UiTest, TheSliderKnobFollowsThePosition) {
    answers(L";@dialog click 1001\n;@dialog ok\n");
    Snapshot at50;
    at50.DoModal();
    answers(L";@dialog slide 1007 100\n;@dialog click 1001\n;@dialog ok\n");
    Snapshot at100;
    at100.DoModal();
    // The channel runs from x = 86 to 274 for positions 10 to 100.
    int x50 = 86 + 188 * 40 / 90, x100 = 274;
    EXPECT_GT(count(at50.picture, {x50 - 1, 70, x50 + 2, 88}, isAccent), 30);
    EXPECT_EQ(count(at50.picture, {x100 - 1, 70, x100 + 2, 88}, isAccent), 0);
    EXPECT_GT(count(at100.picture, {x100 - 1, 70, x100 + 2, 88}, isAccent), 30);
    EXPECT_EQ(count(at100.picture, {x50 - 1, 70, x50 + 2, 88}, isAccent), 0);
}

TEST_F(UiTest, ChineseLabelsDrawTheirOwnGlyphs) {
    RECT label{140, 130, 270, 170};
    auto inkOf = [&](const wchar_t* text, CImage& into) {
        answers(L";@dialog click 1001\n;@dialog ok\n");
        Snapshot d;
        d.label = text;
        d.DoModal();
        into.Create(130, 40, 24);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 130; ++x) into.SetPixel(x, y, d.picture.GetPixel(label.left + x, label.top + y));
        return count(d.picture, label, isInk);
    };
    CImage empty, size, hole;
    EXPECT_EQ(inkOf(L"", empty), 0);
    int a = inkOf(L"尺寸", size), b = inkOf(L"网孔", hole);
    EXPECT_GT(a, 40);
    EXPECT_GT(b, 40);
    // Glyphs a font lacks would all draw the same box: these two words must differ.
    int differing = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 130; ++x) differing += isInk(size.GetPixel(x, y)) != isInk(hole.GetPixel(x, y));
    EXPECT_GT(differing, 40);
}
