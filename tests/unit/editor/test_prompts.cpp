// Prompts: refusal rules, keywords, points and distances, and how scripts and people differ on a refusal.
#include <cmath>
#include <deque>

#include "editor/input.h"
#include "unit/drawing_fixture.h"

using namespace cvx::editor;

namespace {

// A person: answers in turn, told about each refusal and asked again.
class Person : public InputSource {
public:
    explicit Person(std::deque<std::wstring> a) : answers(std::move(a)) {}
    Input read(const InputRequest& r) override {
        prompts.push_back(r.prompt);
        if (answers.empty()) return Input::end();
        std::wstring a = answers.front();
        answers.pop_front();
        return a == L"<esc>" ? Input::cancel() : Input::ofText(a);
    }
    bool refuse(const std::wstring& m, const std::wstring&) override {
        refusals.push_back(m);
        return true;
    }
    std::deque<std::wstring> answers;
    std::vector<std::wstring> prompts, refusals;
};

}  // namespace

using Prompts = DrawingTest;

TEST_F(Prompts, IntegerRulesAskAPersonAgain) {
    Person p({L"abc", L"2.5", L"0", L"-3", L"40000", L"7"});
    ScopedSource s(&p);
    int v = 0;
    acedInitGet(2 | 4, nullptr);
    ASSERT_EQ(acedGetInt(L"Count: ", &v), RTNORM);
    EXPECT_EQ(v, 7);
    std::vector<std::wstring> expected = {L"Requires an integer value.", L"Requires an integer value.",
                                          L"Value must be positive and nonzero.", L"Value must be positive and nonzero.",
                                          L"Requires an integer between -32768 and 32767."};
    EXPECT_EQ(p.refusals, expected);
    EXPECT_EQ(p.prompts.size(), 6u);
}

TEST_F(Prompts, RulesHoldForOnePromptOnly) {
    Person p({L"", L"", L"0"});
    ScopedSource s(&p);
    int v = 5;
    acedInitGet(1 | 2, nullptr);
    acedInitGet(0, nullptr);  // the later call replaces the rules
    EXPECT_EQ(acedGetInt(L"A: ", &v), RTNONE);
    acedInitGet(1, nullptr);
    EXPECT_EQ(acedGetInt(L"B: ", &v), RTNORM);  // the empty answer is refused, then 0 is fine
    EXPECT_EQ(v, 0);
    EXPECT_EQ(p.refusals.size(), 1u);
}

TEST_F(Prompts, ScriptRefusalIsAnErrorNamingTheLine) {
    auto& script = answers(L"; a comment\n12\nabc\n");
    int v = 0;
    EXPECT_EQ(acedGetInt(L"First: ", &v), RTNORM);
    EXPECT_EQ(v, 12);
    EXPECT_EQ(acedGetInt(L"Second: ", &v), RTCAN);
    EXPECT_EQ(script.error(), L"test.scr:3: Requires an integer value (got 'abc')");
    EXPECT_EQ(acedGetInt(L"Third: ", &v), RTCAN);  // everything after the error is cancelled
}

TEST_F(Prompts, KeywordsAndArbitraryInput) {
    answers(L"n\nmaybe\nWhatever text\n");
    ACHAR kw[32];
    acedInitGet(0, L"Yes No");
    ASSERT_EQ(acedGetKword(L"Sure? [Yes/No]: ", kw, 32), RTNORM);
    EXPECT_STREQ(kw, L"No");
    int v;
    acedInitGet(128, L"Yes No");
    ASSERT_EQ(acedGetInt(L"Count: ", &v), RTKWORD);
    acedGetInput(kw, 32);
    EXPECT_STREQ(kw, L"maybe");
    ACHAR text[64];
    ASSERT_EQ(acedGetString(1, L"Text: ", text, 64), RTNORM);
    EXPECT_STREQ(text, L"Whatever text");
}

TEST_F(Prompts, KeywordRefusedWhenNotInTheList) {
    auto& script = answers(L"perhaps\n");
    ACHAR kw[32];
    acedInitGet(0, L"Yes No");
    EXPECT_EQ(acedGetKword(L"Sure? ", kw, 32), RTCAN);
    EXPECT_EQ(script.error(), L"test.scr:1: Invalid option keyword (got 'perhaps')");
}

