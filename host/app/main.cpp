// curvix: opens a drawing, runs a script or the commands a person types, and writes what was asked.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <cstdio>
#include <memory>

#include "app/options.h"
#include "cvx/dbmain.h"
#include "cvx/editor.h"
#include "cvx/profile.h"
#include "cvx/render.h"
#include "cvx/wide.h"
#include "editor/command_line.h"
#include "editor/demand_load.h"
#include "editor/commands/commands.h"
#include "editor/output.h"
#include "editor/script_source.h"
#include "editor/modules.h"
#include "editor/state.h"
#include "editor/view_render.h"
#include "editor/terminal_source.h"
#include "ui/demo_command.h"
#ifdef CVX_WITH_WINDOW
#include "window/window_app.h"
#endif

namespace {

int fail(const std::string& message, int status = 1) {
    std::fprintf(stderr, "curvix: %s\n", message.c_str());
    return status;
}

// Opens the named drawing, or starts a new one that will be saved under that name.
std::unique_ptr<AcDbDatabase> openDrawing(const std::string& path, std::string& error) {
    auto db = std::make_unique<AcDbDatabase>(true);
    if (path.empty()) return db;
    std::wstring wpath = cvxFromUtf8(path);
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        // Only a name that is simply not taken yet starts a new drawing; a path through a file, one that
        // cannot be searched, or a loop of links cannot hold a drawing at all.
        if (errno != ENOENT) {
            error = "cannot open " + path + ": " + std::strerror(errno);
            return nullptr;
        }
        db->setFileName(wpath);
        return db;
    }
    if (db->readDxfFile(wpath.c_str()) != Acad::eOk) {
        error = "cannot open " + path + ": " + cvxToUtf8(db->lastErrorText());
        return nullptr;
    }
    for (const std::wstring& note : db->openNotes()) std::fprintf(stderr, "curvix: %s: %s\n", path.c_str(), cvxToUtf8(note).c_str());
    db->setFileName(wpath);
    return db;
}

void showDrawing(AcDbDatabase* db) {
    if (cvx::editor::loadViewFrom(db)) return;
    db->updateExt(true);
    if (db->extmin().x <= db->extmax().x) cvx::editor::zoomToBox(db->extmin(), db->extmax());
}

bool writeOutputs(AcDbDatabase* db, const cvx::app::Options& o) {
    bool ok = true;
    acedVports2VportTableRecords();
    // fail() returns the status it is given; 1 marks the run as failed.
    // The version asked for, else the one the drawing was read in (2000 for older ones).
    int version = o.dxfVersion ? o.dxfVersion : std::max<int>(db->originalFileVersion(), AcDb::kDHL_1015);
    if (!o.output.empty() && !o.dxfVersion && db->originalFileVersion() < AcDb::kDHL_1015)
        std::fprintf(stderr, "curvix: the drawing was read from a version before 2000; %s is written in the 2000 format\n",
                     o.output.c_str());
    if (!o.output.empty() &&
        db->dxfOut(cvxFromUtf8(o.output).c_str(), 16, static_cast<AcDb::AcDbDwgVersion>(version)) != Acad::eOk)
        ok = !fail("cannot write " + o.output + ": " + cvxToUtf8(db->lastErrorText()), 1);
    cvx::RenderOptions r = cvx::editor::currentViewRenderOptions();
    r.width = o.width;
    r.height = o.height;
    std::string error;
    if (!o.png.empty() && !cvxRenderToPng(db, r, o.png, &error)) ok = !fail("cannot draw " + o.png + ": " + error, 1);
    if (!o.svg.empty() && !cvxRenderToSvg(db, r, o.svg, &error)) ok = !fail("cannot draw " + o.svg + ": " + error, 1);
    if (!o.pdf.empty()) {
        cvx::PdfPlot plot;
        plot.paperWidth = o.paperWidth;
        plot.paperHeight = o.paperHeight;
        plot.unitsPerMm = o.unitsPerMm;
        plot.viewCenter = r.viewCenter;
        plot.viewHeight = r.viewHeight;
        plot.window = o.plotWindow;
        plot.corner1 = {o.windowCorners[0], o.windowCorners[1]};
        plot.corner2 = {o.windowCorners[2], o.windowCorners[3]};
        if (!cvxPlotToPdf(db, plot, o.pdf, &error)) ok = !fail("cannot plot " + o.pdf + ": " + error, 1);
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_CTYPE, "C.UTF-8");
    std::string error;
    auto options = cvx::app::parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) return fail(error + "\n" + cvx::app::usageText(), 2);
    if (options->help) {
        std::fputs(cvx::app::usageText(), stdout);
        return 0;
    }
    if (!options->log.empty() && !cvx::editor::setOutputLog(options->log))
        return fail("cannot write the log " + options->log, 2);

    std::unique_ptr<cvx::editor::ScriptSource> script;
    if (!options->script.empty()) {
        std::wstring why;
        script = cvx::editor::ScriptSource::fromFile(options->script, why);
        if (!script) return fail(cvxToUtf8(why), 2);
    }
    std::unique_ptr<AcDbDatabase> db = openDrawing(options->drawing, error);
    if (!db) return fail(error);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    cvx::editor::registerHostCommands();
    cvx::ui::registerDialogCommands();
    if (options->sizeGiven) {
        cvx::editor::editorState().view.screenWidth = options->width;
        cvx::editor::editorState().view.screenHeight = options->height;
    }
    showDrawing(db.get());
    cvxEnsureHostProfile();
    cvx::editor::installDemandLoader();
    for (const std::string& m : options->modules) {
        std::wstring why;
        if (!cvx::editor::loadModule(cvxFromUtf8(m), why)) return fail(cvxToUtf8(why), 2);
    }

    int windowStatus = 0;
    if (options->window) {
#ifdef CVX_WITH_WINDOW
        windowStatus = cvx::window::runWindow(argc, argv, script.get(), options->grab);
#else
        return fail("this curvix was built without the window (Qt 6 was not found)", 2);
#endif
    } else if (script) {
        cvx::editor::ScopedSource source(script.get());
        cvx::editor::runCommandLoop();
    } else {
        cvx::editor::TerminalSource terminal;
        cvx::editor::ScopedSource source(&terminal);
        cvx::editor::runCommandLoop();
    }
    int status = 0;
    if (script && script->failed()) {
        status = fail("script stopped; nothing was written");
    } else if (!writeOutputs(db.get(), *options) || windowStatus != 0) {
        status = 1;
    }
    cvx::editor::unloadAllModules();
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return status;
}
