// What the commands say when the port is not theirs to use or stops working under them: another
// program that has it open, a line that hangs up mid-command, a write that fails part-way, a
// device this user may not use.

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "device_holder.h"
#include "kvt_process.h"
#include "sim_harness.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace {

using kvt::sim::PanelSimulator;
using kvt::testing::DeviceHolder;
using kvt::testing::KvtProcess;
using kvt::testing::kWorkedCodes;
using kvt::testing::panel_holding;
using kvt::testing::run_kvt;

constexpr const char* kBadData = "BAD SWITCH PANEL DATA";

QString as_qstring(const std::string& text) { return QString::fromStdString(text); }

std::string partly_written(int last_address) {
  return "kvt-config: THE SWITCH PANEL HOLDS A PARTLY WRITTEN CONFIGURATION (ADDRESSES 0 TO " +
         std::to_string(last_address) + "). WRITE IT AGAIN.\n";
}

// The highest address of the write frames among `frames`, or -1 when there are none.
int last_write_address(const std::vector<std::string>& frames) {
  int last = -1;
  for (const std::string& frame : frames) {
    if (frame.starts_with("53 00 "))
      last = std::max(last, std::stoi(frame.substr(6, 2), nullptr, 16));
  }
  return last;
}

class PortTrouble : public ::testing::Test {
 protected:
  std::string worked_example_file() {
    const std::string path = dir.filePath("lobby.kvc").toStdString();
    std::ofstream(path, std::ios::binary) << kvt::testing::kWorkedExampleLine;
    return path;
  }

  QTemporaryDir dir;
};

// A simulated panel whose port a program (sleep) has open without a lock: that program takes
// the panel's replies.
class PortHeldOpen : public PortTrouble {
 protected:
  void SetUp() override { ASSERT_TRUE(holder.holding()); }

  PanelSimulator sim;
  DeviceHolder holder{sim.device()};
};

class HeldPortUnderCommand : public PortHeldOpen,
                             public ::testing::WithParamInterface<const char*> {};

// Every panel command refuses the port before a byte is sent, naming that program, and exits 2
// as for any port that cannot be used.
TEST_P(HeldPortUnderCommand, IsRefusedAndTheProgramNamed) {
  const std::string says = "kvt-config: " + sim.device() +
                           " IS OPEN IN ANOTHER PROGRAM: sleep (PID " +
                           std::to_string(holder.pid()) + "). CLOSE THAT PROGRAM AND TRY AGAIN.\n";
  QStringList command{GetParam()};
  if (command[0] != "read") command << as_qstring(worked_example_file());
  const auto result = run_kvt(command + QStringList{"--port", as_qstring(sim.device())});
  EXPECT_EQ(result.exit_code, 2) << result.err;
  EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(sim.frames().empty());
}

INSTANTIATE_TEST_SUITE_P(Commands, HeldPortUnderCommand,
                         ::testing::Values("read", "write", "verify"),
                         [](const auto& info) { return std::string(info.param); });

// Probing counts such a port as in use, and names the program too.
TEST_F(PortHeldOpen, IsInUseToTheProbeWithTheProgramNamed) {
  const auto probed = run_kvt({"ports", "--probe", as_qstring(sim.device())});
  EXPECT_EQ(probed.exit_code, 1) << probed.err;
  EXPECT_EQ(probed.out, sim.device() + ": OPEN IN ANOTHER PROGRAM: sleep (PID " +
                            std::to_string(holder.pid()) + ")\n");
  const auto json = run_kvt({"ports", "--probe", "--json", as_qstring(sim.device())});
  const QJsonArray array = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
  ASSERT_EQ(array.size(), 1) << json.out;
  EXPECT_EQ(array.at(0).toObject().value("result").toString(), "in_use");
  EXPECT_TRUE(sim.frames().empty());
}

struct HangUpCase {
  const char* name;
  std::vector<std::string> simulator_options;
  const char* command;
  std::size_t frames_before;  // the simulator dies once it has taken in this many frames
  bool writes;                // write frames may have gone out
};

void PrintTo(const HangUpCase& c, std::ostream* out) { *out << c.name; }

class LineHangsUp : public PortTrouble, public ::testing::WithParamInterface<HangUpCase> {};

