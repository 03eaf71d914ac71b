// Every catalogue row, at its defaults and at its parameter extremes, in both output modes, against samples
// worked out independently from the catalogue table (formula_ref.py).
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cvx/wide.h"
#include "formula/catalogue.h"
#include "formula/generator.h"
#include "formula_fixture.h"

namespace {

struct RefSlot {
    int min, def, max;
    std::string label;
};
struct RefRow {
    int id;
    std::string label;
    std::vector<RefSlot> slots;
};
struct RefCurve {
    std::string polyKind, splineKind;
    bool closed;
    int colour;
    AcGeVector3d startTangent, endTangent;
    std::vector<AcGePoint3d> points;
    std::vector<int> dropped;  // samples a spline passes over (they repeat the one before)
};
struct RefCase {
    int row;  // 1-based
    std::array<int, 4> slots;
    AcGePoint3d origin;
    int surftab1;
    std::vector<RefCurve> curves;
    std::string name() const {
        std::ostringstream s;
        s << "row " << row << " slots " << slots[0] << "," << slots[1] << "," << slots[2] << "," << slots[3];
        return s.str();
    }
};
struct Reference {
    std::vector<RefRow> rows;
    std::vector<RefCase> cases;
};

std::string rest(std::istringstream& in) {
    std::string text;
    std::getline(in >> std::ws, text);
    return text;
}

const Reference& reference() {
    static const Reference ref = [] {
        Reference r;
        // One file per test process: ctest runs the cases of this program side by side.
        const std::string out = std::string(CVX_BINARY_DIR) + "/formula_ref_" + std::to_string(::getpid()) + ".txt";
        const std::string cmd = "/usr/bin/python3 " + std::string(CVX_SOURCE_DIR) +
                                "/tests/unit/formula/formula_ref.py " + out;
        if (std::system(cmd.c_str()) != 0) return r;
        std::ifstream file(out);
        std::string line;
        while (std::getline(file, line)) {
            std::istringstream in(line);
            std::string tag;
            in >> tag;
            if (tag == "row") {
                RefRow row;
                int number;
                in >> number >> row.id;
                row.label = rest(in);
                r.rows.push_back(row);
            } else if (tag == "slot") {
                RefSlot s;
                in >> s.min >> s.def >> s.max;
                s.label = rest(in);
                r.rows.back().slots.push_back(s);
            } else if (tag == "case") {
                RefCase c;
                int count;
                in >> c.row >> c.slots[0] >> c.slots[1] >> c.slots[2] >> c.slots[3] >> c.origin.x >> c.origin.y >>
                    c.origin.z >> c.surftab1 >> count;
                r.cases.push_back(c);
            } else if (tag == "curve") {
                RefCurve c;
                int closed, n;
                in >> c.polyKind >> c.splineKind >> closed >> c.colour >> n >> c.startTangent.x >> c.startTangent.y >>
                    c.startTangent.z >> c.endTangent.x >> c.endTangent.y >> c.endTangent.z;
                c.closed = closed != 0;
                for (int i = 0; i < n && std::getline(file, line); ++i) {
                    AcGePoint3d p;
                    std::istringstream(line) >> p.x >> p.y >> p.z;
                    c.points.push_back(p);
                }
                std::getline(file, line);
                std::istringstream drops(line);
                int count = 0;
                drops >> tag >> count;
                c.dropped.resize(count);
                for (int& i : c.dropped) drops >> i;
                r.cases.back().curves.push_back(c);
            }
        }
        std::remove(out.c_str());
        return r;
    }();
    return ref;
}

bool near(double expected, double actual) {
    return std::abs(expected - actual) <= 1e-9 * std::max(1.0, std::abs(expected));
}

// An empty string when the drawn entity is what the reference expects, else what differs.
std::string compare(const RefCurve& want, const Drawn& got, bool splineMode) {
    const std::string& kind = splineMode ? want.splineKind : want.polyKind;
    std::ostringstream why;
    if (got.kind != kind) return "kind " + got.kind + " instead of " + kind;
    std::vector<AcGePoint3d> expected = want.points;
    if (kind == "line") expected = {want.points.front(), want.points.back()};
    if (kind == "spline")
        for (auto i = want.dropped.rbegin(); i != want.dropped.rend(); ++i) expected.erase(expected.begin() + *i);
    if (got.points.size() != expected.size()) {
        why << got.points.size() << " points instead of " << expected.size();
        return why.str();
    }
    for (size_t i = 0; i < expected.size(); ++i) {
        const AcGePoint3d &e = expected[i], &a = got.points[i];
        if (!near(e.x, a.x) || !near(e.y, a.y) || !near(e.z, a.z)) {
            why.precision(17);
            why << "point " << i << " (" << a.x << ", " << a.y << ", " << a.z << ") instead of (" << e.x << ", " << e.y
                << ", " << e.z << ")";
            return why.str();
        }
    }
    if (kind == "lwpolyline" && got.closed != want.closed) return "closed flag differs";
    if (kind == "3dpolyline" && got.closed) return "3D polyline closed";
    const int colourIndex = want.colour == 1 ? 1 : 3;  // the tests' current colour is green
    if (got.color.colorIndex() != colourIndex) return "colour " + std::to_string(got.color.colorIndex());
    if (kind == "spline" && !want.startTangent.isZeroLength()) {
        if (got.startTangent.normal().dotProduct(want.startTangent.normal()) < 1 - 1e-9 ||
            got.endTangent.normal().dotProduct(want.endTangent.normal()) < 1 - 1e-9)
            return "end tangents differ";
    }
    return {};
}

class ReferenceTest : public FormulaTest {
protected:
    // Draws every reference case in one output mode; returns how many curves were compared.
    int drawAll(bool splineMode) {
        setSplineOutput(splineMode);
        AcCmColor green;
        green.setColorIndex(3);
        db->setCecolor(green);
        int compared = 0, failures = 0;
        for (const RefCase& c : reference().cases) {
            db->setSurftab1(static_cast<int16_t>(c.surftab1));
            AcDbObjectIdArray ids = drawFormulaCurve(c.row - 1, c.origin, formulaArguments(c.row - 1, c.slots));
            if (ids.length() != static_cast<int>(c.curves.size())) {
                ADD_FAILURE() << c.name() << ": " << ids.length() << " entities instead of " << c.curves.size();
                continue;
            }
            for (int k = 0; k < ids.length(); ++k) {
                const RefCurve& want = c.curves[k];
                if (splineMode && want.closed) continue;  // the closed spline form has a test of its own
                std::string why = compare(want, readDrawn(ids[k]), splineMode);
                ++compared;
                if (!why.empty() && ++failures <= 20) ADD_FAILURE() << c.name() << " curve " << k << ": " << why;
            }
            for (AcDbObjectId id : ids) {
                AcDbObjectPointer<AcDbEntity> e(id, AcDb::kForWrite);
                if (e) e->erase();
            }
        }
        return compared;
    }
};

}  // namespace

