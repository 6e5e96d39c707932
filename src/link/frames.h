#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvt {

// What the panel answers to a wake request and to a write frame, and nothing else counts.
inline constexpr std::string_view kAcknowledgement = "D000D";
// A read reply is complete at five characters; four are enough to take a value from.
inline constexpr int kReplyLength = 5;
inline constexpr std::size_t kShortestReadReply = 4;

// The one-byte wake request "A".
std::string wake_request();

// "S", 0, address, 0, value, "D": the address and value go as raw bytes (their low eight bits).
std::string write_frame(std::int16_t address, std::int16_t value);

// "V", 0, address, "0", "0", "V": here the fillers are the digit 0, not zero bytes.
std::string read_frame(std::int16_t address);

}  // namespace kvt
