#include "model/not_settings.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "model/memory_map.h"
#include "model/rule_texts.h"

namespace kvt {
namespace {

// A configuration of settings only: switch 1 on "B 3", switch 2 on "BL/MR", the rest "N/A",
// independent lighting on, indicator "100", back-light "60".
ConfigurationBytes settings_only() {
  return {12, 159, 160, 160, 160, 160, 160, 160, 160, 160, 159, 1, 10, 4};
}

struct NotSettingCase {
  const char* name;
  ByteSource source;
  std::int16_t address;
  std::int16_t value;
  const char* what;   // empty: the value is a setting, nothing is listed
  const char* shown;  // how shown_as words the value
};

void PrintTo(const NotSettingCase& c, std::ostream* os) { *os << c.name; }

class NotSettings : public ::testing::TestWithParam<NotSettingCase> {};

// One value changed in a configuration of settings: listed with what it is and how it is shown
// when no item or tick state stands for it, and not at all when one does.
TEST_P(NotSettings, AreListedWithWhatTheyAreAndHowTheyAreShown) {
  const NotSettingCase& c = GetParam();
  ConfigurationBytes bytes = settings_only();
  bytes[static_cast<std::size_t>(c.address)] = c.value;

  const std::vector<NotSetting> found = not_settings(bytes, c.source);

  std::vector<NotSetting> expected;
  if (*c.what != '\0') expected.push_back({c.address, c.value, c.what, c.shown});
  EXPECT_EQ(found, expected);
  EXPECT_EQ(shown_as(c.address, c.value, c.source), c.shown);
}

constexpr auto kFile = ByteSource::File;
constexpr auto kPanel = ByteSource::Panel;
constexpr std::int16_t kInd = memory_map::kIndicator;
constexpr std::int16_t kBl = memory_map::kBackLight;
constexpr std::int16_t kFlag = memory_map::kFeatureFlag;

INSTANTIATE_TEST_SUITE_P(
    Cases, NotSettings,
    ::testing::Values(
        NotSettingCase{"Indicator0", kPanel, kInd, 0, "INDICATOR INTENSITY", "100 %"},
        NotSettingCase{"Indicator8", kPanel, kInd, 8, "INDICATOR INTENSITY", "100 %"},
        NotSettingCase{"Indicator9", kFile, kInd, 9, "INDICATOR INTENSITY", "100 %"},
        NotSettingCase{"Indicator11", kFile, kInd, 11, "INDICATOR INTENSITY", "100 %"},
        NotSettingCase{"Indicator160", kPanel, kInd, 160, "INDICATOR INTENSITY", "100 %"},
        NotSettingCase{"IndicatorNegative", kFile, kInd, -1, "INDICATOR INTENSITY", "100 %"},
        NotSettingCase{"BackLight0", kPanel, kBl, 0, "BACK-LIGHT INTENSITY", "100 %"},
        NotSettingCase{"BackLight8", kFile, kBl, 8, "BACK-LIGHT INTENSITY", "100 %"},
        NotSettingCase{"BackLight255", kFile, kBl, 255, "BACK-LIGHT INTENSITY", "100 %"},
        NotSettingCase{"PanelFlag2", kPanel, kFlag, 2, "INDEPENDENT LIGHTING FLAG", "on"},
        NotSettingCase{"PanelFlag5", kPanel, kFlag, 5, "INDEPENDENT LIGHTING FLAG", "on"},
        NotSettingCase{"FileFlag2", kFile, kFlag, 2, "INDEPENDENT LIGHTING FLAG", "off"},
        NotSettingCase{"FileFlag5", kFile, kFlag, 5, "INDEPENDENT LIGHTING FLAG", "off"},
        NotSettingCase{"FileFlagNegative", kFile, kFlag, -1, "INDEPENDENT LIGHTING FLAG", "off"},
        NotSettingCase{"Switch4Code200", kFile, 3, 200, "SW4 ASSIGNMENT", "N/A"},
        NotSettingCase{"Switch10Code161", kFile, 9, 161, "SW10 ASSIGNMENT", "N/A"},
        NotSettingCase{"Switch1Code32767", kFile, 0, 32767, "SW1 ASSIGNMENT", "N/A"},
        // Settings: every item and tick state, the edges of the switch codes.
        NotSettingCase{"Indicator10", kPanel, kInd, 10, "", "100 %"},
        NotSettingCase{"Indicator7", kPanel, kInd, 7, "", "90 %"},
        NotSettingCase{"BackLight1", kFile, kBl, 1, "", "30 %"},
        NotSettingCase{"Flag0", kPanel, kFlag, 0, "", "off"},
        NotSettingCase{"Flag1", kFile, kFlag, 1, "", "on"},
        NotSettingCase{"SwitchCode0", kPanel, 0, 0, "", "A 1"},
        NotSettingCase{"SwitchCode158", kPanel, 0, 158, "", "P 9"},
        NotSettingCase{"SwitchCode159", kPanel, 0, 159, "", "BL/MR"},
        NotSettingCase{"SwitchCode160", kFile, 0, 160, "", "N/A"},
        // The BL/MR code is never shown, whatever it holds.
        NotSettingCase{"BlMrCode0", kPanel, memory_map::kBlMrAddress, 0, "", "0"},
        NotSettingCase{"BlMrCode200", kFile, memory_map::kBlMrAddress, 200, "", "200"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NotSettingsTogether, AreListedByAddressOncePerValue) {
  ConfigurationBytes bytes = settings_only();
  bytes[memory_map::kBackLight] = 0;
  bytes[memory_map::kIndicator] = 9;
  bytes[memory_map::kFeatureFlag] = 5;
  bytes[6] = 200;
  const std::vector<NotSetting> found = not_settings(bytes, ByteSource::Panel);
  ASSERT_EQ(found.size(), 4u);
  EXPECT_EQ(found[0].what, "SW7 ASSIGNMENT");
  EXPECT_EQ(found[1].what, "INDEPENDENT LIGHTING FLAG");
  EXPECT_EQ(found[2].what, "INDICATOR INTENSITY");
  EXPECT_EQ(found[3].what, "BACK-LIGHT INTENSITY");
}

TEST(NotSettingSentence, NamesTheHolderTheValueAndHowItIsShown) {
  EXPECT_EQ(rule_texts::not_a_setting(rule_texts::kPanelHolder, 0, "INDICATOR INTENSITY", "100 %"),
            "THE SWITCH PANEL HOLDS 0 FOR THE INDICATOR INTENSITY, WHICH IS NOT A SETTING; SHOWN "
            "AS 100 %.");
}

}  // namespace
}  // namespace kvt
