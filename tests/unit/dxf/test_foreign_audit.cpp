// Drawings of the librecad-data library read by the host and by an independent reader (ezdxf), compared
// entity for entity: type, layer, colour, linetype, geometry and text. A fixed sample runs as a test; with
// CVX_AUDIT_ALL=1 in the environment every drawing of the library is compared and a table of the differences
// is printed (scripts/audit_library.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

#include "cvx/dbents.h"
#include "cvx/wide.h"
#include "dxf_test_util.h"

namespace {
const char* kLibrary = "/usr/share/librecad/library";

using Fields = std::map<std::string, std::string>;   // key -> value
using Entities = std::map<std::string, Fields>;      // handle -> fields

std::string nums(std::initializer_list<double> v) {
    std::ostringstream s;
    s.precision(17);
    bool first = true;
    for (double x : v) {
        s << (first ? "" : " ") << x;
        first = false;
    }
    return s.str();
}

std::string colorText(const AcCmColor& c) {
    if (c.isByColor()) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "rgb %06X", static_cast<unsigned>(c.rgb() & 0xFFFFFF));
        return buf;
    }
    if (c.isByBlock()) return "0";
    if (c.isByACI()) return std::to_string(c.colorIndex());
    return "256";
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The largest loop of a hatch, as the reference measures it.
double largestLoop(const AcDbHatch& h) {
    double best = 0;
    for (int i = 0; i < h.numLoops(); ++i) {
        auto pts = h.loopOutline(i, 1e-4);
        double a = 0;
        for (size_t k = 0; k < pts.size(); ++k) {
            const auto& p = pts[k];
            const auto& q = pts[(k + 1) % pts.size()];
            a += p.x * q.y - q.x * p.y;
        }
        best = std::max(best, std::fabs(a) / 2);
    }
    return best;
}

Fields fieldsOf(const AcDbEntity* e) {
    Fields f;
    f["type"] = cvxToUtf8(e->dxfTypeName());
    f["layer"] = cvxToUtf8(e->layer());
    f["color"] = colorText(e->color());
    f["linetype"] = upper(cvxToUtf8(e->linetype()));
    if (auto* l = AcDbLine::cast(e)) {
        auto a = l->startPoint(), b = l->endPoint();
        f["geom"] = nums({a.x, a.y, a.z, b.x, b.y, b.z});
    } else if (auto* c = AcDbCircle::cast(e)) {
        f["geom"] = nums({c->center().x, c->center().y, c->center().z, c->radius()});
    } else if (auto* a = AcDbArc::cast(e)) {
        f["geom"] = nums({a->center().x, a->center().y, a->center().z, a->radius()});
    } else if (auto* p = AcDbPoint::cast(e)) {
        f["geom"] = nums({p->position().x, p->position().y, p->position().z});
    } else if (auto* el = AcDbEllipse::cast(e)) {
        auto c = el->center();
        auto m = el->majorAxis();
        f["geom"] = nums({c.x, c.y, c.z, m.x, m.y, m.z, el->radiusRatio()});
    } else if (auto* pl = AcDbPolyline::cast(e)) {
        AcGePoint2d a, b;
        unsigned n = pl->numVerts();
        if (n) {
            pl->getPointAt(0, a);
            pl->getPointAt(n - 1, b);
            f["geom"] = nums({double(n), a.x, a.y, b.x, b.y});
        } else {
            f["geom"] = nums({0});
        }
    } else if (auto* s = AcDbSpline::cast(e)) {
        AcGePoint3d a, b;
        if (s->getStartPoint(a) == Acad::eOk && s->getEndPoint(b) == Acad::eOk)
            f["geom"] = nums({a.x, a.y, a.z, b.x, b.y, b.z});
    } else if (auto* t = AcDbText::cast(e)) {
        f["geom"] = nums({t->position().x, t->position().y, t->position().z, t->height()});
        f["text"] = cvxToUtf8(t->textStringConst());
    } else if (auto* mt = AcDbMText::cast(e)) {
        f["geom"] = nums({mt->location().x, mt->location().y, mt->location().z});
        std::wstring joined;
        auto lines = mt->plainLines();
        for (size_t i = 0; i < lines.size(); ++i) joined += (i ? L"\\n" : L"") + lines[i];
        f["text"] = cvxToUtf8(joined);
    } else if (auto* r = AcDbBlockReference::cast(e)) {
        f["geom"] = nums({r->position().x, r->position().y, r->position().z});
        if (auto* btr = AcDbBlockTableRecord::cast(r->blockTableRecord().objectPtr())) f["text"] = cvxToUtf8(btr->name());
    } else if (auto* h = AcDbHatch::cast(e)) {
        f["geom"] = nums({double(h->numLoops()), largestLoop(*h)});
    }
    return f;
}

