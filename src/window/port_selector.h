#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "commands/port_choice.h"
#include "link/system_ports.h"

class QMenu;
class QWidget;

namespace kvt {

// The window's serial port: which one the port rule picks, the submenu of the window's context
// menu that lets the user choose another (remembered for the next run), and the hint a port
// failure gets.
class PortSelector : public QObject {
  Q_OBJECT

 public:
  explicit PortSelector(QObject* parent = nullptr);

  // Where the ports come from; the system's list unless a test gives its own.
  void set_port_list(std::function<std::vector<SystemPort>()> list_ports);

  // The port the next command uses.
  PortChoice current() const;

  // Adds the "SERIAL PORT" submenu to the window's context menu `menu`; "OTHER DEVICE..." asks
  // over `window`. While `command_running`, choosing and searching are off.
  void add_port_menu(QMenu& menu, QWidget& window, bool command_running);

  // Stores `device` as the user's choice.
  void choose(const std::string& device);

  // The ports FIND THE SWITCH PANEL probes, in order: every port listed, then the one in use.
  std::vector<SystemPort> ports_to_search() const;

  // "(PORT <dev> - RIGHT-CLICK THE WINDOW TO CHOOSE ANOTHER)", or where the port was set.
  QString failure_hint() const;

 signals:
  // "FIND THE SWITCH PANEL" was chosen.
  void find_panel_requested();

 private:
  void fill_port_menu(QMenu& menu, QWidget& window, bool command_running);
  // "OTHER DEVICE...": asks for a path, and says so when it cannot be a serial port now.
  void ask_other_device(QWidget& window);
  // True when `device` is a character device, or the user keeps it all the same.
  bool keep_device(QWidget& window, const QString& device);

  std::function<std::vector<SystemPort>()> list_ports_;
};

}  // namespace kvt
