// A dialog hides for an editor prompt, the script answers the prompt, and the dialog comes back.
#include "ui_fixture.h"

TEST_F(UiTest, AButtonHidesTheDialogForAPointAndTheDialogGoesOn) {
    auto& s = answers(
        L";@dialog click 1001\n"
        L"12.5,-3\n"
        L";@dialog slide 1007 80\n"
        L";@dialog ok\n");
    TestDialog d;
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_FALSE(s.failed()) << s.error();
    EXPECT_EQ(d.pointResult, RTNORM);
    EXPECT_EQ(d.origin, AcGePoint3d(12.5, -3, 0));
    EXPECT_FALSE(d.visibleDuringPrompt);
    EXPECT_FALSE(d.EditorCommandActive());
    EXPECT_EQ(d.log.front(), L"placed");
    EXPECT_EQ(d.log.back(), L"released 1007 at 80");
    // Shown again, the dialog paints anew: the slider reports its (unchanged) position once more.
    std::vector<int> drawn = d.drawnPositions;
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_EQ(drawn[0], 50);
    EXPECT_EQ(drawn[1], 50);
    EXPECT_EQ(drawn.back(), 80);
    EXPECT_NE(cvx::editor::takeTranscript().find(L"Origin: 12.5,-3"), std::wstring::npos);
}

TEST_F(UiTest, ACancelledPromptLeavesTheDialogOpen) {
    auto& s = answers(
        L";@dialog click 1001\n"
        L";@cancel\n"
        L";@dialog click 1002\n"
        L";@dialog ok\n");
    TestDialog d;
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_FALSE(s.failed()) << s.error();
    EXPECT_EQ(d.pointResult, RTCAN);
    EXPECT_EQ(d.log, (std::vector<std::wstring>{L"placed", L"filled 1"}));
}

TEST_F(UiTest, EventsQueuedWhileThePromptReadsWaitForTheDialog) {
    // The dialog lines between the button and the point are read by the prompt; they run when the dialog is back.
    auto& s = answers(
        L";@dialog click 1001\n"
        L";@dialog click 1002\n"
        L";@dialog ok\n"
        L"1,2\n");
    TestDialog d;
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_FALSE(s.failed()) << s.error();
    EXPECT_EQ(d.origin, AcGePoint3d(1, 2, 0));
    EXPECT_EQ(d.log, (std::vector<std::wstring>{L"placed", L"filled 1"}));
}