Entities hostReading(const std::filesystem::path& file, std::string& error) {
    Entities out;
    AcDbDatabase db(false);
    if (db.readDxfFile(file.wstring().c_str()) != Acad::eOk) {
        error = std::string(db.lastErrorText().begin(), db.lastErrorText().end());
        return out;
    }
    auto* blocks = AcDbBlockTable::cast(db.blockTableId().objectPtr());
    for (AcDbObjectId b : blocks->recordIds()) {
        auto* btr = AcDbBlockTableRecord::cast(b.objectPtr());
        for (AcDbObjectId id : btr->entityIds()) {
            auto* e = AcDbEntity::cast(id.objectPtr());
            if (!e || id.isErased()) continue;
            ACHAR buf[20];
            e->handle().getIntoAsciiBuffer(buf, 17);
            out[cvxToUtf8(buf)] = fieldsOf(e);
        }
    }
    return out;
}

bool sameNumbers(const std::string& a, const std::string& b, double relTol) {
    std::istringstream sa(a), sb(b);
    double x, y;
    while (sa >> x) {
        if (!(sb >> y)) return false;
        double scale = std::max({1.0, std::fabs(x), std::fabs(y)});
        if (std::fabs(x - y) > relTol * scale) return false;
    }
    return !(sb >> y);
}

// Differences per field; `example` keeps the first of each.
struct Tally {
    std::map<std::string, int> entities, files;
    std::map<std::string, std::string> example;
    int compared = 0, drawings = 0, unread = 0;
};

void compare(const std::string& path, const Entities& mine, const Entities& theirs, Tally& t) {
    std::map<std::string, bool> inFile;
    auto differ = [&](const std::string& key, const std::string& what) {
        ++t.entities[key];
        inFile[key] = true;
        if (!t.example.count(key)) t.example[key] = path + ": " + what;
    };
    for (const auto& [handle, ref] : theirs) {
        auto it = mine.find(handle);
        ++t.compared;
        if (it == mine.end()) {
            differ("missing", handle + " " + ref.at("type"));
            continue;
        }
        for (const auto& [key, value] : ref) {
            auto got = it->second.find(key);
            std::string have = got == it->second.end() ? "(none)" : got->second;
            bool same = key == "geom" ? sameNumbers(value, have, ref.at("type") == "HATCH" ? 2e-3 : 1e-6)
                                      : value == have;
            if (!same) differ(key, handle + " " + ref.at("type") + " " + key + ": reference \"" + value +
                                       "\", host \"" + have + "\"");
        }
    }
    for (const auto& [key, _] : inFile) ++t.files[key];
}

Tally audit(const std::vector<std::filesystem::path>& files) {
    Tally t;
    auto list = dxftest::tempDir() / "audit-list.txt";
    std::string text;
    for (const auto& f : files) text += f.string() + "\n";
    dxftest::writeAll(list, text);
    auto dump = dxftest::tempDir() / "audit-reference.tsv";
    std::string cmd = "/usr/bin/python3 '" CVX_SOURCE_DIR "/tools/dxf_reference_dump.py' '" + list.string() + "' > '" +
                      dump.string() + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    std::map<std::string, Entities> reference;
    std::istringstream in(dxftest::readAll(dump));
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cols;
        size_t at = 0;
        for (int i = 0; i < 3; ++i) {
            size_t tab = line.find('\t', at);
            cols.push_back(line.substr(at, tab - at));
            at = tab == std::string::npos ? line.size() : tab + 1;
        }
        cols.push_back(line.substr(at));
        if (cols[1] == "-") reference[cols[0]];  // the reference could not read it
        else reference[cols[0]][cols[1]][cols[2]] = cols[3];
    }
    for (const auto& f : files) {
        auto ref = reference.find(f.string());
        if (ref == reference.end() || ref->second.empty()) continue;
        std::string error;
        Entities mine = hostReading(f, error);
        ++t.drawings;
        if (!error.empty()) {
            ++t.unread;
            t.example.emplace("unread", f.string() + ": " + error);
            continue;
        }
        compare(f.string(), mine, ref->second, t);
    }
    return t;
}

