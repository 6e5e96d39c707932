#include "link/qt_serial_port.h"

#include <sys/file.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <utility>

#include "link/line_settings.h"
#include "link/port_device.h"
#include "link/system_ports.h"

namespace kvt {

namespace {

QSerialPort::Parity to_qt(Parity parity) {
  switch (parity) {
    case Parity::None:
      return QSerialPort::NoParity;
    case Parity::Even:
      return QSerialPort::EvenParity;
    case Parity::Odd:
      return QSerialPort::OddParity;
    case Parity::Mark:
      return QSerialPort::MarkParity;
    case Parity::Space:
      return QSerialPort::SpaceParity;
  }
  return QSerialPort::NoParity;
}

QSerialPort::StopBits to_qt(StopBits stop_bits) {
  switch (stop_bits) {
    case StopBits::One:
      return QSerialPort::OneStop;
    case StopBits::OneAndHalf:
      return QSerialPort::OneAndHalfStop;
    case StopBits::Two:
      return QSerialPort::TwoStop;
  }
  return QSerialPort::OneStop;
}

OpenRefusal refusal_from(QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::DeviceNotFoundError:
      return OpenRefusal::NotFound;
    case QSerialPort::PermissionError:
      return OpenRefusal::Permission;
    default:
      return OpenRefusal::Other;
  }
}

int access_errno(const std::string& device) {
  return ::access(device.c_str(), R_OK | W_OK) == 0 ? 0 : errno;
}

// Errors that mean the device has gone or stopped working. Parity, framing and unsupported
// operations leave the line usable.
bool breaks_the_port(QSerialPort::SerialPortError error) {
  return error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
         error == QSerialPort::ResourceError;
}

}  // namespace

// The panel's longest reply is ten characters. A peer that floods the line while no wait takes
// what arrives (a message box is up with the port open) must not make the program grow: with a
// bounded buffer Qt stops reading the device once it is full.
constexpr qint64 kReceiveBufferBytes = 4096;

QtSerialPort::QtSerialPort(QObject* parent)
    : QObject(parent), port_one_([] { return current_port({}).device; }) {
  setObjectName("MSComm1");
  port_.setReadBufferSize(kReceiveBufferBytes);
  connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::on_error);
}

void QtSerialPort::set_port_one(std::function<std::string()> device_of_port_one) {
  port_one_ = std::move(device_of_port_one);
}

void QtSerialPort::set_comm_port(int port) { comm_port_ = port; }

void QtSerialPort::set_settings(const std::string& settings) { settings_ = settings; }

void QtSerialPort::set_port_open(bool open) {
  if (open && !port_.isOpen()) open_port();
  if (!open && port_.isOpen()) port_.close();
}

bool QtSerialPort::port_open() const { return port_.isOpen(); }

void QtSerialPort::open_port() {
  error_.reset();
  device_ = device_for_port(comm_port_, port_one_());
  const auto line = parse_line_settings(settings_);
  if (!line) {
    error_ = PortError{PortProblem::OtherOpenFailure, device_,
                       "unusable line settings \"" + settings_ + "\""};
    return;
  }
  // One device reached through several names (a by-id link, a symlink to a pty) must meet
  // the same lock, so the port is opened by its real path.
  const QString configured = QString::fromStdString(device_);
  const QString real_path = QFileInfo(configured).canonicalFilePath();
  port_.setPortName(real_path.isEmpty() ? configured : real_path);
  port_.setBaudRate(line->baud_rate);
  port_.setParity(to_qt(line->parity));
  port_.setDataBits(static_cast<QSerialPort::DataBits>(line->data_bits));
  port_.setStopBits(to_qt(line->stop_bits));
  if (!port_.open(QIODevice::ReadWrite)) {
    error_ = PortError{classify_open_failure(refusal_from(port_.error()), access_errno(device_)),
                       device_, port_.errorString().toStdString()};
    return;
  }
  // Other programs (picocom, pyserial's exclusive mode and the scripts built on it) mark a port
  // as theirs with flock. Two programs talking to the panel at once garble each other's frames,
  // so a port held that way is refused before a byte is sent. The lock goes with the descriptor
  // when the port closes, even when the process is killed.
  if (::flock(static_cast<int>(port_.handle()), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    const std::string reason = std::strerror(errno);
    port_.close();
    error_ = PortError{PortProblem::InUse, device_, reason};
    return;
  }
  // A port starts each command with nothing received. A UART drops what arrives while it is
  // closed, but a device the system keeps open (a pty) would hand a late answer to the previous
  // command to this one.
  port_.clear(QSerialPort::Input);
}

void QtSerialPort::output(std::string_view bytes) {
  if (!port_.isOpen()) return;
  port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

int QtSerialPort::in_buffer_count() const { return static_cast<int>(port_.bytesAvailable()); }

std::string QtSerialPort::input() {
  if (!port_.isOpen()) return {};
  const QByteArray received = port_.readAll();
  return std::string(received.constData(), static_cast<std::size_t>(received.size()));
}

std::optional<PortError> QtSerialPort::error() const { return error_; }

void QtSerialPort::on_error(QSerialPort::SerialPortError error) {
  if (!port_.isOpen() || !breaks_the_port(error)) return;
  error_ = PortError{PortProblem::FailedWhileOpen, device_, port_.errorString().toStdString()};
  // A pty whose far end has gone keeps reporting ReadError while the port stays open, and
  // every report wakes the event loop again: only closing stops it.
  port_.close();
}

}  // namespace kvt
