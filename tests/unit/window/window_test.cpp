// The window driven as a person drives it: typed commands, clicks and drags in the view, keys, and the
// pictures it shows compared with the headless renderer's.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "cvx/dbents.h"
#include "cvx/dbmain.h"
#include "cvx/render.h"
#include "editor/command_line.h"
#include "editor/commands/commands.h"
#include "editor/modules.h"
#include "editor/output.h"
#include "editor/script_source.h"
#include "editor/selection.h"
#include "editor/state.h"
#include "editor/view_render.h"
#include "window/dialogs.h"
#include "window/main_window.h"
#include "window/window_source.h"

using namespace cvx;
using window::MainWindow;
using window::WindowSource;

namespace {

template <class T>
std::vector<T*> entitiesOf() {
    std::vector<T*> out;
    for (AcDbObjectId id : editor::selectableEntities()) {
        AcDbEntity* e = nullptr;
        if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) continue;
        if (T* t = T::cast(e)) out.push_back(t);
        e->close();  // the database keeps the object; reading it after closing is fine here
    }
    return out;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AcDbDatabase> db;
    std::unique_ptr<WindowSource> source;
    std::unique_ptr<MainWindow> win;

    // Runs commands from script text (setting up a drawing without the window).
    void script(const std::wstring& text) {
        editor::ScriptSource s(text, L"setup");
        editor::ScopedSource reading(&s);
        editor::runCommandLoop();
        QVERIFY(!s.failed());
    }

    // Reads commands from the window; each step runs when a prompt waits for the person, and after the
    // last step the session ends at the next prompt.
    void play(std::vector<std::function<void()>> steps) {
        size_t next = 0;
        auto c = connect(source.get(), &WindowSource::prompting, this, [&](const QString&) {
            QTimer::singleShot(0, this, [&] {
                if (next < steps.size()) steps[next++]();
                else source->close();
            });
        });
        // A step that leaves no prompt waiting would hang the test: the session ends after a while.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [&] { source->close(); });
        guard.start(20000);
        {
            editor::ScopedSource reading(source.get());
            editor::runCommandLoop();
        }
        disconnect(c);
        if (next != steps.size() || qEnvironmentVariableIsSet("CVX_SHOW_HISTORY"))
            qInfo().noquote() << win->commandPanel()->history();
        QCOMPARE(next, steps.size());
    }

    QPoint at(double x, double y) const {
        QPointF p = win->view()->pixelOf({x, y, 0});
        return p.toPoint();
    }
    std::function<void()> type(const QString& text) {
        return [this, text] {
            QTest::keyClicks(win->commandPanel()->edit(), text);
            QTest::keyClick(win->commandPanel()->edit(), Qt::Key_Return);
        };
    }
    std::function<void()> click(double x, double y, Qt::KeyboardModifiers mods = {}) {
        return [this, x, y, mods] { QTest::mouseClick(win->view(), Qt::LeftButton, mods, at(x, y)); };
    }
    std::function<void()> key(Qt::Key k) {
        return [this, k] { QTest::keyClick(win->view(), k); };
    }
    std::function<void()> drag(double x0, double y0, double x1, double y1, Qt::KeyboardModifiers mods = {}) {
        return [this, x0, y0, x1, y1, mods] {
            QTest::mousePress(win->view(), Qt::LeftButton, mods, at(x0, y0));
            QTest::mouseMove(win->view(), at((x0 + x1) / 2, (y0 + y1) / 2));
            QTest::mouseRelease(win->view(), Qt::LeftButton, mods, at(x1, y1));
        };
    }

private slots:
    void init() {
        db = std::make_unique<AcDbDatabase>(true);
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
        editor::resetEditorState();
        editor::forgetAllSets();
        editor::registerHostCommands();
        editor::setOutputQuiet(true);
        source = std::make_unique<WindowSource>();
        win = std::make_unique<MainWindow>(*source);
        window::installFrontEnd(*win);
        window::installDialogBackEnd(*source);
        win->resize(900, 700);
        win->show();
        QVERIFY(QTest::qWaitForWindowExposed(win.get()));
        // 4 pixels a unit, the origin near the lower left.
        editor::zoomCenter({100, 60}, win->view()->height() / 4.0);
        win->view()->refresh();
    }
    void cleanup() {
        window::uninstallDialogBackEnd();
        window::uninstallFrontEnd();
        win.reset();
        source.reset();
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }

