#include "model/name_rule.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace kvt {
namespace {

struct NameCase {
  const char* name;
  std::string text;                    // UTF-8, or not
  std::optional<std::string> refused;  // the bytes of the first character refused
  std::optional<char32_t> code;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class NameRule : public ::testing::TestWithParam<NameCase> {};

// What a file can hold between its quotes passes; the first character it cannot is named.
TEST_P(NameRule, NamesTheFirstCharacterANameCannotHold) {
  const NameCase& c = GetParam();
  const std::optional<RefusedCharacter> refused = first_refused_in_name(c.text);
  ASSERT_EQ(refused.has_value(), c.refused.has_value());
  if (!refused) return;
  EXPECT_EQ(refused->bytes, *c.refused);
  EXPECT_EQ(refused->code, c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameRule,
    ::testing::Values(NameCase{"Empty", "", std::nullopt, std::nullopt},
                      NameCase{"Ascii", "LOBBY 2, WEST/'A'", std::nullopt, std::nullopt},
                      NameCase{"Latin1Letters", "CAF\u00C9 \u00D8ST \u00FF", std::nullopt,
                               std::nullopt},
                      NameCase{"NoBreakSpace", "A\u00A0B", std::nullopt, std::nullopt},
                      NameCase{"DoubleQuote", "EXIT \"A\"", "\"", U'"'},
                      NameCase{"EuroAfterLatin1", "\u00C9 5\u20AC", "\u20AC", U'\u20AC'},
                      NameCase{"Emoji", "BAR \U0001F37A", "\U0001F37A", U'\U0001F37A'},
                      NameCase{"LineFeed", "HALL\nWEST", "\n", U'\n'},
                      NameCase{"Escape", "\x1B[2J", "\x1B", U'\x1B'},
                      NameCase{"Delete", "A\x7F", "\x7F", U'\x7F'},
                      NameCase{"C1Control", "A\u0085", "\u0085", U'\u0085'},
                      NameCase{"Latin1ByteIsNoUtf8", "CAF\xE9", "\xE9", std::nullopt},
                      NameCase{"CutSequence", "A\xE2\x82", "\xE2", std::nullopt},
                      NameCase{"OverlongQuote", "\xC0\xA2", "\xC0", std::nullopt},
                      NameCase{"EncodedSurrogate", "\xED\xA0\x80", "\xED", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
