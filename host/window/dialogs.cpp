#include "window/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <map>

#include "cvx/image.h"
#include "ui/dialog_state.h"
#include "ui/driver.h"
#include "window/window_source.h"

namespace cvx::window {
namespace {

using ui::Window;

QImage imageOf(const CImage& c) {
    QImage out(c.GetWidth(), c.GetHeight(), QImage::Format_RGB32);
    for (int y = 0; y < c.GetHeight(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < c.GetWidth(); ++x) {
            COLORREF p = c.GetPixel(x, y);
            row[x] = qRgb(GetRValue(p), GetGValue(p), GetBValue(p));
        }
    }
    return out;
}

QString qs(const std::wstring& s) {
    QString t = QString::fromStdWString(s);
    t.replace('&', "&&");  // no mnemonics: the text shows as the dialog has it
    return t;
}

class QtDialog : public QDialog {
public:
    QtDialog(CDialog& d, WindowSource& source) : mDialog(d), mSource(source) {
        ui::DialogState& s = ui::stateOf(d);
        setWindowTitle(QString::fromStdWString(s.self.text));
        setFixedSize(s.self.width(), s.self.height());
        mFace = new QLabel(this);
        mFace->setGeometry(0, 0, s.self.width(), s.self.height());
        for (auto& c : s.controls) make(*c);
    }

    // Brings every widget up to date with the framework's windows.
    void sync() {
        ui::DialogState& s = ui::stateOf(mDialog);
        mSyncing = true;
        if (s.self.canvas && !s.self.canvas->IsNull()) mFace->setPixmap(QPixmap::fromImage(imageOf(*s.self.canvas)));
        for (auto& [w, widget] : mWidgets) {
            widget->setVisible(w->visible);
            widget->setEnabled(w->enabled);
            switch (w->kind) {
            case CvxControl::CheckBox: static_cast<QCheckBox*>(widget)->setChecked(w->check == BST_CHECKED); [[fallthrough]];
            case CvxControl::PushButton:
            case CvxControl::DefPushButton: static_cast<QAbstractButton*>(widget)->setText(qs(w->text)); break;
            case CvxControl::RadioButton:
                static_cast<QRadioButton*>(widget)->setChecked(w->check == BST_CHECKED);
                static_cast<QRadioButton*>(widget)->setText(qs(w->text));
                break;
            case CvxControl::Label: static_cast<QLabel*>(widget)->setText(QString::fromStdWString(w->text)); break;
            case CvxControl::GroupBox: static_cast<QGroupBox*>(widget)->setTitle(qs(w->text)); break;
            case CvxControl::Edit:
            case CvxControl::NumericEdit: {
                auto* e = static_cast<QLineEdit*>(widget);
                if (e->text().toStdWString() != w->text) e->setText(QString::fromStdWString(w->text));
                break;
            }
            case CvxControl::Slider: {
                auto* sl = static_cast<QSlider*>(widget);
                sl->setRange(w->low, w->high);
                if (!sl->isSliderDown()) sl->setValue(w->pos);
                break;
            }
            case CvxControl::ListBox: {
                auto* l = static_cast<QListWidget*>(widget);
                if (l->count() != int(w->items.size())) {
                    l->clear();
                    for (const auto& item : w->items) l->addItem(QString::fromStdWString(item));
                }
                l->setCurrentRow(w->selection);
                break;
            }
            case CvxControl::ComboBox: {
                auto* c = static_cast<QComboBox*>(widget);
                if (c->count() != int(w->items.size())) {
                    c->clear();
                    for (const auto& item : w->items) c->addItem(QString::fromStdWString(item));
                }
                c->setCurrentIndex(w->selection);
                break;
            }
            case CvxControl::Picture:
                if (w->canvas && !w->canvas->IsNull())
                    static_cast<QLabel*>(widget)->setPixmap(QPixmap::fromImage(imageOf(*w->canvas)));
                break;
            }
        }
        mSyncing = false;
    }

    // Runs the dialog until the framework ends it. While a command run from the dialog asks at the command
    // line, the dialog steps aside so the drawing can be picked.
    void runModal() {
        setWindowModality(Qt::ApplicationModal);
        ui::paintPending(mDialog);
        sync();
        show();
        auto hide = connect(&mSource, &WindowSource::prompting, this, [this] { setVisible(false); });
        auto back = connect(&mSource, &WindowSource::answered, this, [this] {
            if (!ui::stateOf(mDialog).ended) setVisible(true);
        });
        QEventLoop loop;
        mLoop = &loop;
        while (!ui::stateOf(mDialog).ended && !mClosed) loop.exec();
        mLoop = nullptr;
        disconnect(hide);
        disconnect(back);
        if (!ui::stateOf(mDialog).ended) perform({L"cancel"});
        QDialog::hide();
    }

    void perform(const std::vector<std::wstring>& words) {
        if (mSyncing || ui::stateOf(mDialog).ended) return;
        std::wstring problem = ui::performEvent(mDialog, words);
        (void)problem;  // a person's action always fits the control it was taken on
        ui::paintPending(mDialog);
        if (ui::stateOf(mDialog).ended) {
            if (mLoop) mLoop->quit();
            return;
        }
        if (!isVisible() && mLoop) setVisible(true);
        sync();
    }

