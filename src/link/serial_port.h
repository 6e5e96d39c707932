#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/port_error.h"

namespace kvt {

// The serial port as the panel link drives it: the six operations of the port control, plus
// what went wrong with it. The window owns the real one (MSComm1); tests use a scripted fake.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // CommPort: which port the next open uses, counted from 1.
  virtual void set_comm_port(int port) = 0;
  // Settings: the line format for the next open, e.g. "9600,N,8,1".
  virtual void set_settings(const std::string& settings) = 0;
  // PortOpen: opens or closes the port. After a failed open port_open() stays false and
  // error() says why.
  virtual void set_port_open(bool open) = 0;
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
