#pragma once

#include <QObject>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "link/serial_port.h"

// A serial port played from a script: the n-th output is answered with the n-th scripted
// answer, after its delay. An answer normally wakes the event loop as a real port's notifier
// does; a quiet one only shows up when the buffer is next looked at, which is how a reply
// that lands in the same pass as the tick looks to a wait.
class FakeSerialPort : public kvt::SerialPort {
 public:
  struct Answer {
    std::string bytes;  // empty: no answer to this output
    int delay_ms = 0;
    bool wakes_event_loop = true;
  };

  explicit FakeSerialPort(std::vector<Answer> answers = {});

  void set_comm_port(int port) override;
  void set_settings(const std::string& settings) override;
  void set_port_open(bool open) override;
  bool port_open() const override { return open_; }
  void output(std::string_view bytes) override;
  int in_buffer_count() const override;
  std::string input() override;
  std::optional<kvt::PortError> error() const override { return error_; }

  // The port breaks down `ms` from now, as an unplugged adapter would.
  void break_down_after(int ms);

  std::vector<std::string> sent;   // every output, in order
  std::vector<std::string> calls;  // property settings in order, e.g. "CommPort=1"
  std::optional<kvt::PortError> refuse_open;

 private:
  using Clock = std::chrono::steady_clock;
  void take_quiet_arrivals() const;

  std::vector<Answer> answers_;
  bool open_ = false;
  std::optional<kvt::PortError> error_;
  mutable std::string received_;
  mutable std::vector<std::pair<Clock::time_point, std::string>> quiet_arrivals_;
  QObject timers_;  // pending answers die with the port
};
