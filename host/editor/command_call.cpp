// Host commands run from code: acedCommand and acedCmd hand their answers to the prompts of the commands they
// start. "\\" as an answer hands that one prompt to the source beneath (the user or the script). When the answers
// run out while a command still asks, the command is cancelled.
#include <cmath>
#include <cstdarg>
#include <deque>

#include "cvx/dbobject.h"
#include "cvx/editor.h"
#include "editor/command_line.h"
#include "editor/command_stack.h"
#include "editor/input.h"
#include "editor/output.h"
#include "editor/point_syntax.h"
#include "editor/prompt.h"
#include "editor/selection.h"
#include "editor/state.h"

using namespace cvx::editor;

namespace {

const std::wstring kPause = L"\\";

class AnswerListSource : public InputSource {
public:
    AnswerListSource(std::deque<Input> answers, InputSource* below) : mAnswers(std::move(answers)), mBelow(below) {}

    bool hasMore() const { return !mAnswers.empty(); }
    bool exhausted() const { return mExhausted; }

    Input read(const InputRequest& request) override {
        if (mAnswers.empty()) {
            mExhausted = true;
            return Input::cancel();
        }
        Input in = mAnswers.front();
        mAnswers.pop_front();
        if (in.kind == Input::Text && in.text == kPause) return mBelow ? mBelow->read(request) : Input::end();
        if (echo()) writeOutput(request.prompt + describe(in) + L"\n");
        return in;
    }

    bool refuse(const std::wstring& message, const std::wstring&) override {
        writeOutput(message + L"\n");
        mFailed = true;
        return false;
    }
    bool runPendingExtensions() override { return !mBelow || mBelow->runPendingExtensions(); }
    bool failed() const override { return mFailed || (mBelow && mBelow->failed()); }

private:
    static bool echo() { return editorState().shorts[L"CMDECHO"] != 0; }

    std::deque<Input> mAnswers;
    InputSource* mBelow;
    bool mExhausted = false, mFailed = false;
};

Input numberAnswer(double v) { return Input::ofText(formatReal(v)); }

bool entityAnswer(const ads_name name, Input& in) {
    AcDbObjectId id;
    if (!name || acdbGetObjectId(id, name) != Acad::eOk) return false;
    in.kind = Input::Entity;
    in.entity = id;
    return true;
}

bool selectionAnswer(const ads_name name, Input& in) {
    IdList* ids = findSet(name);
    if (!ids) return false;
    in.kind = Input::Selection;
    in.selection = *ids;
    return true;
}

int runAnswers(std::deque<Input> answers) {
    AnswerListSource source(std::move(answers), currentSource());
    ScopedSource scope(&source);
    while (source.hasMore()) {
        Input name = source.read({L"Command: ", false, false});
        if (name.kind != Input::Text) return RTERROR;
        if (name.text.empty()) continue;
        if (!findCommand(name.text)) {
            writeOutput(L"Unknown command \"" + name.text + L"\".  Press F1 for help.\n");
            return RTERROR;
        }
        runCommand(name.text);
        if (source.failed()) return RTERROR;
        if (source.exhausted() || editorState().cancelled) return RTCAN;
    }
    return RTNORM;
}

int commandFromArgs(int rtype, va_list ap) {
    std::deque<Input> answers;
    for (int type = rtype; type != 0 && type != RTNONE; type = va_arg(ap, int)) {
        Input in;
        switch (type) {
        case RTSTR: {
            const ACHAR* s = va_arg(ap, const ACHAR*);
            in = Input::ofText(s ? s : L"");
            break;
        }
        case RTPOINT: case RT3DPOINT: {
            const double* p = va_arg(ap, const double*);
            if (!p) return RTERROR;
            in = Input::ofPoint({p[0], p[1], type == RT3DPOINT ? p[2] : 0.0});
            break;
        }
        case RTREAL: in = numberAnswer(va_arg(ap, double)); break;
        case RTANG: in = numberAnswer(va_arg(ap, double) * 180.0 / M_PI); break;
        case RTSHORT: case RTLONG: in = Input::ofText(std::to_wstring(va_arg(ap, int))); break;
        case RTENAME:
            if (!entityAnswer(va_arg(ap, const int64_t*), in)) return RTERROR;
            break;
        case RTPICKS:
            if (!selectionAnswer(va_arg(ap, const int64_t*), in)) return RTERROR;
            break;
        default: return RTERROR;
        }
        answers.push_back(in);
    }
    return runAnswers(std::move(answers));
}

int commandFromList(const resbuf* rb) {
    std::deque<Input> answers;
    for (; rb && rb->restype != RTNONE; rb = rb->rbnext) {
        Input in;
        switch (rb->restype) {
        case RTSTR: in = Input::ofText(rb->resval.rstring ? rb->resval.rstring : L""); break;
        case RTPOINT: in = Input::ofPoint({rb->resval.rpoint[0], rb->resval.rpoint[1], 0}); break;
        case RT3DPOINT: in = Input::ofPoint({rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]}); break;
        case RTREAL: in = numberAnswer(rb->resval.rreal); break;
        case RTANG: in = numberAnswer(rb->resval.rreal * 180.0 / M_PI); break;
        case RTSHORT: in = Input::ofText(std::to_wstring(rb->resval.rint)); break;
        case RTLONG: in = Input::ofText(std::to_wstring(rb->resval.rlong)); break;
        case RTENAME:
            if (!entityAnswer(rb->resval.rlname, in)) return RTERROR;
            break;
        case RTPICKS:
            if (!selectionAnswer(rb->resval.rlname, in)) return RTERROR;
            break;
        default: return RTERROR;
        }
        answers.push_back(in);
    }
    return runAnswers(std::move(answers));
}

}  // namespace

int acedCommand(int rtype, ...) {
    va_list ap;
    va_start(ap, rtype);
    int rc = commandFromArgs(rtype, ap);
    va_end(ap);
    return rc;
}

int acedCommandS(int rtype, ...) {
    va_list ap;
    va_start(ap, rtype);
    int rc = commandFromArgs(rtype, ap);
    va_end(ap);
    return rc;
}

int acedCmd(const resbuf* answers) { return commandFromList(answers); }
int acedCmdS(const resbuf* answers) { return commandFromList(answers); }