    // Clicks answer point prompts; Enter ends LINE and, at "Command:", runs it again; Escape cancels.
    void clicksAnswerLineAndCircle() {
        play({type("LINE"), click(10, 10), click(40, 50), key(Qt::Key_Return),
              key(Qt::Key_Return), click(60, 10), key(Qt::Key_Escape),
              type("CIRCLE"), click(100, 60), click(120, 60)});
        auto lines = entitiesOf<AcDbLine>();
        QCOMPARE(lines.size(), size_t(1));  // the repeated LINE was cancelled before its first segment
        QVERIFY(lines[0]->startPoint().distanceTo({10, 10, 0}) < 0.3);
        QVERIFY(lines[0]->endPoint().distanceTo({40, 50, 0}) < 0.3);
        auto circles = entitiesOf<AcDbCircle>();
        QCOMPARE(circles.size(), size_t(1));
        QVERIFY(circles[0]->center().distanceTo({100, 60, 0}) < 0.3);
        QVERIFY(std::abs(circles[0]->radius() - 20) < 0.3);
        QVERIFY(win->commandPanel()->history().contains("Specify radius of circle"));
    }

    // A window drag takes what lies wholly inside, a crossing drag what it touches, Shift takes out again.
    void dragSelectionFeedsMove() {
        script(L"LINE 10,10 30,10\n\nLINE 10,20 30,20\n\nCIRCLE 150,60 10\n");
        // Window around the first line only (the second sticks out of it); then crossing over the second
        // and the circle's left side; then Shift+click takes the circle out.
        play({type("MOVE"), drag(5, 5, 35, 15), drag(160, 55, 25, 18), click(140, 60, Qt::ShiftModifier),
              key(Qt::Key_Return), click(0, 0), click(0, 100)});
        auto lines = entitiesOf<AcDbLine>();
        QCOMPARE(lines.size(), size_t(2));
        for (AcDbLine* l : lines) QVERIFY2(l->startPoint().y > 100, "both lines moved up 100");
        auto circles = entitiesOf<AcDbCircle>();
        QVERIFY(circles[0]->center().distanceTo({150, 60, 0}) < 1e-9);
    }

    // With centre snaps on, a click a few pixels off a circle's centre lands on it exactly.
    void snapLandsOnCircleCentre() {
        script(L"CIRCLE 80,60 25\n");
        editor::editorState().shorts[L"OSMODE"] = window::SnapCenter | window::SnapEnd;
        QPoint off = at(80, 60) + QPoint(5, -4);
        play({type("LINE"),
              [&] {
                  QTest::mouseMove(win->view(), off);
                  QVERIFY(win->view()->snap().has_value());
                  QCOMPARE(int(win->view()->snap()->kind), int(window::SnapCenter));
                  QTest::mouseClick(win->view(), Qt::LeftButton, {}, off);
              },
              click(10, 10), key(Qt::Key_Escape)});
        auto lines = entitiesOf<AcDbLine>();
        QCOMPARE(lines.size(), size_t(1));
        QCOMPARE(lines[0]->startPoint().x, 80.0);
        QCOMPARE(lines[0]->startPoint().y, 60.0);
    }

    // Each snap kind on a line, a circle and a half arc: the kind asked for wins over a nearest point, an arc
    // has only the quadrants on it, and nothing is found out of the aperture or with no kinds chosen.
    void snapKinds() {
        script(L"LINE 0,0 40,0\n\nCIRCLE 20,0 10\nARC 100,0 90,10 80,0\n");
        using window::findSnap;
        auto snapAt = [](double x, double y, int modes) { return findSnap({x, y, 0}, 1.5, modes); };
        auto is = [](const std::optional<window::Snap>& s, window::SnapKind k, double x, double y) {
            return s && s->kind == k && std::abs(s->point.x - x) < 1e-9 && std::abs(s->point.y - y) < 1e-9;
        };
        QVERIFY(is(snapAt(39.2, 0.5, window::SnapEnd | window::SnapNearest), window::SnapEnd, 40, 0));
        QVERIFY(is(snapAt(20.6, 0.4, window::SnapMiddle), window::SnapMiddle, 20, 0));
        QVERIFY(is(snapAt(20.5, 9.5, window::SnapQuadrant), window::SnapQuadrant, 20, 10));
        QVERIFY(is(snapAt(10.4, 0.6, window::SnapIntersection), window::SnapIntersection, 10, 0));
        QVERIFY(is(snapAt(90.5, 0.5, window::SnapCenter), window::SnapCenter, 90, 0));
        QVERIFY(is(snapAt(90.5, 9.6, window::SnapQuadrant), window::SnapQuadrant, 90, 10));
        QVERIFY(!snapAt(90.5, -9.6, window::SnapQuadrant));  // the lower half is not drawn
        QVERIFY(is(snapAt(5, 0.5, window::SnapNearest), window::SnapNearest, 5, 0));
        QVERIFY(!snapAt(5, 3, window::SnapNearest));
        QVERIFY(!snapAt(40, 0, 0));
    }

