#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>

#include "link/reply_value.h"
#include "link/serial_port.h"
#include "model/panel_config.h"
#include "model/status_box.h"

namespace kvt {

// The byte-level exchange with the switch panel: the handshake, one-byte reads and verified
// one-byte writes, paced by the 100 ms tick of Timer1. Arguments and results pass through
// address_l, data_l and the configuration's A and error_flag, as the panel commands expect.
//
// Every wait hands control to the event loop until something happens (a reply byte, the tick,
// the user), so the program stays responsive and idle while it waits. A wait also ends when the
// program is shutting down or the port broke down; neither is ever taken for a reply, and the
// transfer under way fails with error_flag 1.
class PanelLink : public QObject {
  Q_OBJECT

 public:
  // `timer1` is the window's Timer1; every arming gives it 100 ms and restarts it.
  PanelLink(PanelConfig& config, SerialPort& port, StatusBox& status, QTimer& timer1,
            QObject* parent = nullptr);

  std::int16_t address_l = 0;   // panel address of the next read or write
  std::int16_t data_l = 0;      // value the next write stores
  std::int16_t timer_flag = 0;  // 1 once the tick has come since the last arming

  // Port 1, "9600,N,8,1", open. False when the port would not open; port_error_text() says why.
  bool open_link();
  void close_link();

  // Sends "A" up to six times until "D000D" is waiting; true when the panel answered in time.
  // A panel that did not answer turns the status box red with its failure text.
  bool wake_panel();
  // Pauses until the next tick.
  void wait_tick();
  // Reads the byte at address_l into A.
  void readee();
  // Writes data_l at address_l, then reads it back into A to verify it.
  void sendee();

  // True when the last readee or sendee took a value from a reply into A; false when it brought
  // none (no reply, too short a reply, the port broke down, shutting down) and A is older.
  bool value_taken() const { return value_taken_; }

  // Ends every wait at once and fails every later transfer; for a window closed mid-command.
  void request_shutdown();
  bool shutting_down() const;

  // True when the port broke down while open (it is closed by then); a transfer it cut short
  // failed with error_flag 1 and left the status box alone.
  bool port_failed() const;
  // For the user: why the port would not open ("SERIAL PORT COULD NOT BE OPENED: ..."), or
  // that it broke down. Empty when the port has given no trouble.
  std::string port_error_text() const;

  // Timer1's tick.
  void on_timer1_tick();

 private:
  enum class WaitEnd { Reply, Tick, PortFailed, ShuttingDown };

  void arm();
  // Sends the read frame for address_l and takes the reply's value into A. Nothing when no
  // reply came whole: error_flag is 1 and, for too short a reply, the status text says so.
  std::optional<ReplyValue> read_back();
  WaitEnd reply_wait();
  bool interrupted() const;
  static bool interrupted(WaitEnd end);
  void show_text(std::string_view text);

  PanelConfig& config_;
  SerialPort& port_;
  StatusBox& status_;
  QTimer& timer1_;
  bool shutting_down_ = false;
  bool value_taken_ = false;
};

}  // namespace kvt
