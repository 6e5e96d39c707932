#include "model/configuration_load.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "fake_controls.h"
#include "model/memory_map.h"

namespace kvt {
namespace {

using testing::FakeControls;

// Controls after the window's load handling, with switch 10 on "BL/MR" so that independent
// lighting may stay ticked.
struct Loaded {
  Loaded() {
    load_handling(config, controls);
    controls.select(module_list(10), kBlMrPosition);
    controls.selections.clear();
  }
  PanelConfig config;
  FakeControls controls{config};
};

const char* name_of(ByteSource source) { return source == ByteSource::File ? "file" : "panel"; }

// ---- independent-lighting flag ----------------------------------------------------------------

struct FlagCase {
  const char* name;
  ByteSource source;
  std::int16_t flag;
  bool ticked;
};

void PrintTo(const FlagCase& c, std::ostream* os) { *os << c.name; }

class LoadFlag : public ::testing::TestWithParam<std::tuple<FlagCase, bool>> {};

// Whatever Check1 showed before, the flag alone decides, by the rule of where it came from.
TEST_P(LoadFlag, TicksCheck1ByTheRuleOfItsSource) {
  const auto& [tc, ticked_before] = GetParam();
  Loaded e;
  e.controls.set_ticked(ticked_before);

  load_byte(e.config, e.controls, memory_map::kFeatureFlag, tc.flag, tc.source);

  EXPECT_EQ(e.controls.ticked(), tc.ticked);
  EXPECT_EQ(e.config.feature, tc.ticked ? 1 : 0);
  EXPECT_TRUE(e.controls.log.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sources, LoadFlag,
    ::testing::Combine(::testing::Values(FlagCase{"file_0", ByteSource::File, 0, false},
                                         FlagCase{"file_1", ByteSource::File, 1, true},
                                         FlagCase{"file_2", ByteSource::File, 2, false},
                                         FlagCase{"file_minus_1", ByteSource::File, -1, false},
                                         FlagCase{"panel_0", ByteSource::Panel, 0, false},
                                         FlagCase{"panel_1", ByteSource::Panel, 1, true},
                                         FlagCase{"panel_2", ByteSource::Panel, 2, true},
                                         FlagCase{"panel_160", ByteSource::Panel, 160, true}),
                       ::testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) +
             (std::get<1>(info.param) ? "_ticked_before" : "_clear_before");
    });

// ---- switch codes -----------------------------------------------------------------------------

class LoadSwitch : public ::testing::TestWithParam<std::tuple<ByteSource, int>> {};

// A switch code selects that switch's module list, then its channel list, and nothing else; the
// designation box is the only thing the two sources treat differently.
TEST_P(LoadSwitch, SelectsModuleThenChannelAndTreatsTheDesignationBySource) {
  const auto& [source, k] = GetParam();
  const bool shown = source == ByteSource::File;
  const char* text = shown ? "ENTRY" : "";
  Loaded e;
  e.controls.set_text(designation_box(k), "ENTRY");
  e.controls.set_box_visible(designation_box(k), !shown);

  load_byte(e.config, e.controls, memory_map::switch_address(k), 12, source);

  EXPECT_EQ(e.controls.selections, (std::vector<int>{module_list(k), channel_list(k)}));
  EXPECT_EQ(e.controls.selected(module_list(k)), 2);   // "B"
  EXPECT_EQ(e.controls.selected(channel_list(k)), 2);  // "3"
  EXPECT_EQ(e.controls.text(designation_box(k)), text);
  EXPECT_EQ(e.controls.box_visible(designation_box(k)), shown);
}

INSTANTIATE_TEST_SUITE_P(SourcesAndSwitches, LoadSwitch,
                         ::testing::Combine(::testing::Values(ByteSource::File, ByteSource::Panel),
                                            ::testing::Range(1, kSwitchCount + 1)),
                         [](const auto& info) {
                           return std::string(name_of(std::get<0>(info.param))) + "_switch_" +
                                  std::to_string(std::get<1>(info.param));
                         });

// A code without a channel (BL/MR, N/A) selects, in its hidden channel list, the channel
// position of the switch code loaded before it, whichever switch that was.
struct CarriedCase {
  const char* name;
  std::vector<std::int16_t> codes;  // loaded into switches 1, 2, ... in turn
  int last_channel;                 // the channel list of the last switch loaded
};

void PrintTo(const CarriedCase& c, std::ostream* os) { *os << c.name; }

class LoadCarriedChannel : public ::testing::TestWithParam<CarriedCase> {};

TEST_P(LoadCarriedChannel, CodeWithoutChannelSelectsThePreviousPosition) {
  const CarriedCase& tc = GetParam();
  Loaded e;
  int k = 0;
  for (const std::int16_t code : tc.codes) {
    ++k;
    load_byte(e.config, e.controls, memory_map::switch_address(k), code, ByteSource::Panel);
  }
  EXPECT_EQ(e.controls.selected(channel_list(k)), tc.last_channel);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, LoadCarriedChannel,
    ::testing::Values(CarriedCase{"BL_MR_after_D_8", {37, 159}, 7},
                      CarriedCase{"NA_after_D_8", {37, 160}, 7},
                      CarriedCase{"NA_above_160_after_E_3", {42, 255}, 2},
                      CarriedCase{"carried_over_two_switches", {37, 159, 160}, 7},
                      CarriedCase{"BL_MR_first_after_start_takes_zero", {159}, 0},
                      CarriedCase{"channel_code_replaces_the_carried_one", {37, 12, 159}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- intensities, BL/MR and addresses without a byte -----------------------------------------

class LoadIntensities : public ::testing::TestWithParam<ByteSource> {};

TEST_P(LoadIntensities, SelectTheirOwnLists) {
  Loaded e;
  load_byte(e.config, e.controls, memory_map::kIndicator, 7, GetParam());
  load_byte(e.config, e.controls, memory_map::kBackLight, 3, GetParam());
  EXPECT_EQ(e.controls.selected(kIndicatorList), 1);  // "90"
  EXPECT_EQ(e.controls.selected(kBackLightList), 5);  // "50"
  EXPECT_EQ(e.config.indpercent, 7);
  EXPECT_EQ(e.config.blpercent, 3);
}

INSTANTIATE_TEST_SUITE_P(Sources, LoadIntensities,
                         ::testing::Values(ByteSource::File, ByteSource::Panel),
                         [](const auto& info) { return std::string(name_of(info.param)); });

TEST(LoadByte, BlMrCodeChangesNothing) {
  Loaded e;
  load_byte(e.config, e.controls, memory_map::kBlMrAddress, 5, ByteSource::File);
  EXPECT_TRUE(e.controls.selections.empty());
  EXPECT_FALSE(e.controls.ticked());
}

TEST(LoadByte, AddressOutsideTheConfigurationIsRefused) {
  for (const std::int16_t address : {-1, 14, 63}) {
    Loaded e;
    EXPECT_THROW(load_byte(e.config, e.controls, address, 1, ByteSource::Panel), std::out_of_range)
        << address;
    EXPECT_TRUE(e.controls.selections.empty()) << address;
  }
}

}  // namespace
}  // namespace kvt
