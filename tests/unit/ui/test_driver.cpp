// Dialogs driven by script lines: handlers, values read back, end codes, errors, a person at the terminal, and a
// dialog opened by a command in the middle of a script.
#include "ui_fixture.h"

#include "editor/command_line.h"
#include "editor/input.h"

using cvx::editor::takeTranscript;

namespace {

std::vector<std::wstring> L(std::initializer_list<const wchar_t*> items) { return {items.begin(), items.end()}; }

}  // namespace

TEST_F(UiTest, ScriptEventsRunTheHandlersInOrderAndEndWithTheCodeGiven) {
    auto& s = answers(
        L";@dialog click 1002\n"
        L";@dialog click 1004\n"
        L";@dialog select 1008 2\n"
        L";@dialog select 1009 Polyline\n"
        L";@dialog text 1012 \"a b  c\"\n"
        L";@dialog slide 1007 70\n"
        L";@dialog text 1006 25\n"
        L";@dialog ok\n");
    TestDialog d;
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_FALSE(s.failed()) << s.error();
    EXPECT_EQ(d.log, L({L"filled 1", L"colour 1004", L"row 2", L"combo 1", L"scroll 70", L"released 1007 at 70",
                        L"size 25"}));
    EXPECT_EQ(d.GetCheckedRadioButton(IDC_RED, IDC_BLUE), IDC_GREEN);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_FILLED), BST_CHECKED);
    EXPECT_EQ(d.GetDlgItemText(IDC_NAME), L"a b  c");
    EXPECT_EQ(d.GetDlgItemText(IDC_COMBO), L"Polyline");
    EXPECT_EQ(d.m_slider.GetPos(), 25);
    std::wstring row;
    d.m_list.GetText(d.m_list.GetCurSel(), row);
    EXPECT_EQ(row, L"Triangle");
}

TEST_F(UiTest, EachEventRunsBeforeTheLinesAfterIt) {
    auto& s = answers(
        L";@dialog click 1004\n"
        L";@dialog show\n"
        L";@expect-message (o) Green\n"
        L";@dialog uncheck 1002\n"  // already clear: nothing happens
        L";@dialog check 1002\n"
        L";@dialog show\n"
        L";@expect-message [x] Filled\n"
        L";@dialog cancel\n");
    TestDialog d;
    EXPECT_EQ(d.DoModal(), IDCANCEL);
    EXPECT_FALSE(s.failed()) << s.error();
    EXPECT_EQ(d.log, L({L"colour 1004", L"filled 1"}));
    EXPECT_EQ(d.cancels, 1);
}

TEST_F(UiTest, AScriptWithoutFurtherEventsCancelsTheDialogAndSaysSo) {
    auto& s = answers(L";@dialog click 1002\nLINE\n");
    TestDialog d;
    EXPECT_EQ(d.DoModal(), IDCANCEL);
    EXPECT_EQ(d.cancels, 1);
    EXPECT_NE(takeTranscript().find(L"Dialog \"Test dialog\": no more events; cancelled."), std::wstring::npos);
    EXPECT_FALSE(s.failed());
    EXPECT_FALSE(s.atEnd());  // the next command line is left for the command loop
}

TEST_F(UiTest, EventsTheDialogCannotTakeStopTheScript) {
    struct Case {
        const wchar_t* line;
        const wchar_t* message;
    } cases[] = {
        {L"click 9999", L"the dialog has no control 9999"},
        {L"slide 1002 5", L"control 1002 is not a slider"},
        {L"select 1008 3", L"control 1008 has rows 0 to 2, not 3"},
        {L"select 1008 Hexagon", L"control 1008 has no row 'Hexagon'"},
        {L"uncheck 1003", L"radio button 1003 is cleared by choosing another of its group"},
        {L"check 1001", L"control 1001 is a push button"},
        {L"text 1007 5", L"control 1007 is a slider, not an edit"},
        {L"slide 1007 far", L"'slide' needs a whole position"},
        {L"click", L"'click' needs a control id"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        takeTranscript();
        auto& s = answers(std::wstring(L";@dialog ") + c.line + L"\n;@dialog ok\n");
        TestDialog d;
        EXPECT_EQ(d.DoModal(), IDCANCEL);
        EXPECT_TRUE(s.failed());
        EXPECT_NE(s.error().find(c.message), std::wstring::npos) << s.error();
        EXPECT_NE(s.error().find(L"test.scr:1"), std::wstring::npos) << s.error();
        EXPECT_NE(takeTranscript().find(L"the script stopped; cancelled"), std::wstring::npos);
    }
    auto& bad = answers(L";@dialog wiggle 1001\n");
    TestDialog d;
    d.DoModal();
    EXPECT_NE(bad.error().find(L"unknown event 'wiggle'"), std::wstring::npos);
}

TEST_F(UiTest, HiddenAndDisabledControlsRefuseEvents) {
    struct Dlg : TestDialog {
        BOOL OnInitDialog() override {
            TestDialog::OnInitDialog();
            GetDlgItem(IDC_PLACE)->EnableWindow(FALSE);
            GetDlgItem(IDC_FILLED)->ShowWindow(SW_HIDE);
            return TRUE;
        }
    };
    for (auto [line, message] : {std::pair{L"click 1001", L"control 1001 is disabled"},
                                 std::pair{L"click 1002", L"control 1002 is hidden"}}) {
        auto& s = answers(std::wstring(L";@dialog ") + line + L"\n");
        Dlg d;
        d.DoModal();
        EXPECT_NE(s.error().find(message), std::wstring::npos) << s.error();
        EXPECT_TRUE(d.log.empty());
    }
}

TEST_F(UiTest, TheDefaultButtonAnswersOkAndAHandlerReplacesTheStandardOne) {
    struct Dlg : TestDialog {
        Dlg() { onClicked(IDOK, [this] { log.push_back(L"ok pressed"); EndDialog(7); }); }
    };
    answers(L";@dialog ok\n");
    Dlg d;
    EXPECT_EQ(d.DoModal(), 7);
    EXPECT_EQ(d.log, L({L"ok pressed"}));
    answers(L";@dialog close\n");
    TestDialog closed;
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
    EXPECT_EQ(closed.cancels, 1);
}

TEST_F(UiTest, DialogsOpenAgainAndBadTemplatesAreRefused) {
    TestDialog d;
    answers(L";@dialog click 1002\n;@dialog ok\n");
    EXPECT_EQ(d.DoModal(), IDOK);
    answers(L";@dialog ok\n");
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_FILLED), BST_UNCHECKED);  // the template again
    EXPECT_EQ(d.m_list.GetCount(), 3);                           // bound members follow the new run

    takeTranscript();
    CAcUiDialog missing(4711u);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_NE(takeTranscript().find(L"no dialog template has the id 4711"), std::wstring::npos);
    CvxDialogTemplate twice = testLayout();
    twice.items.push_back({CvxControl::Label, IDC_PLACE, 0, 0, 5, 5, L"x"});
    CAcUiDialog dup(twice);
    EXPECT_EQ(dup.DoModal(), -1);
    EXPECT_NE(takeTranscript().find(L"the control id 1001 appears twice"), std::wstring::npos);

    CvxDialogTemplate small = testLayout();
    small.caption = L"Registered";
    cvxRegisterDialogTemplate(230, small);
    answers(L";@dialog ok\n");
    CAcUiDialog registered(230u);
    EXPECT_EQ(registered.DoModal(), IDOK);
    std::wstring caption;
    registered.GetWindowText(caption);
    EXPECT_EQ(caption, L"Registered");
}

