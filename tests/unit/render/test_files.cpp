// The picture files: SVG that an XML reader accepts, background and foreground colours, and bad requests.
#include <cstdio>
#include <fstream>

#include "picture.h"

namespace {
std::string run(const std::string& cmd) {
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    return out;
}
}  // namespace

TEST_F(RenderTest, SvgIsWellFormedXml) {
    add(colored(new AcDbCircle({0, 0, 0}, {0, 0, 1}, 5), 1));
    add(new AcDbText({-4, 0, 0}, L"A<&>\u4E2D", AcDbObjectId(), 2, 0));
    std::string path = (dir / "out.svg").string(), error;
    ASSERT_TRUE(cvxRenderToSvg(db.get(), opt, path, &error)) << error;
    std::string out = run("/usr/bin/python3 -c \"import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).getroot(); "
                          "print(r.tag.split('}')[-1], r.get('width'), r.get('height'), len(list(r.iter())))\" " + path);
    char tag[32] = {}, w[32] = {}, h[32] = {};
    int count = 0;
    ASSERT_EQ(std::sscanf(out.c_str(), "%31s %31s %31s %d", tag, w, h, &count), 4) << out;
    EXPECT_STREQ(tag, "svg");
    EXPECT_EQ(std::string(w), "200px");  // browsers take points as 4/3 of a pixel
    EXPECT_EQ(std::string(h), "200px");
    EXPECT_GT(count, 3);  // background, circle and text paths
}

TEST_F(RenderTest, ForegroundColourFollowsTheBackground) {
    add(new AcDbLine({-5, 0, 0}, {5, 0, 0}));  // layer 0, by layer: index 7
    opt.background = 0x212830;                // a dark window
    auto dark = png("dark.png");
    EXPECT_EQ(dark->at(0, 0), 0x212830u);
    EXPECT_EQ(dark->at(100, 100), kWhite);
    opt.background = 0xF0F0E0;
    auto light = png("light.png");
    EXPECT_EQ(light->at(0, 0), 0xF0F0E0u);
    EXPECT_EQ(light->at(100, 100), 0x000000u);

    // Without smoothing only the two colours occur; with it, the line's edges blend.
    add(new AcDbLine({-5, -5, 0}, {5, 3, 0}));
    int others = 0;
    auto sharp = png("sharp.png");
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) others += sharp->at(x, y) != 0xF0F0E0u && sharp->at(x, y) != 0;
    EXPECT_EQ(others, 0);
    opt.antialias = true;
    auto smooth = png("smooth.png");
    others = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) others += smooth->at(x, y) != 0xF0F0E0u && smooth->at(x, y) != 0;
    EXPECT_GT(others, 20);
}

TEST_F(RenderTest, BadRequestsFailWithAMessage) {
    std::string error, path = (dir / "x.png").string();
    opt.width = 0;
    EXPECT_FALSE(cvxRenderToPng(db.get(), opt, path, &error));
    EXPECT_NE(error.find("picture size"), std::string::npos);
    opt.width = 100;
    opt.viewHeight = std::nan("");
    EXPECT_FALSE(cvxRenderToSvg(db.get(), opt, path, &error));
    EXPECT_FALSE(error.empty());
    opt.viewHeight = 10;
    EXPECT_FALSE(cvxRenderToPng(nullptr, opt, path, &error));
    error.clear();
    EXPECT_FALSE(cvxRenderToPng(db.get(), opt, (dir / "missing" / "x.png").string(), &error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(path));
    // An empty drawing renders as plain background.
    opt.viewHeight = 0;
    ASSERT_TRUE(cvxRenderToPng(db.get(), opt, path, &error)) << error;
    Picture pic(path);
    EXPECT_EQ(pic.count(0x000000), 100 * 200);
}
