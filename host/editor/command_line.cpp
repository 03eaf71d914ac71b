#include "editor/command_line.h"

#include <exception>

#include "cvx/dbmain.h"
#include "cvx/editor.h"
#include "cvx/registry.h"
#include "cvx/wide.h"
#include "db/undo.h"
#include "dxf/file_objects.h"
#include "editor/command_stack.h"
#include "editor/expr_queue.h"
#include "editor/input.h"
#include "editor/lisp.h"
#include "editor/state.h"

namespace cvx::editor {
namespace {

bool gQuit = false;
int gDepth = 0;
CommandLoader gLoader;

}  // namespace

void requestQuit(bool quit) { gQuit = quit; }
bool quitRequested() { return gQuit; }
void setCommandLoader(CommandLoader loader) { gLoader = std::move(loader); }
int commandDepth() { return gDepth; }

bool runCommand(const std::wstring& typedName) {
    AcEdCommand* cmd = findCommand(typedName);
    if (!cmd && gLoader && gLoader(typedName)) cmd = findCommand(typedName);
    if (!cmd) {
        refuseAnswer(L"Unknown command \"" + typedName + L"\".  Press F1 for help.", L"");
        return false;
    }
    editorState().nextRules = PromptRules();
    // One undo step per command: the commands it calls in turn join it.
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db && !cvxUndoLogIfAny(db)) {
        // The objects a drawing file needs (layouts) are there before the first step, so that no undo takes
        // away what a save added.
        CvxUndoPause notAStep(db);
        dxfAddFileObjects(*db);
    }
    CvxUndoLog* undo = db ? &cvxUndoLog(db) : nullptr;
    if (undo) undo->begin(cmd->localName());
    ++gDepth;
    try {
        cmd->functionAddr()();
    } catch (const std::exception& e) {
        acutPrintf(L"\n; error: %ls in command %ls\n", cvxFromUtf8(e.what()).c_str(), cmd->globalName());
    }
    --gDepth;
    // The log is asked for again: a command that read a drawing in place brought the drawing's own log.
    undo = db ? cvxUndoLogIfAny(db) : nullptr;
    if (undo) {
        undo->end();
        if (undo->takeDroppedNotice())
            acutPrintf(L"\nUndo memory is full (%d MiB): the oldest steps are no longer kept.\n",
                       static_cast<int>(undo->limit() >> 20));
    }
    return true;
}

void runCommandLoop() {
    while (!gQuit) {
        runQueuedExpressions();
        cvxRegistryFlush();  // what the last command wrote survives whatever ends the program next
        InputSource* source = currentSource();
        if (!source || source->failed()) return;
        Input in = readAnswer({L"Command: ", false, false});
        if (in.kind == Input::End) return;
        if (in.kind != Input::Text || in.text.empty()) continue;
        if (in.text[0] == L'(') {
            // An expression goes on over the rest of the line and further lines until its parentheses close.
            std::wstring expression = in.text;
            while (!lisp::isComplete(expression)) {
                Input more = readAnswer({L"", true, false});
                if (more.kind != Input::Text) break;
                expression += L" " + more.text;
            }
            evaluateAndPrint(expression);
            continue;
        }
        runCommand(in.text);
    }
}

}  // namespace cvx::editor
