#include "fake_serial_port.h"

#include <QTimer>

FakeSerialPort::FakeSerialPort(std::vector<Answer> answers) : answers_(std::move(answers)) {}

void FakeSerialPort::set_comm_port(int port) {
  calls.push_back("CommPort=" + std::to_string(port));
}

void FakeSerialPort::set_settings(const std::string& settings) {
  calls.push_back("Settings=" + settings);
}

void FakeSerialPort::set_port_open(bool open) {
  calls.push_back(open ? "PortOpen=true" : "PortOpen=false");
  if (open) {
    error_ = refuse_open;
    open_ = !refuse_open;
  } else {
    open_ = false;
  }
}

void FakeSerialPort::output(std::string_view bytes) {
  const std::size_t index = sent.size();
  sent.emplace_back(bytes);
  if (index >= answers_.size() || answers_[index].bytes.empty()) return;
  const Answer& answer = answers_[index];
  if (answer.wakes_event_loop) {
    QTimer::singleShot(answer.delay_ms, Qt::PreciseTimer, &timers_,
                       [this, bytes = answer.bytes] { received_ += bytes; });
  } else {
    quiet_arrivals_.emplace_back(Clock::now() + std::chrono::milliseconds(answer.delay_ms),
                                 answer.bytes);
  }
}

int FakeSerialPort::in_buffer_count() const {
  take_quiet_arrivals();
  return static_cast<int>(received_.size());
}

std::string FakeSerialPort::input() {
  take_quiet_arrivals();
  return std::exchange(received_, {});
}

void FakeSerialPort::break_down_after(int ms) {
  QTimer::singleShot(ms, Qt::PreciseTimer, &timers_, [this] {
    error_ = kvt::PortError{kvt::PortProblem::FailedWhileOpen, "/dev/ttyUSB0", "unplugged"};
    open_ = false;
  });
}

void FakeSerialPort::take_quiet_arrivals() const {
  const auto now = Clock::now();
  std::erase_if(quiet_arrivals_, [&](const auto& arrival) {
    if (arrival.first > now) return false;
    received_ += arrival.second;
    return true;
  });
}
