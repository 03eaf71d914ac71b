// Saving and loading a drawing of many circles, side by side with a minimal reference: the same circles
// formatted with std::to_chars and written with fwrite, and parsed back with std::from_chars. Optionally
// also the independent Python reader/writer (slow: run once). Prints medians and the peak memory per circle
// of a process that only loads the drawing, and the machine's load average (other work skews the times).
//
//   dxf_circles_bench [--count N] [--runs R] [--ezdxf] [--keep DIR (files are written there and kept)]
//   dxf_circles_bench --load-loop N FILE    loads FILE N times and prints each time (for a profiler)
//   dxf_circles_bench --save-loop N FILE    saves a drawing of a million circles as FILE N times
//   dxf_circles_bench --minimal-loop N FILE parses FILE N times with the minimal reader (for a profiler)
#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cvx/dbents.h"

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

double medianOf(std::vector<double> t) {
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

struct Circle {
    double x, y, z, r;
};

Circle circleAt(int i) {
    return {(i % 1000) * 1.37 + 0.123456789, (i / 1000) * 2.71 - 0.5, 0.0, 0.25 + (i % 7) * 0.125};
}

// ---- the minimal reference ----

void minimalWrite(const std::string& path, int count) {
    FILE* f = std::fopen(path.c_str(), "wb");
    static std::vector<char> buf(1 << 20);
    char* p = buf.data();
    auto put = [&](const char* s, size_t n) {
        std::memcpy(p, s, n);
        p += n;
    };
    auto real = [&](const char* code, double v) {
        put(code, 4);
        p = std::to_chars(p, p + 32, v).ptr;
        *p++ = '\n';
    };
    for (int i = 0; i < count; ++i) {
        if (p - buf.data() > static_cast<long>(buf.size()) - 512) {
            std::fwrite(buf.data(), 1, static_cast<size_t>(p - buf.data()), f);
            p = buf.data();
        }
        Circle c = circleAt(i);
        put("  0\nCIRCLE\n  5\n", 16);
        p = std::to_chars(p, p + 20, static_cast<uint64_t>(i + 0x100), 16).ptr;
        put("\n330\n1F\n100\nAcDbEntity\n  8\n0\n100\nAcDbCircle\n", 43);
        real(" 10\n", c.x);
        real(" 20\n", c.y);
        real(" 30\n", c.z);
        real(" 40\n", c.r);
    }
    put("  0\nEOF\n", 8);
    std::fwrite(buf.data(), 1, static_cast<size_t>(p - buf.data()), f);
    std::fclose(f);
}

size_t minimalRead(const std::string& path) {
    static std::string text;
    static std::vector<Circle> circles;
    FILE* f = std::fopen(path.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    text.resize(static_cast<size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    size_t got = std::fread(text.data(), 1, text.size(), f);
    std::fclose(f);
    circles.clear();
    const char* p = text.data();
    const char* end = p + got;
    Circle c{};
    while (p < end) {
        while (*p == ' ') ++p;
        int code = 0;
        p = std::from_chars(p, end, code).ptr + 1;
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!nl) break;
        switch (code) {
            case 0:
                if (nl - p == 6 && std::memcmp(p, "CIRCLE", 6) == 0) circles.emplace_back();
                break;
            case 10: std::from_chars(p, nl, c.x); break;
            case 20: std::from_chars(p, nl, c.y); break;
            case 30: std::from_chars(p, nl, c.z); break;
            case 40:
                std::from_chars(p, nl, c.r);
                if (!circles.empty()) circles.back() = c;
                break;
            default: break;
        }
        p = nl + 1;
    }
    return circles.size();
}

// ---- the host ----

void buildDrawing(AcDbDatabase& db, int count) {
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
    for (int i = 0; i < count; ++i) {
        Circle c = circleAt(i);
        auto* e = new AcDbCircle(AcGePoint3d(c.x, c.y, c.z), AcGeVector3d(0, 0, 1), c.r);
        ms->appendAcDbEntity(e);
        e->close();
    }
    ms->close();
}

size_t hostLoad(const std::string& path, AcDbDatabase& db) {
    std::wstring w(path.begin(), path.end());
    if (db.readDxfFile(w.c_str()) != Acad::eOk) {
        std::fprintf(stderr, "load failed: %ls\n", db.lastErrorText().c_str());
        std::exit(1);
    }
    return AcDbBlockTableRecord::cast(db.modelSpaceId().objectPtr())->entityIds().size();
}

// Median seconds of loading the file into a new database, and of closing that database (freeing every
// object) afterwards: the two are timed apart.
// Rounds of saving, then rounds of loading, each with the host and then the minimal reference, so that both see
// the machine in the same state; the medians over the rounds are compared.
struct Rounds {
    double hostSave, hostLoad, hostClose, minWrite, minRead;
    size_t loaded, parsed;
};
Rounds runRounds(AcDbDatabase& db, const std::string& hostFile, const std::string& minFile, int count, int runs) {
    std::vector<double> saves, loads, closes, minWrites, minReads;
    Rounds r{};
    const std::wstring w(hostFile.begin(), hostFile.end());
    for (int i = 0; i < runs; ++i) {
        auto a = Clock::now();
        db.dxfOut(w.c_str());
        saves.push_back(seconds(a, Clock::now()));
        a = Clock::now();
        minimalWrite(minFile, count);
        minWrites.push_back(seconds(a, Clock::now()));
    }
    sync();  // the files written are on disk before the reading rounds start
    for (int i = 0; i < runs; ++i) {
        auto loadedDb = std::make_unique<AcDbDatabase>(false);
        auto a = Clock::now();
        r.loaded = hostLoad(hostFile, *loadedDb);
        auto b = Clock::now();
        loadedDb.reset();
        loads.push_back(seconds(a, b));
        closes.push_back(seconds(b, Clock::now()));
        a = Clock::now();
        r.parsed = minimalRead(minFile);
        minReads.push_back(seconds(a, Clock::now()));
    }
    r.hostSave = medianOf(saves);
    r.hostLoad = medianOf(loads);
    r.hostClose = medianOf(closes);
    r.minWrite = medianOf(minWrites);
    r.minRead = medianOf(minReads);
    return r;
}

// Peak memory of a fresh process that only loads the file, in bytes.
long loadOnlyPeak(const char* self, const std::string& path) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    std::string selfPath = self;
    char* argv[] = {selfPath.data(), const_cast<char*>("--load-only"), const_cast<char*>(path.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv, environ) != 0) return -1;
    close(fds[1]);
    char buf[64] = {};
    ssize_t n = read(fds[0], buf, sizeof buf - 1);
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    return n > 0 ? std::atol(buf) : -1;
}

double pythonSeconds(const std::string& script) {
    FILE* p = popen(("/usr/bin/python3 -c \"" + script + "\"").c_str(), "r");
    char buf[128] = {};
    size_t n = std::fread(buf, 1, sizeof buf - 1, p);
    pclose(p);
    return n ? std::atof(buf) : -1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--load-only") == 0) {
        AcDbDatabase db(false);
        hostLoad(argv[2], db);
        // The high-water mark of this process's memory (getrusage would carry the parent's over exec).
        FILE* f = std::fopen("/proc/self/status", "r");
        char line[256];
        long kb = -1;
        while (f && std::fgets(line, sizeof line, f))
            if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::atol(line + 6);
        if (f) std::fclose(f);
        std::printf("%ld\n", kb * 1024L);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--load-loop") == 0) {
        for (int i = 0, n = std::atoi(argv[2]); i < n; ++i) {
            rusage before{}, after{};
            getrusage(RUSAGE_SELF, &before);
            auto db = std::make_unique<AcDbDatabase>(false);
            auto a = Clock::now();
            hostLoad(argv[3], *db);
            double t = seconds(a, Clock::now());
            db.reset();
            getrusage(RUSAGE_SELF, &after);
            auto cpu = [](const rusage& r) {
                return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
                       static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) * 1e-6;
            };
            std::printf("load %d: %.3f s (cpu %.3f s), %ld page faults\n", i + 1, t, cpu(after) - cpu(before),
                        after.ru_minflt - before.ru_minflt);
        }
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--minimal-loop") == 0) {
        for (int i = 0, n = std::atoi(argv[2]); i < n; ++i) std::printf("parsed %zu\n", minimalRead(argv[3]));
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--save-loop") == 0) {
        AcDbDatabase db;
        buildDrawing(db, 1000000);
        std::string path = argv[3];
        std::wstring w(path.begin(), path.end());
        for (int i = 0, n = std::atoi(argv[2]); i < n; ++i) {
            auto a = Clock::now();
            db.dxfOut(w.c_str());
            std::printf("save %d: %.3f s\n", i + 1, seconds(a, Clock::now()));
        }
        return 0;
    }
    int count = 1000000, runs = 5;
    bool ezdxf = false;
    std::string dir = "/tmp";
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--count" && i + 1 < argc) count = std::atoi(argv[++i]);
        else if (a == "--runs" && i + 1 < argc) runs = std::atoi(argv[++i]);
        else if (a == "--ezdxf") ezdxf = true;
        else if (a == "--keep" && i + 1 < argc) dir = argv[++i], keep = true;
    }
    std::string hostFile = dir + "/cvx-bench-host.dxf", minFile = dir + "/cvx-bench-min.dxf";
    AcDbDatabase db;
    buildDrawing(db, count);
    const Rounds r = runRounds(db, hostFile, minFile, count, runs);
    long peak = loadOnlyPeak(argv[0], hostFile);

    double load[3] = {-1, -1, -1};
    getloadavg(load, 3);
    std::printf("%d circles, median of %d rounds (load average %.2f %.2f %.2f)\n", count, runs, load[0], load[1], load[2]);
    std::printf("%-28s %10s %8s\n", "", "seconds", "ratio");
    std::printf("%-28s %10.3f %8.2f\n", "host save", r.hostSave, r.hostSave / r.minWrite);
    std::printf("%-28s %10.3f %8.2f\n", "host load", r.hostLoad, r.hostLoad / r.minRead);
    std::printf("%-28s %10.3f\n", "host close (frees it all)", r.hostClose);
    std::printf("%-28s %10.3f\n", "minimal write (to_chars)", r.minWrite);
    std::printf("%-28s %10.3f\n", "minimal read (from_chars)", r.minRead);
    if (ezdxf) {
        std::string n = std::to_string(count);
        std::string ezFile = dir + "/cvx-bench-ezdxf.dxf";
        double ew = pythonSeconds("import time, ezdxf\ndoc = ezdxf.new('R2000')\nm = doc.modelspace()\n"
                                  "for i in range(" + n + "): m.add_circle(((i%1000)*1.37+0.123456789, (i//1000)*2.71-0.5), 0.25+(i%7)*0.125)\n"
                                  "t = time.time()\ndoc.saveas('" + ezFile + "')\nprint(time.time() - t)");
        double er = pythonSeconds("import time, ezdxf\nt = time.time()\nezdxf.readfile('" + hostFile +
                                  "')\nprint(time.time() - t)");
        std::printf("%-28s %10.3f\n", "ezdxf write", ew);
        std::printf("%-28s %10.3f\n", "ezdxf read", er);
    }
    std::printf("%-28s %10.1f bytes (load-only process)\n", "peak memory per circle",
                peak > 0 ? static_cast<double>(peak) / count : -1.0);
    if (r.loaded != static_cast<size_t>(count) || r.parsed != static_cast<size_t>(count))
        std::printf("warning: loaded %zu and parsed %zu circles\n", r.loaded, r.parsed);
    if (!keep) {
        std::remove(hostFile.c_str());
        std::remove(minFile.c_str());
    }
    return 0;
}
