// The About box (template 100): the icon, the program's name and version, "OK".
#pragma once

#include <QDialog>

namespace quirvane::app {

class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace quirvane::app
