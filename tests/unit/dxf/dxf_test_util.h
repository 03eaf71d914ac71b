// Helpers of the drawing-file tests: temporary folders, whole files, the independent reader.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cvx/dbents.h"

namespace dxftest {

inline std::filesystem::path tempDir() {
    static std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "cvx-dxf-XXXXXX").string();
        static char made[4096];  // plain storage: still there when the program's exit removes the folder
        std::snprintf(made, sizeof made, "%s", mkdtemp(pattern.data()));
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(made, ec);
        });
        return std::filesystem::path(made);
    }();
    return dir;
}

inline std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void writeAll(const std::filesystem::path& p, const std::string& s) {
    std::ofstream(p, std::ios::binary) << s;
}

// Runs a Python snippet with the system interpreter (which has ezdxf); the file path is sys.argv[1].
// Returns the script's output, and its exit status in status.
inline std::string python(const std::string& script, const std::filesystem::path& file, int& status) {
    std::filesystem::path py = tempDir() / "check.py";
    writeAll(py, script);
    std::string cmd = "/usr/bin/python3 " + py.string() + " '" + file.string() + "' 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    std::string out;
    char buf[4096];
    while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    status = pclose(p);
    return out;
}

// The audit of the independent reader: prints "errors=N fixes=M" and the messages.
inline const char* kAuditScript = R"(
import sys, ezdxf
from ezdxf import recover
doc, auditor = recover.readfile(sys.argv[1])
a = doc.audit()
errs = list(auditor.errors) + list(a.errors)
fixes = list(auditor.fixes) + list(a.fixes)
print("errors=%d fixes=%d" % (len(errs), len(fixes)))
for e in errs: print("E", e.message)
for f in fixes: print("F", f.message)
)";

}  // namespace dxftest
