#include "window/window_app.h"

#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include "editor/command_line.h"
#include "editor/script_source.h"
#include "editor/script_verbs.h"
#include "editor/state.h"
#include "window/dialogs.h"
#include "window/main_window.h"
#include "window/window_source.h"

namespace cvx::window {
namespace {

MainWindow* gWindow = nullptr;

editor::ScriptVerbResult grabVerb(const editor::ScriptVerbCall& c) {
    if (c.args.size() != 1 || c.args[0].empty()) return {L";@grab needs the path of the picture", {}};
    if (scriptWorksDialog()) {
        // The dialog's events wait in a queue: the grab takes its turn among them.
        std::wstring quoted;
        for (wchar_t ch : c.args[0]) quoted += (ch == L'"' || ch == L'\\') ? std::wstring(L"\\") + ch : std::wstring(1, ch);
        return editor::runScriptVerb(L"dialog grab \"" + quoted + L"\"", c.where);
    }
    std::wstring error;
    if (!grabTopWindow(c.args[0], error)) return {error, {}};
    return {};
}

}  // namespace

bool grabTopWindow(const std::wstring& path, std::wstring& error) {
    QWidget* top = openDialog() && openDialog()->isVisible() ? openDialog() : QApplication::activeModalWidget();
    if (!top) top = gWindow;
    if (!top) {
        error = L"there is no window to grab";
        return false;
    }
    if (gWindow && top == gWindow) gWindow->view()->refresh();
    QPixmap picture = top->grab();
    if (picture.isNull() || !picture.save(QString::fromStdWString(path), "PNG")) {
        error = L"cannot write the picture " + path;
        return false;
    }
    return true;
}

int runWindow(int& argc, char** argv, editor::ScriptSource* script, const std::string& grab) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    WindowSource source;
    MainWindow window(source);
    gWindow = &window;
    installFrontEnd(window);
    installDialogBackEnd(source);
    trackKeyboard();
    editor::registerScriptVerb(L"grab", grabVerb);
    // A script sees the screen size a headless run has (what picks and view-sized answers depend on), so
    // both give the same drawing; a person can size the window as they like.
    const editor::View& v = editor::editorState().view;
    if (script) {
        window.view()->setFixedSize(v.screenWidth, v.screenHeight);
        window.adjustSize();
    } else {
        window.view()->setMinimumSize(200, 150);
        window.resize(window.sizeHint().expandedTo(QSize(v.screenWidth, v.screenHeight + 200)));
    }
    window.show();
    int status = 0;
    QTimer::singleShot(0, &window, [&] {
        {
            editor::ScopedSource reading(script ? static_cast<editor::InputSource*>(script) : &source);
            window.view()->refresh();
            editor::runCommandLoop();
        }
        if (!grab.empty() && !(script && script->failed())) {
            std::wstring error;
            window.rebuildMenus();
            if (!grabTopWindow(QString::fromStdString(grab).toStdWString(), error)) {
                std::fprintf(stderr, "curvix: %ls\n", error.c_str());
                status = 1;
            }
        }
        app.quit();
    });
    app.exec();
    uninstallDialogBackEnd();
    uninstallFrontEnd();
    gWindow = nullptr;
    return status;
}

}  // namespace cvx::window
