// A fresh drawing, editor and registry for each test of the module's frame; answers come as script text.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cvx/registry.h"
#include "cvx/wide.h"
#include "frame/language.h"
#include "unit/drawing_fixture.h"

class FrameTest : public DrawingTest {
protected:
    void SetUp() override {
        registryFile = std::filesystem::temp_directory_path() /
                       ("curvix-frame-test-" + std::to_string(::getpid()) + ".reg");
        std::filesystem::remove(registryFile);
        ::setenv("CURVIX_REGISTRY", registryFile.c_str(), 1);
        cvxRegistryReload();
        DrawingTest::SetUp();
        setChineseLanguage(false);
    }
    void TearDown() override {
        setChineseLanguage(false);
        DrawingTest::TearDown();
        std::filesystem::remove(registryFile);
        cvxRegistryReload();
    }

    std::filesystem::path registryFile;
};
