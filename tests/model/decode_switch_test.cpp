#include "model/decode_switch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace kvt {
namespace {

struct DecodeCase {
  const char* name;
  std::int16_t code;
  int module;
  std::optional<int> channel;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeSwitch : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeSwitch, GivesListPositions) {
  const DecodeCase& tc = GetParam();
  EXPECT_EQ(decode_switch(tc.code), (SwitchPositions{tc.module, tc.channel}));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DecodeSwitch,
    ::testing::Values(DecodeCase{"A_1", 0, 1, 0}, DecodeCase{"A_10", 9, 1, 9},
                      DecodeCase{"B_1", 10, 2, 0}, DecodeCase{"D_8", 37, 4, 7},
                      DecodeCase{"J_10", 99, 10, 9}, DecodeCase{"P_1", 150, 16, 0},
                      DecodeCase{"P_9", 158, 16, 8},
                      DecodeCase{"BL_MR_has_no_channel", 159, 17, std::nullopt},
                      DecodeCase{"NA_has_no_channel", 160, 0, std::nullopt},
                      DecodeCase{"NA_above_160", 255, 0, std::nullopt},
                      DecodeCase{"NA_far_above", 32767, 0, std::nullopt},
                      DecodeCase{"minus_1_clears_channel", -1, 1, -1},
                      DecodeCase{"minus_15_is_no_position", -15, 1, -15},
                      DecodeCase{"most_negative", -32768, 1, -32768}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
