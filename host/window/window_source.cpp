#include "window/window_source.h"

#include <QEventLoop>
#include <cwctype>

#include "editor/output.h"
#include "editor/prompt.h"

namespace cvx::window {

using editor::Input;

editor::Input WindowSource::read(const editor::InputRequest& request) {
    if (mClosed) return Input::end();
    mRequest = request;
    if (atCommandPrompt()) mPointsInCommand = 0;
    if (mQueue.empty()) {
        emit prompting(QString::fromStdWString(request.prompt));
        QEventLoop loop;
        mLoop = &loop;
        while (mQueue.empty() && !mClosed) loop.exec();
        mLoop = nullptr;
        if (mClosed && mQueue.empty()) return Input::end();
    }
    Input in = mQueue.front();
    mQueue.pop_front();
    // Enter at "Command:" runs the last command again.
    if (atCommandPrompt() && in.kind == Input::Text) {
        if (in.text.empty()) in.text = mLastCommand;
        else if (in.text[0] != L'(') mLastCommand = in.text;
    }
    if (in.kind == Input::Point) ++mPointsInCommand;
    if (in.kind == Input::Cancel)
        editor::writeOutput(request.prompt + L"*Cancel*\n");
    else
        editor::writeOutput(request.prompt + (in.kind == Input::Text ? in.text : editor::describe(in)) + L"\n");
    emit answered();
    return in;
}

bool WindowSource::refuse(const std::wstring& message, const std::wstring&) {
    editor::writeOutput(message + L"\n");
    mQueue.clear();  // what was given ahead was meant for the prompt that refused
    return true;
}

void WindowSource::give(editor::Input answer) {
    mQueue.push_back(std::move(answer));
    if (mLoop) mLoop->quit();
}

void WindowSource::giveTyped(const std::wstring& line) {
    if (mRequest.restOfLine || line.empty() || line[0] == L'(') {
        give(Input::ofText(line));
        return;
    }
    std::wstring word;
    bool any = false;
    for (wchar_t c : line + L" ") {
        if (std::iswspace(c)) {
            if (!word.empty()) {
                mQueue.push_back(Input::ofText(word));
                any = true;
            }
            word.clear();
        } else {
            word += c;
        }
    }
    if (!any) mQueue.push_back(Input::ofText(L""));
    if (mLoop) mLoop->quit();
}

void WindowSource::cancel() {
    mQueue.clear();
    give(Input::cancel());
}

void WindowSource::close() {
    mClosed = true;
    if (mLoop) mLoop->quit();
}

bool WindowSource::atSelectionPrompt() const {
    return mRequest.prompt == L"Select objects: " || mRequest.prompt == L"Remove objects: ";
}

}  // namespace cvx::window
