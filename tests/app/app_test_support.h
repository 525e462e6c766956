// The main window started in a working directory of its own (with QRcode.ini
// unless `ini` is null), with message boxes and beeps recorded, not shown, and
// a watchdog that never lets a modal window keep a test waiting; a FIFO that
// can never keep a test waiting either; and what a frame shows, what the
// clipboard holds and what zbarimg reads in them.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <functional>
#include <source_location>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include <quirvane/version.h>

#include "app/application.h"
#include "app/input_file.h"
#include "app/main_dialog.h"
#include "app/message_box.h"
#include "app/symbol_frame.h"
#include "tests/support/drawing_reference.h"
#include "tests/support/zbar_decode.h"

namespace quirvane::testing {

// The main window's caption: the version with its point written full width.
inline QString MainCaptionText() {
    return QString("Quirvane（VER%1）").arg(QString(kVersionText).replace('.', "．"));
}

// A modal window runs an event loop of its own: a check that fails in there
// returns from the check, but the window stays open and exec() never returns,
// so the test would wait for ctest's timeout. The watchdog sees every modal
// window as it is shown. The one InModalWindow waits for gets the check, and
// every modal window is closed when the check ends, however it ends. Any
// other (one nobody is checking, or one that opens after the check) is closed
// as soon as its event loop runs, and the test fails naming it.
class ModalWatchdog : public QObject {
  public:
    ModalWatchdog() { qApp->installEventFilter(this); }

    // Runs `open`, which opens a modal window and returns once it has closed
    // (a click, say), and `check(window)` inside that window's event loop.
    // False when no window opened or a check failed; the failure is logged
    // already, so the test function only has to return.
    bool InModalWindow(const std::function<void()>& open,
                       const std::function<void(QWidget* window)>& check,
                       std::source_location where = std::source_location::current()) {
        check_ = check;
        stage_ = Stage::Waiting;
        open();
        const Stage reached = stage_;
        stage_ = Stage::Idle;
        check_ = {};
        if (reached != Stage::Checked) {
            QTest::qFail(reached == Stage::Waiting ? "no modal window opened"
                                                   : "the modal window closed before the check",
                         where.file_name(), static_cast<int>(where.line()));
            return false;
        }
        return !QTest::currentTestFailed();
    }

