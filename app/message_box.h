// The one place the program tells the user something: message boxes (OK
// only, no icon, caption "Quirvane"), the simple beep, and the colour of
// what is said inside a window. Tests replace the box and the beep with
// recorders, so that no modal box waits for a click.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quirvane::app {

// The caption of every message box: the application's name.
inline constexpr char kApplicationName[] = "Quirvane";

// What is said in a window instead of a box (a doubt about a symbol, a
// refused field) is said in dark red.
inline constexpr char kWarningStyle[] = "QLabel { color: #b00000; }";

// Shows text in a modal message box over parent and returns when it closes.
void ShowMessage(QWidget* parent, const QString& text);

// The platform's simple beep.
void Beep();

// Replace the box or the beep (an empty function restores them).
using MessageSink = std::function<void(QWidget* parent, const QString& text)>;
void SetMessageSinkForTesting(MessageSink sink);
void SetBeepSinkForTesting(std::function<void()> sink);

}  // namespace quirvane::app
