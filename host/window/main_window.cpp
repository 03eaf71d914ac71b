#include "window/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "cvx/dbmain.h"
#include "cvx/keys.h"
#include "cvx/msgbox.h"
#include "editor/front_end.h"
#include "editor/menus.h"
#include "editor/output.h"
#include "editor/point_syntax.h"
#include "editor/state.h"
#include "editor/view_render.h"
#include "render/pixels.h"
#include "window/window_source.h"

namespace cvx::window {
namespace {

using editor::Input;

constexpr int kDragPixels = 4;     // a press that moves less is a click
constexpr int kAperturePixels = 10;  // how near the cursor a snap point must be

ViewMapping viewMapping() {
    const editor::View& v = editor::editorState().view;
    ViewMapping m;
    m.width = v.screenWidth;
    m.height = v.screenHeight;
    m.center = v.center;
    m.scale = v.height > 0 ? v.screenHeight / v.height : 1;
    return m;
}

QColor backgroundColor() {
    uint32_t c = editor::currentViewRenderOptions().background;
    return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

}  // namespace

// ---- the view ----

DrawingView::DrawingView(WindowSource& source, QWidget* parent) : QWidget(parent), mSource(source) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

AcGePoint3d DrawingView::worldAt(const QPointF& pixel) const {
    AcGePoint2d w = viewMapping().pixelToWorld({pixel.x(), pixel.y()});
    return {w.x, w.y, 0};
}

QPointF DrawingView::pixelOf(const AcGePoint3d& world) const {
    AcGePoint2d p = viewMapping().worldToPixel({world.x, world.y});
    return {p.x, p.y};
}

void DrawingView::refresh() {
    mRefreshPending = false;
    AcDbDatabase* db = acdbCurDwg();
    RenderOptions o = editor::currentViewRenderOptions();
    std::vector<uint32_t> pixels;
    if (!db || !cvxRenderToPixels(db, o, pixels)) {
        mCache = QImage();
        update();
        return;
    }
    QImage image(o.width, o.height, QImage::Format_RGB32);
    for (int y = 0; y < o.height; ++y)
        std::memcpy(image.scanLine(y), pixels.data() + size_t(y) * size_t(o.width), size_t(o.width) * 4);
    mCache = std::move(image);
    mCacheCenter = o.viewCenter;
    mCacheScale = o.height / o.viewHeight;
    ++mRenders;
    update();
}

void DrawingView::scheduleRefresh() {
    update();
    if (mRefreshPending) return;
    mRefreshPending = true;
    QTimer::singleShot(60, this, [this] {
        if (mRefreshPending) refresh();
    });
}

void DrawingView::zoomAbout(const QPointF& pixel, double factor) {
    editor::View& v = editor::editorState().view;
    AcGePoint3d before = worldAt(pixel);
    v.height /= factor;
    AcGePoint3d after = worldAt(pixel);
    v.center = {v.center.x + before.x - after.x, v.center.y + before.y - after.y};
    scheduleRefresh();
}

void DrawingView::panBy(const QPointF& pixels) {
    editor::View& v = editor::editorState().view;
    double upp = v.unitsPerPixel();
    v.center = {v.center.x - pixels.x() * upp, v.center.y + pixels.y() * upp};
    scheduleRefresh();
}

void DrawingView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), backgroundColor());
    if (!mCache.isNull()) {
        ViewMapping now = viewMapping();
        if (mCacheScale == now.scale && mCacheCenter.x == now.center.x && mCacheCenter.y == now.center.y &&
            mCache.size() == size()) {
            p.drawImage(0, 0, mCache);
        } else {
            // The cache moved and scaled to the view until it is drawn again.
            double k = now.scale / mCacheScale;
            double tx = now.width / 2.0 + (mCacheCenter.x - now.center.x) * now.scale - k * mCache.width() / 2.0;
            double ty = now.height / 2.0 - (mCacheCenter.y - now.center.y) * now.scale - k * mCache.height() / 2.0;
            p.save();
            p.translate(tx, ty);
            p.scale(k, k);
            p.drawImage(0, 0, mCache);
            p.restore();
        }
    }
    if (!mCursor) return;
    const QPointF c = *mCursor;
    p.setPen(QPen(Qt::white, 1));
    if (mPress && (c - *mPress).manhattanLength() >= kDragPixels && !mPanFrom) {
        // Window (to the right, solid) or crossing (to the left, dashed) selection.
        bool crossing = c.x() < mPress->x();
        p.setPen(QPen(crossing ? QColor(80, 220, 80) : QColor(80, 140, 255), 1, crossing ? Qt::DashLine : Qt::SolidLine));
        p.fillRect(QRectF(*mPress, c).normalized(), crossing ? QColor(80, 220, 80, 40) : QColor(80, 140, 255, 40));
        p.drawRect(QRectF(*mPress, c).normalized());
    }
    QPointF at = mSnap ? pixelOf(mSnap->point) : c;
    if (mSource.waiting() && mSource.hasBasePoint()) {
        p.setPen(QPen(QColor(255, 255, 255, 200), 1, Qt::DashLine));
        p.drawLine(pixelOf(editor::editorState().lastPoint), at);
    }
    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.drawLine(QPointF(c.x() - 20, c.y()), QPointF(c.x() + 20, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 20), QPointF(c.x(), c.y() + 20));
    p.drawRect(QRectF(c.x() - 4, c.y() - 4, 8, 8));
    if (mSnap) {
        // The marker's shape tells the kind: a square for an end, a triangle for a middle, a circle for a
        // centre, a diamond for a quadrant, a cross for an intersection, an hourglass for a nearest point.
        p.setPen(QPen(QColor(255, 200, 0), 2));
        QRectF box(at.x() - 6, at.y() - 6, 12, 12);
        switch (mSnap->kind) {
        case SnapEnd: p.drawRect(box); break;
        case SnapMiddle: p.drawPolygon(QPolygonF({box.bottomLeft(), box.bottomRight(), QPointF(at.x(), box.top())})); break;
        case SnapCenter: p.drawEllipse(box); break;
        case SnapQuadrant:
            p.drawPolygon(QPolygonF({QPointF(at.x(), box.top()), QPointF(box.right(), at.y()),
                                     QPointF(at.x(), box.bottom()), QPointF(box.left(), at.y())}));
            break;
        case SnapIntersection:
            p.drawLine(box.topLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomLeft());
            break;
        case SnapNearest:
            p.drawPolygon(QPolygonF({box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}));
            break;
        }
    }
}

