// Typed numbers, points, keywords and wildcards.
#include <gtest/gtest.h>

#include <cmath>

#include "cvx/editor.h"
#include "editor/keywords.h"
#include "editor/point_syntax.h"

using namespace cvx::editor;

TEST(PointSyntax, AbsoluteRelativeAndPolar) {
    AcGePoint3d last(10, 20, 5);
    EXPECT_TRUE(parsePoint(L"1,2", last)->isEqualTo({1, 2, 0}));
    EXPECT_TRUE(parsePoint(L"1,2,3", last)->isEqualTo({1, 2, 3}));
    EXPECT_TRUE(parsePoint(L"@1,2", last)->isEqualTo({11, 22, 5}));
    EXPECT_TRUE(parsePoint(L"@1,2,-5", last)->isEqualTo({11, 22, 0}));
    EXPECT_TRUE(parsePoint(L"@", last)->isEqualTo(last));
    auto polar = parsePoint(L"10<90", last);
    EXPECT_NEAR(polar->x, 0, 1e-12);
    EXPECT_NEAR(polar->y, 10, 1e-12);
    auto rel = parsePoint(L"@2<-45", last);
    EXPECT_NEAR(rel->x, 10 + std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(rel->y, 20 - std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(rel->z, 5, 1e-12);
    EXPECT_TRUE(parsePoint(L"-1.5e1,.5", last)->isEqualTo({-15, 0.5, 0}));
}

TEST(PointSyntax, RejectsWhatIsNoPoint) {
    AcGePoint3d last;
    for (const wchar_t* bad : {L"", L"1", L"1,", L",1", L"1,2,3,4", L"a,b", L"1<", L"<5", L"1<2<3", L"nan,1", L"1,,2"})
        EXPECT_FALSE(parsePoint(bad, last).has_value()) << bad;
}

TEST(PointSyntax, Numbers) {
    EXPECT_EQ(parseInteger(L"-42"), -42);
    EXPECT_FALSE(parseInteger(L"4.2").has_value());
    EXPECT_FALSE(parseInteger(L"12abc").has_value());
    EXPECT_DOUBLE_EQ(*parseReal(L"2.5"), 2.5);
    EXPECT_FALSE(parseReal(L"inf").has_value());
    EXPECT_FALSE(parseReal(L"0x10").has_value());
    EXPECT_EQ(formatReal(0.1), L"0.1");
    EXPECT_EQ(formatPoint({1, -2.5, 0}), L"1,-2.5,0");
}

TEST(Keywords, AbbreviationsByCapitals) {
    auto kw = parseKeywords(L"Yes No eXit LType 3P");
    std::wstring g;
    auto match = [&](const wchar_t* typed) { return matchKeyword(kw, typed, g) == KeywordMatch::Found ? g : L"<none>"; };
    EXPECT_EQ(match(L"y"), L"Yes");
    EXPECT_EQ(match(L"YES"), L"Yes");
    EXPECT_EQ(match(L"n"), L"No");
    EXPECT_EQ(match(L"x"), L"eXit");
    EXPECT_EQ(match(L"exit"), L"eXit");
    EXPECT_EQ(match(L"e"), L"<none>");  // the abbreviation of eXit is X
    EXPECT_EQ(match(L"lt"), L"LType");
    EXPECT_EQ(match(L"lty"), L"LType");
    EXPECT_EQ(match(L"l"), L"<none>");
    EXPECT_EQ(match(L"3p"), L"3P");
    EXPECT_EQ(match(L"yess"), L"<none>");
}

TEST(Keywords, GlobalNamesAndAmbiguity) {
    auto kw = parseKeywords(L"Oui Non _ Yes No");
    std::wstring g;
    ASSERT_EQ(matchKeyword(kw, L"o", g), KeywordMatch::Found);
    EXPECT_EQ(g, L"Yes");
    ASSERT_EQ(matchKeyword(kw, L"_No", g), KeywordMatch::Found);
    EXPECT_EQ(g, L"No");
    auto twins = parseKeywords(L"CEnter CLose");
    EXPECT_EQ(matchKeyword(twins, L"ce", g), KeywordMatch::Found);
    EXPECT_EQ(g, L"CEnter");
    auto overlapping = parseKeywords(L"Left LEngth");
    EXPECT_EQ(matchKeyword(overlapping, L"le", g), KeywordMatch::Found);  // exact abbreviation wins
    EXPECT_EQ(g, L"LEngth");
}

TEST(Wildcards, Patterns) {
    EXPECT_EQ(acutWcMatch(L"LWPOLYLINE", L"*POLYLINE"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"POLYLINE", L"*polyline"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"LINE", L"*POLYLINE"), RTERROR);
    EXPECT_EQ(acutWcMatch(L"ARC", L"LINE,ARC"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"Layer7", L"Layer#"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"LayerX", L"Layer#"), RTERROR);
    EXPECT_EQ(acutWcMatch(L"A1", L"@#"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"B", L"[A-C]"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"D", L"[~A-C]"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"WALLS", L"~DOORS"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"DOORS", L"~DOORS"), RTERROR);
    EXPECT_EQ(acutWcMatch(L"A,B", L"A`,B"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"A-B", L"A.B"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"AxB", L"A?B"), RTNORM);
}
