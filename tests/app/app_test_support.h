// The main window started in a working directory of its own (with QRcode.ini
// unless `ini` is null), with message boxes and beeps recorded, not shown.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <quirvane/version.h>

#include "app/application.h"
#include "app/input_file.h"
#include "app/main_dialog.h"
#include "app/message_box.h"

namespace quirvane::testing {

// The main window's caption: the version with its point written full width.
inline QString MainCaptionText() {
    return QString("Quirvane（VER%1）").arg(QString(kVersionText).replace('.', "．"));
}

struct Started {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    QStringList messages;
    int beeps = 0;
    std::unique_ptr<app::MainDialog> d;

    explicit Started(const QByteArray& ini = "") {
        app::ConfigureApplication(*qobject_cast<QApplication*>(qApp));
        QDir::setCurrent(dir.path());
        app::SetMessageSinkForTesting([this](QWidget*, const QString& t) { messages << t; });
        app::SetBeepSinkForTesting([this] { ++beeps; });
        if (!ini.isNull()) {
            Write("QRcode.ini", ini);
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
    void ChooseFile(const QString& path) {  // in the file dialog
        app::SetFileChooserForTesting([path](QWidget*) { return path; });
        Click(app::kFileButton);
        app::SetFileChooserForTesting({});
    }
};

inline QImage Copied() {
    return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
}

}  // namespace quirvane::testing

// Every test file works on the program's names.
using namespace quirvane;
using namespace quirvane::app;
using quirvane::testing::Copied;
using quirvane::testing::Started;