void DrawingView::resizeEvent(QResizeEvent*) {
    editor::View& v = editor::editorState().view;
    v.screenWidth = std::max(1, width());
    v.screenHeight = std::max(1, height());
    refresh();
}

AcGePoint3d DrawingView::answerPoint(const QPointF& pixel) const {
    if (mSnap) return mSnap->point;
    return worldAt(pixel);
}

void DrawingView::mousePressEvent(QMouseEvent* e) {
    setFocus();
    if (e->button() == Qt::MiddleButton) {
        mPanFrom = e->position();
    } else if (e->button() == Qt::LeftButton) {
        mPress = e->position();
        mShiftPress = e->modifiers() & Qt::ShiftModifier;
    } else if (e->button() == Qt::RightButton) {
        // Right-click ends a prompt as Enter does.
        mSource.give(Input::ofText(L""));
    }
}

void DrawingView::mouseMoveEvent(QMouseEvent* e) {
    mCursor = e->position();
    if (mPanFrom) {
        panBy(e->position() - *mPanFrom);
        mPanFrom = e->position();
        return;
    }
    mSnap.reset();
    if (mSource.waiting() && mSource.request().wantsPoint && !mPress) {
        int modes = 0;
        auto it = editor::editorState().shorts.find(L"OSMODE");
        if (it != editor::editorState().shorts.end()) modes = it->second;
        if (!(modes & 0x4000))  // the bit that switches snaps off while keeping the chosen kinds
            mSnap = findSnap(worldAt(e->position()), kAperturePixels * editor::editorState().view.unitsPerPixel(), modes);
    }
    emit cursorMoved(answerPoint(e->position()));
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) {
        mPanFrom.reset();
        return;
    }
    if (e->button() != Qt::LeftButton || !mPress) return;
    QPointF from = *mPress;
    mPress.reset();
    QPointF to = e->position();
    bool drag = (to - from).manhattanLength() >= kDragPixels;
    if (drag && mSource.atSelectionPrompt()) {
        // Left to right: a window; right to left: crossing. Shift takes the entities out again.
        if (mShiftPress) mSource.give(Input::ofText(L"R"));
        mSource.give(Input::ofText(to.x() >= from.x() ? L"W" : L"C"));
        mSource.give(Input::ofPoint(worldAt(from)));
        mSource.give(Input::ofPoint(worldAt(to)));
        if (mShiftPress) mSource.give(Input::ofText(L"A"));
    } else if (drag && !mSource.request().wantsPoint && !mSource.atSelectionPrompt()) {
        panBy(to - from);  // a drag where no point is asked for moves the view
    } else if (mSource.waiting()) {
        AcGePoint3d p = drag ? worldAt(to) : answerPoint(from);
        if (mShiftPress && mSource.atSelectionPrompt()) {
            mSource.give(Input::ofText(L"R"));
            mSource.give(Input::ofPoint(p));
            mSource.give(Input::ofText(L"A"));
        } else {
            mSource.give(Input::ofPoint(p));
        }
    }
    mSnap.reset();
    update();
}