// The far end of the line goes (an adapter pulled; here the pty's master side closes with the
// simulator) in the middle of a command: the command says the port stopped working, never that
// the panel sent bad data, and a write that had sent write frames says what the panel holds.
TEST_P(LineHangsUp, SaysThePortStoppedWorking) {
  const HangUpCase& c = GetParam();
  PanelSimulator sim(c.simulator_options, panel_holding(kWorkedCodes));
  QStringList arguments{c.command, "--port", as_qstring(sim.device())};
  if (std::string(c.command) != "read") arguments << as_qstring(worked_example_file());
  KvtProcess command(arguments);
  const std::vector<std::string> frames = sim.frames_once(c.frames_before);
  ASSERT_GE(frames.size(), c.frames_before);
  sim.kill();
  const auto result = command.finish();

  EXPECT_EQ(result.exit_code, 1) << result.err;
  EXPECT_NE(result.err.find("kvt-config: THE SERIAL PORT " + sim.device() + " STOPPED WORKING."),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.err.find(kBadData), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "");
  const std::regex partly(
      "THE SWITCH PANEL HOLDS A PARTLY WRITTEN CONFIGURATION \\(ADDRESSES 0 TO "
      "([0-9]+)\\)\\. WRITE IT AGAIN\\.\n");
  std::smatch found;
  if (c.writes) {
    ASSERT_TRUE(std::regex_search(result.err, found, partly)) << result.err;
    // At least the write frames the panel took in; the program may have sent one more.
    EXPECT_GE(std::stoi(found[1]), last_write_address(frames)) << result.err;
  } else {
    EXPECT_FALSE(std::regex_search(result.err, found, partly)) << result.err;
  }
}

// Frames: the wake-up, the model read, then per address a read, or a write frame and its
// read-back.
INSTANTIATE_TEST_SUITE_P(
    Cases, LineHangsUp,
    ::testing::Values(HangUpCase{"DuringTheWakeUp", {"--silent"}, "read", 2, false},
                      HangUpCase{"DuringTheModelCheck", {"--delay", "60"}, "write", 2, false},
                      HangUpCase{"MidRead", {}, "read", 6, false},
                      HangUpCase{"MidVerify", {}, "verify", 9, false},
                      HangUpCase{"MidWrite", {}, "write", 7, true},
                      HangUpCase{
                          "MidWriteAwaitingAReadBack", {"--delay", "60"}, "write", 12, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct PartlyWrittenCase {
  const char* name;
  std::vector<std::string> simulator_options;
  int last_address;
  const char* failure;
};

void PrintTo(const PartlyWrittenCase& c, std::ostream* out) { *out << c.name; }

class WriteFailsPartWay : public PortTrouble,
                          public ::testing::WithParamInterface<PartlyWrittenCase> {};

// A write that fails after its first write frame ends with the line that says what the panel
// now holds, after the failure itself.
TEST_P(WriteFailsPartWay, SaysWhatThePanelHolds) {
  const PartlyWrittenCase& c = GetParam();
  PanelSimulator sim(c.simulator_options);
  const auto result =
      run_kvt({"write", "--port", as_qstring(sim.device()), as_qstring(worked_example_file())});
  EXPECT_EQ(result.exit_code, 1) << result.err;
  EXPECT_NE(result.err.find(std::string("kvt-config: ") + c.failure + "\n" +
                            partly_written(c.last_address)),
            std::string::npos)
      << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteFailsPartWay,
    ::testing::Values(PartlyWrittenCase{"NotAcknowledged",
                                        {"--stop-ack-from", "6"},
                                        6,
                                        "COMMUNICATIONS FAILURE-BAD SWITCH PANEL DATA"},
                      PartlyWrittenCase{"NotVerifiedAtBlMr",
                                        {"--wrong-readback", "10"},
                                        10,
                                        "COMMUNICATIONS FAILURE-BAD SWITCH PANEL DATA"},
                      PartlyWrittenCase{"NoNumberInTheFirstReadBack",
                                        {"--no-number-at", "0"},
                                        0,
                                        "COMMUNICATIONS FAILURE-BAD SWITCH PANEL DATA"}),
    [](const auto& info) { return std::string(info.param.name); });

// The permission message names the group that owns the device, as `ls -l` shows it: adding the
// user to dialout does nothing for a device of another group.
TEST_F(PortTrouble, PermissionMessageNamesTheDevicesOwnGroup) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "only root can give the pty to another group and run as nobody";
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "no user \"nobody\"";
  const group* other = nullptr;
  for (const char* name : {"uucp", "daemon", "adm"}) {
    if ((other = ::getgrnam(name)) != nullptr && other->gr_gid != nobody->pw_gid) break;
    other = nullptr;
  }
  if (other == nullptr) GTEST_SKIP() << "no group to give the pty to";
  const std::string group_name = other->gr_name;
  PanelSimulator sim;
  ASSERT_EQ(::chown(sim.device().c_str(), 0, other->gr_gid), 0);
  ASSERT_EQ(::chmod(sim.device().c_str(), 0660), 0);

  const auto result = run_kvt({"read", "--port", as_qstring(sim.device())}, {},
                              kvt::testing::RunAs{nobody->pw_uid, nobody->pw_gid});
  EXPECT_EQ(result.exit_code, 2) << result.err;
  EXPECT_NE(result.err.find("YOU ARE NOT ALLOWED TO USE " + sim.device() +
                            ". ASK YOUR ADMINISTRATOR TO ADD YOU TO THE " + group_name +
                            " GROUP, THEN LOG OUT AND IN AGAIN."),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.err.find("dialout"), std::string::npos) << result.err;
  EXPECT_TRUE(sim.frames().empty());
}

}  // namespace
