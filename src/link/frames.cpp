#include "link/frames.h"

namespace kvt {

namespace {

char raw_byte(std::int16_t value) { return static_cast<char>(value & 0xFF); }

}  // namespace

std::string wake_request() { return "A"; }

std::string write_frame(std::int16_t address, std::int16_t value) {
  return {'S', '\0', raw_byte(address), '\0', raw_byte(value), 'D'};
}

std::string read_frame(std::int16_t address) {
  return {'V', '\0', raw_byte(address), '0', '0', 'V'};
}

}  // namespace kvt
