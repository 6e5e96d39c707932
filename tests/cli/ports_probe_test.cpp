// `kvt-config ports --probe`: which port the panel is on, asked of the built program against
// simulated panels of every kind; what it prints, in which order, its exit status and its JSON,
// and that no port is ever sent a write frame.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "kvt_process.h"
#include "sim_harness.h"

namespace {

using kvt::sim::PanelSimulator;
using kvt::testing::KvtProcess;
using kvt::testing::run_kvt;

constexpr const char* kMissing = "/dev/kvt-probe-no-such-device";

QString q(const std::string& text) { return QString::fromStdString(text); }

// Waits (at most 10 s) until the simulator has taken in `count` frames.
bool has_taken(const PanelSimulator& sim, std::size_t count) {
  QElapsedTimer clock;
  clock.start();
  while (sim.frames().size() < count && clock.elapsed() < 10000) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return sim.frames().size() >= count;
}

// One port of each kind: the panel, another model, a silent one, and one another program holds
// with flock, as picocom and pyserial do.
class PortsProbe : public ::testing::Test {
 protected:
  void SetUp() override {
    held_descriptor = ::open(held.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(held_descriptor, 0);
    ASSERT_EQ(::flock(held_descriptor, LOCK_EX | LOCK_NB), 0);
  }
  void TearDown() override {
    if (held_descriptor >= 0) ::close(held_descriptor);
    // Whatever else happened, nothing was ever written to any of them.
    for (const PanelSimulator* sim : {&panel, &other, &silent, &held}) {
      for (const std::string& frame : sim->frames()) {
        EXPECT_TRUE(frame == "41" || frame == "56 00 3F 30 30 56")
            << sim->device() << ": " << frame;
      }
    }
  }

  PanelSimulator panel;
  PanelSimulator other{{"--model", "68"}};
  PanelSimulator silent{{"--silent"}};
  PanelSimulator held;
  QTemporaryDir folder;  // no serial device at all: the system's own reason
  int held_descriptor = -1;
};

// Every reason in capitals, whether the program words it or the system does.
TEST_F(PortsProbe, SaysWhatEachPortIsInTheOrderGiven) {
  const auto result = run_kvt({"ports", "--probe", q(silent.device()), q(other.device()), kMissing,
                               folder.path(), q(held.device()), q(panel.device())});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out,
            silent.device() + ": NO ANSWER\n" + other.device() +
                ": ANOTHER MODEL ANSWERS (MODEL BYTE 68)\n" + kMissing +
                ": COULD NOT BE OPENED (NO SUCH DEVICE)\n" + folder.path().toStdString() +
                ": COULD NOT BE OPENED (IS A DIRECTORY)\n" + held.device() +
                ": IN USE BY ANOTHER PROGRAM\n" + panel.device() + ": SWITCH PANEL ANSWERS\n");
  EXPECT_EQ(result.err, "");
  // The panel was asked for its model and nothing more; the silent port was woken six times.
  EXPECT_EQ(panel.frames(), (std::vector<std::string>{"41", "56 00 3F 30 30 56"}));
  EXPECT_TRUE(has_taken(silent, 6));
  EXPECT_EQ(silent.frames(), std::vector<std::string>(6, "41"));
  EXPECT_TRUE(held.frames().empty());
}

TEST_F(PortsProbe, ExitsOneWhenNoPortHasThisModel) {
  const auto result =
      run_kvt({"ports", "--probe", q(other.device()), q(silent.device()), q(held.device())});
  EXPECT_EQ(result.exit_code, 1) << result.err;
  EXPECT_EQ(result.out.find("SWITCH PANEL ANSWERS"), std::string::npos) << result.out;
  EXPECT_EQ(result.err, "");
}

// A port that was not opened says why, as its line of text does; any other has no reason.
TEST_F(PortsProbe, JsonGivesEachPortsResultModelAndReason) {
  const auto result = run_kvt({"ports", "--probe", "--json", q(panel.device()), q(other.device()),
                               q(silent.device()), q(held.device()), kMissing, folder.path()});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  QJsonParseError error{};
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out;
  const struct {
    std::string port;
    const char* result;
    QJsonValue model;
    QJsonValue reason;
  } expected[] = {
      {panel.device(), "panel", 69, QJsonValue::Null},
      {other.device(), "other_model", 68, QJsonValue::Null},
      {silent.device(), "no_answer", QJsonValue::Null, QJsonValue::Null},
      {held.device(), "in_use", QJsonValue::Null, "IN USE BY ANOTHER PROGRAM"},
      {kMissing, "not_opened", QJsonValue::Null, "NO SUCH DEVICE"},
      {folder.path().toStdString(), "not_opened", QJsonValue::Null, "IS A DIRECTORY"},
  };
  const QJsonArray array = document.array();
  ASSERT_EQ(array.size(), std::size(expected)) << result.out;
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].port);
    const QJsonObject object = array.at(static_cast<qsizetype>(i)).toObject();
    EXPECT_EQ(object.keys(), (QStringList{"model", "port", "reason", "result"}));
    EXPECT_EQ(object.value("port").toString(), q(expected[i].port));
    EXPECT_EQ(object.value("result").toString(), expected[i].result);
    EXPECT_EQ(object.value("model"), expected[i].model);
    EXPECT_EQ(object.value("reason"), expected[i].reason);
  }
}

