// Input sources: where prompts get their answers. The editor keeps a stack of sources; the top one answers.
// A person at the terminal, a script and the answers of acedCommand are sources; a window can be another.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cvx/dbid.h"
#include "cvx/ge.h"

namespace cvx::editor {

// What a prompt asks for; a source may use it to choose how to read (a window: a click or a line).
struct InputRequest {
    std::wstring prompt;   // as printed, e.g. "Specify first point: "
    bool restOfLine = false;  // blanks belong to the answer (text strings)
    bool wantsPoint = false;
};

// One answer.
struct Input {
    enum Kind { Text, Point, Entity, Selection, Cancel, End };
    Kind kind = Text;
    std::wstring text;          // Text: as typed ("" is Enter)
    AcGePoint3d point;          // Point
    AcDbObjectId entity;        // Entity
    std::vector<AcDbObjectId> selection;  // Selection
    static Input cancel() { Input i; i.kind = Cancel; return i; }
    static Input end() { Input i; i.kind = End; return i; }
    static Input ofText(std::wstring t) { Input i; i.text = std::move(t); return i; }
    static Input ofPoint(const AcGePoint3d& p) { Input i; i.kind = Point; i.point = p; return i; }
};

// A source shows the prompt itself (a script prints it with the answer, the terminal before reading).
class InputSource {
public:
    virtual ~InputSource() = default;
    virtual Input read(const InputRequest& request) = 0;
    // An answer did not fit its prompt. A person is told and asked again (true); a script stops with an
    // error and the prompt is cancelled (false).
    virtual bool refuse(const std::wstring& message, const std::wstring& answer) = 0;
    // Runs extension lines waiting at the current reading position (scripts); false on an error.
    virtual bool runPendingExtensions() { return true; }
    // True once the source failed (a script error): every further prompt is cancelled.
    virtual bool failed() const { return false; }
};

// The source stack. The bottom source is the session's (terminal or script).
InputSource* currentSource();
void pushSource(InputSource* source);
void popSource(InputSource* source);

class ScopedSource {
public:
    explicit ScopedSource(InputSource* s) : mSource(s) { pushSource(s); }
    ~ScopedSource() { popSource(mSource); }
    ScopedSource(const ScopedSource&) = delete;
    ScopedSource& operator=(const ScopedSource&) = delete;

private:
    InputSource* mSource;
};

// Reads one answer from the current source; a source shows the prompt and echoes the answer as its kind of
// input wants. With no source at all, every read ends.
Input readAnswer(const InputRequest& request);
// Tells the current source that an answer was refused; true when it will be asked again.
bool refuseAnswer(const std::wstring& message, const std::wstring& answer);

}  // namespace cvx::editor
