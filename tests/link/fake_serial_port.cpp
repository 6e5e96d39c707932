#include "fake_serial_port.h"

#include <QEvent>
#include <utility>

FakeSerialPort::FakeSerialPort(std::vector<Answer> answers) : answers_(std::move(answers)) {}

void FakeSerialPort::open(const std::string& device, const std::string& settings) {
  calls.push_back("open " + device + " " + settings);
  error_ = refuse_open;
  open_ = !refuse_open;
}

void FakeSerialPort::close() {
  calls.push_back("close");
  open_ = false;
}

void FakeSerialPort::output(std::string_view bytes) {
  const std::size_t index = sent.size();
  sent.emplace_back(bytes);
  for (const std::string& late : std::exchange(with_next_output_, {})) land(late);
  if (hang_up_after_ && index >= *hang_up_after_) hung_up_ = true;
  if (hung_up_) return;
  if (index >= answers_.size() || answers_[index].bytes.empty()) return;
  const Answer& answer = answers_[index];
  switch (answer.arrival) {
    case Arrival::AtOnce:
      land(answer.bytes);
      break;
    case Arrival::WithTheNextOutput:
      with_next_output_.push_back(answer.bytes);
      break;
    case Arrival::WithTheNextTick:
      with_next_tick_.push_back(answer.bytes);
      break;
    case Arrival::JustBeforeTheNextTick:
      before_next_tick_.push_back(answer.bytes);
      break;
  }
}

std::string FakeSerialPort::input() {
  if (hung_up_ && open_) {
    break_down();
    received_.clear();
  }
  return std::exchange(received_, {});
}

void FakeSerialPort::follow_ticks(QTimer& tick) {
  tick.installEventFilter(&tick_watcher_);
  // The bytes land within the tick's own emission: the wait the tick ends finds them.
  QObject::connect(&tick, &QTimer::timeout, &timers_, [this] {
    for (const std::string& bytes : std::exchange(with_next_tick_, {})) received_ += bytes;
  });
}

void FakeSerialPort::break_down_after(int ms) {
  QTimer::singleShot(ms, Qt::PreciseTimer, &timers_, [this] { break_down(); });
}

void FakeSerialPort::break_down() {
  error_ = kvt::PortError{kvt::PortProblem::FailedWhileOpen, "/dev/ttyUSB0", "unplugged"};
  open_ = false;
}

void FakeSerialPort::land(const std::string& bytes) {
  QTimer::singleShot(0, &timers_, [this, bytes] { received_ += bytes; });
}

bool FakeSerialPort::TickWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Timer) {
    for (const std::string& bytes : std::exchange(port_.before_next_tick_, {})) {
      port_.received_ += bytes;
    }
  }
  return QObject::eventFilter(watched, event);
}
