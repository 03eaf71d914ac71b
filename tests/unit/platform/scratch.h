// A scratch folder for one test, removed afterwards; the registry is pointed into it so that tests
// never touch the user's own registry file.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cvx/registry.h"

class ScratchTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/cvx-platform-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        setenv("CURVIX_REGISTRY", (dir / "config" / "registry.reg").c_str(), 1);
        cvxRegistryReload();
    }
    void TearDown() override {
        cvxRegistryReload();
        std::filesystem::remove_all(dir);
    }

    static std::string readText(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void writeText(const std::filesystem::path& p, const std::string& text) {
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }

    std::filesystem::path dir;
};
