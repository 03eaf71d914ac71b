// Runs tests/unit/curves/shapely_ref.py on a JSON input and returns its output lines.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "cvx/ge.h"

inline std::vector<std::string> runShapely(const std::string& mode, const std::string& json) {
    std::string in = "/tmp/cvx_curves_" + std::to_string(getpid()) + "_" + mode + ".json";
    std::ofstream(in) << json;
    std::string cmd = "/usr/bin/python3 " CVX_SOURCE_DIR "/tests/unit/curves/shapely_ref.py " + mode + " " + in;
    std::vector<std::string> lines;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[1 << 16];
        std::string cur;
        while (fgets(buf, sizeof buf, p)) {
            cur += buf;
            if (!cur.empty() && cur.back() == '\n') {
                cur.pop_back();
                lines.push_back(cur);
                cur.clear();
            }
        }
        pclose(p);
    }
    if (!getenv("CVX_KEEP_SHAPELY_INPUT")) std::remove(in.c_str());
    return lines;
}

inline std::string jsonPoints(const std::vector<AcGePoint2d>& pts) {
    std::string s = "[";
    char buf[64];
    for (size_t i = 0; i < pts.size(); ++i) {
        snprintf(buf, sizeof buf, "%s[%.17g,%.17g]", i ? "," : "", pts[i].x, pts[i].y);
        s += buf;
    }
    return s + "]";
}