void DrawingView::wheelEvent(QWheelEvent* e) {
    double steps = e->angleDelta().y() / 120.0;
    if (steps != 0) zoomAbout(e->position(), std::pow(1.25, steps));
}

void DrawingView::leaveEvent(QEvent*) {
    mCursor.reset();
    mSnap.reset();
    update();
}

// ---- the command line ----

CommandPanel::CommandPanel(WindowSource& source, QWidget* parent) : QWidget(parent), mSource(source) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    mHistory = new QPlainTextEdit(this);
    mHistory->setReadOnly(true);
    mHistory->setMaximumBlockCount(20000);
    mHistory->setFocusPolicy(Qt::NoFocus);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::Monospace);
    mHistory->setFont(mono);
    layout->addWidget(mHistory, 1);
    auto* line = new QHBoxLayout;
    mPrompt = new QLabel(this);
    mPrompt->setFont(mono);
    mEdit = new QLineEdit(this);
    mEdit->setFont(mono);
    mEdit->setFrame(false);
    line->addWidget(mPrompt);
    line->addWidget(mEdit, 1);
    layout->addLayout(line);
    mEdit->installEventFilter(this);
    connect(mEdit, &QLineEdit::returnPressed, this, [this] {
        std::wstring typed = mEdit->text().toStdWString();
        mEdit->clear();
        mSource.giveTyped(typed);
    });
}

void CommandPanel::append(const QString& text) {
    QTextCursor c = mHistory->textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText(text);
    mHistory->setTextCursor(c);
    mHistory->ensureCursorVisible();
}

void CommandPanel::setPrompt(const QString& prompt) { mPrompt->setText(prompt); }

