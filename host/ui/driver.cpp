// The headless driver: events from script extension lines or terminal lines, performed on the running dialog.
#include "ui/driver.h"

#include <cwctype>

#include "cvx/image.h"
#include "editor/input.h"
#include "editor/output.h"
#include "editor/script_source.h"
#include "editor/script_verbs.h"
#include "ui/dialog_state.h"

namespace cvx::ui {
namespace {

using editor::Input;
using editor::ScriptVerbCall;
using editor::ScriptVerbResult;

const wchar_t* const kEventHelp =
    L"Events: click|check|uncheck <id>, select <id> <row>, text <id> <text>, slide|track <id> <pos>, "
    L"release <id>, ok, cancel, close, paint, show, png <file>\n";

bool gWaiting = false;  // the driver is reading the script for its next event

std::wstring lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

bool knownEvent(const std::wstring& e) {
    for (const wchar_t* k : {L"click", L"check", L"uncheck", L"select", L"text", L"slide", L"track", L"release",
                             L"ok", L"cancel", L"close", L"paint", L"show", L"png", L"grab"})
        if (e == k) return true;
    return false;
}

// ";@dialog" lines wait in the queue for the dialog that asks for them. While the driver reads for its next
// event, the line also answers the reading, which makes the script stop right after it: each event is performed
// before the lines that follow it run (an ";@expect-message" sees what the event printed).
ScriptVerbResult dialogVerb(const ScriptVerbCall& c) {
    if (c.args.empty()) return {L";@dialog needs an event", {}};
    if (!knownEvent(lower(c.args[0]))) return {L";@dialog: unknown event '" + c.args[0] + L"'", {}};
    editor::queueAnswer(L"dialog", c);
    if (gWaiting) return {{}, Input::ofText(L"")};
    return {};
}

void installDialogVerb() {
    static const bool installed = [] {
        editor::registerScriptVerb(L"dialog", dialogVerb);
        return true;
    }();
    (void)installed;
}

bool isScript(editor::InputSource* s) { return dynamic_cast<editor::ScriptSource*>(s) != nullptr; }

// The next event's words; empty words when a person typed nothing; nullopt when no event will come.
std::optional<std::vector<std::wstring>> nextEvent() {
    editor::InputSource* source = editor::currentSource();
    if (!source || source->failed()) return std::nullopt;
    gWaiting = true;
    std::optional<ScriptVerbCall> call = editor::takeQueuedAnswer(L"dialog");
    gWaiting = false;
    if (call) return call->args;
    if (source->failed() || isScript(source)) return std::nullopt;
    editor::InputRequest request;
    request.prompt = L"Dialog event: ";
    request.restOfLine = true;
    Input in = editor::readAnswer(request);
    if (in.kind == Input::Cancel) return std::vector<std::wstring>{L"cancel"};
    if (in.kind != Input::Text) return std::nullopt;
    std::vector<std::wstring> words = editor::splitVerbArguments(in.text);
    if (!words.empty() && lower(words[0]) == L";@dialog") words.erase(words.begin());
    return words;
}

std::wstring joined(const std::vector<std::wstring>& words, size_t from = 0) {
    std::wstring s;
    for (size_t i = from; i < words.size(); ++i) s += (i > from ? L" " : L"") + words[i];
    return s;
}

// The button's reaction to a click: check boxes toggle, radio buttons take the check from their group.
void click(CDialog& d, Window& w) {
    if (w.kind == CvxControl::CheckBox) w.check = w.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    if (w.kind == CvxControl::RadioButton)
        for (Window* r : radioGroup(d, w)) r->check = r == &w ? BST_CHECKED : BST_UNCHECKED;
    notify(d, Event::Clicked, w.id);
}

std::wstring typeText(CDialog& d, Window& w, const std::wstring& text) {
    if (!w.isEdit()) return L"control " + std::to_wstring(w.id) + L" is a " + kindName(w.kind) + L", not an edit";
    w.text = text;
    notify(d, Event::Change, w.id);
    if (w.kind == CvxControl::NumericEdit) {
        double v;
        if (parseNumber(w.text, v)) {
            w.lastGoodText = w.text;
        } else {
            editor::writeOutput(L"'" + w.text + L"' is not a number.\n");
            w.text = w.lastGoodText;
        }
    }
    notify(d, Event::KillFocus, w.id);
    return {};
}

std::wstring selectRow(CDialog& d, Window& w, const std::wstring& row) {
    if (!w.hasItems()) return L"control " + std::to_wstring(w.id) + L" is a " + kindName(w.kind) + L", not a list";
    int index = -1;
    if (!parseInteger(row, index)) {
        index = -2;
        for (size_t i = 0; i < w.items.size() && index < 0; ++i)
            if (sameText(w.items[i], row)) index = static_cast<int>(i);
        if (index < 0) return L"control " + std::to_wstring(w.id) + L" has no row '" + row + L"'";
    }
    if (index < -1 || index >= static_cast<int>(w.items.size()))
        return L"control " + std::to_wstring(w.id) + L" has rows 0 to " + std::to_wstring(int(w.items.size()) - 1) +
               L", not " + row;
    w.selection = index;
    if (w.kind == CvxControl::ComboBox) w.text = index >= 0 ? w.items[index] : L"";
    w.needsPaint = true;
    notify(d, Event::SelChange, w.id);
    return {};
}

std::wstring moveSlider(CDialog& d, Window& w, const std::wstring& event, const std::vector<std::wstring>& words) {
    if (w.kind != CvxControl::Slider) return L"control " + std::to_wstring(w.id) + L" is not a slider";
    if (event != L"release") {
        int pos;
        if (words.size() < 3 || !parseInteger(words[2], pos)) return L"'" + event + L"' needs a whole position";
        static_cast<CSliderCtrl*>(d.GetDlgItem(w.id))->SetPos(pos);
        notify(d, Event::Scroll, w.id);
        paintPending(d);
        if (event == L"track") return {};
    }
    notify(d, Event::Released, w.id);
    return {};
}

std::wstring writePicture(CDialog& d, const std::vector<std::wstring>& words) {
    if (words.size() < 2) return L"'png' needs a file name";
    paintPending(d);
    CImage image;
    if (!d.RenderClient(image)) return L"the dialog has no client area yet";
    if (FAILED(image.Save(words[1].c_str()))) return L"cannot write " + words[1];
    return {};
}

std::wstring controlEvent(CDialog& d, const std::wstring& event, const std::vector<std::wstring>& words) {
    int id;
    if (words.size() < 2 || !parseInteger(words[1], id)) return L"'" + event + L"' needs a control id";
    Window* w = findControl(d, id);
    if (!w) return L"the dialog has no control " + words[1];
    if (!w->visible) return L"control " + words[1] + L" is hidden";
    if (!w->enabled) return L"control " + words[1] + L" is disabled";
    if (event == L"click" || event == L"check" || event == L"uncheck") {
        if (!w->isButtonLike()) return L"control " + words[1] + L" is a " + kindName(w->kind) + L", not a button";
        bool want = event == L"check";
        if (event == L"click") return click(d, *w), std::wstring();
        if (w->kind != CvxControl::CheckBox && w->kind != CvxControl::RadioButton)
            return L"control " + words[1] + L" is a push button; it cannot be " + event + L"ed";
        if (w->kind == CvxControl::RadioButton && !want)
            return L"radio button " + words[1] + L" is cleared by choosing another of its group";
        if ((w->check == BST_CHECKED) != want) click(d, *w);
        return {};
    }
    if (event == L"select") return words.size() < 3 ? L"'select' needs a row" : selectRow(d, *w, joined(words, 2));
    if (event == L"text") return typeText(d, *w, joined(words, 2));
    return moveSlider(d, *w, event, words);
}

}  // namespace

namespace {
DialogFrontEnd gFrontEnd;
}

std::wstring performEvent(CDialog& d, const std::vector<std::wstring>& words) {
    if (words.empty()) return L"no event";
    std::wstring event = lower(words[0]);
    if (!knownEvent(event)) return L"unknown event '" + words[0] + L"'";
    if (event == L"ok") {
        for (auto& w : stateOf(d).controls)
            if (w->kind == CvxControl::DefPushButton && w->visible && w->enabled) return click(d, *w), std::wstring();
        notify(d, Event::Clicked, IDOK);
    } else if (event == L"cancel") {
        notify(d, Event::Clicked, IDCANCEL);
    } else if (event == L"close") {
        DialogAccess::close(d);
    } else if (event == L"paint") {
        d.Invalidate();
        paintPending(d);
    } else if (event == L"show") {
        editor::writeOutput(textView(d));
    } else if (event == L"png") {
        return writePicture(d, words);
    } else if (event == L"grab") {
        if (words.size() < 2) return L"'grab' needs a file name";
        if (!gFrontEnd.grab) return L"there is no window to grab";
        return gFrontEnd.grab(d, words[1]);
    } else {
        return controlEvent(d, event, words);
    }
    return {};
}

void setDialogFrontEnd(DialogFrontEnd frontEnd) { gFrontEnd = std::move(frontEnd); }

void runModalLoop(CDialog& d) {
    installDialogVerb();
    DialogState& s = stateOf(d);
    if (gFrontEnd.begin && gFrontEnd.begin(d)) return;
    struct Ended {
        CDialog& d;
        ~Ended() {
            if (gFrontEnd.ended) gFrontEnd.ended(d);
        }
    } ended{d};
    bool person = editor::currentSource() && !isScript(editor::currentSource());
    bool shown = false;
    while (!s.ended) {
        paintPending(d);
        if (person && s.self.visible && !shown) editor::writeOutput(textView(d) + kEventHelp);
        shown = s.self.visible;
        std::optional<std::vector<std::wstring>> words = nextEvent();
        if (!words) {
            editor::InputSource* source = editor::currentSource();
            editor::writeOutput(L"Dialog \"" + s.self.text + L"\": " +
                                (source && source->failed() ? L"the script stopped" : L"no more events") +
                                L"; cancelled.\n");
            DialogAccess::cancel(d);
            if (!s.ended) d.EndDialog(IDCANCEL);
            break;
        }
        if (words->empty()) continue;
        std::wstring problem = performEvent(d, *words);
        if (!problem.empty()) editor::refuseAnswer(L"Dialog event '" + joined(*words) + L"': " + problem + L".", L"");
        if (gFrontEnd.changed) {
            paintPending(d);
            gFrontEnd.changed(d);
        }
    }
}

}  // namespace cvx::ui
