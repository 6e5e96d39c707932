#include "model/rules.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "fake_controls.h"
#include "model/editor_events.h"

namespace kvt {
namespace {

using testing::FakeControls;

// A freshly started window: load handling done, no switch assigned.
struct Editor {
  Editor() { load_handling(config, controls); }
  void assign(int switch_number, int module, std::optional<int> channel = std::nullopt) {
    controls.user_selects(module_list(switch_number), module);
    if (channel) controls.user_selects(channel_list(switch_number), *channel);
  }
  std::size_t messages() const { return controls.log.messages().size(); }

  PanelConfig config;
  FakeControls controls{config};
};

// ---- intensity order rule ---------------------------------------------------------------------

constexpr int k100 = 0, k90 = 1, k80 = 2, k70 = 3, k60 = 4, k50 = 5, k30 = 7;

struct IntensityCase {
  const char* name;
  int indicator_before, backlight_before;
  int list;  // the list the user changes
  int position;
  bool message_expected;
  int indicator_after, backlight_after;
};

void PrintTo(const IntensityCase& c, std::ostream* os) { *os << c.name; }

class IntensityRule : public ::testing::TestWithParam<IntensityCase> {};

TEST_P(IntensityRule, KeepsIndicatorAtOrAboveBackLight) {
  const IntensityCase& tc = GetParam();
  Editor e;
  e.controls.select(kBackLightList, k30);
  e.controls.select(kIndicatorList, tc.indicator_before);
  e.controls.select(kBackLightList, tc.backlight_before);
  ASSERT_EQ(e.messages(), 0u);

  e.controls.user_selects(tc.list, tc.position);

  ASSERT_EQ(e.messages(), tc.message_expected ? 1u : 0u);
  if (tc.message_expected) {
    const bool indicator_side = tc.list == kIndicatorList;
    EXPECT_EQ(e.controls.log.messages()[0].text,
              indicator_side ? "NORMAL INDICATOR INTENSITY must be set equal to\n"
                               "or greater than NORMAL BACKLIGHTING INTENSITY."
                             : "NORMAL BACKLIGHTING INTENSITY must be set equal to\n"
                               "or less than NORMAL INDICATOR INTENSITY.");
    EXPECT_EQ(e.controls.log.messages()[0].title, "");
  }
  EXPECT_EQ(e.controls.selected(kIndicatorList), tc.indicator_after);
  EXPECT_EQ(e.controls.selected(kBackLightList), tc.backlight_after);
  EXPECT_EQ(e.config.indpercent, kIntensityTable[tc.indicator_after].value);
  EXPECT_EQ(e.config.blpercent, kIntensityTable[tc.backlight_after].value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntensityRule,
    ::testing::Values(
        IntensityCase{"IndicatorLoweredBelowBackLight", k100, k100, kIndicatorList, k70, true, k70,
                      k70},
        IntensityCase{"BackLightRaisedAboveIndicatorTakesIndicatorValue", k70, k60, kBackLightList,
                      k100, true, k70, k70},
        IntensityCase{"EqualIndicatorIsSilent", k80, k80, kIndicatorList, k80, false, k80, k80},
        IntensityCase{"EqualBackLightIsSilent", k60, k50, kBackLightList, k60, false, k60, k60},
        IntensityCase{"IndicatorRaisedIsSilent", k70, k70, kIndicatorList, k100, false, k100, k70},
        IntensityCase{"BackLightLoweredIsSilent", k100, k100, kBackLightList, k50, false, k100,
                      k50}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IntensityRuleNesting, CorrectionRunsTheBackLightHandlerOnce) {
  Editor e;
  const int runs_before = e.controls.handler_runs[kBackLightList];
  e.controls.user_selects(kIndicatorList, k70);
  EXPECT_EQ(e.controls.handler_runs[kBackLightList] - runs_before, 1);
  EXPECT_EQ(e.controls.handler_runs[kIndicatorList], 2);  // load + the user's choice
}

TEST(IntensityRuleNesting, UnselectedListFallsBackToHundred) {
  Editor e;
  e.controls.select(kIndicatorList, kNoSelection);
  EXPECT_EQ(e.controls.selected(kIndicatorList), k100);
  EXPECT_EQ(e.config.indpercent, 10);
  EXPECT_EQ(e.messages(), 0u);
}

// ---- show_ind_percent / show_bl_percent ---------------------------------------------------------

struct ShowCase {
  const char* name;
  std::int16_t indicator_code;
  std::optional<std::int16_t> backlight_code;  // stored and shown after the indicator, if any
  int indicator_position, backlight_position;  // -1: List22 left on its start-up "100"
  std::int16_t indpercent, blpercent;
  std::size_t messages;
};

void PrintTo(const ShowCase& c, std::ostream* os) { *os << c.name; }

class ShowPercent : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ShowPercent, SelectsTheStoredCodes) {
  const ShowCase& tc = GetParam();
  Editor e;
  e.config.indpercent = tc.indicator_code;
  show_ind_percent(e.config, e.controls);
  if (tc.backlight_code) {
    e.config.blpercent = *tc.backlight_code;
    show_bl_percent(e.config, e.controls);
  }
  EXPECT_EQ(e.controls.selected(kIndicatorList), tc.indicator_position);
  EXPECT_EQ(e.controls.selected(kBackLightList),
            tc.backlight_position < 0 ? k100 : tc.backlight_position);
  EXPECT_EQ(e.config.indpercent, tc.indpercent);
  EXPECT_EQ(e.config.blpercent, tc.blpercent);
  EXPECT_EQ(e.messages(), tc.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowPercent,
    ::testing::Values(
        // The back-light code follows the indicator until show_bl_percent runs.
        ShowCase{"Indicator4", 4, std::nullopt, k60, -1, 4, 4, 0},
        ShowCase{"Indicator9HasNoItem", 9, std::nullopt, k100, -1, 10, 9, 0},
        ShowCase{"Indicator12LowersBackLightWithMessage", 12, std::nullopt, k100, k100, 10, 10, 1},
        ShowCase{"Indicator7Is90", 7, std::nullopt, k90, -1, 7, 7, 0},
        ShowCase{"LoadedPair3And6", 3, 6, k50, k50, 3, 3, 1},
        ShowCase{"LoadedPair10And4", 10, 4, k100, k60, 10, 4, 0},
        ShowCase{"BackLightCode0IsHundred", 10, 0, k100, k100, 10, 10, 0},
        ShowCase{"NegativeCodes", -3, -3, k100, k100, 10, 10, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- independent lighting ---------------------------------------------------------------------

constexpr const char* kFeatureTitle = "INDEPENDENT LIGHTING SWITCH ASSIGNMENT";
constexpr const char* kFeatureText =
    "ONE OF THE SWITCHES ON THE PANEL MUST BE ASSIGNED TO THE\n"
    "MR/BL CHANNEL IF YOU ARE SELECTING INDEPENDENT LIGHTING.";

TEST(IndependentLighting, TickWithoutBlMrIsTakenBack) {
  Editor e;
  e.controls.user_ticks(true);
  ASSERT_EQ(e.messages(), 1u);
  EXPECT_EQ(e.controls.log.messages()[0].text, kFeatureText);
  EXPECT_EQ(e.controls.log.messages()[0].title, kFeatureTitle);
  EXPECT_FALSE(e.controls.ticked());
  EXPECT_EQ(e.config.feature, 0);
}

TEST(IndependentLighting, TickStaysWithSwitch7OnBlMr) {
  Editor e;
  e.assign(7, kBlMrPosition);
  e.controls.user_ticks(true);
  EXPECT_EQ(e.messages(), 0u);
  EXPECT_TRUE(e.controls.ticked());
  EXPECT_EQ(e.config.feature, 1);
}

// Any one switch on "BL/MR" is enough, the first and the last of the row included.
class IndependentLightingWithOneBlMrSwitch : public ::testing::TestWithParam<int> {};

TEST_P(IndependentLightingWithOneBlMrSwitch, KeepsTheTick) {
  Editor e;
  e.assign(GetParam(), kBlMrPosition);
  e.controls.user_ticks(true);
  EXPECT_EQ(e.messages(), 0u);
  EXPECT_TRUE(e.controls.ticked());
  EXPECT_EQ(e.config.feature, 1);
}

INSTANTIATE_TEST_SUITE_P(EverySwitch, IndependentLightingWithOneBlMrSwitch,
                         ::testing::Range(1, kSwitchCount + 1),
                         [](const auto& info) { return "SW" + std::to_string(info.param); });

TEST(IndependentLighting, MovingTheOnlyBlMrSwitchAwayUnticks) {
  Editor e;
  e.assign(2, kBlMrPosition);
  e.controls.user_ticks(true);
  e.assign(2, 1);
  ASSERT_EQ(e.messages(), 1u);
  EXPECT_EQ(e.controls.log.messages()[0].title, kFeatureTitle);
  EXPECT_FALSE(e.controls.ticked());
  EXPECT_EQ(e.config.feature, 0);
  EXPECT_TRUE(e.controls.list_visible(channel_list(2)));  // the module handler went on after it
}

TEST(IndependentLighting, MovingOneOfTwoBlMrSwitchesIsSilent) {
  Editor e;
  e.assign(2, kBlMrPosition);
  e.controls.user_ticks(true);
  e.assign(5, kBlMrPosition);
  e.assign(2, 1);
  EXPECT_EQ(e.messages(), 0u);
  EXPECT_TRUE(e.controls.ticked());
  EXPECT_EQ(e.config.feature, 1);
}

TEST(IndependentLighting, UntickIsAlwaysAccepted) {
  Editor e;
  e.assign(1, kBlMrPosition);
  e.controls.user_ticks(true);
  e.controls.user_ticks(false);
  EXPECT_EQ(e.messages(), 0u);
  EXPECT_EQ(e.config.feature, 0);
}

}  // namespace
}  // namespace kvt
