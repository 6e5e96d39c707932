#include "model/configuration.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <variant>

#include "fake_controls.h"
#include "model/editor_events.h"

namespace kvt {
namespace {

using testing::FakeControls;

// Switch 1 on "B"/"3", switch 2 on "BL/MR", the rest on "N/A"; independent lighting on;
// indicator "100", back-light "60".
struct Entered {
  Entered() {
    load_handling(config, controls);
    controls.select(module_list(1), 2);
    controls.select(channel_list(1), 2);
    controls.select(module_list(2), kBlMrPosition);
    for (int k = 3; k <= kSwitchCount; ++k) controls.select(module_list(k), kNaPosition);
    controls.set_ticked(true);
    controls.select(kBackLightList, 4);
  }
  PanelConfig config;
  FakeControls controls{config};
};

TEST(BytesToWrite, CompleteSwitchesGiveEveryByteByAddress) {
  Entered e;
  EXPECT_EQ(bytes_to_write(e.config, e.controls),
            (std::variant<ConfigurationBytes, IncompleteSwitch>{
                ConfigurationBytes{12, 159, 160, 160, 160, 160, 160, 160, 160, 160,  //
                                   159, 1, 10, 4}}));
}

TEST(BytesToWrite, IncompleteSwitchGivesItsNumber) {
  Entered e;
  e.controls.select(module_list(4), 3);  // "C", no channel chosen

  EXPECT_EQ(bytes_to_write(e.config, e.controls),
            (std::variant<ConfigurationBytes, IncompleteSwitch>{IncompleteSwitch{4}}));
}

// ---- switch codes -----------------------------------------------------------------------------

constexpr int kC = 3;  // module list position of "C"
constexpr int kP = 16;

struct SwitchChoice {
  int module;   // -1: nothing selected
  int channel;  // -1: nothing selected
};

struct SwitchCodesCase {
  const char* name;
  std::array<SwitchChoice, 10> choices;
  std::array<std::int16_t, 10> expected_codes;  // when every switch is complete
  int incomplete;                               // the first incomplete switch, or 0
};

void PrintTo(const SwitchCodesCase& c, std::ostream* os) { *os << c.name; }

constexpr SwitchChoice kNa{kNaPosition, -1};

class SwitchCodes : public ::testing::TestWithParam<SwitchCodesCase> {};

TEST_P(SwitchCodes, AreComputedOrTheFirstIncompleteSwitchIsNamed) {
  const SwitchCodesCase& tc = GetParam();
  PanelConfig config;
  FakeControls controls{config};
  load_handling(config, controls);
  for (int k = 1; k <= kSwitchCount; ++k) {
    const SwitchChoice& choice = tc.choices[k - 1];
    if (choice.module >= 0) controls.select(module_list(k), choice.module);
    if (choice.channel >= 0) controls.select(channel_list(k), choice.channel);
  }

  const auto data = bytes_to_write(config, controls);

  if (tc.incomplete != 0) {
    EXPECT_EQ(
        data,
        (std::variant<ConfigurationBytes, IncompleteSwitch>{IncompleteSwitch{tc.incomplete}}));
    return;
  }
  ASSERT_TRUE(std::holds_alternative<ConfigurationBytes>(data));
  const ConfigurationBytes& bytes = std::get<ConfigurationBytes>(data);
  for (int k = 1; k <= kSwitchCount; ++k) {
    EXPECT_EQ(bytes[memory_map::switch_address(k)], tc.expected_codes[k - 1]) << "switch " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SwitchCodes,
    ::testing::Values(
        SwitchCodesCase{"AllComplete",
                        {{{1, 0},
                          {kP, 8},
                          {kBlMrPosition, -1},
                          kNa,
                          {15, 9},
                          {2, 2},
                          kNa,
                          kNa,
                          kNa,
                          {kBlMrPosition, -1}}},
                        {0, 158, 159, 160, 149, 12, 160, 160, 160, 159},
                        0},
        SwitchCodesCase{"Switch3ModuleWithoutChannel",
                        {{{1, 0}, {2, 1}, {kC, -1}, kNa, kNa, kNa, kNa, kNa, kNa, {kC, -1}}},
                        {},
                        3},
        SwitchCodesCase{"NothingSelected",
                        {{{-1, -1},
                          {-1, -1},
                          {-1, -1},
                          {-1, -1},
                          {-1, -1},
                          {-1, -1},
                          {-1, -1},
                          {-1, -1},
                          {-1, -1},
                          {-1, -1}}},
                        {},
                        1},
        SwitchCodesCase{"ChannelWithoutModule",
                        {{kNa, {-1, 4}, kNa, kNa, kNa, kNa, kNa, kNa, kNa, kNa}},
                        {},
                        2},
        SwitchCodesCase{
            "NaAndBlMrIgnoreTheirChannel",
            {{{kNaPosition, 5}, {kBlMrPosition, 9}, kNa, kNa, kNa, kNa, kNa, kNa, kNa, kNa}},
            {160, 159, 160, 160, 160, 160, 160, 160, 160, 160},
            0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
