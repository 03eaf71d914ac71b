// The window front end: the drawing view, the command line and the menus over the same editor and database
// the script and terminal front ends use.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QWidget>
#include <optional>

#include "cvx/ge.h"
#include "window/snaps.h"

class QLabel;
class QLineEdit;
class QMenu;

namespace cvx::window {

class WindowSource;

// The drawing as the renderer draws it. The picture is kept in a cache; panning and zooming show the cache
// moved and scaled at once and draw it again a moment later.
class DrawingView : public QWidget {
    Q_OBJECT
public:
    DrawingView(WindowSource& source, QWidget* parent = nullptr);

    // World point under a pixel of the widget, and the pixel of a world point.
    AcGePoint3d worldAt(const QPointF& pixel) const;
    QPointF pixelOf(const AcGePoint3d& world) const;
    // Draws the cache again from the database now.
    void refresh();
    // Zooms by `factor` (above 1: closer) keeping the world point under `pixel` where it is.
    void zoomAbout(const QPointF& pixel, double factor);
    void panBy(const QPointF& pixels);
    const std::optional<Snap>& snap() const { return mSnap; }
    int renders() const { return mRenders; }

signals:
    void cursorMoved(const AcGePoint3d& world);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void leaveEvent(QEvent*) override;

private:
    void scheduleRefresh();
    AcGePoint3d answerPoint(const QPointF& pixel) const;

    WindowSource& mSource;
    QImage mCache;
    AcGePoint2d mCacheCenter;
    double mCacheScale = 0;
    int mRenders = 0;
    bool mRefreshPending = false;
    std::optional<QPointF> mCursor, mPress, mPanFrom;
    bool mShiftPress = false;
    std::optional<Snap> mSnap;
};

// The command line: everything printed, the prompt and the answer being typed.
class CommandPanel : public QWidget {
    Q_OBJECT
public:
    CommandPanel(WindowSource& source, QWidget* parent = nullptr);
    void append(const QString& text);
    void setPrompt(const QString& prompt);
    QLineEdit* edit() const { return mEdit; }
    QString history() const { return mHistory->toPlainText(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowSource& mSource;
    QPlainTextEdit* mHistory;
    QLabel* mPrompt;
    QLineEdit* mEdit;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(WindowSource& source);
    ~MainWindow() override;
    DrawingView* view() const { return mView; }
    CommandPanel* commandPanel() const { return mPanel; }
    // Builds the menu bar again: the host's menus and the pull-downs of the loaded menu groups.
    void rebuildMenus();
    // Runs a menu item's command words as if typed at "Command:" (a running command is cancelled first).
    void runMenuCommand(const std::wstring& command);

protected:
    void closeEvent(QCloseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    WindowSource& mSource;
    DrawingView* mView;
    CommandPanel* mPanel;
    QLabel* mCoordinates;
    std::vector<std::wstring> mMenuSignature;
};

// Keeps the held keys the tools read (GetKeyState) in step with the real keyboard.
void trackKeyboard();
// Puts the window's message boxes, file dialogs and redraws in place of the command line's; undone by
// uninstallFrontEnd.
void installFrontEnd(MainWindow& window);
void uninstallFrontEnd();

}  // namespace cvx::window
