#pragma once

#include <optional>
#include <string_view>

namespace kvt {

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

// A line format written the port control's way: "baud,parity,data bits,stop bits".
struct LineSettings {
  int baud_rate = 0;
  Parity parity = Parity::None;
  int data_bits = 8;
  StopBits stop_bits = StopBits::One;
};

// Reads e.g. "9600,N,8,1". Parity is one of N, E, O, M, S (either case); data bits 5 to 8;
// stop bits 1, 1.5 or 2. Anything else gives no settings.
std::optional<LineSettings> parse_line_settings(std::string_view text);

}  // namespace kvt
