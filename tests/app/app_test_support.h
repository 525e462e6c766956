// The main window started in a folder of its own, messages and beeps
// recorded; modal windows and FIFOs that never keep a test waiting.
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
#include <optional>
#include <source_location>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

#include <quirvane/version.h>

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

// The main window's caption: the version with its point written full width.
inline QString MainCaptionText() {
    return QString("Quirvane（VER%1）").arg(QString(kVersionText).replace('.', "．"));
}

// A failed check inside a modal window returns but exec() does not: the
// watchdog runs the check in the window and closes every modal window after
// it; any other modal window is closed at once and fails the test.
class ModalWatchdog : public QObject {
  public:
    ModalWatchdog() { qApp->installEventFilter(this); }

    // Runs `open`, and `check` inside the modal window it opens. False
    // (logged) when no window opened or a check failed.
    bool InModalWindow(const std::function<void()>& open,
                       const std::function<void(QWidget* window)>& check,
                       std::source_location where = std::source_location::current()) {
        check_ = check;
        stage_ = Stage::Waiting;
        open();
        const Stage reached = std::exchange(stage_, Stage::Idle);
        if (reached != Stage::Checked) {
            QTest::qFail("no modal window stayed open for the check", where.file_name(),
                         static_cast<int>(where.line()));
            return false;
        }
        return !QTest::currentTestFailed();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Show || widget == nullptr || !widget->isWindow() ||
            !widget->isModal()) {
            return false;
        }
        // Shown from exec(): what is queued here runs inside its event loop.
        const QPointer<QWidget> window(widget);
        if (stage_ == Stage::Waiting) {
            stage_ = Stage::Shown;
            QMetaObject::invokeMethod(
                this, [this, window] { Check(window); }, Qt::QueuedConnection);
        } else {
            QTest::qFail(
                qPrintable("a modal window nobody checks opened: " + widget->windowTitle()),
                __FILE__, __LINE__);
            QMetaObject::invokeMethod(
                this, [window] { Close(window); }, Qt::QueuedConnection);
        }
        return false;
    }

  private:
    enum class Stage { Idle, Waiting, Shown, Checked };

    static void Close(QWidget* window) {
        if (auto* dialog = qobject_cast<QDialog*>(window)) {
            dialog->reject();
        }
        if (window != nullptr) {
            window->hide();  // a dialog's hide() also ends its exec()
        }
    }

    void Check(const QPointer<QWidget>& window) {
        if (stage_ != Stage::Shown || window == nullptr || !window->isVisible()) {
            return;
        }
        stage_ = Stage::Checked;
        const auto closeAll = qScopeGuard([] {
            QWidget* open = nullptr;
            while ((open = QApplication::activeModalWidget()) != nullptr) {
                Close(open);
                if (QApplication::activeModalWidget() == open) {
                    return;  // it would not hide; never loop on it
                }
            }
        });
        check_(window);
    }

    std::function<void(QWidget*)> check_;
    Stage stage_ = Stage::Idle;
};

// A FIFO with a writer standing by, so that a window that opened it would
// fail the test, not hang; a reader that never waits lets the writer go.
class StandbyFifo {
  public:
    explicit StandbyFifo(const QString& path) : name_(QFile::encodeName(path)) {
        if (::mkfifo(name_.constData(), 0600) == 0) {
            writer_ = std::thread(
                [name = name_] { ::close(::open(name.constData(), O_WRONLY | O_CLOEXEC)); });
        }
    }
    ~StandbyFifo() {
        if (writer_.joinable()) {
            const int reader = ::open(name_.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            writer_.join();
            ::close(reader);
        }
    }
    bool Made() const { return writer_.joinable(); }

  private:
    QByteArray name_;
    std::thread writer_;
};

struct Started {
    QTemporaryDir dir;
    std::optional<StandbyFifo> fifo;  // gone before its folder
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
    // As the user picks a list item, or clicks a radio button (position -1).
    void Choose(int id, int position) {
        if (position < 0) {
            Click(id);
            return;
        }
        d->ControlAs<QComboBox>(id)->setCurrentIndex(position);
        emit d->ControlAs<QComboBox>(id)->activated(position);
    }
    void ChooseFile(const QString& path) {  // in the file dialog
        app::SetFileChooserForTesting([path](QWidget*) { return path; });
        Click(app::kFileButton);
        app::SetFileChooserForTesting({});
    }
    void SetColour(QRgb dark) {
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
using quirvane::testing::Copied;
using quirvane::testing::Decoded;
using quirvane::testing::Drawn;
using quirvane::testing::Shown;
using quirvane::testing::Started;