namespace {

// A person typing lines.
class TypedLines : public cvx::editor::InputSource {
public:
    explicit TypedLines(std::vector<std::wstring> lines) : mLines(std::move(lines)) {}
    cvx::editor::Input read(const cvx::editor::InputRequest& r) override {
        prompts.push_back(r.prompt);
        if (mNext >= mLines.size()) return cvx::editor::Input::end();
        return cvx::editor::Input::ofText(mLines[mNext++]);
    }
    bool refuse(const std::wstring& message, const std::wstring&) override {
        refusals.push_back(message);
        return true;
    }
    std::vector<std::wstring> prompts, refusals;

private:
    std::vector<std::wstring> mLines;
    size_t mNext = 0;
};

}  // namespace

TEST_F(UiTest, APersonTypesTheSameEventsAndSeesTheDialogAsText) {
    TypedLines person({L"click 1002", L"", L"click 4242", L";@dialog select 1008 1", L"ok"});
    cvx::editor::ScopedSource scope(&person);
    TestDialog d;
    EXPECT_EQ(d.DoModal(), IDOK);
    EXPECT_EQ(d.log, L({L"filled 1", L"row 1"}));
    ASSERT_EQ(person.refusals.size(), 1u);
    EXPECT_NE(person.refusals[0].find(L"no control 4242"), std::wstring::npos);
    std::wstring shown = takeTranscript();
    EXPECT_NE(shown.find(L"== Test dialog =="), std::wstring::npos);
    EXPECT_NE(shown.find(L"1001  button        [ Place ]"), std::wstring::npos) << shown;
    EXPECT_NE(shown.find(L"1007  slider        10..100 at 50"), std::wstring::npos) << shown;
    EXPECT_NE(shown.find(L"> 0 Circle"), std::wstring::npos) << shown;
    EXPECT_EQ(person.prompts.front(), L"Dialog event: ");

    TypedLines quits({});  // end of input: cancelled
    cvx::editor::ScopedSource scope2(&quits);
    TestDialog d2;
    EXPECT_EQ(d2.DoModal(), IDCANCEL);
}

namespace {

int gDialogResult = 0;
int gLocksInside = -1;
std::vector<AcGePoint3d> gOrigins;

void testDialogCommand() {
    acDocManager->lockDocument(curDoc());
    gLocksInside = curDoc()->lockCount();
    TestDialog d;
    gDialogResult = static_cast<int>(d.DoModal());
    gOrigins.push_back(d.origin);
    acDocManager->unlockDocument(curDoc());
}

}  // namespace

TEST_F(UiTest, ADialogOpenedByACommandTakesItsEventsAndTheScriptGoesOn) {
    acedRegCmds->addCommand(L"UITEST", L"TESTDIALOG", L"TESTDIALOG", ACRX_CMD_MODAL, testDialogCommand);
    auto& s = answers(
        L"TESTDIALOG\n"
        L";@dialog click 1001\n"
        L"3,4\n"
        L";@dialog ok\n"
        L"TESTDIALOG\n"
        L";@dialog cancel\n");
    cvx::editor::runCommandLoop();
    EXPECT_FALSE(s.failed()) << s.error();
    EXPECT_EQ(gDialogResult, IDCANCEL);
    ASSERT_EQ(gOrigins.size(), 2u);
    EXPECT_EQ(gOrigins[0], AcGePoint3d(3, 4, 0));
    EXPECT_EQ(gLocksInside, 1);
    EXPECT_EQ(curDoc()->lockCount(), 0);
    EXPECT_EQ(curDoc()->lockMode(), AcAp::kNotLocked);
    EXPECT_EQ(acDocManager->unlockDocument(curDoc()), Acad::eNotApplicable);
    EXPECT_EQ(acDocManager->lockDocument(nullptr), Acad::eNullObjectPointer);
    acedRegCmds->removeGroup(L"UITEST");
}