// With no device named, every port the system lists is probed and then the port the commands
// use, once, even when the system lists it too.
TEST_F(PortsProbe, WithoutDevicesProbesTheListedPortsAndThePortInUse) {
  QProcessEnvironment environment;
  environment.insert("KVT_SERIAL_PORT", q(panel.device()));
  const auto result = run_kvt({"ports", "--probe"}, environment);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  const std::string line = panel.device() + ": SWITCH PANEL ANSWERS\n";
  EXPECT_TRUE(result.out.ends_with(line)) << result.out;
  EXPECT_EQ(result.out.find(panel.device()), result.out.rfind(panel.device())) << result.out;
  for (const PanelSimulator* untouched : {&other, &silent, &held}) {
    EXPECT_EQ(result.out.find(untouched->device() + ":"), std::string::npos) << result.out;
  }
}

// Stopped while a silent port is woken, the probe ends at once, names no result for it and
// touches no further port.
TEST_F(PortsProbe, AStopSignalEndsItAtOnce) {
  KvtProcess program({"ports", "--probe", q(silent.device()), q(panel.device())});
  ASSERT_TRUE(has_taken(silent, 1));
  ::kill(static_cast<pid_t>(program.pid()), SIGINT);
  const auto result = program.finish();
  EXPECT_EQ(result.exit_code, 128 + SIGINT) << result.err;
  EXPECT_EQ(result.err, "kvt-config: STOPPED: THE SWITCH PANEL WAS NOT CHANGED.\n");
  EXPECT_EQ(result.out, "");
  EXPECT_LT(silent.frames().size(), 6u);
  EXPECT_TRUE(panel.frames().empty());
}

struct ProbeUsageCase {
  const char* name;
  QStringList arguments;
  const char* says;
};

void PrintTo(const ProbeUsageCase& c, std::ostream* out) { *out << c.name; }

class PortsProbeUsage : public ::testing::TestWithParam<ProbeUsageCase> {};

TEST_P(PortsProbeUsage, IsRefusedBeforeAnyPortIsOpened) {
  const auto result = run_kvt(GetParam().arguments);
  EXPECT_EQ(result.exit_code, 2);
  EXPECT_TRUE(result.err.starts_with(std::string("kvt-config: ") + GetParam().says + "\n"))
      << result.err;
  EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortsProbeUsage,
    ::testing::Values(
        ProbeUsageCase{"DevicesWithoutProbe",
                       {"ports", "/dev/ttyUSB0"},
                       "ports takes DEV and --json only with --probe"},
        ProbeUsageCase{"JsonWithoutProbe",
                       {"ports", "--json"},
                       "ports takes DEV and --json only with --probe"},
        ProbeUsageCase{"EmptyDevice", {"ports", "--probe", "/dev/ttyUSB0", ""}, "DEV is empty"},
        ProbeUsageCase{
            "ProbeElsewhere", {"show", "--probe", "x.kvc"}, "show takes no option '--probe'"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