bool CommandPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mEdit && event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Escape) {
            mEdit->clear();
            mSource.cancel();
            return true;
        }
        // Space ends an answer as Enter does, except where the prompt takes blanks (a text).
        bool space = k->key() == Qt::Key_Space && !mSource.request().restOfLine && !mEdit->text().startsWith('(');
        if (space || k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            emit mEdit->returnPressed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- the main window ----

MainWindow::MainWindow(WindowSource& source) : mSource(source) {
    setWindowTitle(QStringLiteral("Curvix"));
    auto* split = new QSplitter(Qt::Vertical, this);
    mView = new DrawingView(source, split);
    mPanel = new CommandPanel(source, split);
    split->addWidget(mView);
    split->addWidget(mPanel);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    setCentralWidget(split);
    mCoordinates = new QLabel(this);
    statusBar()->addWidget(mCoordinates);
    connect(mView, &DrawingView::cursorMoved, this, [this](const AcGePoint3d& world) {
        // In the current user coordinate system, as typed answers are.
        AcGePoint3d ucs = world;
        ucs.transformBy(editor::editorState().ucs.toWorld().inverse());
        mCoordinates->setText(QString::fromStdWString(editor::formatPoint(ucs)));
    });
    connect(&source, &WindowSource::prompting, this, [this](const QString& prompt) {
        mPanel->setPrompt(prompt);
        rebuildMenus();
        mView->refresh();
        AcDbDatabase* db = acdbCurDwg();
        QString name = db && !db->fileName().empty() ? QString::fromStdWString(db->fileName()) : QStringLiteral("Drawing");
        setWindowTitle(name + QStringLiteral(" - Curvix"));
    });
    connect(&source, &WindowSource::answered, this, [this] { mPanel->setPrompt(QString()); });
    rebuildMenus();
    resize(1024, 768);
}

MainWindow::~MainWindow() = default;

void MainWindow::runMenuCommand(const std::wstring& command) {
    if (!mSource.atCommandPrompt()) mSource.cancel();
    // Menu words: ^C cancels, a blank or ';' is Enter; what remains are the answers.
    std::wstring text = command;
    size_t at;
    while ((at = text.find(L"^C")) != std::wstring::npos) text.erase(at, 2);
    for (auto& c : text)
        if (c == L';') c = L' ';
    if (!text.empty() && text[0] == L'_') text.erase(0, 1);
    mSource.giveTyped(text);
}

void MainWindow::rebuildMenus() {
    std::vector<std::wstring> signature;
    for (const auto& entry : editor::menus::menuBar()) signature.push_back(entry.group + L"." + entry.tag);
    if (!menuBar()->actions().isEmpty() && signature == mMenuSignature) return;
    mMenuSignature = signature;
    menuBar()->clear();
    auto command = [this](QMenu* menu, const QString& caption, const std::wstring& words, QKeySequence key = {}) {
        QAction* a = menu->addAction(caption, this, [this, words] { runMenuCommand(words); });
        if (!key.isEmpty()) a->setShortcut(key);
        return a;
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    command(file, tr("&Save"), L"SAVE", QKeySequence::Save);
    file->addAction(tr("Save &As..."), this, [this] {
        QString path = QFileDialog::getSaveFileName(this, tr("Save drawing as"), {}, tr("Drawings (*.dxf)"));
        if (path.isEmpty()) return;
        if (!mSource.atCommandPrompt()) mSource.cancel();
        mSource.give(Input::ofText(L"SAVEAS"));
        mSource.give(Input::ofText(path.toStdWString()));
    });
    file->addSeparator();
    command(file, tr("&Quit"), L"QUIT", QKeySequence::Quit);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    command(edit, tr("&Undo"), L"U", QKeySequence::Undo);
    command(edit, tr("&Redo"), L"REDO", QKeySequence::Redo);
    edit->addSeparator();
    command(edit, tr("&Move"), L"MOVE");
    command(edit, tr("&Erase"), L"ERASE");
    QMenu* view = menuBar()->addMenu(tr("&View"));
    command(view, tr("Zoom &Extents"), L"ZOOM E");
    command(view, tr("Zoom &Window"), L"ZOOM W");
    view->addAction(tr("&Redraw"), this, [this] { mView->refresh(); });
    QAction* snaps = view->addAction(tr("Object &snaps"));
    snaps->setCheckable(true);
    snaps->setShortcut(Qt::Key_F3);
    int& osmode = editor::editorState().shorts[L"OSMODE"];
    snaps->setChecked(osmode != 0 && !(osmode & 0x4000));
    connect(snaps, &QAction::toggled, this, [](bool on) {
        int& mode = editor::editorState().shorts[L"OSMODE"];
        if (on) mode = (mode & ~0x4000) ? (mode & ~0x4000) : (SnapEnd | SnapMiddle | SnapCenter | SnapQuadrant | SnapIntersection);
        else mode |= 0x4000;
    });
    for (const auto& entry : editor::menus::menuBar()) {
        const editor::menus::MenuGroup* group = editor::menus::findGroup(entry.group);
        const editor::menus::PullDown* pull = group ? group->find(entry.tag) : nullptr;
        if (!pull) continue;
        QMenu* m = menuBar()->addMenu(QString::fromStdWString(pull->caption));
        for (const auto& item : pull->items) {
            if (item.separator) m->addSeparator();
            else command(m, QString::fromStdWString(item.caption), item.command);
        }
    }
}

void MainWindow::closeEvent(QCloseEvent* e) {
    mSource.close();
    e->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* e) {
    // Keys pressed over the view go to the command line.
    if (e->key() == Qt::Key_Escape) {
        mPanel->edit()->clear();
        mSource.cancel();
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) &&
        mPanel->edit()->text().isEmpty()) {
        mSource.give(Input::ofText(L""));
        return;
    }
    if (!e->text().isEmpty() && e->text()[0].isPrint()) {
        mPanel->edit()->setFocus();
        mPanel->edit()->insert(e->text());
        return;
    }
    QMainWindow::keyPressEvent(e);
}

// ---- the keyboard and the host's own dialogs ----

namespace {

int virtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    default:
        if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
        return -1;
    }
}

