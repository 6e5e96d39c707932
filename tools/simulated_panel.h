#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvt::sim {

inline constexpr std::size_t kPanelMemorySize = 64;
using PanelMemory = std::array<std::uint8_t, kPanelMemorySize>;
inline constexpr std::size_t kModelAddress = 63;

// Ways the simulated panel can misbehave, for tests and for trying out the program.
struct PanelFaults {
  bool silent = false;          // answers nothing at all
  int answer_wake_only = 0;     // when > 0, only that wake request (counted from 1) is answered
  bool lower_case_ack = false;  // acknowledges with "d000d"
  int stop_ack_from = -1;       // when >= 0, writes at this address or above go unanswered
  int wrong_readback_at = -1;   // when >= 0, reading this address returns the byte plus one
  int no_number_at = -1;        // when >= 0, reading this address is answered "D000D"
  bool short_replies = false;   // read replies lose their last two characters
};

// One frame the panel took in and what it answers (empty: no answer).
struct Exchange {
  std::string frame;
  std::string reply;
};

// The panel's side of the line: takes in bytes as they come, cuts them into frames and works
// out each answer. A wake request "A" is answered "D000D"; a write frame "S" 0 a 0 v "D" stores
// v at a and is answered "D000D"; a read frame "V" 0 a "0" "0" "V" is answered with ten times
// the byte at a as four digits and "D" (69 gives "0690D"). Malformed frames, addresses beyond
// the memory and unknown bytes are taken in and go unanswered.
class SimulatedPanel {
 public:
  SimulatedPanel(const PanelMemory& memory, const PanelFaults& faults);

  // Every frame completed by `bytes`, in order. A frame split over several calls is completed
  // by the call that brings its last byte.
  std::vector<Exchange> receive(std::string_view bytes);

  const PanelMemory& memory() const { return memory_; }

 private:
  std::string answer(const std::string& frame);
  std::string acknowledgement() const;

  PanelMemory memory_;
  PanelFaults faults_;
  std::string partial_frame_;
  int wake_requests_ = 0;
};

// The frame as spaced upper-case hex, e.g. "53 00 0A 00 9F 44".
std::string hex_bytes(std::string_view bytes);

}  // namespace kvt::sim
