#include "model/setting_text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace kvt {
namespace {

struct SettingTextCase {
  const char* name;
  std::int16_t code;
  const char* text;
};

void PrintTo(const SettingTextCase& c, std::ostream* os) { *os << c.name; }

class SettingText : public ::testing::TestWithParam<SettingTextCase> {};

// show, the sheet, verify and the list of values that are not settings all word a switch code
// this way.
TEST_P(SettingText, WordsASwitchCodeAsPeopleReadIt) {
  EXPECT_EQ(setting_text(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SettingText,
    ::testing::Values(SettingTextCase{"FirstModuleFirstChannel", 0, "A 1"},
                      SettingTextCase{"TenthChannel", 9, "A 10"},
                      SettingTextCase{"NextModule", 10, "B 1"}, SettingTextCase{"B3", 12, "B 3"},
                      SettingTextCase{"P9", 158, "P 9"}, SettingTextCase{"BlMr", 159, "BL/MR"},
                      SettingTextCase{"Na", 160, "N/A"}, SettingTextCase{"AboveNa", 200, "N/A"},
                      SettingTextCase{"Negative", -3, "A -2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingTextOfPositions, AModuleWithoutAChannelReadsAsTheModuleAlone) {
  EXPECT_EQ(setting_text(SwitchPositions{2, std::nullopt}), "B");
  EXPECT_EQ(setting_text(SwitchPositions{2, 4}), "B 5");
}

struct PercentCase {
  std::int16_t code;
  int percent;
};

void PrintTo(const PercentCase& c, std::ostream* os) { *os << "code " << c.code; }

class IntensityPercent : public ::testing::TestWithParam<PercentCase> {};

// The codes are not proportional to the percentage: 100 % is 10; codes without an item of
// their own read as 100, as a load selects them.
TEST_P(IntensityPercent, IsThePercentageTheListShowsForTheCode) {
  EXPECT_EQ(intensity_percent(GetParam().code), GetParam().percent);
}

INSTANTIATE_TEST_SUITE_P(Codes, IntensityPercent,
                         ::testing::Values(PercentCase{10, 100}, PercentCase{7, 90},
                                           PercentCase{6, 80}, PercentCase{5, 70},
                                           PercentCase{4, 60}, PercentCase{3, 50},
                                           PercentCase{2, 40}, PercentCase{1, 30},
                                           PercentCase{8, 100}, PercentCase{9, 100},
                                           PercentCase{0, 100}, PercentCase{-1, 100}));

}  // namespace
}  // namespace kvt
