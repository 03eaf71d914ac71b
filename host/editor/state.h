// What the editor keeps between prompts and commands: the view, the last point, the rules of the next prompt,
// and the editor's own system variables.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cvx/ge.h"
#include "editor/keywords.h"
#include "editor/ucs.h"

class AcDbDatabase;

namespace cvx::editor {

// The view of the drawing: centre and height in drawing units, and the size of the screen it is shown on.
struct View {
    AcGePoint2d center{50, 37.5};
    double height = 75;
    int screenWidth = 800, screenHeight = 600;
    double width() const { return height * screenWidth / (screenHeight > 0 ? screenHeight : 1); }
    double unitsPerPixel() const { return height / (screenHeight > 0 ? screenHeight : 1); }
};

// acedInitGet's settings; they hold for the next prompt only.
struct PromptRules {
    int flags = 0;
    std::vector<Keyword> keywords;
};

struct EditorState {
    View view;
    AcGePoint3d lastPoint;
    Ucs ucs;  // the current user coordinate system
    PromptRules nextRules;
    std::wstring lastInput;  // behind the last RTKWORD (acedGetInput)
    bool cancelled = false;  // the last prompt was cancelled (acedUsrBrk)
    // System variables the editor itself keeps, by upper-case name (short, real and string values).
    std::map<std::wstring, int> shorts{{L"CMDECHO", 1}, {L"PICKBOX", 3},  {L"OSMODE", 0},   {L"MENUBAR", 0},
                                       {L"ORTHOMODE", 0}, {L"FILEDIA", 1}, {L"CMDDIA", 1},  {L"EXPERT", 0},
                                       {L"HIGHLIGHT", 1}, {L"PICKFIRST", 1}, {L"ATTREQ", 1}, {L"ATTDIA", 0},
                                       {L"ERRNO", 0},     {L"USERI1", 0},  {L"USERI2", 0},  {L"USERI3", 0},
                                       {L"USERI4", 0},    {L"USERI5", 0},  {L"SDI", 0},     {L"BLIPMODE", 0}};
    std::map<std::wstring, double> reals{{L"USERR1", 0}, {L"USERR2", 0}, {L"USERR3", 0},
                                         {L"USERR4", 0}, {L"USERR5", 0}, {L"OFFSETDIST", 1}};
    std::map<std::wstring, std::wstring> strings{{L"USERS1", L""}, {L"USERS2", L""}, {L"USERS3", L""},
                                                 {L"USERS4", L""}, {L"USERS5", L""}};
};

EditorState& editorState();
// The editor's state back to that of a fresh session (tests).
void resetEditorState();

// Pick box half size in drawing units.
double pickTolerance();
// Views that show a box (with a small margin), a window, or a centre and height.
void zoomToBox(const AcGePoint3d& lo, const AcGePoint3d& hi);
void zoomCenter(const AcGePoint2d& center, double height);
// Takes the view from a drawing's "*Active" viewport record; false when it has none.
bool loadViewFrom(AcDbDatabase* db);

}  // namespace cvx::editor
