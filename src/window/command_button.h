#pragma once

#include <QPushButton>

namespace kvt {

// A push button whose caption wraps onto several lines inside the button, as the command
// buttons' long captions need. The caption stays the button's text(). Enter and Return press
// the focused button, as Space does.
class CommandButton : public QPushButton {
  Q_OBJECT

 public:
  CommandButton(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kvt
