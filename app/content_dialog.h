// What the input help dialogs share (「入力支援」 in the input box's menu):
// built from a template, fields with Japanese labels, OK and キャンセル. OK
// builds the text with the library's builder (<quirvane/content.h>); a refusal
// is said in the dialog, naming the field, and the dialog stays open on that
// field; a built text closes it, for the main window to take.
#pragma once

#include <QDialog>
#include <QHash>

#include <string>

#include <quirvane/content.h>

namespace quirvane::app {

// Ids every input help template gives its OK and キャンセル buttons and the
// label that tells why a text was refused.
inline constexpr int kContentOkButton = 1;
inline constexpr int kContentCancelButton = 2;
inline constexpr int kContentMessage = 1100;

// What to tell the user about a refused text, and the field to go back to.
struct ContentRefusal {
    const char* message;
    int fieldId;
};

class ContentDialog : public QDialog {
    Q_OBJECT

  public:
    // The finished text, once OK has built it.
    const QString& Text() const { return text_; }
    // A control by its template id, or nullptr.
    QWidget* Control(int id) const { return controls_.value(id); }

  protected:
    ContentDialog(int templateId, QWidget* parent);

    // A line edit's text, in UTF-8 as the builders take it.
    std::string FieldText(int id) const;

    virtual ContentText Build() const = 0;
    virtual ContentRefusal RefusalOf(const ContentText& refused) const = 0;

  private:
    void OnOk();

    QHash<int, QWidget*> controls_;
    QString text_;
};

}  // namespace quirvane::app
