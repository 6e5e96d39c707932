#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>

#include "link/serial_port.h"
#include "link/transfer.h"

namespace kvt {

// The byte-level exchange with the switch panel: the handshake, one-byte reads and verified
// one-byte writes, paced by the 100 ms tick of Timer1. Each exchange returns how it ended and
// the byte it brought; what the user is told of it is the panel commands' choice.
//
// Every wait hands control to the event loop until something happens (a reply byte, the tick,
// the user), so the program stays responsive and idle while it waits. A wait also ends when the
// program is shutting down or the port broke down; neither is ever taken for a reply.
class PanelLink : public QObject {
  Q_OBJECT

 public:
  explicit PanelLink(SerialPort& port, QObject* parent = nullptr);

  // Opens `device` at "9600,N,8,1" and starts counting the command's bytes afresh. False when
  // the port would not open; port_error_text() says why.
  bool open_link(const std::string& device);
  void close_link();

  // Sends "A" up to six times until "D000D" is waiting; NoReply when the panel did not answer.
  Transfer wake_panel();
  // Pauses until the next tick.
  void wait_tick();
  // Reads the byte at `address`.
  ByteTransfer readee(std::int16_t address);
  // Writes `data` at `address`, then reads it back to verify it; the value is the byte read
  // back.
  ByteTransfer sendee(std::int16_t address, std::int16_t data);

  // Ends every wait at once and fails every later transfer; for a window closed mid-command or
  // a program told to stop.
  void request_shutdown();
  bool shutting_down() const { return shutting_down_; }

  // For the user: why the port would not open ("SERIAL PORT COULD NOT BE OPENED: ..."), or
  // that it broke down. Empty when the port has given no trouble.
  std::string port_error_text() const;
  // What the port layer said of its last open, or that the port broke down; none while all is
  // well.
  std::optional<PortError> port_error() const { return port_.error(); }
  // The port stopped working while open (it is closed by now).
  bool port_failed() const;
  // The highest address a write frame has gone out for since the link was opened: addresses 0
  // to it may hold new bytes.
  std::optional<std::int16_t> last_write_sent() const { return last_write_sent_; }

 signals:
  // The write frame for `address` has gone out: from now on the panel may hold the new byte.
  void write_frame_sent(std::int16_t address);
  // Byte `number` of the command under way (counted from 1 since the link was opened) has been
  // read, or written and verified.
  void byte_transferred(int number);

 private:
  void on_timer1_tick();
  void arm();
  // Sends the read frame for `address` and takes the reply's value.
  ByteTransfer read_back(std::int16_t address);
  // Until a whole reply is waiting, the tick comes, the port breaks down or the program closes.
  void reply_wait();
  // The interruption that ends an exchange before it starts, if any.
  std::optional<Transfer> interrupted() const;
  // A byte read, or written and verified: counted.
  void transferred();

  SerialPort& port_;
  QTimer timer1_;            // Timer1: 100 ms, precise, stopped until the first wait arms it
  bool timer_flag_ = false;  // the tick has come since the last arming
  // A whole reply was already waiting when that tick was handled.
  bool reply_waiting_at_tick_ = false;
  int bytes_transferred_ = 0;
  std::optional<std::int16_t> last_write_sent_;
  bool shutting_down_ = false;
};

}  // namespace kvt
