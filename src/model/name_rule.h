#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvt {

// What a panel name or a designation may hold. A configuration file keeps these texts between
// double quotes, one Latin-1 byte per character, on one line: so no double quote, no character
// outside Latin-1 and no control character (C0, DEL or C1), which would end the line or drive a
// terminal. The window lets nothing else be entered, and the command line takes nothing else.
bool may_be_in_name(char32_t character);

// A character a name may not hold: its bytes as they stand in the text and, when they are valid
// UTF-8, its code point.
struct RefusedCharacter {
  std::string bytes;
  std::optional<char32_t> code;
};

// The first character of the UTF-8 `text` that a name may not hold; none when every one may be.
// A byte that is not part of valid UTF-8 is a character of its own, refused.
std::optional<RefusedCharacter> first_refused_in_name(std::string_view text);

}  // namespace kvt
