#include "model/configuration.h"

#include <gtest/gtest.h>

#include "fake_controls.h"

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

// The flag an earlier incomplete switch left does not stop a complete configuration.
TEST(BytesToWrite, CompleteSwitchesGiveEveryByteByAddress) {
  Entered e;
  e.config.error_flag = 1;

  const std::optional<ConfigurationBytes> bytes = bytes_to_write(e.config, e.controls);

  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, (ConfigurationBytes{12, 159, 160, 160, 160, 160, 160, 160, 160, 160,  //
                                        159, 1, 10, 4}));
  EXPECT_EQ(e.config.error_flag, 0);
  EXPECT_EQ(e.config.BL, 159);
}

TEST(BytesToWrite, IncompleteSwitchGivesNone) {
  Entered e;
  e.controls.select(module_list(4), 3);  // "C", no channel chosen

  EXPECT_FALSE(bytes_to_write(e.config, e.controls));
  EXPECT_EQ(e.config.error_flag, 1);
}

}  // namespace
}  // namespace kvt
