#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "link/serial_port.h"

namespace kvt {

// Which way a frame went.
enum class FrameDirection { Sent, Received };

// Told of every frame sent and every reply taken, in order, as the bytes on the line.
using FrameWatcher = std::function<void(FrameDirection, std::string_view)>;

// A serial port that passes everything on to another and tells a watcher of the bytes that go
// out and come in, so that a misbehaving panel can be diagnosed from what was really exchanged.
// Without a watcher it only passes things on.
class WatchedPort final : public SerialPort {
 public:
  explicit WatchedPort(SerialPort& port) : port_(port) {}

  void watch(FrameWatcher watcher) { watcher_ = std::move(watcher); }

  void open(const std::string& device, const std::string& settings) override {
    port_.open(device, settings);
  }
  void close() override { port_.close(); }
  bool port_open() const override { return port_.port_open(); }
  void output(std::string_view bytes) override;
  int in_buffer_count() const override { return port_.in_buffer_count(); }
  std::string input() override;
  std::optional<PortError> error() const override { return port_.error(); }

 private:
  SerialPort& port_;
  FrameWatcher watcher_;
};

}  // namespace kvt
