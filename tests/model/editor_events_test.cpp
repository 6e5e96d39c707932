#include "model/editor_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <variant>
#include <vector>

#include "fake_controls.h"
#include "model/configuration.h"
#include "model/configuration_load.h"
#include "model/memory_map.h"
#include "model/rule_texts.h"

namespace kvt {
namespace {

using testing::FakeControls;

TEST(LoadHandling, StartsWithLightingOffAndBothIntensitiesHundred) {
  PanelConfig config;
  FakeControls controls(config);
  ASSERT_TRUE(controls.ticked());  // as stored in the layout

  load_handling(config, controls);

  EXPECT_FALSE(controls.ticked());
  EXPECT_EQ(controls.selected(kIndicatorList), 0);
  EXPECT_EQ(controls.selected(kBackLightList), 0);
  EXPECT_EQ(config.indpercent, 10);
  EXPECT_EQ(config.blpercent, 10);
  EXPECT_EQ(config.feature, 0);
  EXPECT_TRUE(controls.log.messages().empty());
  for (int k = 1; k <= kSwitchCount; ++k) {
    EXPECT_EQ(controls.selected(module_list(k)), kNoSelection);
    EXPECT_EQ(controls.selected(channel_list(k)), kNoSelection);
    EXPECT_TRUE(controls.list_visible(channel_list(k)));
  }
}

class SwitchRow : public ::testing::TestWithParam<int> {
 protected:
  SwitchRow() { load_handling(config, controls); }
  int k() const { return GetParam(); }
  PanelConfig config;
  FakeControls controls{config};
};

TEST_P(SwitchRow, NaAndBlMrHideTheChannelListAndAModuleBringsItBack) {
  controls.select(module_list(k()), 4);
  controls.select(channel_list(k()), 6);
  for (int hidden_by : {kNaPosition, kBlMrPosition}) {
    const int channel_runs = controls.handler_runs[channel_list(k())];
    controls.user_selects(module_list(k()), hidden_by);
    EXPECT_FALSE(controls.list_visible(channel_list(k())));

    controls.user_selects(module_list(k()), 9);
    EXPECT_TRUE(controls.list_visible(channel_list(k())));
    EXPECT_EQ(controls.selected(channel_list(k())), 6);
    EXPECT_EQ(controls.handler_runs[channel_list(k())], channel_runs);
  }
}

TEST_P(SwitchRow, ModuleNeverTouchesTheDesignationAndChannelShowsIt) {
  controls.set_box_visible(designation_box(k()), false);
  controls.user_selects(module_list(k()), kNaPosition);
  controls.user_selects(module_list(k()), 2);
  EXPECT_FALSE(controls.box_visible(designation_box(k())));

  controls.user_selects(channel_list(k()), 0);
  EXPECT_TRUE(controls.box_visible(designation_box(k())));
  EXPECT_TRUE(controls.list_visible(channel_list(k())));
}

TEST_P(SwitchRow, OnlyItsOwnRowChanges) {
  controls.user_selects(module_list(k()), kBlMrPosition);
  for (int other = 1; other <= kSwitchCount; ++other) {
    if (other == k()) continue;
    EXPECT_TRUE(controls.list_visible(channel_list(other))) << other;
  }
}

INSTANTIATE_TEST_SUITE_P(AllSwitches, SwitchRow, ::testing::Range(1, kSwitchCount + 1));

// ---- module "P" with channel "10" -------------------------------------------------------------

// A user's choice in switch 1's lists, or a switch code loaded into switch `k` from a panel.
struct Step {
  enum Kind { Module, Channel, Load } kind;
  int value;  // list position, or the code loaded
  int k = 1;
};

struct P10Case {
  const char* name;
  std::vector<Step> steps;
  bool refused;  // the box was shown once, switch 1's channel left unselected
  int module;    // switch 1's module position at the end
  int channel;   // switch 1's channel position at the end
};

void PrintTo(const P10Case& c, std::ostream* os) { *os << c.name; }

class P10 : public ::testing::TestWithParam<P10Case> {};

// The user's choice that pairs "P" with "10" is refused, whichever list was chosen last, and the
// switch is left incomplete; a load never shows the box, whatever the lists held before.
TEST_P(P10, IsRefusedWhenChosenAndNeverWhenLoaded) {
  const P10Case& c = GetParam();
  PanelConfig config;
  FakeControls controls(config);
  load_handling(config, controls);
  for (const Step& step : c.steps) {
    if (step.kind == Step::Load) {
      load_byte(config, controls, memory_map::switch_address(step.k),
                static_cast<std::int16_t>(step.value), ByteSource::Panel);
    } else {
      controls.user_selects(step.kind == Step::Module ? module_list(1) : channel_list(1),
                            step.value);
    }
  }

  const auto& messages = controls.log.messages();
  const auto boxes = std::count(
      messages.begin(), messages.end(),
      testing::RecordingDialogs::Message{std::string(rule_texts::kP10Refused),
                                         std::string(rule_texts::kSwitchAssignmentTitle)});
  EXPECT_EQ(boxes, c.refused ? 1 : 0);
  EXPECT_EQ(messages.size(), static_cast<std::size_t>(boxes));
  EXPECT_EQ(controls.selected(module_list(1)), c.module);
  EXPECT_EQ(controls.selected(channel_list(1)), c.channel);
  if (c.refused) {
    // Incomplete: nothing is written or saved until a channel is chosen.
    EXPECT_TRUE(std::holds_alternative<IncompleteSwitch>(bytes_to_write(config, controls)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, P10,
    ::testing::Values(
        P10Case{"ChannelTenWhileP",
                {{Step::Module, kModulePPosition}, {Step::Channel, kChannel10Position}},
                true,
                kModulePPosition,
                -1},
        P10Case{"PWhileChannelTen",
                {{Step::Module, 1},
                 {Step::Channel, kChannel10Position},
                 {Step::Module, kModulePPosition}},
                true,
                kModulePPosition,
                -1},
        // A BL/MR switch's hidden channel list keeps the channel of the switch decoded before it
        // (here "10"); choosing "P" would bring that "10" back.
        P10Case{"POverTheHiddenChannelOfBlMr",
                {{Step::Load, 9}, {Step::Load, 159}, {Step::Module, kModulePPosition}},
                true,
                kModulePPosition,
                -1},
        P10Case{"ChannelNineWhileP",
                {{Step::Module, kModulePPosition}, {Step::Channel, 8}},
                false,
                kModulePPosition,
                8},
        P10Case{"ChannelTenWhileO",
                {{Step::Module, 15}, {Step::Channel, kChannel10Position}},
                false,
                15,
                kChannel10Position},
        P10Case{"AnotherChannelAfterTheRefusal",
                {{Step::Module, kModulePPosition},
                 {Step::Channel, kChannel10Position},
                 {Step::Channel, 3}},
                true,
                kModulePPosition,
                3},
        // Loads: "P" over a channel "10" from before, and 159 decoded over a "P" switch while
        // the channel position carried over is "10".
        P10Case{"LoadOfPOverChannelTen",
                {{Step::Module, 1}, {Step::Channel, kChannel10Position}, {Step::Load, 155}},
                false,
                kModulePPosition,
                5},
        P10Case{"LoadOfPOverLoadedChannelTen",
                {{Step::Load, 9}, {Step::Load, 150}},
                false,
                kModulePPosition,
                0},
        P10Case{"LoadOf159OverPWithTenCarried",
                {{Step::Module, kModulePPosition},
                 {Step::Channel, 0},
                 {Step::Load, 9, 2},
                 {Step::Load, 159}},
                false,
                kBlMrPosition,
                kChannel10Position}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