std::vector<std::filesystem::path> library() {
    std::vector<std::filesystem::path> files;
    for (auto& e : std::filesystem::recursive_directory_iterator(kLibrary))
        if (e.path().extension() == ".dxf") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}
}  // namespace

TEST(ForeignAudit, LibraryDrawingsReadAsTheReferenceReadsThem) {
    if (!std::filesystem::exists(kLibrary)) GTEST_SKIP() << "librecad-data is not installed";
    std::vector<std::filesystem::path> all = library(), sample;
    ASSERT_GT(all.size(), 1000u);
    bool whole = std::getenv("CVX_AUDIT_ALL") != nullptr;
    if (whole) {
        sample = all;
    } else {
        // Every 45th drawing, and the title sheet whose centre marks are hatches of unchained edges.
        for (size_t i = 0; i < all.size(); i += 45) sample.push_back(all[i]);
        sample.push_back(std::filesystem::path(kLibrary) / "misc/a3.dxf");
    }
    Tally t = audit(sample);
    std::ostringstream table;
    table << "drawings " << t.drawings << ", entities " << t.compared << ", not read " << t.unread << "\n";
    table << "| field | entities differing | drawings |\n|---|---|---|\n";
    for (const char* key : {"missing", "type", "layer", "color", "linetype", "geom", "text"})
        table << "| " << key << " | " << t.entities[key] << " | " << t.files[key] << " |\n";
    for (const auto& [key, ex] : t.example) table << key << ": " << ex << "\n";
    std::printf("%s", table.str().c_str());
    EXPECT_GT(t.compared, whole ? 50000 : 1000);
    EXPECT_EQ(t.unread, 0) << table.str();
    for (const char* key : {"missing", "type", "layer", "color", "linetype", "geom", "text"})
        EXPECT_EQ(t.entities[key], 0) << key << "\n" << table.str();
}

TEST(ForeignAudit, SplineWrittenWithFitPointsOnlyGetsItsCurve) {
    // As the independent writer stores it: fit points and no control points, in a folder named in Chinese.
    auto dir = dxftest::tempDir() / "样条 曲线";
    std::filesystem::create_directories(dir);
    auto file = dir / "fit-only.dxf";
    int status = 0;
    std::string out = dxftest::python(R"(
import sys, ezdxf
doc = ezdxf.new("R2010")
doc.modelspace().add_spline(fit_points=[(0, 0), (10, 10), (20, 0), (30, 10)])
doc.saveas(sys.argv[1])
)", file, status);
    ASSERT_EQ(status, 0) << out;
    std::string text = dxftest::readAll(file);
    size_t spline = text.find("AcDbSpline");
    ASSERT_NE(spline, std::string::npos);
    std::string data = text.substr(spline, text.find("ENDSEC", spline) - spline);
    ASSERT_EQ(data.find("\n 10\n"), std::string::npos) << "the file should hold no control points";
    AcDbDatabase db(false);
    ASSERT_EQ(db.readDxfFile(cvxFromUtf8(file.string()).c_str()), Acad::eOk);
    auto* model = AcDbBlockTableRecord::cast(db.modelSpaceId().objectPtr());
    ASSERT_EQ(model->entityIds().size(), 1u);
    auto* s = AcDbSpline::cast(model->entityIds()[0].objectPtr());
    ASSERT_NE(s, nullptr);
    EXPECT_GT(s->numControlPoints(), 3);
    AcGePoint3d a, b, mid;
    ASSERT_EQ(s->getStartPoint(a), Acad::eOk);
    ASSERT_EQ(s->getEndPoint(b), Acad::eOk);
    EXPECT_TRUE(a.isEqualTo({0, 0, 0}));
    EXPECT_TRUE(b.isEqualTo({30, 10, 0}));
    double end = 0, length = 0;
    ASSERT_EQ(s->getEndParam(end), Acad::eOk);
    ASSERT_EQ(s->getDistAtParam(end, length), Acad::eOk);
    EXPECT_GT(length, 3 * std::sqrt(200.0));  // longer than the chords through the fit points
    ASSERT_EQ(s->getClosestPointTo({10, 10, 0}, mid), Acad::eOk);
    EXPECT_LT(mid.distanceTo({10, 10, 0}), 1e-6);  // it runs through them
}
