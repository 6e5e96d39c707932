#pragma once

#include <cstdint>
#include <string_view>

namespace kvt {

// The byte a read reply stands for: the panel sends ten times the byte, so "0690D" is 69.
struct ReplyValue {
  std::int16_t value = 0;  // saturated at the 16-bit limits when the number is too large
  bool fits = true;        // false when the tenth of the number lies outside 16 bits
  // False when no digit stands before the number ends ("D000D", "+.D", "-"): the value 0 then
  // stands for nothing the panel sent, and the reply is bad data rather than a byte.
  bool has_digits = true;
};

// Takes the leading number of the reply, ignoring blanks, tabs and line feeds wherever they
// stand: an optional sign, digits and at most one decimal point; no such number reads as 0,
// with has_digits false.
// Divides it by 10 and rounds to the nearest integer, halves to the even one (685 gives 68,
// 695 gives 70). Works on the decimal digits themselves, so no length of reply can overflow.
ReplyValue reply_value(std::string_view reply);

}  // namespace kvt
