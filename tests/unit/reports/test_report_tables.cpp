// The report document's cells and rows against closed forms: circle, ellipse, arc and polyline tables, the
// number formats, the row markup and the ".xls" to ".html" rename.
#include <cmath>
#include <string>
#include <vector>

#include "reports/report_document.h"
#include "reports/report_rows.h"
#include "unit/drawing_fixture.h"

namespace {

// One field of every cell of the row: texts(row), widths(row).
template <class T>
std::vector<T> field(const ReportRow& row, T ReportCell::*member) {
    std::vector<T> out;
    for (const ReportCell& c : row) out.push_back(c.*member);
    return out;
}
std::vector<std::wstring> texts(const ReportRow& row) { return field(row, &ReportCell::text); }
std::vector<int> widths(const ReportRow& row) { return field(row, &ReportCell::width); }

// Ramanujan's second approximation; far below 0.0005 off for the axis ratios used here.
double ellipsePerimeter(double a, double b) {
    const double h = std::pow((a - b) / (a + b), 2);
    return M_PI * (a + b) * (1 + 3 * h / (10 + std::sqrt(4 - 3 * h)));
}

std::wstring fixed3(double v) {
    wchar_t b[64];
    std::swprintf(b, 64, L"%.3f", v);
    return b;
}

}  // namespace

TEST(ReportNumbers, IndexesAndMeasuresAreFormattedAsTheTableShowsThem) {
    const struct {
        double value;
        const wchar_t* text;
    } measures[] = {{0, L"0.000"}, {2.0 / 3, L"0.667"}, {-1.5, L"-1.500"}, {1234567.8916, L"1234567.892"}};
    for (const auto& m : measures) EXPECT_EQ(measureText(m.value), m.text) << m.value;
    EXPECT_EQ(indexText(1), L"1");
    EXPECT_EQ(indexText(120), L"120");
}

TEST(ReportDocument, RowMarkupAndRename) {
    EXPECT_EQ(reportRowText({{L"7", 5}, {kEmptyCell, 15, kGreenCell}}),
              L"  <tr>\n"
              L"    <td width=5% valign=top bgcolor=#FFFFFF><div align=center>7</div></td>\n"
              L"    <td width=15% valign=top bgcolor=#99FF99><div align=center>&nbsp;</div></td>\n"
              L"  </tr>\n");
    EXPECT_EQ(htmlPathFor(L"/tmp/list.xls"), L"/tmp/list.html");
    EXPECT_EQ(htmlPathFor(L"/a.xls/b.xls.d/list.xls"), L"/a.html/b.html.d/list.html");
    EXPECT_EQ(htmlPathFor(L"/tmp/list.csv"), L"/tmp/list.csv");
    const std::wstring head = reportHead(L"/x/r.html", L"T");
    EXPECT_NE(head.find(L"<title>/x/r.html</title>\n"), std::wstring::npos);
    EXPECT_NE(head.find(L"<p align=center class=STYLE1>T</p>\n"), std::wstring::npos);
    // A folder or title holding markup characters stays text.
    const std::wstring marked = reportHead(L"/home/R&D <plans>/r.html", L"Tom & Jerry's \"<b>\"");
    EXPECT_NE(marked.find(L"<title>/home/R&amp;D &lt;plans&gt;/r.html</title>"), std::wstring::npos);
    EXPECT_NE(marked.find(L">Tom &amp; Jerry's &quot;&lt;b&gt;&quot;</p>"), std::wstring::npos);
}

class ReportRows : public DrawingTest {};

TEST_F(ReportRows, CircleEllipseAndArcRowsHoldTheirClosedForms) {
    const AcDbCircle circle(AcGePoint3d(1, 2, 3), AcGeVector3d::kZAxis, 2);
    EXPECT_EQ(texts(circleRow(0, circle)), (std::vector<std::wstring>{L"1", L"1.000", L"2.000", L"3.000", L"2.000",
                                                                      fixed3(4 * M_PI), fixed3(4 * M_PI)}));
    EXPECT_EQ(widths(circleRow(0, circle)), (std::vector<int>{5, 15, 15, 15, 20, 15, 15}));

    const AcDbEllipse ellipse(AcGePoint3d(-4, 0, 0), AcGeVector3d::kZAxis, AcGeVector3d(0, 5, 0), 0.6);
    EXPECT_EQ(texts(ellipseRow(2, ellipse)),
              (std::vector<std::wstring>{L"3", L"-4.000", L"0.000", L"0.000", L"10.000", L"6.000",
                                         fixed3(ellipsePerimeter(5, 3)), fixed3(M_PI * 15)}));
    EXPECT_EQ(widths(ellipseRow(2, ellipse)), (std::vector<int>{4, 16, 16, 16, 12, 12, 12, 12}));

    const struct {
        double start, end, sweep;  // degrees
    } arcs[] = {{30, 120, 90}, {300, 60, 120}};
    for (const auto& a : arcs) {
        const AcDbArc arc(AcGePoint3d(5, 6, 0), 3, a.start * M_PI / 180, a.end * M_PI / 180);
        EXPECT_EQ(texts(arcRow(4, arc)),
                  (std::vector<std::wstring>{L"5", L"5.000", L"6.000", L"0.000", L"3.000", fixed3(a.start),
                                             fixed3(a.end), fixed3(3 * a.sweep * M_PI / 180)}));
    }
}

TEST_F(ReportRows, PolylineVertexRowsEndWithAGreenSummary) {
    AcDbPolyline pl;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {4.0, 0.0}, {4.0, 3.0}}) pl.addVertexAt(pl.numVerts(), AcGePoint2d(x, y));
    pl.setClosed(true);
    const std::vector<AcGePoint3d> vertices = {{0, 0, 0}, {4, 0, 0}, {4, 3, 0}};
    const std::vector<ReportRow> rows = vertexRows(1, vertices, pl);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(texts(rows[0]), (std::vector<std::wstring>{L"2", L"1", L"0.000", L"0.000", L"0.000", kEmptyCell,
                                                         kEmptyCell}));
    EXPECT_EQ(texts(rows[2]), (std::vector<std::wstring>{kEmptyCell, L"3", L"4.000", L"3.000", L"0.000", kEmptyCell,
                                                         kEmptyCell}));
    EXPECT_EQ(widths(rows[1]), (std::vector<int>{5, 5, 20, 20, 20, 15, 15}));
    EXPECT_EQ(texts(rows[3]), (std::vector<std::wstring>{kEmptyCell, kEmptyCell, kEmptyCell, kEmptyCell, kEmptyCell,
                                                         L"12.000", L"6.000"}));
    for (const ReportCell& c : rows[3]) EXPECT_STREQ(c.colour, kGreenCell);
    for (const ReportCell& c : rows[0]) EXPECT_STREQ(c.colour, kWhiteCell);
}