    // The module's polyline optimiser takes its polyline from a click on it.
    void pickForPolylineOptimiser() {
        std::wstring why;
        QVERIFY2(editor::loadModule(QStringLiteral(CVX_BINARY_DIR "/Curvix_2012X64.arx").toStdWString(), why),
                 QString::fromStdWString(why).toUtf8());
        std::wstring wave = L"PLINE";
        for (int x = 0; x <= 160; ++x) wave += L" " + std::to_wstring(x) + L"," + std::to_wstring(std::sin(x / 8.0) * 5 + 60);
        script(wave + L"\n\n");
        size_t before = entitiesOf<AcDbPolyline>()[0]->numVerts();
        double y = std::sin(40 / 8.0) * 5 + 60;
        play({type("PLYH"), click(40, y), key(Qt::Key_Return), key(Qt::Key_Return)});
        QVERIFY(win->commandPanel()->history().contains("1 found"));
        QVERIFY(entitiesOf<AcDbPolyline>()[0]->numVerts() < before);
        editor::unloadAllModules();
    }

    // The formula dialog opens as a Qt dialog; Preview steps aside for the origin pick in the view, and the
    // slider moved with the mouse draws the curve again, in the view behind the dialog.
    void formulaSliderRedrawsPreview() {
        std::wstring why;
        QVERIFY2(editor::loadModule(QStringLiteral(CVX_BINARY_DIR "/Curvix_2012X64.arx").toStdWString(), why),
                 QString::fromStdWString(why).toUtf8());
        QDialog* dialog = nullptr;
        bool hiddenForPick = false;
        double widthBefore = 0, widthAfter = 0;
        int rendersBefore = 0, rendersAfter = 0;
        auto width = [&] {
            db->updateExt(true);
            return db->extmax().x - db->extmin().x;
        };
        play({[&] {
                  type("FORMULA")();
                  QTimer::singleShot(0, this, [&] {
                      dialog = window::openDialog();
                      if (!dialog) return;
                      for (QPushButton* b : dialog->findChildren<QPushButton*>())
                          if (b->text() == "Preview") QTest::mouseClick(b, Qt::LeftButton);
                  });
              },
              [&] {
                  hiddenForPick = dialog && !dialog->isVisible();
                  click(0, 0)();
                  QTimer::singleShot(0, this, [&] {
                      widthBefore = width();
                      rendersBefore = win->view()->renders();
                      QSlider* slider = dialog->findChildren<QSlider*>().value(0);
                      if (!slider) return;
                      // A press on the groove far to the right of the handle moves it a page.
                      QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 3, slider->height() / 2));
                      widthAfter = width();
                      rendersAfter = win->view()->renders();
                      dialog->close();
                  });
              }});
        QVERIFY(dialog != nullptr);
        QVERIFY(hiddenForPick);
        QVERIFY(widthBefore > 0);
        QVERIFY2(std::abs(widthAfter - widthBefore) > 1e-6, "the slider changed the previewed curve");
        QVERIFY(rendersAfter > rendersBefore);
        QVERIFY(window::openDialog() == nullptr);
        editor::unloadAllModules();
    }

    // The view shows what a picture of the same view holds, pixel for pixel: a real drawing from a part
    // library, with its texts and arcs.
    void viewMatchesHeadlessPicture() {
        const char* path = "/usr/share/librecad/library/elektro/relay-iso/Relay.dxf";
        if (!QFile::exists(path)) QSKIP("the part library is not installed");
        QVERIFY(db->readDxfFile(QString(path).toStdWString().c_str()) == Acad::eOk);
        db->updateExt(true);
        editor::zoomToBox(db->extmin(), db->extmax());
        win->view()->refresh();
        QImage shown = win->view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QTemporaryDir dir;
        std::string png = (dir.path() + "/view ü.png").toStdString();
        QVERIFY(cvxRenderToPng(db.get(), editor::currentViewRenderOptions(), png));
        QImage headless = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), headless.size());
        int lit = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                QCOMPARE(shown.pixel(x, y), headless.pixel(x, y));
                if (qGray(shown.pixel(x, y)) > 60) ++lit;
            }
        QVERIFY2(lit > 500, "the drawing is in view");
        // A zoom shows the cache scaled at once; drawn again, the view is again the renderer's picture.
        int renders = win->view()->renders();
        win->view()->zoomAbout(QPointF(100, 100), 2);
        QCOMPARE(win->view()->renders(), renders);
        QTRY_VERIFY(win->view()->renders() > renders);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
