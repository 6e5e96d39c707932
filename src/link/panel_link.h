#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <string>

#include "link/serial_port.h"
#include "link/transfer.h"
#include "model/panel_config.h"
#include "model/status_box.h"

namespace kvt {

// The byte-level exchange with the switch panel: the handshake, one-byte reads and verified
// one-byte writes, paced by the 100 ms tick of Timer1. Arguments pass through address_l and
// data_l; each exchange returns how it ended, and also leaves A, error_flag and the status texts
// as the panel commands and the window show them.
//
// Every wait hands control to the event loop until something happens (a reply byte, the tick,
// the user), so the program stays responsive and idle while it waits. A wait also ends when the
// program is shutting down or the port broke down; neither is ever taken for a reply.
class PanelLink : public QObject {
  Q_OBJECT

 public:
  PanelLink(PanelConfig& config, SerialPort& port, StatusBox& status, QObject* parent = nullptr);

  std::int16_t address_l = 0;   // panel address of the next read or write
  std::int16_t data_l = 0;      // value the next write stores
  std::int16_t timer_flag = 0;  // 1 once the tick has come since the last arming

  // Port 1, "9600,N,8,1", open. False when the port would not open; port_error_text() says why.
  bool open_link();
  void close_link();

  // Sends "A" up to six times until "D000D" is waiting. A panel that did not answer turns the
  // status box red with its failure text; error_flag and A are left alone.
  Transfer wake_panel();
  // Pauses until the next tick.
  void wait_tick();
  // Reads the byte at address_l into A.
  Transfer readee();
  // Writes data_l at address_l, then reads it back into A to verify it.
  Transfer sendee();

  // Ends every wait at once and fails every later transfer; for a window closed mid-command or
  // a program told to stop.
  void request_shutdown();
  bool shutting_down() const { return shutting_down_; }

  // For the user: why the port would not open ("SERIAL PORT COULD NOT BE OPENED: ..."), or
  // that it broke down. Empty when the port has given no trouble.
  std::string port_error_text() const;

  // Timer1: 100 ms, precise, stopped until the first wait arms it.
  QTimer& timer1() { return timer1_; }

 signals:
  // The write frame for `address` has gone out: from now on the panel may hold the new byte.
  void write_frame_sent(std::int16_t address);

 private:
  void on_timer1_tick();
  void arm();
  // Sends the read frame for address_l and takes the reply's value into A.
  Transfer read_back();
  // Until a whole reply is waiting, the tick comes, the port breaks down or the program closes.
  void reply_wait();
  // The interruption that ends an exchange before it starts, if any.
  bool interrupted(Transfer& ending) const;
  Transfer fail(Transfer transfer);
  void show_text(std::string_view text);

  PanelConfig& config_;
  SerialPort& port_;
  StatusBox& status_;
  QTimer timer1_;
  bool shutting_down_ = false;
};

}  // namespace kvt
