#include "link/line_settings.h"

#include <charconv>
#include <vector>

namespace kvt {

namespace {

std::vector<std::string_view> split_fields(std::string_view text) {
  std::vector<std::string_view> fields;
  while (true) {
    const auto comma = text.find(',');
    fields.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) return fields;
    text.remove_prefix(comma + 1);
  }
}

std::optional<int> whole_number(std::string_view field) {
  int value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc{} || end != field.data() + field.size()) return std::nullopt;
  return value;
}

std::optional<Parity> parity_from(std::string_view field) {
  if (field.size() != 1) return std::nullopt;
  switch (field.front()) {
    case 'N':
    case 'n':
      return Parity::None;
    case 'E':
    case 'e':
      return Parity::Even;
    case 'O':
    case 'o':
      return Parity::Odd;
    case 'M':
    case 'm':
      return Parity::Mark;
    case 'S':
    case 's':
      return Parity::Space;
    default:
      return std::nullopt;
  }
}

std::optional<StopBits> stop_bits_from(std::string_view field) {
  if (field == "1") return StopBits::One;
  if (field == "1.5") return StopBits::OneAndHalf;
  if (field == "2") return StopBits::Two;
  return std::nullopt;
}

}  // namespace

std::optional<LineSettings> parse_line_settings(std::string_view text) {
  const auto fields = split_fields(text);
  if (fields.size() != 4) return std::nullopt;
  const auto baud_rate = whole_number(fields[0]);
  const auto parity = parity_from(fields[1]);
  const auto data_bits = whole_number(fields[2]);
  const auto stop_bits = stop_bits_from(fields[3]);
  if (!baud_rate || *baud_rate <= 0 || !parity || !data_bits || *data_bits < 5 || *data_bits > 8 ||
      !stop_bits) {
    return std::nullopt;
  }
  return LineSettings{*baud_rate, *parity, *data_bits, *stop_bits};
}

}  // namespace kvt
