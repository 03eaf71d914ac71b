// The window as an input source: a prompt waits (in a nested event loop, so the command asking keeps its
// plain blocking form) until the person answers on the command line or with the mouse. Answers given ahead
// (a menu item's words, the several answers of a drag) wait in a queue.
#pragma once

#include <QObject>
#include <deque>
#include <string>

#include "editor/input.h"

class QEventLoop;

namespace cvx::window {

class WindowSource : public QObject, public editor::InputSource {
    Q_OBJECT
public:
    editor::Input read(const editor::InputRequest& request) override;
    bool refuse(const std::wstring& message, const std::wstring& answer) override;

    // Queues an answer; a waiting prompt takes it.
    void give(editor::Input answer);
    // A line typed on the command line: split at blanks unless the prompt takes the whole line.
    void giveTyped(const std::wstring& line);
    // Cancels what is running and queued answers (Escape); the prompt reading now is cancelled.
    void cancel();
    // The window closes: every prompt from now on ends.
    void close();

    bool waiting() const { return mLoop != nullptr; }
    const editor::InputRequest& request() const { return mRequest; }
    // True while the prompt asks for a point given after another (the rubber band's base is the last point).
    bool hasBasePoint() const { return mPointsInCommand > 0 && mRequest.wantsPoint; }
    bool atCommandPrompt() const { return mRequest.prompt == L"Command: "; }
    bool atSelectionPrompt() const;

signals:
    // A prompt waits for the person (after the view was brought up to date).
    void prompting(const QString& prompt);
    // An answer was taken; the drawing may change now.
    void answered();

private:
    std::deque<editor::Input> mQueue;
    QEventLoop* mLoop = nullptr;
    editor::InputRequest mRequest;
    std::wstring mLastCommand;
    int mPointsInCommand = 0;
    bool mClosed = false;
};

}  // namespace cvx::window
