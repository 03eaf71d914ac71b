// Files are read a window at a time: what is read must not depend on where the windows fall.
#include <gtest/gtest.h>

#include <algorithm>

#include "cvx/dbents.h"
#include "dxf/dxf_error.h"
#include "dxf/memory_text.h"
#include "dxf/reader.h"
#include "dxf_test_util.h"

namespace {
// Some 6 MB: circles before and after a spline whose single element is larger than a window.
std::string largeDrawing() {
    AcDbDatabase db;
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
    auto circles = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            auto* c = new AcDbCircle(AcGePoint3d(i * 0.5, -i * 0.25, 0), AcGeVector3d(0, 0, 1), 1 + i % 5);
            ms->appendAcDbEntity(c);
            c->close();
        }
    };
    circles(0, 20000);
    AcGePoint3dArray ctrl;
    AcGeDoubleArray knots, weights;
    const int n = 60000;
    for (int i = 0; i < n; ++i) ctrl.append(AcGePoint3d(i, (i * 7919) % 1000 * 0.001, 0));
    for (int i = 0; i < n + 4; ++i) knots.append(std::clamp(i - 3, 0, n - 3));
    auto* spline = new AcDbSpline(3, false, false, false, ctrl, knots, weights);
    ms->appendAcDbEntity(spline);
    spline->close();
    circles(20000, 40000);
    ms->close();
    auto path = dxftest::tempDir() / "large.dxf";
    EXPECT_EQ(db.dxfOut(path.wstring().c_str()), Acad::eOk);
    return dxftest::readAll(path);
}

struct Summary {
    size_t entities = 0;
    int splinePoints = 0;
    AcGePoint3d lastSplinePoint, lastCentre;
    std::string error;
};

Summary readFile(const std::string& text) {
    auto path = dxftest::tempDir() / "windows.dxf";
    dxftest::writeAll(path, text);
    AcDbDatabase db(false);
    Summary s;
    if (db.readDxfFile(path.wstring().c_str()) != Acad::eOk) {
        for (wchar_t c : db.lastErrorText()) s.error += static_cast<char>(c);
        s.error = s.error.substr(s.error.find(": ") + 2);  // without the path
        return s;
    }
    auto* ms = AcDbBlockTableRecord::cast(db.modelSpaceId().objectPtr());
    s.entities = ms->entityIds().size();
    for (AcDbObjectId id : ms->entityIds()) {
        if (auto* sp = AcDbSpline::cast(id.objectPtr())) {
            s.splinePoints = sp->numControlPoints();
            sp->getControlPointAt(s.splinePoints - 1, s.lastSplinePoint);
        }
        if (auto* c = AcDbCircle::cast(id.objectPtr())) s.lastCentre = c->center();
    }
    return s;
}

std::string readText(const std::string& text) {
    AcDbDatabase db(false);
    try {
        dxfReadDatabase(text, db);
    } catch (const DxfError& e) {
        return e.message;
    }
    return {};
}

// The error, or the entity counts per block, of reading through windows of `window` bytes (0: whole).
std::string readInWindows(const std::string& text, size_t window) {
    AcDbDatabase db(false);
    DxfMemoryText source(text);
    try {
        if (window) dxfReadDatabase(source, db, window);
        else dxfReadDatabase(text, db);
    } catch (const DxfError& e) {
        return e.message;
    }
    std::string counts;
    for (AcDbObjectId b : AcDbBlockTable::cast(db.blockTableId().objectPtr())->recordIds())
        counts += std::to_string(AcDbBlockTableRecord::cast(b.objectPtr())->entityIds().size()) + " ";
    return counts + std::to_string(db.handseed().value());
}
}  // namespace

TEST(DxfFileWindows, LargeElementsLineEndsAndDamageDeepInAFile) {
    const std::string text = largeDrawing();
    ASSERT_GT(text.size(), size_t(5) << 20);

    // The spline's element is larger than a window; line feeds or carriage returns, the result is the same.
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    for (const std::string* t : {&text, static_cast<const std::string*>(&crlf)}) {
        Summary s = readFile(*t);
        ASSERT_EQ(s.error, "");
        EXPECT_EQ(s.entities, 40001u);
        EXPECT_EQ(s.splinePoints, 60000);
        EXPECT_EQ(s.lastSplinePoint.x, 59999);
        EXPECT_EQ(s.lastCentre.x, 39999 * 0.5);
    }

    // A bad radius near the end: the message names the same line as reading the text whole does, and that is
    // the line the bad value is on.
    std::string damaged = text;
    size_t at = damaged.rfind("\n 40\n") + 5;
    damaged.replace(at, damaged.find('\n', at) - at, "radius");
    const std::string whole = readText(damaged);
    const std::string line = std::to_string(std::count(damaged.begin(), damaged.begin() + at, '\n') + 1);
    EXPECT_EQ(whole.substr(0, whole.find(':')), "line " + line);
    EXPECT_EQ(readFile(damaged).error, whole);

    // Cut inside the spline: reported as the end of the file it is, not as the end of a window.
    std::string cut = text.substr(0, text.find("AcDbSpline") + (3u << 20));
    cut.resize(cut.rfind('\n') + 1);
    EXPECT_NE(readText(cut).find("is not closed by 0/ENDSEC"), std::string::npos);
    EXPECT_EQ(readFile(cut).error, readText(cut));
}

TEST(DxfFileWindows, TinyWindowsReadLibraryDrawingsAndDamageAsTheWholeText) {
    const std::filesystem::path library = "/usr/share/librecad/library";
    if (!std::filesystem::exists(library)) GTEST_SKIP() << "librecad-data is not installed";
    int files = 0;
    for (auto& entry : std::filesystem::recursive_directory_iterator(library)) {
        if (entry.path().extension() != ".dxf" || ++files > 40) continue;
        std::string text = dxftest::readAll(entry.path());
        // As written, with carriage returns cut off at a window's edge, and cut short in the middle.
        std::string crlf;
        for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        for (const std::string& t : {text, crlf, text.substr(0, text.size() / 2)}) {
            const std::string whole = readInWindows(t, 0);
            for (size_t window : {size_t(40), size_t(997)}) EXPECT_EQ(readInWindows(t, window), whole) << entry.path();
        }
    }
    EXPECT_GT(files, 20);
}
