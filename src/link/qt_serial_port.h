#pragma once

#include <QObject>
#include <QSerialPort>
#include <optional>
#include <string>

#include "link/serial_port.h"

namespace kvt {

// The real serial port (MSComm1), on QSerialPort. Only the line format is set; flow control and
// the modem-control lines stay as the device has them (a pty refuses DTR and RTS). A read,
// write or resource error while open means the device is gone: the port records the failure
// and closes, so a transfer under way fails at once and the process does not spin on a dead
// descriptor. While open, the port holds the device with flock, as other serial programs
// expect, and refuses a device another program holds that way.
class QtSerialPort final : public QObject, public SerialPort {
  Q_OBJECT

 public:
  // The panel's longest reply is ten characters. A peer that floods the line while no wait
  // takes what arrives (a message box is up with the port open) must not make the program grow:
  // with a bounded buffer Qt stops reading the device once it holds this many bytes.
  static constexpr qint64 kReceiveBufferBytes = 4096;

  explicit QtSerialPort(QObject* parent = nullptr);

  void open(const std::string& device, const std::string& settings) override;
  void close() override;
  bool port_open() const override;
  void output(std::string_view bytes) override;
  int in_buffer_count() const override;
  std::string input() override;
  std::optional<PortError> error() const override;

  // What the port does with an error Qt reports while it is open. Qt calls it; tests call it
  // too, for the errors a pty cannot be made to give (an unplugged adapter's ResourceError).
  void handle_error(QSerialPort::SerialPortError error);

 private:
  // The device reports a hang-up or an error (a pty whose master side closed, an adapter gone).
  bool hung_up() const;
  // The port stopped working: said so, and closed.
  void record_breakdown(const QString& system_text);

  QSerialPort port_;
  std::string device_;
  std::optional<PortError> error_;
};

}  // namespace kvt
