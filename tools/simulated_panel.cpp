#include "simulated_panel.h"

#include <cstdio>

namespace kvt::sim {

namespace {

constexpr std::size_t kFrameLength = 6;

std::uint8_t byte_at(const std::string& frame, std::size_t index) {
  return static_cast<std::uint8_t>(frame[index]);
}

bool well_formed_write(const std::string& frame) {
  return byte_at(frame, 1) == 0 && byte_at(frame, 3) == 0 && frame[5] == 'D' &&
         byte_at(frame, 2) < kPanelMemorySize;
}

bool well_formed_read(const std::string& frame) {
  return byte_at(frame, 1) == 0 && frame[3] == '0' && frame[4] == '0' && frame[5] == 'V' &&
         byte_at(frame, 2) < kPanelMemorySize;
}

}  // namespace

SimulatedPanel::SimulatedPanel(const PanelMemory& memory, const PanelFaults& faults)
    : memory_(memory), faults_(faults) {}

std::vector<Exchange> SimulatedPanel::receive(std::string_view bytes) {
  partial_frame_.append(bytes);
  std::vector<Exchange> exchanges;
  while (!partial_frame_.empty()) {
    const char kind = partial_frame_.front();
    const std::size_t length = (kind == 'S' || kind == 'V') ? kFrameLength : 1;
    if (partial_frame_.size() < length) break;
    std::string frame = partial_frame_.substr(0, length);
    partial_frame_.erase(0, length);
    std::string reply = answer(frame);
    exchanges.push_back({std::move(frame), std::move(reply)});
  }
  return exchanges;
}

std::string SimulatedPanel::answer(const std::string& frame) {
  if (frame == "A") {
    ++wake_requests_;
    const bool answered =
        faults_.answer_wake_only <= 0 || wake_requests_ == faults_.answer_wake_only;
    return faults_.silent || !answered ? std::string() : acknowledgement();
  }
  if (faults_.silent) return {};
  if (frame.front() == 'S' && well_formed_write(frame)) {
    const int address = byte_at(frame, 2);
    if (faults_.stop_ack_from >= 0 && address >= faults_.stop_ack_from) return {};
    memory_[address] = byte_at(frame, 4);
    return acknowledgement();
  }
  if (frame.front() == 'V' && well_formed_read(frame)) {
    const int address = byte_at(frame, 2);
    if (address == faults_.no_number_at) return "D000D";
    int value = memory_[address];
    if (address == faults_.wrong_readback_at) ++value;
    char reply[8];
    std::snprintf(reply, sizeof reply, "%04dD", value * 10);
    return faults_.short_replies ? std::string(reply, 3) : std::string(reply);
  }
  return {};
}

std::string SimulatedPanel::acknowledgement() const {
  return faults_.lower_case_ack ? "d000d" : "D000D";
}

std::string hex_bytes(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
    if (!text.empty()) text += ' ';
    text += pair;
  }
  return text;
}

}  // namespace kvt::sim