class KeyTracker : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (!k->isAutoRepeat()) {
                int vk = virtualKey(k->key());
                if (vk >= 0) cvxSetKeyDown(vk, e->type() == QEvent::KeyPress);
            }
        } else if (e->type() == QEvent::ApplicationDeactivate) {
            for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_ESCAPE}) cvxSetKeyDown(vk, false);
        }
        return QObject::eventFilter(o, e);
    }
};

bool interactive() { return dynamic_cast<WindowSource*>(editor::currentSource()) != nullptr; }

// "Text|*.txt|All|*.*||" as Qt writes a filter: "Text (*.txt);;All (*.*)".
QString qtFilter(const std::wstring& filter) {
    QStringList parts = QString::fromStdWString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString patterns = parts[i + 1].split(';').join(' ');
        out << (parts[i].contains('(') ? parts[i] : parts[i] + " (" + patterns + ")");
    }
    return out.join(QStringLiteral(";;"));
}

}  // namespace

void trackKeyboard() {
    static KeyTracker tracker;
    qApp->installEventFilter(&tracker);
}

void installFrontEnd(MainWindow& window) {
    editor::FrontEnd& f = editor::frontEnd();
    f.updateDisplay = [&window] { window.view()->refresh(); };
    f.messageBox = [&window](const std::wstring& caption, const std::wstring& text, unsigned type) -> int {
        if (!interactive()) return -1;
        QMessageBox box(&window);
        box.setWindowTitle(QString::fromStdWString(caption));
        box.setText(QString::fromStdWString(text));
        switch (type & 0xFu) {
        case MB_OKCANCEL: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MB_YESNO: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MB_YESNOCANCEL: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
        default: box.setStandardButtons(QMessageBox::Ok);
        }
        switch (box.exec()) {
        case QMessageBox::Cancel: return IDCANCEL;
        case QMessageBox::Yes: return IDYES;
        case QMessageBox::No: return IDNO;
        default: return IDOK;
        }
    };
    f.fileDialog = [&window](bool open, const std::wstring& title, const std::wstring& filter,
                             const std::wstring& initial) -> std::optional<std::wstring> {
        if (!interactive()) return std::nullopt;
        QString t = QString::fromStdWString(title), i = QString::fromStdWString(initial);
        QString path = open ? QFileDialog::getOpenFileName(&window, t, i, qtFilter(filter))
                            : QFileDialog::getSaveFileName(&window, t, i, qtFilter(filter));
        return path.toStdWString();
    };
    editor::setOutputListener([&window](std::wstring_view text) {
        window.commandPanel()->append(QString::fromWCharArray(text.data(), qsizetype(text.size())));
    });
}

void uninstallFrontEnd() {
    editor::frontEnd() = editor::FrontEnd();
    editor::setOutputListener({});
}

}  // namespace cvx::window
