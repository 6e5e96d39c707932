#include "files/visible_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace kvt {
namespace {

struct VisibleCase {
  const char* name;
  std::string text;
  std::string shown;
};

void PrintTo(const VisibleCase& c, std::ostream* os) { *os << c.name; }

class VisibleText : public ::testing::TestWithParam<VisibleCase> {};

TEST_P(VisibleText, EscapesEveryControlAndNothingElse) {
  EXPECT_EQ(visible_text(GetParam().text), GetParam().shown);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Texts, VisibleText,
    ::testing::Values(VisibleCase{"plain_text_stays", "SW1 A 1 \"ENTRY\" \\x1b",
                                  "SW1 A 1 \"ENTRY\" \\x1b"},
                      VisibleCase{"utf8_letters_stay", "\xC3\x89TAGE \xE2\x82\xAC \xF0\x9F\x92\xA1",
                                  "\xC3\x89TAGE \xE2\x82\xAC \xF0\x9F\x92\xA1"},
                      VisibleCase{"escape_sequence", "\x1b]0;owned\x07X", "\\x1b]0;owned\\x07X"},
                      VisibleCase{"nul_does_not_end_the_text", "A\0B"s, "A\\0B"},
                      VisibleCase{"line_ends_and_tab", "A\nB\rC\tD", "A\\nB\\rC\\tD"},
                      VisibleCase{"del_and_last_c0", "\x7f\x1f", "\\x7f\\x1f"},
                      VisibleCase{"c1_as_utf8",
                                  "\xC2\x9B"
                                  "2J\xC2\x80\xC2\x9F\xC2\xA0",
                                  "\\x9b2J\\x80\\x9f\xC2\xA0"},
                      VisibleCase{"latin1_bytes", "caf\xE9\x9B.kvc", "caf\\xe9\\x9b.kvc"},
                      VisibleCase{"sequence_cut_short", "\xE2\x82", "\\xe2\\x82"},
                      VisibleCase{"overlong_slash", "\xC0\xAF", "\\xc0\\xaf"},
                      VisibleCase{"encoded_surrogate", "\xED\xA0\x80", "\\xed\\xa0\\x80"},
                      VisibleCase{"beyond_u10ffff", "\xF4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kvt
