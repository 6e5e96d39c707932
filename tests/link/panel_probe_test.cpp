// Probing ports for the panel against kvt-panel-sim: what each kind of port says, the order of
// a search, where it stops, and that nothing but the wake-up and the model read is ever sent.

#include "link/panel_probe.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/frames.h"
#include "link/panel_link.h"
#include "link/qt_serial_port.h"
#include "sim_harness.h"

namespace {

using kvt::PortProbe;
using kvt::ProbeResult;
using kvt::sim::PanelSimulator;

constexpr const char* kWake = "41";
const std::string kModelRead = kvt::sim::hex_bytes(kvt::read_frame(63));

// A port held by another program with flock, as picocom and pyserial's exclusive mode hold it.
class HeldPort {
 public:
  explicit HeldPort(const std::string& device)
      : descriptor_(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
    held_ = descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
  }
  ~HeldPort() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }
  bool held() const { return held_; }

 private:
  int descriptor_;
  bool held_ = false;
};

struct ProbeCase {
  const char* name;
  std::optional<std::vector<std::string>> simulator;  // its options; none: no device at all
  bool held;                                          // another program holds the port
  ProbeResult result;
  std::optional<int> model;
  const char* says;
  std::vector<std::string> frames;  // what reached the simulator
};

void PrintTo(const ProbeCase& c, std::ostream* out) { *out << c.name; }

class ProbeOnePort : public ::testing::TestWithParam<ProbeCase> {
 protected:
  kvt::QtSerialPort port;
  kvt::PanelLink link{port};
};

