// Scripts (comments, Enter by blank lines, extension lines, errors) and host commands run from scripts and
// from acedCommand.
#include <cmath>

#include "cvx/keys.h"
#include "editor/command_line.h"
#include "editor/script_verbs.h"
#include "unit/drawing_fixture.h"

using namespace cvx::editor;

using Scripts = DrawingTest;

TEST_F(Scripts, LinesWithCommentsAndBlankLineEnter) {
    auto& script = answers(
        L"; draw two lines\r\n"
        L"LINE 0,0 10,0\n"
        L"10,10\n"
        L"\n"
        L"_circle 5,5 D 4\n");
    runCommandLoop();
    EXPECT_FALSE(script.failed()) << script.error();
    auto ids = modelSpace();
    ASSERT_EQ(ids.size(), 3u);
    AcDbObjectPointer<AcDbLine> second(ids[1], AcDb::kForRead);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->endPoint().isEqualTo({10, 10, 0}));
    AcDbObjectPointer<AcDbCircle> c(ids[2], AcDb::kForRead);
    ASSERT_TRUE(c);
    EXPECT_DOUBLE_EQ(c->radius(), 2);
    std::wstring printed = takeTranscript();
    EXPECT_NE(printed.find(L"Command: LINE\nSpecify first point: 0,0\n"), std::wstring::npos);
}

TEST_F(Scripts, UnknownCommandStopsWithTheLine) {
    auto& script = answers(L"LINE 0,0 1,1\n\nFROB\nCIRCLE 0,0 1\n");
    runCommandLoop();
    EXPECT_EQ(script.error(), L"test.scr:3: Unknown command \"FROB\".  Press F1 for help.");
    EXPECT_EQ(modelSpace().size(), 1u);  // the circle after the error was not drawn
}

TEST_F(Scripts, TextTakesTheRestOfTheLine) {
    answers(L"TEXT 1,2 3.5 90 Hello wide world\n");
    runCommandLoop();
    auto ids = modelSpace();
    ASSERT_EQ(ids.size(), 1u);
    AcDbObjectPointer<AcDbText> t(ids[0], AcDb::kForRead);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->text(), L"Hello wide world");
    EXPECT_DOUBLE_EQ(t->height(), 3.5);
    EXPECT_NEAR(t->rotation(), M_PI / 2, 1e-12);
}

TEST_F(Scripts, ExtensionLines) {
    auto& script = answers(
        L";@key escape down\n"
        L";@echo hello from the script\n"
        L";@expect-message hello from\n"
        L";@msgbox yes\n"
        L";@file \"a b/c.png\"\n");
    EXPECT_TRUE(script.atEnd());
    EXPECT_FALSE(script.failed()) << script.error();
    EXPECT_LT(GetKeyState(VK_ESCAPE), 0);
    EXPECT_TRUE(acedUsrBrk());
    cvxSetKeyDown(VK_ESCAPE, false);
    auto box = takeQueuedAnswer(L"msgbox");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->args, std::vector<std::wstring>{L"yes"});
    auto file = takeQueuedAnswer(L"file");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->args, std::vector<std::wstring>{L"a b/c.png"});
    EXPECT_FALSE(takeQueuedAnswer(L"file"));
}

TEST_F(Scripts, ExtensionErrorsAndCancel) {
    auto& bad = answers(L"; a note\n;@frobnicate now\n");
    EXPECT_TRUE(bad.atEnd());
    EXPECT_EQ(bad.error(), L"test.scr:2: unknown extension line ';@frobnicate'");
    auto& missing = answers(L";@expect-message never printed\n");
    missing.atEnd();
    EXPECT_EQ(missing.error(), L"test.scr:1: expected the message 'never printed', which was not printed");
    answers(L"LINE 0,0 5,0\n;@cancel\n");
    runCommandLoop();
    EXPECT_EQ(modelSpace().size(), 1u);
}

TEST_F(Scripts, ModuleVerbsAnswerPrompts) {
    registerScriptVerb(L"pick", [](const ScriptVerbCall& c) -> ScriptVerbResult {
        if (c.args.size() != 2) return {L";@pick needs x and y", {}};
        return {{}, Input::ofPoint({std::stod(c.args[0]), std::stod(c.args[1]), 0})};
    });
    answers(L";@pick 3 4\n");
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, L"P: ", p), RTNORM);
    EXPECT_DOUBLE_EQ(p[1], 4);
    unregisterScriptVerb(L"pick");
}

using HostCommands = DrawingTest;

