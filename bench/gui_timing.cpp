// quirvane-gui-timing: how fast the desktop program answers. Not a test; run
// it on the platform to measure, e.g. under Xvfb:
//
//   Xvfb :99 & DISPLAY=:99 build/bench/quirvane-gui-timing
//
// 1. Start-up: the program starts itself again (11 times, in a directory
//    with a QRcode.ini of one short line, then of 2 MiB on one line, as
//    tests/app/main_window_test.cpp loads it). The child does what
//    quirvane's main does (configure the application, build MainDialog, show
//    it) and reports on the steady clock the moment the window's first paint
//    has been handed to the platform; the parent counts from just before it
//    starts the child, so process start, loading the libraries and fonts all
//    count.
// 2. Create Pattern, width 2, a symbol filled to capacity: from the click on
//    "パターン作成" to the frame painted, in the main window (versions 1 and
//    20) and in the version 40 window, which has to open first (21 runs each).
// 3. Big input: a 10 MiB file of 80-byte lines and a 1 MiB file of one line
//    chosen with "ファイル選択", from the click to the text painted in the
//    input box (5 runs each); "データ作成" on a 1 MiB input box, from the
//    click to the status line set (11 runs).
// Figures are the median and the largest run, in milliseconds.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/input_file.h"
#include "app/large_symbol_window.h"
#include "app/main_dialog.h"
#include "app/message_box.h"
#include "app/symbol_frame.h"

using namespace quirvane;
using namespace quirvane::app;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kStartupRuns = 11;
constexpr int kPatternRuns = 21;
constexpr int kFileRuns = 5;
constexpr int kCreateDataRuns = 11;
const char kChildArgument[] = "--startup-child";

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

double Ms(long long ns) {
    return static_cast<double>(ns) / 1e6;
}

void Report(const char* what, std::vector<long long> ns) {
    std::sort(ns.begin(), ns.end());
    std::printf("%-44s median %7.2f ms   max %7.2f ms   (%zu runs)\n", what, Ms(ns[ns.size() / 2]),
                Ms(ns.back()), ns.size());
    std::fflush(stdout);
}

// The child: quirvane's start-up, then the time of the first finished paint.
int StartupChild(int argc, char** argv) {
    QApplication application(argc, argv);
    ConfigureApplication(application);
    MainDialog dialog;
    QObject::connect(
        dialog.Frame(), &SymbolFrame::Painted, &dialog,
        [&dialog] {
            // Runs after the whole first paint has been flushed to the platform.
            QTimer::singleShot(0, &dialog, [&dialog] {
                std::printf("shown %lld\n", NowNs());
                std::fflush(stdout);
                dialog.reject();
            });
        },
        Qt::SingleShotConnection);
    dialog.exec();
    return 0;
}

void MeasureStartup(const QString& self, const QString& directory, const char* what) {
    std::vector<long long> runs;
    for (int i = 0; i < kStartupRuns; ++i) {
        QProcess child;
        child.setWorkingDirectory(directory);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        const long long start = NowNs();
        child.start(self, {kChildArgument});
        if (!child.waitForFinished(30000)) {
            std::fprintf(stderr, "start-up child did not finish\n");
            return;
        }
        const QByteArray out = child.readAllStandardOutput();
        const qsizetype at = out.indexOf("shown ");
        if (at < 0) {
            std::fprintf(stderr, "start-up child said: %s%s\n", out.constData(),
                         child.readAllStandardError().constData());
            return;
        }
        runs.push_back(out.mid(at + 6).trimmed().toLongLong() - start);
    }
    Report(what, runs);
}

void MeasurePattern(MainDialog& dialog, int versionPosition, const char* what) {
    auto* versions = dialog.ControlAs<QComboBox>(kVersionList);
    versions->setCurrentIndex(versionPosition);
    emit versions->activated(versionPosition);
    dialog.ControlAs<QRadioButton>(kByteModeRadio)->click();
    const int capacity = dialog.State().symbolParameters.byteCapacity;
    dialog.ControlAs<QPlainTextEdit>(kInputBox)->setPlainText(QString(capacity, QChar('Q')));

    long long painted = 0;
    std::vector<long long> runs;
    const QMetaObject::Connection mainFrame = QObject::connect(
        dialog.Frame(), &SymbolFrame::Painted, &dialog, [&painted] { painted = NowNs(); });
    for (int i = 0; i < kPatternRuns; ++i) {
        dialog.ControlAs<QPushButton>(kCreateDataButton)->click();
        QCoreApplication::processEvents();
        painted = 0;
        // For version 40: when its window shows, listen to its frame, and
        // close the window once the frame has been painted.
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&painted] {
            auto* window = qobject_cast<LargeSymbolWindow*>(QApplication::activeModalWidget());
            if (window == nullptr || window->property("watched").toBool()) {
                return;
            }
            window->setProperty("watched", true);
            QObject::connect(
                window->Frame(), &SymbolFrame::Painted, window,
                [&painted, window] {
                    painted = NowNs();
                    QTimer::singleShot(0, window, &QDialog::accept);
                },
                Qt::SingleShotConnection);
        });
        watcher.start(0);
        const long long start = NowNs();
        QTest::mouseClick(dialog.ControlAs<QPushButton>(kCreatePatternButton), Qt::LeftButton);
        watcher.stop();
        if (painted == 0) {
            std::fprintf(stderr, "%s: the frame was not painted\n", what);
            return;
        }
        runs.push_back(painted - start);
    }
    QObject::disconnect(mainFrame);
    Report(what, runs);
}

