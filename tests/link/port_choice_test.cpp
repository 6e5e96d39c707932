#include "commands/port_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kvt::PortReason;

struct PortRuleCase {
  const char* name;
  kvt::PortSources sources;
  const char* device;
  PortReason reason;
};

void PrintTo(const PortRuleCase& c, std::ostream* out) { *out << c.name; }

const std::vector<std::string> kTtyS0AndAdapter = {"/dev/ttyS0", "/dev/serial/by-id/usb-FTDI-if00"};
const std::vector<std::string> kAdapterOnly = {"/dev/serial/by-id/usb-FTDI-if00"};
const std::vector<std::string> kTwoAdapters = {"/dev/ttyUSB0", "/dev/ttyACM0"};

class PortRule : public ::testing::TestWithParam<PortRuleCase> {};

TEST_P(PortRule, PicksTheFirstSourceThatIsSet) {
  const PortRuleCase& c = GetParam();
  const kvt::PortChoice choice = kvt::choose_port(c.sources);
  EXPECT_EQ(choice.device, c.device);
  EXPECT_EQ(choice.reason, c.reason);
  EXPECT_FALSE(kvt::reason_text(choice.reason).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortRule,
    ::testing::Values(
        PortRuleCase{"FlagFirst",
                     {"/dev/pts/7", "/dev/ttyUSB1", "/dev/ttyUSB2", kAdapterOnly},
                     "/dev/pts/7",
                     PortReason::Flag},
        PortRuleCase{"EnvironmentBeforeChoice",
                     {"", "/dev/ttyUSB1", "/dev/ttyUSB2", kAdapterOnly},
                     "/dev/ttyUSB1",
                     PortReason::Environment},
        PortRuleCase{"RememberedChoice",
                     {"", "", "/dev/ttyUSB2", kAdapterOnly},
                     "/dev/ttyUSB2",
                     PortReason::Remembered},
        PortRuleCase{"NothingNoPorts", {"", "", "", {}}, "/dev/ttyS0", PortReason::Default},
        PortRuleCase{"NothingTtyS0Listed",
                     {"", "", "", kTtyS0AndAdapter},
                     "/dev/ttyS0",
                     PortReason::Default},
        PortRuleCase{"NothingOneOtherPort",
                     {"", "", "", kAdapterOnly},
                     "/dev/serial/by-id/usb-FTDI-if00",
                     PortReason::OnlyOtherPort},
        PortRuleCase{
            "NothingTwoOtherPorts", {"", "", "", kTwoAdapters}, "/dev/ttyS0", PortReason::Default}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
