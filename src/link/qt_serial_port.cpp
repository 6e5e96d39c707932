#include "link/qt_serial_port.h"

#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "link/line_settings.h"
#include "link/link_texts.h"
#include "link/port_holders.h"

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

QtSerialPort::QtSerialPort(QObject* parent) : QObject(parent) {
  setObjectName("MSComm1");
  port_.setReadBufferSize(kReceiveBufferBytes);
  connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::handle_error);
}

void QtSerialPort::open(const std::string& device, const std::string& settings) {
  if (port_.isOpen()) return;
  error_.reset();
  device_ = device;
  const auto line = parse_line_settings(settings);
  if (!line) {
    error_ = PortError{PortProblem::OtherOpenFailure, device_,
                       link_texts::unusable_line_settings(settings)};
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
    if (error_->problem == PortProblem::PermissionDenied) error_->device_group = group_of(device_);
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
  // Most programs take no lock: ModemManager probing a new adapter, a terminal program left
  // open. Such a program takes the panel's replies, so the port is not used while one has it.
  if (auto holder =
          other_program_holding(real_path.isEmpty() ? device_ : real_path.toStdString())) {
    port_.close();
    error_ = PortError{PortProblem::OpenInAnotherProgram, device_};
    error_->holder = std::move(holder);
    return;
  }
  // A port starts each command with nothing received. A UART drops what arrives while it is
  // closed, but a device the system keeps open (a pty) would hand a late answer to the previous
  // command to this one.
  port_.clear(QSerialPort::Input);
}

void QtSerialPort::close() {
  if (port_.isOpen()) port_.close();
}

bool QtSerialPort::port_open() const { return port_.isOpen(); }

void QtSerialPort::output(std::string_view bytes) {
  if (!port_.isOpen()) return;
  port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

int QtSerialPort::in_buffer_count() const { return static_cast<int>(port_.bytesAvailable()); }

std::string QtSerialPort::input() {
  if (!port_.isOpen()) return {};
  const QByteArray received = port_.readAll();
  // Qt reports a hang-up only when it next reads the device, which may come after the tick
  // that ends the wait: an empty or cut reply from a line that has gone must not be taken for
  // the panel's bad data.
  if (hung_up()) {
    record_breakdown(QStringLiteral("hang-up"));
    return {};
  }
  return std::string(received.constData(), static_cast<std::size_t>(received.size()));
}

bool QtSerialPort::hung_up() const {
  pollfd device{static_cast<int>(port_.handle()), POLLIN, 0};
  return ::poll(&device, 1, 0) == 1 && (device.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void QtSerialPort::record_breakdown(const QString& system_text) {
  error_ = PortError{PortProblem::FailedWhileOpen, device_, system_text.toStdString()};
  // A pty whose far end has gone keeps reporting ReadError while the port stays open, and
  // every report wakes the event loop again: only closing stops it.
  port_.close();
}

std::optional<PortError> QtSerialPort::error() const { return error_; }

void QtSerialPort::handle_error(QSerialPort::SerialPortError error) {
  if (!port_.isOpen() || !breaks_the_port(error)) return;
  record_breakdown(port_.errorString());
}

}  // namespace kvt
