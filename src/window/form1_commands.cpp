#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <utility>

#include "commands/command_texts.h"
#include "commands/file_open.h"
#include "commands/file_save.h"
#include "commands/panel_commands.h"
#include "link/panel_link.h"
#include "link/panel_probe.h"
#include "link/serial_link.h"
#include "model/configuration_view.h"
#include "model/editor_events.h"
#include "model/rule_texts.h"
#include "model/status_box.h"
#include "sheet/configuration_sheet.h"
#include "window/form1.h"
#include "window/panel_search.h"
#include "window/port_selector.h"
#include "window/window_texts.h"

namespace {

constexpr QKeyCombination kPrintKeys = Qt::CTRL | Qt::Key_P;

}  // namespace

template <typename Command>
void Form1::run_command(Command command) {
  if (command_running_) return;
  command_running_ = true;
  write_frame_sent_ = false;
  // Disabling the buttons sends the focus on to the next control that takes it.
  const QPointer<QWidget> focused = focusWidget();
  set_command_buttons_enabled(false);
  command();
  set_command_buttons_enabled(true);
  if (focused && focused->isVisible()) focused->setFocus(Qt::OtherFocusReason);
  command_running_ = false;
  if (after_command_) std::exchange(after_command_, nullptr)();
}

bool Form1::finish_write_then(std::function<void()> then) {
  if (!command_running_ || !write_frame_sent_) return false;
  after_command_ = std::move(then);
  set_status_text(std::string(kvt::command_texts::kFinishingWrite));
  return true;
}

void Form1::set_command_buttons_enabled(bool enabled) {
  for (QAbstractButton* button : command_buttons_) button->setEnabled(enabled);
}

template <typename Load>
auto Form1::as_load(Load load) {
  loading_ = true;
  const auto done = qScopeGuard([this] { loading_ = false; });
  return load();
}

void Form1::note_change() {
  if (!loading_) changed_ = true;
}

bool Form1::settle_unsaved_changes() {
  // During a read the user has already been asked about what the read replaces.
  if (!changed_ || loading_) return true;
  switch (dialogs_->ask_save_first(kvt::window_texts::kUnsavedQuestion,
                                   kvt::window_texts::kUnsavedTitle)) {
    case kvt::UnsavedAnswer::Save:
      return save_to_file();
    case kvt::UnsavedAnswer::Discard:
      return true;
    case kvt::UnsavedAnswer::Cancel:
      break;
  }
  return false;
}

bool Form1::save_to_file() {
  if (kvt::save_file_with_dialog(config_, *this, *this, common_dialog1_) !=
      kvt::FileSaveEnd::Saved) {
    return false;
  }
  changed_ = false;
  source_ = kvt::ConfigurationSource::file(common_dialog1_.file_name);
  return true;
}

void Form1::close_without_asking() {
  ask_before_closing_ = false;
  const auto ask_again = qScopeGuard([this] { ask_before_closing_ = true; });
  close();
}

void Form1::closeEvent(QCloseEvent* event) {
  if (ask_before_closing_ && !settle_unsaved_changes()) {
    event->ignore();
    return;
  }
  if (command_running_) link_->request_shutdown();
  if (search_link_ != nullptr) search_link_->request_shutdown();
  QWidget::closeEvent(event);
}

QMenu& Form1::build_context_menu() {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  port_selector_->add_port_menu(*menu, *this, command_running_);
  QAction* print = menu->addAction(QString::fromUtf8(kvt::window_texts::kPrintSheet), this,
                                   &Form1::print_sheet_chosen);
  print->setShortcut(QKeySequence(kPrintKeys));
  print->setEnabled(!command_running_);
  return *menu;
}

void Form1::build_window_actions() {
  auto add_action = [this](QKeyCombination keys, auto run) {
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(keys));
    connect(action, &QAction::triggered, this, run);
    addAction(action);
  };
  add_action(Qt::CTRL | Qt::Key_O, [this] { read_file_pressed(); });
  add_action(Qt::CTRL | Qt::Key_S, [this] { write_file_pressed(); });
  add_action(kPrintKeys, [this] { print_sheet_chosen(); });
  // The close box's path, so unsaved changes are asked about first.
  add_action(Qt::CTRL | Qt::Key_Q, [this] { close(); });
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
  build_context_menu().popup(event->globalPos());
  event->accept();
}

bool Form1::choose_printer(QPrinter& printer) {
  QPrintDialog dialog(&printer, this);
  return dialog.exec() == QDialog::Accepted;
}

// Printed as SAVE would save: a switch on a module without a channel is refused the same way.
void Form1::print_sheet_chosen() {
  run_command([this] {
    const kvt::ConfigurationView view = kvt::view_of(config_, *this);
    if (!view.codes) {
      kvt::show_status(*this, kvt::StatusColour::Red, kvt::rule_texts::kIncompleteData);
      return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(view.panel));
    if (!choose_printer(printer)) return;
    if (!kvt::draw_sheet(printer, view, kvt::printed_now(source_))) {
      kvt::show_status(*this, kvt::StatusColour::Red, kvt::window_texts::kPrintFailed);
    }
  });
}

void Form1::add_port_hint(kvt::CommandEnd end) {
  if (!kvt::may_be_wrong_port(end)) return;
  set_status_text(status_box_->toPlainText().toStdString() + '\n' +
                  port_selector_->failure_hint().toStdString());
}

void Form1::load() {
  as_load([this] { kvt::load_handling(config_, *this); });
}

void Form1::read_config_pressed() {
  run_command([this] {
    if (!settle_unsaved_changes()) return;
    const kvt::CommandEnd end = as_load([this] {
      return kvt::read_config(config_, *this, *this, *link_, port_selector_->current().device).end;
    });
    // Even a read that failed has changed the window, starting with the panel name.
    source_ = end == kvt::CommandEnd::Done ? kvt::ConfigurationSource::switch_panel()
                                           : kvt::ConfigurationSource{};
    if (end == kvt::CommandEnd::Done) changed_ = false;
    add_port_hint(end);
  });
}

void Form1::write_config_pressed() {
  run_command([this] {
    add_port_hint(
        kvt::write_config(config_, *this, *this, *link_, port_selector_->current().device).end);
  });
}

void Form1::read_file_pressed() {
  run_command([this] {
    if (!settle_unsaved_changes()) return;
    const kvt::FileOpenEnd end = as_load(
        [this] { return kvt::open_file_with_dialog(config_, *this, *this, common_dialog1_); });
    if (end == kvt::FileOpenEnd::Opened) opened(common_dialog1_.file_name);
  });
}

void Form1::open_file(const std::string& path) {
  run_command([this, &path] {
    common_dialog1_.file_name = path;
    const kvt::FileOpenEnd end =
        as_load([this, &path] { return kvt::open_config_file(config_, *this, *this, path); });
    if (end == kvt::FileOpenEnd::Opened) opened(path);
  });
}

void Form1::opened(const std::string& path) {
  changed_ = false;
  source_ = kvt::ConfigurationSource::file(path);
}

void Form1::write_file_pressed() {
  run_command([this] { save_to_file(); });
}

void Form1::find_panel_chosen() {
  run_command([this] {
    kvt::SerialLink probe_link;
    search_link_ = &probe_link.link();
    const auto done = qScopeGuard([this] { search_link_ = nullptr; });
    kvt::find_switch_panel(*this, *port_selector_, probe_link.link());
  });
}