    // Every modal window, innermost first.
    static void CloseModalWindows() {
        while (QWidget* window = QApplication::activeModalWidget()) {
            Close(window);
            if (QApplication::activeModalWidget() == window) {
                return;  // it would not hide; never loop on it
            }
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Show || widget == nullptr || !widget->isWindow() ||
            !widget->isModal()) {
            return false;
        }
        // Shown from exec() just before its event loop starts: what is queued
        // here runs inside that loop.
        const QPointer<QWidget> window(widget);
        if (stage_ == Stage::Waiting) {
            stage_ = Stage::Shown;
            QMetaObject::invokeMethod(
                this, [this, window] { Check(window); }, Qt::QueuedConnection);
        } else {
            const QString name = QString("a modal window nobody checks opened: %1 \"%2\"")
                                     .arg(widget->metaObject()->className(), widget->windowTitle());
            QTest::qFail(qPrintable(name), __FILE__, __LINE__);
            QMetaObject::invokeMethod(
                this, [window] { Close(window); }, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    enum class Stage { Idle, Waiting, Shown, Checked };

    static void Close(QWidget* window) {
        if (window == nullptr) {
            return;
        }
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        }
        window->hide();  // a dialog's hide() also ends its exec()
    }

    void Check(const QPointer<QWidget>& window) {
        if (stage_ != Stage::Shown || window == nullptr || !window->isVisible()) {
            return;  // the window closed by itself first; InModalWindow says so
        }
        stage_ = Stage::Checked;
        const auto closeAll = qScopeGuard(&ModalWatchdog::CloseModalWindows);
        check_(window);
    }

    std::function<void(QWidget*)> check_;
    Stage stage_ = Stage::Idle;
};

// A FIFO with a writer standing by. The window must never open one, but if
// it did, its open would wait for a writer: this one lets it through to an end
// of file, so that the test fails on what was loaded instead of hanging. The
// writer is let go when the FIFO goes out of scope, by a reader that does not
// wait, opened through a handle kept from the start, so that it reaches the
// FIFO even once its folder is gone.
class StandbyFifo {
  public:
    explicit StandbyFifo(const QString& path) {
        const QByteArray name = QFile::encodeName(path);
        if (::mkfifo(name.constData(), 0600) != 0) {
            return;
        }
        handle_ = ::open(name.constData(), O_PATH | O_CLOEXEC);
        if (handle_ < 0) {
            return;
        }
        writer_ = std::thread([name] {
            const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
            if (fd >= 0) {
                ::close(fd);
            }
        });
    }
    StandbyFifo(const StandbyFifo&) = delete;
    StandbyFifo& operator=(const StandbyFifo&) = delete;
    ~StandbyFifo() {
        if (!writer_.joinable()) {
            return;
        }
        const QByteArray again = "/proc/self/fd/" + QByteArray::number(handle_);
        const int reader = ::open(again.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        writer_.join();
        ::close(reader);
        ::close(handle_);
    }
    bool Made() const { return handle_ >= 0; }

  private:
    int handle_ = -1;
    std::thread writer_;
};

struct Started {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    QStringList messages;
    int beeps = 0;
    ModalWatchdog modals;
    std::unique_ptr<app::MainDialog> d;

    // `prepare` puts into the working directory, before the window starts,
    // what Write cannot make (a FIFO, a folder).
    explicit Started(const QByteArray& ini = "",
                     const std::function<void(const QString& folder)>& prepare = {}) {
        app::ConfigureApplication(*qobject_cast<QApplication*>(qApp));
        QDir::setCurrent(dir.path());
        app::SetMessageSinkForTesting([this](QWidget*, const QString& t) { messages << t; });
        app::SetBeepSinkForTesting([this] { ++beeps; });
        if (!ini.isNull()) {
            Write("QRcode.ini", ini);
        }
        if (prepare) {
            prepare(dir.path());
        }
        d = std::make_unique<app::MainDialog>();
        d->show();
    }
    ~Started() {
        app::SetMessageSinkForTesting({});
        app::SetBeepSinkForTesting({});
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
    void Choose(int listId, int position) {  // as the user picks an item
        d->ControlAs<QComboBox>(listId)->setCurrentIndex(position);
        emit d->ControlAs<QComboBox>(listId)->activated(position);
    }
    // A radio button (position -1) or a list item.
    void Pick(int id, int position) { position < 0 ? Click(id) : Choose(id, position); }
    void ChooseFile(const QString& path) {  // in the file dialog
        app::SetFileChooserForTesting([path](QWidget*) { return path; });
        Click(app::kFileButton);
        app::SetFileChooserForTesting({});
    }
    void SetColour(QRgb dark) {  // the colour fields
        Set(app::kRedField, QString::number(qRed(dark)));
        Set(app::kGreenField, QString::number(qGreen(dark)));
        Set(app::kBlueField, QString::number(qBlue(dark)));
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

// What zbarimg reads in an image, its bytes as they were encoded.
inline QString Decoded(const QImage& image) {
    return QString::fromStdString(ZbarRead(image));
}

// The first pixel that is not the window's drawing of the symbol in `dark`
// at module width `w`, or "".
inline QString WrongDrawing(const QImage& image, const EncoderState& st, int w, QRgb dark) {
    const DrawingOptions options{.moduleWidth = w, .dark = {qRed(dark), qGreen(dark), qBlue(dark)}};
    return QString::fromStdString(WrongUnit(image, 1, st, options));
}

}  // namespace quirvane::testing

// Every test file works on the program's names.
using namespace quirvane;
using namespace quirvane::app;
using quirvane::testing::Copied;
using quirvane::testing::Decoded;
using quirvane::testing::Shown;
using quirvane::testing::StandbyFifo;
using quirvane::testing::Started;
using quirvane::testing::WrongDrawing;