    void abandon() {
        mClosed = true;
        if (mLoop) mLoop->quit();
    }

protected:
    void reject() override { perform({L"cancel"}); }
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        perform({L"close"});
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            perform({L"ok"});
            return;
        }
        QDialog::keyPressEvent(e);
    }

private:
    void make(Window& w) {
        std::wstring id = std::to_wstring(w.id);
        QWidget* widget = nullptr;
        switch (w.kind) {
        case CvxControl::PushButton:
        case CvxControl::DefPushButton: {
            auto* b = new QPushButton(this);
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, id] { perform({L"click", id}); });
            widget = b;
            break;
        }
        case CvxControl::CheckBox: {
            auto* b = new QCheckBox(this);
            connect(b, &QCheckBox::clicked, this, [this, id] { perform({L"click", id}); });
            widget = b;
            break;
        }
        case CvxControl::RadioButton: {
            auto* b = new QRadioButton(this);
            b->setAutoExclusive(false);  // the framework keeps the group
            connect(b, &QRadioButton::clicked, this, [this, id] { perform({L"click", id}); });
            widget = b;
            break;
        }
        case CvxControl::Label: widget = new QLabel(this); static_cast<QLabel*>(widget)->setWordWrap(true); break;
        case CvxControl::GroupBox: widget = new QGroupBox(this); widget->lower(); break;
        case CvxControl::Picture: {
            auto* l = new QLabel(this);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = l;
            break;
        }
        case CvxControl::Edit:
        case CvxControl::NumericEdit: {
            auto* e = new QLineEdit(this);
            connect(e, &QLineEdit::editingFinished, this, [this, id, e] {
                if (e->isModified()) perform({L"text", id, e->text().toStdWString()});
                e->setModified(false);
            });
            widget = e;
            break;
        }
        case CvxControl::Slider: {
            auto* s = new QSlider(w.height() > w.width() ? Qt::Vertical : Qt::Horizontal, this);
            connect(s, &QSlider::sliderMoved, this, [this, id](int pos) { perform({L"track", id, std::to_wstring(pos)}); });
            connect(s, &QSlider::sliderReleased, this, [this, id] { perform({L"release", id}); });
            connect(s, &QSlider::valueChanged, this, [this, id, s](int pos) {
                if (!s->isSliderDown()) perform({L"slide", id, std::to_wstring(pos)});
            });
            widget = s;
            break;
        }
        case CvxControl::ListBox: {
            auto* l = new QListWidget(this);
            connect(l, &QListWidget::currentRowChanged, this, [this, id](int row) {
                perform({L"select", id, std::to_wstring(row)});
            });
            widget = l;
            break;
        }
        case CvxControl::ComboBox: {
            auto* c = new QComboBox(this);
            connect(c, &QComboBox::activated, this, [this, id](int row) { perform({L"select", id, std::to_wstring(row)}); });
            widget = c;
            break;
        }
        }
        widget->setGeometry(w.rect.left, w.rect.top, w.width(), w.height());
        mWidgets[&w] = widget;
    }

    CDialog& mDialog;
    WindowSource& mSource;
    QLabel* mFace;
    std::map<Window*, QWidget*> mWidgets;
    QEventLoop* mLoop = nullptr;
    bool mSyncing = false, mClosed = false;
};

std::vector<QtDialog*> gOpen;
WindowSource* gSource = nullptr;

}  // namespace

bool scriptWorksDialog() { return !gOpen.empty() && editor::currentSource() != gSource; }

QDialog* openDialog() { return gOpen.empty() ? nullptr : gOpen.back(); }

void installDialogBackEnd(WindowSource& source) {
    gSource = &source;
    ui::DialogFrontEnd f;
    f.begin = [](CDialog& d) {
        auto* q = new QtDialog(d, *gSource);
        gOpen.push_back(q);
        if (editor::currentSource() == gSource) {
            // A person works the dialog.
            q->runModal();
            gOpen.pop_back();
            q->deleteLater();
            return true;
        }
        // A script works it: the dialog is shown and follows each event.
        q->setWindowModality(Qt::ApplicationModal);
        q->sync();
        q->show();
        return false;
    };
    f.changed = [](CDialog&) {
        if (!gOpen.empty()) gOpen.back()->sync();
    };
    f.ended = [](CDialog&) {
        if (gOpen.empty()) return;
        gOpen.back()->hide();
        gOpen.back()->deleteLater();
        gOpen.pop_back();
    };
    f.grab = [](CDialog&, const std::wstring& path) -> std::wstring {
        if (gOpen.empty()) return L"the dialog is not shown";
        gOpen.back()->sync();
        if (!gOpen.back()->grab().save(QString::fromStdWString(path), "PNG")) return L"cannot write " + path;
        return {};
    };
    ui::setDialogFrontEnd(f);
}

void uninstallDialogBackEnd() {
    for (QtDialog* q : gOpen) q->abandon();
    ui::setDialogFrontEnd({});
    gSource = nullptr;
}

}  // namespace cvx::window