// Each kind of port says its own word, and only the wake-up and the model read reach it.
TEST_P(ProbeOnePort, SaysWhatThePortIsAndSendsNoWriteFrame) {
  const ProbeCase& c = GetParam();
  std::unique_ptr<PanelSimulator> sim;
  if (c.simulator) sim = std::make_unique<PanelSimulator>(*c.simulator);
  const std::string device = sim ? sim->device() : "/dev/kvt-probe-no-such-device";
  std::optional<HeldPort> holder;
  if (c.held) {
    holder.emplace(device);
    ASSERT_TRUE(holder->held());
  }

  const std::optional<PortProbe> probe = kvt::probe_port(link, device);
  ASSERT_TRUE(probe);
  EXPECT_EQ(probe->device, device);
  EXPECT_EQ(probe->result, c.result);
  EXPECT_EQ(probe->model, c.model);
  EXPECT_EQ(kvt::probe_result_text(*probe), c.says);
  EXPECT_FALSE(port.port_open());
  if (sim) {
    EXPECT_EQ(sim->frames_once(c.frames.size()), c.frames);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProbeOnePort,
    ::testing::Values(
        ProbeCase{"Panel",
                  std::vector<std::string>{},
                  false,
                  ProbeResult::Panel,
                  69,
                  "SWITCH PANEL ANSWERS",
                  {kWake, kModelRead}},
        ProbeCase{"OtherModel",
                  std::vector<std::string>{"--model", "68"},
                  false,
                  ProbeResult::OtherModel,
                  68,
                  "ANOTHER MODEL ANSWERS (MODEL BYTE 68)",
                  {kWake, kModelRead}},
        // A model byte past the range of a switch code is another model all the same.
        ProbeCase{"OtherModelOutOfRange",
                  std::vector<std::string>{"--model", "200"},
                  false,
                  ProbeResult::OtherModel,
                  200,
                  "ANOTHER MODEL ANSWERS (MODEL BYTE 200)",
                  {kWake, kModelRead}},
        // A silent port costs the six wake requests and nothing more.
        ProbeCase{"Silent", std::vector<std::string>{"--silent"}, false, ProbeResult::NoAnswer,
                  std::nullopt, "NO ANSWER", std::vector<std::string>(6, kWake)},
        // Something that wakes but gives no number for the model byte holds no usable panel.
        ProbeCase{"WakesButGivesNoModel",
                  std::vector<std::string>{"--no-number-at", "63"},
                  false,
                  ProbeResult::NoAnswer,
                  std::nullopt,
                  "NO ANSWER",
                  {kWake, kModelRead}},
        ProbeCase{"Missing",
                  std::nullopt,
                  false,
                  ProbeResult::NotOpened,
                  std::nullopt,
                  "COULD NOT BE OPENED (NO SUCH DEVICE)",
                  {}},
        ProbeCase{"HeldByAnotherProgram",
                  std::vector<std::string>{},
                  true,
                  ProbeResult::InUse,
                  std::nullopt,
                  "IN USE BY ANOTHER PROGRAM",
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A port that stops working while it is probed (an adapter pulled) holds no panel to use, and
// its line says why, never that bad data came.
TEST(ProbePortThatStops, IsNoAnswerAndSaysThePortStopped) {
  kvt::QtSerialPort port;
  kvt::PanelLink link{port};
  PanelSimulator silent({"--silent"});
  QTimer::singleShot(150, [&] { silent.kill(); });
  const auto probe = kvt::probe_port(link, silent.device());
  ASSERT_TRUE(probe);
  EXPECT_EQ(probe->result, ProbeResult::NoAnswer);
  EXPECT_EQ(kvt::probe_result_text(*probe), "NO ANSWER (THE PORT STOPPED WORKING)");
}

class ProbeSearch : public ::testing::Test {
 protected:
  std::vector<std::string> results(const std::vector<PortProbe>& probes) {
    std::vector<std::string> said;
    for (const PortProbe& probe : probes) {
      said.push_back(probe.device + ": " + kvt::probe_result_text(probe));
    }
    return said;
  }

  kvt::QtSerialPort port;
  kvt::PanelLink link{port};
};

class ProbeScopes : public ProbeSearch, public ::testing::WithParamInterface<kvt::ProbeScope> {};

// One port after another, in the order given; the watch hears each port before it is probed and
// what it said after. Searching until a panel stops at the first one; probing every port goes on.
TEST_P(ProbeScopes, ProbeInOrderAndStopAtTheFirstPanelOnlyWhenAsked) {
  const kvt::ProbeScope scope = GetParam();
  PanelSimulator other({"--model", "68"});
  PanelSimulator first_panel;
  PanelSimulator second_panel;
  const std::vector<std::string> devices{other.device(), first_panel.device(),
                                         second_panel.device()};
  std::vector<std::string> heard;
  kvt::ProbeWatch watch;
  watch.probing = [&](const std::string& device) { heard.push_back("probing " + device); };
  watch.probed = [&](const PortProbe& probe) { heard.push_back("probed " + probe.device); };
  const auto probes = kvt::probe_ports(link, devices, scope, watch);

  std::vector<std::string> expected{other.device() + ": ANOTHER MODEL ANSWERS (MODEL BYTE 68)",
                                    first_panel.device() + ": SWITCH PANEL ANSWERS"};
  std::vector<std::string> expected_heard{"probing " + other.device(), "probed " + other.device(),
                                          "probing " + first_panel.device(),
                                          "probed " + first_panel.device()};
  if (scope == kvt::ProbeScope::EveryPort) {
    expected.push_back(second_panel.device() + ": SWITCH PANEL ANSWERS");
    expected_heard.push_back("probing " + second_panel.device());
    expected_heard.push_back("probed " + second_panel.device());
  }
  EXPECT_EQ(results(probes), expected);
  EXPECT_EQ(heard, expected_heard);
  if (scope == kvt::ProbeScope::EveryPort) {
    EXPECT_EQ(second_panel.frames_once(2), (std::vector<std::string>{kWake, kModelRead}));
  } else {
    // Once the first panel has logged its probe, anything sent to the second would be logged too.
    EXPECT_EQ(first_panel.frames_once(2), (std::vector<std::string>{kWake, kModelRead}));
    EXPECT_TRUE(second_panel.frames().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Scopes, ProbeScopes,
                         ::testing::Values(kvt::ProbeScope::UntilPanel, kvt::ProbeScope::EveryPort),
                         [](const auto& info) {
                           return std::string(info.param == kvt::ProbeScope::UntilPanel
                                                  ? "UntilAPanel"
                                                  : "EveryPort");
                         });

TEST_F(ProbeSearch, StopsAtOnceWhenTheLinkIsShutDown) {
  PanelSimulator silent({"--silent"});
  PanelSimulator panel;
  QTimer::singleShot(150, &link, &kvt::PanelLink::request_shutdown);
  QElapsedTimer clock;
  clock.start();
  const auto probes =
      kvt::probe_ports(link, {silent.device(), panel.device()}, kvt::ProbeScope::EveryPort);
  EXPECT_LT(clock.elapsed(), 400);
  EXPECT_TRUE(probes.empty());
  EXPECT_FALSE(port.port_open());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(panel.frames().empty());
}

struct ChosenPortCase {
  const char* name;
  // A name without a leading slash is one in the test's folder, where "link-to-null" points to
  // /dev/null.
  std::string chosen;
  std::vector<std::string> probed;
};

void PrintTo(const ChosenPortCase& c, std::ostream* os) { *os << c.name; }

class PortsToProbe : public ::testing::TestWithParam<ChosenPortCase> {
 protected:
  void SetUp() override {
    std::filesystem::create_symlink("/dev/null", folder.filePath("link-to-null").toStdString());
  }

  std::string chosen() const {
    const std::string& name = GetParam().chosen;
    return name.starts_with('/') ? name
                                 : folder.filePath(QString::fromStdString(name)).toStdString();
  }

  QTemporaryDir folder;
};

// The port the rule picks is searched too, after the listed ones, unless it is one of them
// under any of its names.
TEST_P(PortsToProbe, AddTheChosenPortOnceAfterTheListedOnes) {
  const std::vector<kvt::SystemPort> listed{
      {"/dev/ttyS0", "", ""},
      {"/dev/null", "/dev/serial/by-id/usb-FTDI-if00", "FT232R"},
  };
  std::vector<std::string> probed;
  for (const kvt::SystemPort& port : kvt::ports_to_probe(listed, chosen())) {
    probed.push_back(port.device);
  }
  EXPECT_EQ(probed, GetParam().probed);
}

INSTANTIATE_TEST_SUITE_P(
    ChosenPorts, PortsToProbe,
    ::testing::Values(
        ChosenPortCase{"ListedDevice", "/dev/ttyS0", {"/dev/ttyS0", "/dev/null"}},
        ChosenPortCase{
            "ListedStableName", "/dev/serial/by-id/usb-FTDI-if00", {"/dev/ttyS0", "/dev/null"}},
        ChosenPortCase{"LinkToAListedDevice", "link-to-null", {"/dev/ttyS0", "/dev/null"}},
        ChosenPortCase{"NotListed", "/dev/pts/77", {"/dev/ttyS0", "/dev/null", "/dev/pts/77"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
