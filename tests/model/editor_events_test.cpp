#include "model/editor_events.h"

#include <gtest/gtest.h>

#include "fake_controls.h"

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

}  // namespace
}  // namespace kvt