TEST_F(HostCommands, AcedCommandRunsACommandInProcess) {
    ads_point a = {0, 0, 0}, b = {10, 0, 0};
    EXPECT_EQ(acedCommand(RTSTR, L"_LINE", RTPOINT, a, RT3DPOINT, b, RTSTR, L"", RTNONE), RTNORM);
    EXPECT_EQ(acedCommand(RTSTR, L"_CIRCLE", RTSTR, L"0,0", RTREAL, 2.5, 0), RTNORM);
    auto ids = modelSpace();
    ASSERT_EQ(ids.size(), 2u);
    AcDbObjectPointer<AcDbCircle> c(ids[1], AcDb::kForRead);
    EXPECT_DOUBLE_EQ(c->radius(), 2.5);
    EXPECT_EQ(acedCommand(RTSTR, L"_NOSUCH", 0), RTERROR);
    // Answers that run out cancel the command; an answer that does not fit is an error.
    EXPECT_EQ(acedCommand(RTSTR, L"_CIRCLE", RTSTR, L"0,0", 0), RTCAN);
    EXPECT_EQ(acedCommand(RTSTR, L"_CIRCLE", RTSTR, L"here", 0), RTERROR);
    EXPECT_EQ(modelSpace().size(), 2u);
}

TEST_F(HostCommands, PauseHandsThePromptToTheScript) {
    // The command of a module moves the last entity, the user giving the second point.
    auto& script = answers(L"7,0\n");
    add(new AcDbLine({0, 0, 0}, {1, 0, 0}));
    ads_name last;
    acdbEntLast(last);
    resbuf rb;
    rb.restype = RTSHORT;
    rb.resval.rint = 0;
    acedSetVar(L"CMDECHO", &rb);
    takeTranscript();
    ads_point base = {0, 0, 0};
    EXPECT_EQ(acedCommand(RTSTR, L"_MOVE", RTENAME, last, RTSTR, L"", RTPOINT, base, RTSTR, L"\\", 0), RTNORM);
    EXPECT_FALSE(script.failed());
    AcDbObjectPointer<AcDbLine> l(modelSpace()[0], AcDb::kForRead);
    EXPECT_TRUE(l->startPoint().isEqualTo({7, 0, 0}));
    std::wstring printed = takeTranscript();
    EXPECT_EQ(printed.find(L"Select objects"), std::wstring::npos);  // CMDECHO 0 keeps the command quiet
    EXPECT_NE(printed.find(L"Specify second point: 7,0"), std::wstring::npos);  // the pause shows its prompt
}

TEST_F(HostCommands, AcedCmdWithASelectionSet) {
    add(new AcDbLine({0, 0, 0}, {1, 0, 0}));
    add(new AcDbCircle({5, 5, 0}, AcGeVector3d::kZAxis, 1));
    ads_name all;
    ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, nullptr, all), RTNORM);
    resbuf* cmd = acutBuildList(RTSTR, L"ERASE", RTPICKS, all, RTSTR, L"", 0);
    EXPECT_EQ(acedCmd(cmd), RTNORM);
    acutRelRb(cmd);
    acedSSFree(all);
    EXPECT_TRUE(modelSpace().empty());
}

TEST_F(HostCommands, SystemVariables) {
    resbuf rb;
    ASSERT_EQ(acedGetVar(L"cmdecho", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTSHORT);
    EXPECT_EQ(rb.resval.rint, 1);
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", &rb), RTERROR);
    rb.restype = RTSHORT;
    rb.resval.rint = 2;
    EXPECT_EQ(acedSetVar(L"CMDECHO", &rb), RTERROR);  // 0 or 1 only
    rb.resval.rint = 35;
    EXPECT_EQ(acedSetVar(L"pdmode", &rb), RTNORM);
    EXPECT_EQ(db->pdmode(), 35);
    rb.restype = RTREAL;
    rb.resval.rreal = 1;
    EXPECT_EQ(acedSetVar(L"VIEWSIZE", &rb), RTERROR);  // read-only
    ASSERT_EQ(acedGetVar(L"CLAYER", &rb), RTNORM);
    EXPECT_STREQ(rb.resval.rstring, L"0");
    delete[] rb.resval.rstring;
    answers(L"LAYER M Walls C 1 Walls\n\nCOLOR t 10,20,30\n");
    runCommandLoop();
    ASSERT_EQ(acedGetVar(L"clayer", &rb), RTNORM);
    EXPECT_STREQ(rb.resval.rstring, L"Walls");
    delete[] rb.resval.rstring;
    ASSERT_EQ(acedGetVar(L"CECOLOR", &rb), RTNORM);
    EXPECT_STREQ(rb.resval.rstring, L"RGB:10,20,30");
    delete[] rb.resval.rstring;
    ASSERT_EQ(acedGetVar(L"SCREENSIZE", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTPOINT);
    EXPECT_DOUBLE_EQ(rb.resval.rpoint[0], 800);
}

TEST_F(HostCommands, PrintfUsesWideArguments) {
    acutPrintf(L"%s has %d %hs and %c\n", L"Drawing", 3, "lines", L'x');
    EXPECT_EQ(takeTranscript(), L"Drawing has 3 lines and x\n");
}
