#include <QAbstractButton>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QPlainTextEdit>

#include "files/file_open.h"
#include "files/file_save.h"
#include "link/panel_commands.h"
#include "link/panel_link.h"
#include "window/form1.h"
#include "window/port_selector.h"

template <typename Command>
void Form1::run_command(Command command) {
  if (command_running_) return;
  command_running_ = true;
  set_command_buttons_enabled(false);
  command();
  set_command_buttons_enabled(true);
  command_running_ = false;
}

void Form1::set_command_buttons_enabled(bool enabled) {
  for (QAbstractButton* button : command_buttons_) button->setEnabled(enabled);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (command_running_) link_->request_shutdown();
  QWidget::closeEvent(event);
}

void Form1::contextMenuEvent(QContextMenuEvent* event) {
  port_selector_->popup_menu(*this, event->globalPos(), command_running_);
  event->accept();
}

void Form1::add_port_hint(kvt::CommandEnd end) {
  if (!kvt::may_be_wrong_port(end)) return;
  set_status_text(status_box_->toPlainText().toStdString() + '\n' +
                  port_selector_->failure_hint().toStdString());
}

void Form1::read_config_pressed() {
  run_command([this] { add_port_hint(kvt::read_config(config_, *this, *this, *link_).end); });
}

void Form1::write_config_pressed() {
  run_command([this] { add_port_hint(kvt::write_config(config_, *this, *this, *link_)); });
}

void Form1::read_file_pressed() {
  run_command([this] { kvt::open_file_with_dialog(config_, *this, *this, common_dialog1_); });
}

void Form1::open_file(const std::string& path) {
  run_command([this, &path] {
    common_dialog1_.file_name = path;
    kvt::open_config_file(config_, *this, *this, path);
  });
}

void Form1::write_file_pressed() {
  run_command([this] { kvt::save_file_with_dialog(config_, *this, *this, common_dialog1_); });
}