TEST_F(Prompts, PointsRelativeToTheLastOne) {
    answers(L"10,10 @5,0 @10<90\n");
    ads_point a, b, c;
    ASSERT_EQ(acedGetPoint(nullptr, L"P1: ", a), RTNORM);
    ASSERT_EQ(acedGetPoint(a, L"P2: ", b), RTNORM);
    ASSERT_EQ(acedGetPoint(b, L"P3: ", c), RTNORM);
    EXPECT_DOUBLE_EQ(b[0], 15);
    EXPECT_NEAR(c[0], 15, 1e-12);
    EXPECT_NEAR(c[1], 20, 1e-12);
    resbuf rb;
    ASSERT_EQ(acedGetVar(L"lastpoint", &rb), RTNORM);
    EXPECT_NEAR(rb.resval.rpoint[1], 20, 1e-12);
}

TEST_F(Prompts, DistancesFromNumbersOrPoints) {
    answers(L"2.5\n0,0 3,4\n6,8\n1,1,9\n");
    ads_real d;
    ASSERT_EQ(acedGetDist(nullptr, L"D: ", &d), RTNORM);
    EXPECT_DOUBLE_EQ(d, 2.5);
    ASSERT_EQ(acedGetDist(nullptr, L"D: ", &d), RTNORM);  // two points
    EXPECT_DOUBLE_EQ(d, 5);
    ads_point base = {3, 4, 0};
    ASSERT_EQ(acedGetDist(base, L"D: ", &d), RTNORM);  // from the base point
    EXPECT_DOUBLE_EQ(d, 5);
    ads_point origin = {1, 1, 0};
    acedInitGet(64, nullptr);
    ASSERT_EQ(acedGetDist(origin, L"D: ", &d), RTNORM);  // Z ignored
    EXPECT_DOUBLE_EQ(d, 0);
}

TEST_F(Prompts, DistanceRefusals) {
    auto& script = answers(L"-1\n");
    ads_real d;
    acedInitGet(4, nullptr);
    EXPECT_EQ(acedGetDist(nullptr, L"D: ", &d), RTCAN);
    EXPECT_EQ(script.error(), L"test.scr:1: Value must be positive (got '-1')");
    auto& again = answers(L"far\n");
    EXPECT_EQ(acedGetDist(nullptr, L"D: ", &d), RTCAN);
    EXPECT_EQ(again.error(), L"test.scr:1: Requires a distance, numeric value or two points (got 'far')");
}

TEST_F(Prompts, AnglesInDegreesOrByPoints) {
    answers(L"90\n-90\n0,0 0,-5\n");
    ads_real a;
    ASSERT_EQ(acedGetAngle(nullptr, L"A: ", &a), RTNORM);
    EXPECT_NEAR(a, M_PI / 2, 1e-12);
    ASSERT_EQ(acedGetAngle(nullptr, L"A: ", &a), RTNORM);
    EXPECT_NEAR(a, 3 * M_PI / 2, 1e-12);
    ASSERT_EQ(acedGetAngle(nullptr, L"A: ", &a), RTNORM);
    EXPECT_NEAR(a, 3 * M_PI / 2, 1e-12);
}

TEST_F(Prompts, CancelAndEndOfInput) {
    Person p({L"<esc>"});
    ScopedSource s(&p);
    ads_point pt;
    EXPECT_EQ(acedGetPoint(nullptr, L"P: ", pt), RTCAN);
    EXPECT_TRUE(acedUsrBrk());
    EXPECT_EQ(acedGetPoint(nullptr, L"P: ", pt), RTCAN);  // no more answers
}

TEST_F(Prompts, EntSelPicksWithinThePickBox) {
    AcDbObjectId line = add(new AcDbLine({0, 0, 0}, {10, 0, 0}));
    add(new AcDbCircle({50, 50, 0}, AcGeVector3d::kZAxis, 5));
    // The pick box is 3 pixels; with a view 75 units tall on 600 pixels that is 0.375 units.
    answers(L"5,0.3\n5,0.5\n");
    ads_name e;
    ads_point at;
    ASSERT_EQ(acedEntSel(L"Pick: ", e, at), RTNORM);
    AcDbObjectId id;
    acdbGetObjectId(id, e);
    EXPECT_EQ(id, line);
    EXPECT_EQ(acedEntSel(L"Pick: ", e, at), RTERROR);
}
