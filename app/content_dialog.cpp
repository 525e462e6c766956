#include "app/content_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialog_builder.h"
#include "app/message_box.h"

namespace quirvane::app {

ContentDialog::ContentDialog(int templateId, QWidget* parent) : QDialog(parent) {
    controls_ = BuildDialog(this, LoadDialogTemplate(templateId)).byId;
    controls_.value(kContentMessage)->setStyleSheet(QString::fromLatin1(kWarningStyle));
    connect(qobject_cast<QPushButton*>(Control(kContentOkButton)), &QPushButton::clicked, this,
            &ContentDialog::OnOk);
    connect(qobject_cast<QPushButton*>(Control(kContentCancelButton)), &QPushButton::clicked, this,
            &QDialog::reject);
}

std::string ContentDialog::FieldText(int id) const {
    return qobject_cast<QLineEdit*>(Control(id))->text().toStdString();
}

void ContentDialog::OnOk() {
    const ContentText built = Build();
    if (built.Built()) {
        text_ = QString::fromStdString(built.text);
        accept();
        return;
    }
    const ContentRefusal refusal = RefusalOf(built);
    qobject_cast<QLabel*>(Control(kContentMessage))->setText(QString::fromUtf8(refusal.message));
    if (auto* field = qobject_cast<QLineEdit*>(Control(refusal.fieldId))) {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

}  // namespace quirvane::app
