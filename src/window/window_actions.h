#pragma once

#include <QKeySequence>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace kvt {

class PortSelector;
class WindowController;

// The window's actions, each made once here: Ctrl+O opens a file, Ctrl+S saves one, Ctrl+P prints
// the sheet, Ctrl+Q closes the window, and Shift+F10 opens the context menu. Panel reads and
// writes have no key, so a write to the panel is always a deliberate press. While a command runs,
// opening, saving and printing are off; closing stays on, as the close box does.
class WindowActions : public QObject {
  Q_OBJECT

 public:
  WindowActions(QWidget& window, WindowController& controller, PortSelector& ports);

  // The window's context menu, made afresh for each opening and gone when it closes: opening and
  // saving a file, the serial port submenu, COMPARE WITH SWITCH PANEL, the print action and
  // QUIT, each with its keys beside it. Opening it changes no control.
  QMenu& context_menu();

 private:
  QAction* add_action(QKeySequence keys);

  QWidget& window_;
  WindowController& controller_;
  PortSelector& ports_;
  QAction* open_ = nullptr;
  QAction* save_ = nullptr;
  QAction* print_ = nullptr;
  QAction* compare_ = nullptr;
  QAction* quit_ = nullptr;
};

}  // namespace kvt
