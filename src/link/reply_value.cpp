#include "link/reply_value.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>

namespace kvt {

namespace {

bool ignored(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The leading number as its sign, its digits and how many of them stand before the point.
struct LeadingNumber {
  bool negative = false;
  std::string digits;
  std::size_t whole_digits = 0;
};

LeadingNumber leading_number(std::string_view reply) {
  std::string text;
  std::copy_if(reply.begin(), reply.end(), std::back_inserter(text),
               [](char c) { return !ignored(c); });
  LeadingNumber number;
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    number.negative = text[at] == '-';
    ++at;
  }
  bool seen_point = false;
  for (; at < text.size(); ++at) {
    if (is_digit(text[at])) {
      number.digits += text[at];
    } else if (text[at] == '.' && !seen_point) {
      seen_point = true;
      number.whole_digits = number.digits.size();
    } else {
      break;
    }
  }
  if (!seen_point) number.whole_digits = number.digits.size();
  return number;
}

bool rounds_up(std::string_view whole, std::string_view fraction) {
  if (fraction.empty()) return false;
  if (fraction.front() != '5') return fraction.front() > '5';
  const bool beyond_half = fraction.find_first_not_of('0', 1) != std::string_view::npos;
  if (beyond_half) return true;
  const bool whole_is_odd = !whole.empty() && (whole.back() - '0') % 2 == 1;
  return whole_is_odd;
}

}  // namespace

ReplyValue reply_value(std::string_view reply) {
  const LeadingNumber number = leading_number(reply);
  if (number.digits.empty()) return {.value = 0, .fits = true, .has_digits = false};

  // Dividing by ten moves the decimal point one digit to the left.
  std::string whole;
  std::string fraction;
  if (number.whole_digits == 0) {
    fraction = "0" + number.digits;
  } else {
    whole = number.digits.substr(0, number.whole_digits - 1);
    fraction = number.digits.substr(number.whole_digits - 1);
  }
  const bool up = rounds_up(whole, fraction);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));

  constexpr std::size_t kMostDigits = 5;  // 32768, the largest magnitude 16 bits hold
  constexpr std::int32_t kHighest = std::numeric_limits<std::int16_t>::max();
  constexpr std::int32_t kLowest = std::numeric_limits<std::int16_t>::min();
  if (whole.size() > kMostDigits) {
    return {static_cast<std::int16_t>(number.negative ? kLowest : kHighest), false};
  }
  const std::int32_t magnitude = (whole.empty() ? 0 : std::stoi(whole)) + (up ? 1 : 0);
  const std::int32_t value = number.negative ? -magnitude : magnitude;
  if (value > kHighest) return {static_cast<std::int16_t>(kHighest), false};
  if (value < kLowest) return {static_cast<std::int16_t>(kLowest), false};
  return {static_cast<std::int16_t>(value), true};
}

}  // namespace kvt
