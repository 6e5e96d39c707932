// `kvt-config ports`: the port the commands would use and why, on standard output.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <string>

#include "cli/port_listing.h"
#include "kvt_process.h"

namespace {

using kvt::testing::run_kvt;

struct ChoiceCase {
  const char* name;
  QStringList arguments;
  const char* environment;  // KVT_SERIAL_PORT; empty: unset
  const char* remembered;   // the port chosen in the window; empty: none
  const char* says;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) { *out << c.name; }

class PortsChoice : public ::testing::TestWithParam<ChoiceCase> {
 protected:
  QTemporaryDir settings;
};

// Each rule in its own words: a user who reads the wrong reason looks in the wrong place.
TEST_P(PortsChoice, ShowsThePortTheCommandsUseAndWhy) {
  const ChoiceCase& c = GetParam();
  QProcessEnvironment env;
  env.insert("XDG_CONFIG_HOME", settings.path());
  if (*c.environment != '\0') env.insert("KVT_SERIAL_PORT", c.environment);
  if (*c.remembered != '\0') {
    ASSERT_TRUE(QDir(settings.path()).mkpath("Korvelantix"));
    std::ofstream(settings.filePath("Korvelantix/kvt-config.conf").toStdString())
        << "[link]\nport=" << c.remembered << "\n";
  }
  const auto result = run_kvt(QStringList{"ports"} << c.arguments, env);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(result.out.find(std::string("Commands use ") + c.says + ".\n"), std::string::npos)
      << result.out;
  EXPECT_EQ(result.out.find("Commands use "), result.out.rfind("Commands use ")) << result.out;
  // Standard error is for trouble; a script reads the choice on standard output.
  EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortsChoice,
    ::testing::Values(
        ChoiceCase{"Flag",
                   {"--port", "/dev/ttyUSB9"},
                   "/dev/ttyUSB8",
                   "/dev/ttyUSB7",
                   "/dev/ttyUSB9: given with --port"},
        ChoiceCase{"Environment",
                   {},
                   "/dev/ttyUSB8",
                   "/dev/ttyUSB7",
                   "/dev/ttyUSB8: set in KVT_SERIAL_PORT"},
        ChoiceCase{"Remembered", {}, "", "/dev/ttyUSB7", "/dev/ttyUSB7: chosen in the window"}),
    [](const auto& info) { return std::string(info.param.name); });

// With nothing set, the choice depends on the ports this machine lists: /dev/ttyS0, or the one
// other port when the system lists exactly one and no /dev/ttyS0.
TEST(Ports, WithNothingSetNamesTheDefaultOrTheOnlyPort) {
  const auto result = run_kvt({"ports"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  const std::size_t choice = result.out.find("Commands use ");
  ASSERT_NE(choice, std::string::npos) << result.out;
  const std::string line = result.out.substr(choice);
  const bool by_default = line == "Commands use /dev/ttyS0: the default serial port.\n";
  const bool only_port = line.ends_with(": the only serial port present.\n") &&
                         result.out.find("/dev/ttyS0") == std::string::npos;
  EXPECT_TRUE(by_default || only_port) << result.out;
  EXPECT_EQ(result.err, "");
}

struct ListingCase {
  const char* name;
  std::vector<kvt::SystemPort> listed;
  const char* flag;
  const char* says;
};

void PrintTo(const ListingCase& c, std::ostream* out) { *out << c.name; }

// The listing from the ports the system gives, with no port set in the environment or the window.
class PortsListing : public ::testing::TestWithParam<ListingCase> {
 protected:
  void SetUp() override {
    if (const char* set = std::getenv("KVT_SERIAL_PORT")) environment_port = set;
    ::unsetenv("KVT_SERIAL_PORT");
    ::setenv("XDG_CONFIG_HOME", settings.path().toUtf8().constData(), 1);
  }
  void TearDown() override {
    if (!environment_port.empty()) ::setenv("KVT_SERIAL_PORT", environment_port.c_str(), 1);
  }

  QTemporaryDir settings;
  std::string environment_port;
};

TEST_P(PortsListing, NamesThePortsAndTheOneCommandsUse) {
  EXPECT_EQ(kvt::cli::ports_listing(GetParam().flag, GetParam().listed), GetParam().says);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortsListing,
    ::testing::Values(
        // Nothing to list and nothing set: one line, not "none found" beside "commands use".
        ListingCase{"NoPortAtAll",
                    {},
                    "",
                    "No serial port is connected; commands will try the default, /dev/ttyS0.\n"},
        ListingCase{"NoPortButOneGiven",
                    {},
                    "/dev/ttyUSB3",
                    "No serial ports found.\nCommands use /dev/ttyUSB3: given with --port.\n"},
        ListingCase{"OnlyAnAdapter",
                    {{"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI-if00", "FT232R, FTDI"}},
                    "",
                    "/dev/ttyUSB0  /dev/serial/by-id/usb-FTDI-if00  (FT232R, FTDI)\n"
                    "Commands use /dev/serial/by-id/usb-FTDI-if00: the only serial port "
                    "present.\n"},
        ListingCase{"DefaultAndAnAdapter",
                    {{"/dev/ttyS0", "", ""}, {"/dev/ttyUSB0", "", ""}},
                    "",
                    "/dev/ttyS0\n/dev/ttyUSB0\nCommands use /dev/ttyS0: the default serial "
                    "port.\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
