#pragma once

#include <QObject>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "link/serial_port.h"

// The panel's acknowledgement, the answer most scripts give.
inline constexpr const char* kAck = "D000D";

// A serial port played from a script: the n-th output is answered with the n-th scripted
// answer. When an answer lands is tied to what the link does (its next output, its tick), never
// to the clock, so a loaded machine plays every script the same way.
class FakeSerialPort : public kvt::SerialPort {
 public:
  enum class Arrival {
    // At once, waking the event loop as a real port's notifier does.
    AtOnce,
    // Late: it lands, waking the event loop, just after the next output has gone out.
    WithTheNextOutput,
    // Quietly, in the same pass of the event loop as the next tick of the timer given to
    // follow_ticks: what a reply landing just as the tick comes looks like to a wait.
    WithTheNextTick,
    // In the same pass as the next tick but taken in before the tick is handled, as a real
    // port's notifier is when the reply and the tick come together.
    JustBeforeTheNextTick,
  };
  struct Answer {
    std::string bytes;  // empty: no answer to this output
    Arrival arrival = Arrival::AtOnce;
  };

  explicit FakeSerialPort(std::vector<Answer> answers = {});

  void open(const std::string& device, const std::string& settings) override;
  void close() override;
  bool port_open() const override { return open_; }
  void output(std::string_view bytes) override;
  int in_buffer_count() const override { return static_cast<int>(received_.size()); }
  std::string input() override;
  std::optional<kvt::PortError> error() const override { return error_; }

  // The tick that WithTheNextTick and JustBeforeTheNextTick answers land with: the link's
  // Timer1.
  void follow_ticks(QTimer& tick);
  // The port breaks down `ms` from now, as an unplugged adapter would.
  void break_down_after(int ms);
  // The line hangs up once output number `index` (from 0) has gone out, and the port notices
  // only when it takes what came: that output is never answered, and the next input finds the
  // port broken, as a pty whose master side closed is found.
  void hang_up_after_output(std::size_t index) { hang_up_after_ = index; }

  std::vector<std::string> sent;   // every output, in order
  std::vector<std::string> calls;  // opens and closes in order, e.g. "open /dev/x 9600,N,8,1"
  std::optional<kvt::PortError> refuse_open;

 private:
  void land(const std::string& bytes);

  void break_down();

  std::vector<Answer> answers_;
  std::optional<std::size_t> hang_up_after_;
  bool hung_up_ = false;
  bool open_ = false;
  std::optional<kvt::PortError> error_;
  std::string received_;
  std::vector<std::string> with_next_output_;
  std::vector<std::string> with_next_tick_;
  std::vector<std::string> before_next_tick_;
  QObject timers_;  // pending answers die with the port
  // Sees the tick's timer event before the tick's handlers run.
  class TickWatcher : public QObject {
   public:
    explicit TickWatcher(FakeSerialPort& port) : port_(port) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

   private:
    FakeSerialPort& port_;
  };
  TickWatcher tick_watcher_{*this};
};
