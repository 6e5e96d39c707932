#pragma once

#include <string>

namespace kvt::sim {

// A pseudo-terminal pair in raw mode, so every byte passes unchanged (0x0A and 0x0D too).
// The simulator keeps a descriptor of the device side open itself: when the program under
// test closes its end between commands the pair does not hang up, and the master never
// reads end-of-file or EIO.
class PseudoTerminal {
 public:
  // Throws std::system_error when the pair cannot be made.
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // The panel's side, non-blocking: what the program sends is read here.
  int master() const { return master_; }
  // The device the program opens, e.g. /dev/pts/3.
  const std::string& device_path() const { return device_path_; }

 private:
  void open_pair();
  void close_all();

  int master_ = -1;
  int held_device_side_ = -1;
  std::string device_path_;
};

}  // namespace kvt::sim
