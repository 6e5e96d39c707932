#pragma once

#include <QObject>
#include <QSerialPort>
#include <functional>
#include <optional>
#include <string>

#include "link/serial_port.h"

namespace kvt {

// The real serial port (MSComm1), on QSerialPort. Only the line format is set; buffer sizes, flow
// control and the modem-control lines stay as the device has them (a pty refuses DTR and RTS).
// A read, write or resource error while open means the device is gone: the port records the
// failure and closes, so a transfer under way fails at once and the process does not spin on
// a dead descriptor. While open, the port holds the device with flock, as other serial
// programs expect, and refuses a device another program holds that way.
class QtSerialPort final : public QObject, public SerialPort {
  Q_OBJECT

 public:
  explicit QtSerialPort(QObject* parent = nullptr);

  // Where port 1 is, asked at every open so that a new choice counts from the next command on.
  // By default the port rule as this process sees it, without a --port.
  void set_port_one(std::function<std::string()> device_of_port_one);

  void set_comm_port(int port) override;
  void set_settings(const std::string& settings) override;
  void set_port_open(bool open) override;
  bool port_open() const override;
  void output(std::string_view bytes) override;
  int in_buffer_count() const override;
  std::string input() override;
  std::optional<PortError> error() const override;

 private:
  void open_port();
  void on_error(QSerialPort::SerialPortError error);

  QSerialPort port_;
  int comm_port_ = 1;
  std::function<std::string()> port_one_;
  std::string settings_;
  std::string device_;
  std::optional<PortError> error_;
};

}  // namespace kvt
