// Test helpers: a drawing built entity by entity, rendered to a PNG in a scratch folder and read back.
#pragma once

#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "cvx/dbents.h"
#include "cvx/render.h"
#include "unit/append_entity.h"

// A picture read back from a PNG file.
class Picture {
public:
    explicit Picture(const std::string& path) : mSurface(cairo_image_surface_create_from_png(path.c_str())) {}
    ~Picture() { cairo_surface_destroy(mSurface); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    bool ok() const { return cairo_surface_status(mSurface) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(mSurface); }
    int height() const { return cairo_image_surface_get_height(mSurface); }
    uint32_t at(int x, int y) const {  // 0xRRGGBB
        const unsigned char* row = cairo_image_surface_get_data(mSurface) + y * cairo_image_surface_get_stride(mSurface);
        return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
    }
    // Calls f(x, y) for every pixel of the colour.
    void forEach(uint32_t rgb, const std::function<void(int, int)>& f) const {
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (at(x, y) == rgb) f(x, y);
    }
    int count(uint32_t rgb) const {
        int n = 0;
        forEach(rgb, [&](int, int) { ++n; });
        return n;
    }

private:
    cairo_surface_t* mSurface;
};

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/cvx-render-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        db = std::make_unique<AcDbDatabase>(true, true);
        opt.width = 200;
        opt.height = 200;
        opt.antialias = false;
        opt.viewCenter = {0, 0};
        opt.viewHeight = 20;  // 10 pixels a unit, origin at pixel (100, 100)
    }
    void TearDown() override {
        db.reset();
        std::filesystem::remove_all(dir);
    }

    // Appends to a block record (model space by default); the entity is closed afterwards.
    AcDbObjectId add(AcDbEntity* e, AcDbObjectId block = AcDbObjectId()) { return appendEntity(*db, e, block); }
    AcDbObjectId newBlock(const ACHAR* name) {
        AcDbBlockTable* bt = nullptr;
        EXPECT_EQ(db->getBlockTable(bt, AcDb::kForWrite), Acad::eOk);
        auto* rec = new AcDbBlockTableRecord;
        rec->setName(name);
        AcDbObjectId id;
        EXPECT_EQ(bt->add(id, rec), Acad::eOk);
        rec->close();
        bt->close();
        return id;
    }
    AcDbObjectId newLayer(const ACHAR* name, int aci) {
        AcDbLayerTable* lt = nullptr;
        EXPECT_EQ(db->getLayerTable(lt, AcDb::kForWrite), Acad::eOk);
        auto* rec = new AcDbLayerTableRecord;
        rec->setName(name);
        AcCmColor c;
        c.setColorIndex(int16_t(aci));
        rec->setColor(c);
        AcDbObjectId id;
        EXPECT_EQ(lt->add(id, rec), Acad::eOk);
        rec->close();
        lt->close();
        return id;
    }
    template <typename T>
    T* colored(T* e, int aci) {
        e->setColorIndex(int16_t(aci));
        return e;
    }

    std::unique_ptr<Picture> png(const std::string& name = "out.png") {
        std::string path = (dir / name).string(), error;
        EXPECT_TRUE(cvxRenderToPng(db.get(), opt, path, &error)) << error;
        auto pic = std::make_unique<Picture>(path);
        EXPECT_TRUE(pic->ok());
        return pic;
    }

    static constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF,
                              kYellow = 0xFFFF00;
    std::filesystem::path dir;
    std::unique_ptr<AcDbDatabase> db;
    cvx::RenderOptions opt;
};