// The file button on a file of these bytes.
void MeasureFileLoad(MainDialog& dialog, const QString& path, const QByteArray& bytes,
                     const char* what) {
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return;
        }
    }
    auto* box = dialog.ControlAs<QPlainTextEdit>(kInputBox);
    SetFileChooserForTesting([&path](QWidget*) { return path; });
    std::vector<long long> runs;
    for (int i = 0; i < kFileRuns; ++i) {
        box->clear();
        QCoreApplication::processEvents();
        const long long start = NowNs();
        QTest::mouseClick(dialog.ControlAs<QPushButton>(kFileButton), Qt::LeftButton);
        box->viewport()->repaint();
        runs.push_back(NowNs() - start);
    }
    SetFileChooserForTesting({});
    Report(what, runs);
}

// Create Data reads the whole box, counts it and cuts it to capacity.
void MeasureCreateData(MainDialog& dialog) {
    auto* versions = dialog.ControlAs<QComboBox>(kVersionList);
    versions->setCurrentIndex(0);
    emit versions->activated(0);
    dialog.ControlAs<QRadioButton>(kByteModeRadio)->click();
    dialog.ControlAs<QPlainTextEdit>(kInputBox)->setPlainText(QString(1 << 20, QChar('q')));
    std::vector<long long> runs;
    for (int i = 0; i < kCreateDataRuns; ++i) {
        QCoreApplication::processEvents();
        const long long start = NowNs();
        QTest::mouseClick(dialog.ControlAs<QPushButton>(kCreateDataButton), Qt::LeftButton);
        runs.push_back(NowNs() - start);
    }
    Report("Create Data, 1 MiB input box", runs);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QByteArray(argv[1]) == kChildArgument) {
        return StartupChild(argc, argv);
    }
    QApplication application(argc, argv);
    ConfigureApplication(application);
    SetMessageSinkForTesting([](QWidget*, const QString& text) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    });
    QTemporaryDir directory, bigIniDirectory;
    const std::pair<QTemporaryDir*, QByteArray> inis[] = {
        {&directory, "Quirvane start-up text\n"}, {&bigIniDirectory, QByteArray(2 << 20, '7')}};
    for (const auto& [where, text] : inis) {
        QFile ini(where->filePath("QRcode.ini"));
        if (!ini.open(QIODevice::WriteOnly) || ini.write(text) != text.size()) {
            return 1;
        }
    }
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    MeasureStartup(QCoreApplication::applicationFilePath(), directory.path(),
                   "start-up to main window shown");
    MeasureStartup(QCoreApplication::applicationFilePath(), bigIniDirectory.path(),
                   "start-up, QRcode.ini of 2 MiB");

    QDir::setCurrent(directory.path());
    MainDialog dialog;
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog)) {
        std::fprintf(stderr, "the main window was not shown\n");
        return 1;
    }
    MeasurePattern(dialog, 0, "Create Pattern, version 1, width 2");
    MeasurePattern(dialog, 19, "Create Pattern, version 20, width 2");
    MeasurePattern(dialog, 20, "Create Pattern, version 40 window open+drawn");
    QByteArray lines;  // the 10 MiB file of tests/app/robustness_test.cpp
    for (int i = 0; lines.size() < (10 << 20); ++i) {
        lines += QByteArray::number(i).rightJustified(79, '0') + '\n';
    }
    const QString path = directory.filePath("big input.txt");
    MeasureFileLoad(dialog, path, lines, "10 MiB file of lines, click to painted");
    MeasureFileLoad(dialog, path, QByteArray(1 << 20, 'q'), "1 MiB file on one line, ditto");
    MeasureCreateData(dialog);
    return 0;
}
