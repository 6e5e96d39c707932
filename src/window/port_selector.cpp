#include "window/port_selector.h"

#include <QActionGroup>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "link/panel_probe.h"
#include "link/port_memory.h"
#include "window/device_check.h"
#include "window/window_texts.h"

namespace kvt {
namespace {

QString entry_text(const SystemPort& port) {
  QString text = QString::fromUtf8(port.device);
  if (!port.description.empty()) {
    text +=
        QString::fromUtf8(window_texts::kPortDescription).arg(QString::fromUtf8(port.description));
  }
  if (!port.stable_name.empty()) {
    text +=
        QString::fromUtf8(window_texts::kPortStableName).arg(QString::fromUtf8(port.stable_name));
  }
  return text;
}

}  // namespace

PortSelector::PortSelector(QObject* parent) : QObject(parent), list_ports_(system_ports) {}

void PortSelector::set_port_list(std::function<std::vector<SystemPort>()> list_ports) {
  list_ports_ = std::move(list_ports);
}

PortChoice PortSelector::current() const { return choose_port(port_sources({}, list_ports_)); }

void PortSelector::add_port_menu(QMenu& menu, QWidget& window, bool command_running) {
  QMenu* ports = menu.addMenu(QString::fromUtf8(window_texts::kSerialPortMenu));
  ports->setObjectName(QStringLiteral("SerialPortMenu"));
  fill_port_menu(*ports, window, command_running);
}

void PortSelector::fill_port_menu(QMenu& menu, QWidget& window, bool command_running) {
  const PortChoice choice = current();
  const bool from_environment = choice.reason == PortReason::Environment;
  if (from_environment) {
    menu.addAction(QString::fromUtf8(window_texts::kSetInEnvironment)
                       .arg(QString::fromUtf8(choice.device)))
        ->setEnabled(false);
    menu.addSeparator();
  }
  const bool can_choose = !command_running && !from_environment;
  auto* group = new QActionGroup(&menu);
  bool in_use_listed = false;
  for (const SystemPort& port : list_ports_()) {
    QAction* entry = menu.addAction(entry_text(port));
    const bool in_use = choice.device == port.name_to_store() || choice.device == port.device;
    in_use_listed = in_use_listed || in_use;
    entry->setCheckable(true);
    entry->setChecked(in_use);
    entry->setEnabled(can_choose);
    entry->setActionGroup(group);
    const std::string name = port.name_to_store();
    connect(entry, &QAction::triggered, this, [this, name] { choose(name); });
  }
  if (!in_use_listed) {
    // A pty or an unplugged adapter: not listed, but in use, and drawn as plainly as the others.
    QString text = QString::fromUtf8(choice.device);
    if (check_device(choice.device) == DeviceCheck::Missing) {
      text += QString::fromUtf8(window_texts::kNotConnected);
    }
    QAction* entry = menu.addAction(text);
    entry->setCheckable(true);
    entry->setChecked(true);
    entry->setEnabled(can_choose);
    entry->setActionGroup(group);
  }
  menu.addSeparator();
  QAction* find = menu.addAction(QString::fromUtf8(window_texts::kFindPanel));
  find->setEnabled(can_choose);
  connect(find, &QAction::triggered, this, &PortSelector::find_panel_requested);
  QAction* other = menu.addAction(QString::fromUtf8(window_texts::kOtherDevice));
  other->setEnabled(can_choose);
  connect(other, &QAction::triggered, this, [this, &window] { ask_other_device(window); });
}

void PortSelector::ask_other_device(QWidget& window) {
  QInputDialog ask(&window);
  ask.setWindowTitle(QString::fromUtf8(window_texts::kSerialPortMenu));
  ask.setLabelText(QString::fromUtf8(window_texts::kOtherDeviceLabel));
  ask.setTextValue(QString::fromUtf8(current().device));
  ask.setOkButtonText(QString::fromUtf8(window_texts::kOkButton));
  ask.setCancelButtonText(QString::fromUtf8(window_texts::kCancelButton));
  if (ask.exec() != QDialog::Accepted) return;
  const QString device = ask.textValue().trimmed();
  if (device.isEmpty()) return;
  if (keep_device(window, device)) choose(device.toStdString());
}

bool PortSelector::keep_device(QWidget& window, const QString& device) {
  const char* problem = nullptr;
  switch (check_device(device.toStdString())) {
    case DeviceCheck::CharacterDevice:
      return true;
    case DeviceCheck::Missing:
      problem = window_texts::kDeviceMissing;
      break;
    case DeviceCheck::NotCharacterDevice:
      problem = window_texts::kNotCharacterDevice;
      break;
  }
  QMessageBox box(&window);
  box.setObjectName(QStringLiteral("DeviceCheckBox"));
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(QString::fromUtf8(window_texts::kSerialPortMenu));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromUtf8(problem).arg(device));
  QPushButton* use =
      box.addButton(QString::fromUtf8(window_texts::kUseItButton), QMessageBox::AcceptRole);
  box.setDefaultButton(
      box.addButton(QString::fromUtf8(window_texts::kCancelButton), QMessageBox::RejectRole));
  box.exec();
  return box.clickedButton() == use;
}

void PortSelector::choose(const std::string& device) { remember_port(device); }

std::vector<SystemPort> PortSelector::ports_to_search() const {
  return ports_to_probe(list_ports_(), current().device);
}

QString PortSelector::failure_hint() const {
  const PortChoice choice = current();
  if (choice.reason == PortReason::Environment) {
    return QString::fromUtf8(window_texts::kSetInEnvironmentHint)
        .arg(QString::fromUtf8(choice.device));
  }
  return QString::fromUtf8(window_texts::kChooseAnotherHint).arg(QString::fromUtf8(choice.device));
}

}  // namespace kvt
