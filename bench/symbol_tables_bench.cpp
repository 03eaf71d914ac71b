// Opening drawings with many table records beside drawings of as many circles: N layers (each with a circle
// on it), N blocks (each inserted once) and N circles on one layer, at N = 1,000 / 10,000 / 100,000. Finding
// a record by name is a hash look-up, so all three grow linearly with N. Prints the median of three reads.
//
//   symbol_tables_bench [--max N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "cvx/dbents.h"
#include "cvx/wide.h"

namespace {
using Clock = std::chrono::steady_clock;

enum Kind { kCircles, kLayers, kBlocks };

// A drawing file in the R12 layout (names only, no handles): what other programs write for such drawings.
std::string drawing(Kind kind, int n) {
    std::string s = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n";
    auto circle = [&](const std::string& layer, int i) {
        s += "0\nCIRCLE\n8\n" + layer + "\n10\n" + std::to_string(i % 1000) + "\n20\n" + std::to_string(i / 1000) +
             "\n30\n0\n40\n0.4\n";
    };
    if (kind == kLayers) {
        s += "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n" + std::to_string(n) + "\n";
        for (int i = 0; i < n; ++i) s += "0\nLAYER\n2\nL" + std::to_string(i) + "\n70\n0\n62\n" + std::to_string(1 + i % 200) + "\n6\nCONTINUOUS\n";
        s += "0\nENDTAB\n0\nENDSEC\n";
    }
    if (kind == kBlocks) {
        s += "0\nSECTION\n2\nBLOCKS\n";
        for (int i = 0; i < n; ++i) {
            std::string name = "B" + std::to_string(i);
            s += "0\nBLOCK\n8\n0\n2\n" + name + "\n70\n0\n10\n0\n20\n0\n30\n0\n3\n" + name + "\n";
            circle("0", i);
            s += "0\nENDBLK\n8\n0\n";
        }
        s += "0\nENDSEC\n";
    }
    s += "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < n; ++i) {
        if (kind == kBlocks)
            s += "0\nINSERT\n8\n0\n2\nB" + std::to_string(i) + "\n10\n" + std::to_string(i % 1000) + "\n20\n" +
                 std::to_string(i / 1000) + "\n30\n0\n";
        else circle(kind == kLayers ? "L" + std::to_string(i) : std::string("0"), i);
    }
    s += "0\nENDSEC\n0\nEOF\n";
    return s;
}

double readSeconds(const std::string& path) {
    std::vector<double> t;
    for (int run = 0; run < 3; ++run) {
        AcDbDatabase db(false);
        auto a = Clock::now();
        if (db.readDxfFile(cvxFromUtf8(path).c_str()) != Acad::eOk) {
            std::fprintf(stderr, "cannot read %s: %s\n", path.c_str(), cvxToUtf8(db.lastErrorText()).c_str());
            std::exit(1);
        }
        t.push_back(std::chrono::duration<double>(Clock::now() - a).count());
    }
    std::sort(t.begin(), t.end());
    return t[1];
}
}  // namespace

int main(int argc, char** argv) {
    int max = 100000;
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--max")) max = std::atoi(argv[i + 1]);
    std::string dir = "/tmp/cvx_symtab_bench_" + std::to_string(getpid());
    std::string mk = "mkdir -p " + dir;
    if (std::system(mk.c_str()) != 0) return 1;
    std::printf("%10s %12s %12s %12s   (seconds to open, median of 3)\n", "N", "circles", "layers", "blocks");
    for (int n = 1000; n <= max; n *= 10) {
        double t[3];
        for (int k = 0; k < 3; ++k) {
            std::string path = dir + "/d" + std::to_string(k) + ".dxf";
            std::string text = drawing(Kind(k), n);
            FILE* f = std::fopen(path.c_str(), "wb");
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
            t[k] = readSeconds(path);
            std::remove(path.c_str());
        }
        std::printf("%10d %12.4f %12.4f %12.4f\n", n, t[0], t[1], t[2]);
    }
    ::rmdir(dir.c_str());
    return 0;
}
