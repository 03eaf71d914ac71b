// The PLYH engine on many dense polylines: thinning plain point lists, and the whole optimisation of
// database polylines (read, thin, new polyline appended, source erased). Side by side with a reference that
// only reads the same polylines' vertices, so the engine's own share shows. Prints medians of the runs.
//
//   plyh_bench [--polylines N] [--vertices V] [--runs R]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "cvx/arx.h"
#include "polyline/optimize.h"
#include "polyline/polyline_points.h"
#include "polyline/thinning.h"
#include "polyline/vertex_counters.h"

namespace {
using Clock = std::chrono::steady_clock;

template <typename Fn>
double median(int runs, Fn fn) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        auto a = Clock::now();
        fn(i);
        t.push_back(std::chrono::duration<double>(Clock::now() - a).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// A wavy, slightly noisy trace such as a digitised contour: 1 unit between vertices.
std::vector<AcGePoint3d> trace(int index, int vertices, std::mt19937& rng) {
    std::normal_distribution<double> noise(0, 0.02);
    std::vector<AcGePoint3d> pts;
    pts.reserve(static_cast<size_t>(vertices));
    const double y0 = index * 50.0;
    for (int i = 0; i < vertices; ++i)
        pts.emplace_back(i, y0 + 10 * std::sin(i * 0.03 + index) + noise(rng), 0);
    return pts;
}

std::vector<AcDbObjectId> addPolylines(AcDbDatabase& db, const std::vector<std::vector<AcGePoint3d>>& traces) {
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
    std::vector<AcDbObjectId> ids;
    for (const auto& t : traces) {
        auto* pl = new AcDbPolyline(static_cast<unsigned>(t.size()));
        for (const AcGePoint3d& p : t) pl->addVertexAt(pl->numVerts(), AcGePoint2d(p.x, p.y));
        AcDbObjectId id;
        ms->appendAcDbEntity(id, pl);
        pl->close();
        ids.push_back(id);
    }
    ms->close();
    return ids;
}

}  // namespace

int main(int argc, char** argv) {
    int count = 10000, vertices = 1000, runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--polylines")) count = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--vertices")) vertices = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--runs")) runs = std::atoi(argv[i + 1]);
    }
    if (count < 1 || vertices < 2 || runs < 1) {
        std::fprintf(stderr, "plyh_bench: counts must be positive (vertices at least 2)\n");
        return 2;
    }
    std::mt19937 rng(7);
    std::vector<std::vector<AcGePoint3d>> traces;
    for (int i = 0; i < count; ++i) traces.push_back(trace(i, vertices, rng));
    // The size of reference of one trace (PLYH run on one polyline at a time), so the limits bite as in use.
    const double scale = std::hypot(vertices, 20.0);
    const ThinningLimits limits = thinningLimits(scale, 0.5);

    size_t kept = 0;
    const double thin = median(runs, [&](int) {
        kept = 0;
        for (const auto& t : traces) kept += thinPoints(t, limits).size();
    });

    // Each run works on a fresh drawing, since optimising erases the sources.
    std::vector<std::unique_ptr<AcDbDatabase>> dbs;
    std::vector<std::vector<AcDbObjectId>> ids;
    for (int r = 0; r < runs; ++r) {
        dbs.push_back(std::make_unique<AcDbDatabase>(true));
        acdbHostApplicationServices()->setWorkingDatabase(dbs.back().get());
        ids.push_back(addPolylines(*dbs.back(), traces));
    }
    size_t read = 0;
    const double reference = median(runs, [&](int r) {
        read = 0;
        for (AcDbObjectId id : ids[static_cast<size_t>(r)]) {
            AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
            read += readPolylinePoints(e.object()).points.size();
        }
    });
    const double whole = median(runs, [&](int r) {
        acdbHostApplicationServices()->setWorkingDatabase(dbs[static_cast<size_t>(r)].get());
        vertexCounters() = {};
        for (AcDbObjectId id : ids[static_cast<size_t>(r)]) {
            AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForRead);
            AcDbObjectId made;
            optimizePolyline(made, nullptr, e.object(), scale, 0.5);
        }
    });
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);

    std::printf("%d polylines x %d vertices, median of %d runs\n", count, vertices, runs);
    std::printf("  reference: read the vertices       %8.3f s  (%zu vertices)\n", reference, read);
    std::printf("  thinPoints on plain point lists    %8.3f s  (%zu kept, %.1f%%)\n", thin, kept,
                100.0 * static_cast<double>(kept) / (static_cast<double>(count) * vertices));
    std::printf("  optimizePolyline on the database   %8.3f s  (%.2f us per polyline, %d -> %d vertices)\n", whole,
                whole / count * 1e6, vertexCounters().before, vertexCounters().after);
    return 0;
}
