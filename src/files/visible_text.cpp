#include "files/visible_text.h"

#include <cstdint>

namespace kvt {
namespace {

void append_escape(std::string& out, unsigned value) {
  switch (value) {
    case '\0':
      out += "\\0";
      return;
    case '\t':
      out += "\\t";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    default:
      break;
  }
  constexpr std::string_view kHex = "0123456789abcdef";
  out += "\\x";
  out += kHex[(value >> 4) & 0xF];
  out += kHex[value & 0xF];
}

// The length of the valid UTF-8 sequence starting at `at`, or 0 when none starts there.
std::size_t utf8_length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(at);
  std::size_t length = 0;
  std::uint8_t low = 0x80;   // the bounds of the second byte, which rule out overlong forms,
  std::uint8_t high = 0xBF;  // surrogates and code points beyond U+10FFFF
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

bool is_c1(std::string_view sequence) {
  return sequence.size() == 2 && static_cast<std::uint8_t>(sequence[0]) == 0xC2 &&
         static_cast<std::uint8_t>(sequence[1]) <= 0x9F;
}

}  // namespace

std::string visible_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<std::uint8_t>(text[at]);
    if (byte < 0x80) {
      if (byte < 0x20 || byte == 0x7F) {
        append_escape(out, byte);
      } else {
        out += text[at];
      }
      ++at;
      continue;
    }
    const std::size_t length = utf8_length(text, at);
    if (length == 0) {
      append_escape(out, byte);
      ++at;
      continue;
    }
    const std::string_view sequence = text.substr(at, length);
    if (is_c1(sequence)) {
      append_escape(out, static_cast<std::uint8_t>(sequence[1]));
    } else {
      out += sequence;
    }
    at += length;
  }
  return out;
}

}  // namespace kvt
