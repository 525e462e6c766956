// The main window started in a folder of its own, messages and beeps
// recorded, and modal windows that never keep a test waiting.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/application.h"
#include "app/input_file.h"
#include "app/main_dialog.h"
#include "app/message_box.h"
#include "app/symbol_frame.h"
#include "app/symbol_saving.h"
#include "tests/support/rasterise.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/zbar_decode.h"

namespace quirvane::testing {

// A control of a window built from a template, by its id.
template <typename T = QWidget>
T* ControlIn(const QWidget* window, int id) {
    return window->findChild<T*>(QString("control%1").arg(id));
}

// A check that fails inside a modal window returns, but exec() does not: the
// check runs inside the window, and every modal window closes after it. A
// modal window no check waits for fails the test and closes at once.
class ModalWatchdog : public QObject {
  public:
    ModalWatchdog() { qApp->installEventFilter(this); }

    // Runs `open`, and `check` inside the modal window it opens; false when
    // none opened or the check failed.
    bool InModalWindow(const std::function<void()>& open, std::function<void(QWidget*)> check) {
        check_ = std::move(check);
        open();
        const bool ran = !check_;
        check_ = nullptr;
        return ran && !QTest::currentTestFailed();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && window != nullptr && window->isModal()) {
            // Shown from exec(): what is queued here runs inside its event loop.
            QTimer::singleShot(0, window, [window, check = std::exchange(check_, nullptr)] {
                if (!check) {
                    QTest::qFail("a modal window nobody checks", __FILE__, __LINE__);
                } else if (window->isVisible()) {
                    check(window);
                }
                for (QWidget* open;
                     (open = QApplication::activeModalWidget()) && open->isVisible();) {
                    open->hide();  // which ends a dialog's exec()
                }
            });
        }
        return false;
    }

  private:
    std::function<void(QWidget*)> check_;
};

struct Started {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    QStringList messages;
    int beeps = 0;
    ModalWatchdog modals;
    std::unique_ptr<app::MainDialog> d;

    // QRcode.ini holds `ini` unless it is null; `prepare` adds to the folder.
    explicit Started(const QByteArray& ini = "",
                     const std::function<void(Started&)>& prepare = {}) {
        app::ConfigureApplication(*qobject_cast<QApplication*>(qApp));
        QDir::setCurrent(dir.path());
        app::SetMessageSinkForTesting([this](QWidget*, const QString& t) { messages << t; });
        app::SetBeepSinkForTesting([this] { ++beeps; });
        if (!ini.isNull()) {
            Write("QRcode.ini", ini);
        }
        if (prepare) {
            prepare(*this);
        }
        d = std::make_unique<app::MainDialog>();
        d->show();
    }
    ~Started() {
        app::SetMessageSinkForTesting({});
        app::SetBeepSinkForTesting({});
        app::SetFileChooserForTesting({});
        app::SetSaveChooserForTesting({});
        QDir::setCurrent(previous);
    }
    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? file.fileName()
                   : QString();
    }
    // Line edits and the input box, by the name of their text property.
    const char* TextOf(int id) const { return d->ControlAs<QLineEdit>(id) ? "text" : "plainText"; }
    QString Text(int id) const { return d->Control(id)->property(TextOf(id)).toString(); }
    void Set(int id, const QString& text) { d->Control(id)->setProperty(TextOf(id), text); }
    void Click(int id) { QTest::mouseClick(d->ControlAs<QAbstractButton>(id), Qt::LeftButton); }
    void CreateData(int modeId, const QString& text) {
        Click(modeId);
        Set(app::kInputBox, text);
        Click(app::kCreateDataButton);
    }
    void Choose(int id, int position) {  // as the user picks a list item
        d->ControlAs<QComboBox>(id)->setCurrentIndex(position);
        emit d->ControlAs<QComboBox>(id)->activated(position);
    }
};

inline QImage Copied() {
    return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
}

// What a frame shows inside its border, as large as its drawing.
inline QImage Shown(app::SymbolFrame* frame) {
    const QImage all = frame->grab(frame->contentsRect()).toImage();
    return all.copy(QRect(QPoint(), frame->Image().size())).convertToFormat(QImage::Format_RGB32);
}

// A saved PNG, or an SVG as rsvg-convert draws it; null if unreadable.
inline QImage Drawn(const QString& path, app::SaveFormat format) {
    QTemporaryDir dir;
    const QString png = format == app::SaveFormat::Png ? path : dir.filePath("drawn.png");
    if (format == app::SaveFormat::Svg) {
        const std::string problem =
            Rasterise(VectorFormat::Svg, ReadFile(QFile::encodeName(path).toStdString()), {}, 96,
                      Raster::Colour, dir.path(), png);
        if (!problem.empty()) {
            qWarning("%s", problem.c_str());
        }
    }
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

}  // namespace quirvane::testing

using namespace quirvane;
using namespace quirvane::app;
using namespace quirvane::testing;
