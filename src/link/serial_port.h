#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/port_error.h"

namespace kvt {

// The serial port as the panel link drives it: open a device, send, see and take what came,
// close, plus what went wrong with it. The real one is MSComm1; tests use a scripted fake.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens `device` (e.g. /dev/ttyUSB0) with the line format `settings` (e.g. "9600,N,8,1"),
  // unless the port is open already. After a failed open port_open() stays false and error()
  // says why.
  virtual void open(const std::string& device, const std::string& settings) = 0;
  virtual void close() = 0;
  virtual bool port_open() const = 0;
  // Output: sends every byte of `bytes`, in order, nothing added.
  virtual void output(std::string_view bytes) = 0;
  // InBufferCount: received bytes not yet taken.
  virtual int in_buffer_count() const = 0;
  // Input: takes every received byte not yet taken.
  virtual std::string input() = 0;

  // Why the last open failed, or that the port failed while open (it is closed by then).
  // Empty while all is well; every open attempt clears it.
  virtual std::optional<PortError> error() const = 0;
};

}  // namespace kvt
