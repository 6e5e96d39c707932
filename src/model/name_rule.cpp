#include "model/name_rule.h"

#include <cstdint>

namespace kvt {
namespace {

struct Decoded {
  std::size_t length;  // bytes taken, 1 for a byte that starts no valid sequence
  std::optional<char32_t> code;
};

// The UTF-8 sequence at the start of `text` (not empty): the shortest form only, no surrogates.
Decoded decode_one(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return {1, lead};
  std::size_t length = 0;
  char32_t code = 0;
  char32_t lowest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, lowest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, lowest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, lowest = 0x10000;
  } else {
    return {1, std::nullopt};
  }
  if (text.size() < length) return {1, std::nullopt};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {1, std::nullopt};
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    return {1, std::nullopt};
  }
  return {length, code};
}

}  // namespace

bool may_be_in_name(char32_t character) {
  const bool control = character < 0x20 || (character >= 0x7F && character <= 0x9F);
  return character <= 0xFF && !control && character != U'"';
}

std::optional<RefusedCharacter> first_refused_in_name(std::string_view text) {
  while (!text.empty()) {
    const Decoded one = decode_one(text);
    if (!one.code || !may_be_in_name(*one.code)) {
      return RefusedCharacter{std::string(text.substr(0, one.length)), one.code};
    }
    text.remove_prefix(one.length);
  }
  return std::nullopt;
}

}  // namespace kvt
