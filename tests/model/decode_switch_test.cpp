#include "model/decode_switch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kvt {
namespace {

struct DecodeCase {
  const char* name;
  std::vector<std::int16_t> codes;  // decoded in turn; the last one is checked
  std::int16_t h_index;
  std::int16_t l_index;
  std::int16_t a_after;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeSwitch : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeSwitch, GivesListPositions) {
  const DecodeCase& tc = GetParam();
  PanelConfig c;
  for (std::int16_t code : tc.codes) {
    c.A = code;
    decode_switch(c);
  }
  EXPECT_EQ(c.h_index, tc.h_index);
  EXPECT_EQ(c.l_index, tc.l_index);
  EXPECT_EQ(c.A, tc.a_after);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DecodeSwitch,
    ::testing::Values(DecodeCase{"A_1", {0}, 1, 0, 0}, DecodeCase{"A_10", {9}, 1, 9, 9},
                      DecodeCase{"B_1_leaves_remainder_in_A", {10}, 2, 0, 0},
                      DecodeCase{"J_10", {99}, 10, 9, 9}, DecodeCase{"P_1", {150}, 16, 0, 0},
                      DecodeCase{"P_9", {158}, 16, 8, 8},
                      DecodeCase{"BL_MR_keeps_previous_channel", {37, 159}, 17, 7, 159},
                      DecodeCase{"BL_MR_first_after_start_keeps_zero", {159}, 17, 0, 159},
                      DecodeCase{"NA_keeps_previous_channel", {37, 160}, 0, 7, 160},
                      DecodeCase{"NA_above_160", {42, 255}, 0, 2, 255},
                      DecodeCase{"NA_far_above", {32767}, 0, 0, 32767},
                      DecodeCase{"minus_1_clears_channel", {-1}, 1, -1, -1},
                      DecodeCase{"minus_15_is_no_position", {-15}, 1, -15, -15},
                      DecodeCase{"most_negative", {-32768}, 1, -32768, -32768}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