TEST(FormulaCatalogue, MatchesTheReferenceTable) {
    const Reference& ref = reference();
    ASSERT_EQ(ref.rows.size(), size_t(kFormulaRowCount)) << "formula_ref.py did not run";
    const FormulaCatalogue& english = englishFormulaCatalogue();
    const FormulaCatalogue& chinese = chineseFormulaCatalogue();
    for (int r = 0; r < kFormulaRowCount; ++r) {
        SCOPED_TRACE("row " + std::to_string(r + 1));
        EXPECT_EQ(cvxToUtf8(english[r].label), ref.rows[r].label);
        EXPECT_EQ(english[r].pictureId, ref.rows[r].id);
        EXPECT_EQ(chinese[r].pictureId, ref.rows[r].id);
        for (int k = 0; k < 4; ++k) {
            const FormulaParam& p = english[r].params[k];
            const RefSlot& s = ref.rows[r].slots[k];
            EXPECT_EQ(cvxToUtf8(p.label), s.label) << "slot " << k + 1;
            EXPECT_EQ(p.min, s.min) << "slot " << k + 1;
            EXPECT_EQ(p.defaultValue, s.def) << "slot " << k + 1;
            EXPECT_EQ(p.max, s.max) << "slot " << k + 1;
            EXPECT_EQ(chinese[r].params[k].label.empty(), p.label.empty());
            EXPECT_EQ(chinese[r].params[k].defaultValue, p.defaultValue);
        }
    }
}

TEST_F(ReferenceTest, PolylineModeMatchesEveryRow) {
    ASSERT_FALSE(reference().cases.empty()) << "formula_ref.py did not run";
    EXPECT_GT(drawAll(false), 500);
}

TEST_F(ReferenceTest, SplineModeMatchesEveryRow) {
    ASSERT_FALSE(reference().cases.empty()) << "formula_ref.py did not run";
    EXPECT_GT(drawAll(true), 500);
}
