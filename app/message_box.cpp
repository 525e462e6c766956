#include "app/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace quirvane::app {
namespace {

MessageSink& TheMessageSink() {
    static MessageSink sink;
    return sink;
}

std::function<void()>& TheBeepSink() {
    static std::function<void()> sink;
    return sink;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text) {
    if (TheMessageSink()) {
        TheMessageSink()(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationName), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

void Beep() {
    if (TheBeepSink()) {
        TheBeepSink()();
        return;
    }
    QApplication::beep();
}

void SetMessageSinkForTesting(MessageSink sink) {
    TheMessageSink() = std::move(sink);
}

void SetBeepSinkForTesting(std::function<void()> sink) {
    TheBeepSink() = std::move(sink);
}

}  // namespace quirvane::app
