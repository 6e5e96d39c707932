#pragma once

#include <QKeySequence>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace kvt {

class EditHistory;
class PortSelector;
class WindowController;

// The window's actions, each made once here: Ctrl+O opens a file, Ctrl+S saves one, Ctrl+P prints
// the sheet, Ctrl+Q closes the window, Ctrl+Z undoes an edit and Ctrl+Shift+Z or Ctrl+Y redoes
// it, and Shift+F10 opens the context menu. Panel reads and writes have no key, so a write to the
// panel is always a deliberate press. While a command runs, opening, saving, printing, undoing
// and redoing are off; closing stays on, as the close box does.
class WindowActions : public QObject {
  Q_OBJECT

 public:
  WindowActions(QWidget& window, WindowController& controller, PortSelector& ports,
                EditHistory& history);

  // The window's context menu, made afresh for each opening and gone when it closes: UNDO and
  // REDO, opening and saving a file, the recent files, the serial port submenu, COMPARE WITH
  // SWITCH PANEL, the print action and QUIT, each with its keys beside it. Opening it changes no
  // control.
  QMenu& context_menu();

 private:
  QAction* add_action(QKeySequence keys);
  // UNDO and REDO are on while there is something to undo or redo and no command runs.
  void enable_undo_and_redo();
  // "RECENT FILES": each opens as a file dropped on the window does; a file no longer there is
  // shown, but off.
  void add_recent_files_menu(QMenu& menu);

  QWidget& window_;
  WindowController& controller_;
  PortSelector& ports_;
  EditHistory& history_;
  bool busy_ = false;  // a command runs
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* open_ = nullptr;
  QAction* save_ = nullptr;
  QAction* print_ = nullptr;
  QAction* compare_ = nullptr;
  QAction* quit_ = nullptr;
};

}  // namespace kvt
