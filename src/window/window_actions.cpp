#include "window/window_actions.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QWidget>
#include <string>
#include <vector>

#include "window/edit_history.h"
#include "window/port_selector.h"
#include "window/recent_files.h"
#include "window/window_controller.h"
#include "window/window_texts.h"

namespace kvt {

WindowActions::WindowActions(QWidget& window, WindowController& controller, PortSelector& ports,
                             EditHistory& history)
    : QObject(&window), window_(window), controller_(controller), ports_(ports), history_(history) {
  undo_ = add_action(Qt::CTRL | Qt::Key_Z);
  undo_->setText(QString::fromUtf8(window_texts::kUndo));
  connect(undo_, &QAction::triggered, &history, &EditHistory::undo);
  redo_ = add_action(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
  redo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  redo_->setText(QString::fromUtf8(window_texts::kRedo));
  connect(redo_, &QAction::triggered, &history, &EditHistory::redo);
  connect(&history, &EditHistory::can_undo_changed, this, &WindowActions::enable_undo_and_redo);
  connect(&history, &EditHistory::can_redo_changed, this, &WindowActions::enable_undo_and_redo);
  connect(&controller, &WindowController::busy_changed, this, [this](bool busy) {
    busy_ = busy;
    enable_undo_and_redo();
  });
  enable_undo_and_redo();

  open_ = add_action(Qt::CTRL | Qt::Key_O);
  open_->setText(QString::fromUtf8(window_texts::kOpenEntry));
  connect(open_, &QAction::triggered, &controller, &WindowController::open_file_chosen);
  save_ = add_action(Qt::CTRL | Qt::Key_S);
  save_->setText(QString::fromUtf8(window_texts::kSaveEntry));
  connect(save_, &QAction::triggered, &controller, &WindowController::save_file);
  print_ = add_action(Qt::CTRL | Qt::Key_P);
  print_->setText(QString::fromUtf8(window_texts::kPrintSheet));
  connect(print_, &QAction::triggered, &controller, &WindowController::print_sheet);
  compare_ = new QAction(QString::fromUtf8(window_texts::kCompareWithPanel), this);
  // Started once the menu has closed and gone: the comparison waits in the event loop.
  connect(compare_, &QAction::triggered, &controller, &WindowController::compare_with_panel,
          Qt::QueuedConnection);
  // The close box's path, so unsaved changes are asked about first.
  quit_ = add_action(Qt::CTRL | Qt::Key_Q);
  quit_->setText(QString::fromUtf8(window_texts::kQuitEntry));
  connect(quit_, &QAction::triggered, &window, &QWidget::close);
  // Qt on Linux opens context menus on the right button and the Menu key only.
  QAction* menu_key = add_action(Qt::SHIFT | Qt::Key_F10);
  connect(menu_key, &QAction::triggered, this, [this] {
    const QPoint centre = window_.rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, centre, window_.mapToGlobal(centre));
    QCoreApplication::sendEvent(&window_, &event);
  });

  connect(&controller, &WindowController::busy_changed, this, [this](bool busy) {
    for (QAction* action : {open_, save_, print_, compare_}) action->setEnabled(!busy);
  });
}

QAction* WindowActions::add_action(QKeySequence keys) {
  auto* action = new QAction(this);
  action->setShortcut(keys);
  // Its keys stand beside its entry in the context menu, whatever the desktop's habit.
  action->setShortcutVisibleInContextMenu(true);
  window_.addAction(action);
  return action;
}

void WindowActions::enable_undo_and_redo() {
  undo_->setEnabled(!busy_ && history_.can_undo());
  redo_->setEnabled(!busy_ && history_.can_redo());
}

void WindowActions::add_recent_files_menu(QMenu& menu) {
  QMenu* recent = menu.addMenu(QString::fromUtf8(window_texts::kRecentFiles));
  recent->setObjectName(QStringLiteral("RecentFilesMenu"));
  const std::vector<std::string> paths = recent_files();
  recent->setEnabled(!paths.empty());
  for (const std::string& path : paths) {
    QString shown = QFile::decodeName(QByteArray::fromStdString(path));
    // A menu takes "&" for the mark of its key.
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* entry = recent->addAction(shown);
    entry->setEnabled(!controller_.command_running() && recent_file_exists(path));
    // Opened once the menu has closed and gone: the open may ask and show its messages.
    connect(
        entry, &QAction::triggered, &controller_,
        [this, path] { controller_.open_file_after_asking(path); }, Qt::QueuedConnection);
  }
}

QMenu& WindowActions::context_menu() {
  auto* menu = new QMenu(&window_);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // A text being typed is an edit of its own, which UNDO may take back.
  controller_.record_edit();
  menu->addAction(undo_);
  menu->addAction(redo_);
  menu->addSeparator();
  menu->addAction(open_);
  menu->addAction(save_);
  add_recent_files_menu(*menu);
  menu->addSeparator();
  ports_.add_port_menu(*menu, window_, controller_.command_running());
  menu->addAction(compare_);
  menu->addAction(print_);
  menu->addSeparator();
  menu->addAction(quit_);
  return *menu;
}

}  // namespace kvt
