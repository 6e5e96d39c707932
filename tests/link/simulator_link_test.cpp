// The real serial port layer against kvt-panel-sim on a pseudo-terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "commands/panel_commands.h"
#include "device_holder.h"
#include "link/panel_link.h"
#include "link/panel_probe.h"
#include "link/qt_serial_port.h"
#include "link/transfer.h"
#include "model/headless_controls.h"
#include "recording_dialogs.h"
#include "recording_status_box.h"
#include "run_meter.h"
#include "sim_harness.h"

namespace {

using kvt::sim::PanelSimulator;
using kvt::testing::RecordingDialogs;
using kvt::testing::RecordingStatusBox;

// This process's resident memory, from /proc/self/status.
long resident_kib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  ADD_FAILURE() << "no VmRSS in /proc/self/status";
  return 0;
}

class SimulatorLinkTest : public ::testing::Test {
 protected:
  void start(const std::vector<std::string>& options = {}) {
    sim = std::make_unique<PanelSimulator>(options);
  }

  // Lets the event loop run for a while, as the window does between commands.
  static void run_events_for(int ms) {
    QElapsedTimer clock;
    clock.start();
    QTimer stop;
    stop.start(ms);
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }

  RecordingStatusBox status;
  kvt::QtSerialPort port;
  kvt::PanelLink link{port};
  std::unique_ptr<PanelSimulator> sim;
};

TEST_F(SimulatorLinkTest, WakesThePanelAndReadsTheModelByte) {
  start();
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  EXPECT_EQ(link.wake_panel(), kvt::Transfer::Ok);
  link.wait_tick();
  const kvt::ByteTransfer read = link.readee(63);
  link.close_link();
  EXPECT_EQ(read.outcome, kvt::Transfer::Ok);
  EXPECT_EQ(read.value, 69);
  EXPECT_EQ(sim->frames(), (std::vector<std::string>{"41", "56 00 3F 30 30 56"}));
}

TEST_F(SimulatorLinkTest, WritesAndVerifiesBytesIncludingLineEndValues) {
  start();
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  ASSERT_EQ(link.wake_panel(), kvt::Transfer::Ok);
  const std::pair<std::int16_t, std::int16_t> writes[] = {{10, 159}, {12, 10}, {13, 13}};
  for (const auto& [address, value] : writes) {
    link.wait_tick();
    const kvt::ByteTransfer write = link.sendee(address, value);
    EXPECT_EQ(write.outcome, kvt::Transfer::Ok) << address;
    EXPECT_EQ(write.value, value);
  }
  link.close_link();
  const auto memory = sim->memory();
  EXPECT_EQ(memory[10], 159);
  EXPECT_EQ(memory[12], 10);
  EXPECT_EQ(memory[13], 13);
  const auto frames = sim->frames();
  ASSERT_EQ(frames.size(), 7u);
  EXPECT_EQ(frames[1], "53 00 0A 00 9F 44");
  EXPECT_EQ(frames[2], "56 00 0A 30 30 56");
}

TEST_F(SimulatorLinkTest, KeepsWorkingWhenThePortIsClosedAndReopenedBetweenCommands) {
  start();
  for (int command = 0; command < 3; ++command) {
    ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
    EXPECT_EQ(link.wake_panel(), kvt::Transfer::Ok) << command;
    link.close_link();
    run_events_for(50);
  }
  EXPECT_EQ(sim->frames(), std::vector<std::string>(3, "41"));
}

// Unplugged, the panel hears nothing: the wake-up goes unanswered and unlogged. Plugged in
// again it answers, and holds what was written before.
TEST_F(SimulatorLinkTest, AnUnpluggedPanelHearsNothingAndKeepsItsMemory) {
  start();
  const auto wake = [&] {
    EXPECT_TRUE(link.open_link(sim->device())) << link.port_error_text();
    const kvt::Transfer woke = link.wake_panel();
    if (woke == kvt::Transfer::Ok) {
      link.wait_tick();
      EXPECT_EQ(link.sendee(0, 12).outcome, kvt::Transfer::Ok);
    }
    link.close_link();
    return woke;
  };
  ASSERT_EQ(wake(), kvt::Transfer::Ok);
  ASSERT_EQ(sim->frames().size(), 3u);

  sim->unplug();
  EXPECT_EQ(wake(), kvt::Transfer::NoReply);
  EXPECT_EQ(sim->frames().size(), 3u);
  EXPECT_EQ(sim->memory()[0], 12);

  sim->plug_in();
  EXPECT_EQ(wake(), kvt::Transfer::Ok);
  EXPECT_EQ(sim->frames_once(6).size(), 6u);
}

TEST_F(SimulatorLinkTest, ALateAnswerToThePreviousCommandIsNotHandedToTheNext) {
  start({"--delay", "150"});
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  EXPECT_EQ(link.wake_panel(),
            kvt::Transfer::Ok);  // the answer to the first request, during the second wait
  link.close_link();
  run_events_for(200);  // the answer to the second request arrives with the port closed
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  run_events_for(50);
  EXPECT_EQ(port.in_buffer_count(), 0);
  link.close_link();
  EXPECT_EQ(sim->frames(), std::vector<std::string>(2, "41"));
}

TEST_F(SimulatorLinkTest, SilentPanelFailsAfterSixRequestsWithoutBusyWaiting) {
  start({"--silent"});
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  const kvt::sim::RunMeter meter;
  EXPECT_EQ(link.wake_panel(), kvt::Transfer::NoReply);
  const double wall = meter.wall_seconds();
  const double cpu = meter.cpu_seconds();
  link.close_link();
  EXPECT_EQ(sim->frames(), std::vector<std::string>(6, "41"));
  EXPECT_GT(wall, 0.55);
  EXPECT_LT(cpu, 0.1 * wall);  // a spinning wait would use all of it
}

TEST_F(SimulatorLinkTest, SimulatorKilledMidTransferFailsItAtOnceAndFreesTheCpu) {
  start({"--silent"});
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  QTimer::singleShot(20, [&] { sim->kill(); });
  // PortFailed, not NoReply: the wait ended on the breakdown, before its tick.
  EXPECT_EQ(link.readee(63).outcome, kvt::Transfer::PortFailed);
  EXPECT_NE(link.port_error_text().find(sim->device() + " STOPPED WORKING"), std::string::npos)
      << link.port_error_text();

  // The dead port is closed and not polled: the program idles.
  const kvt::sim::RunMeter idle;
  run_events_for(300);
  EXPECT_FALSE(port.port_open());
  EXPECT_LT(idle.cpu_seconds(), 0.1);
  EXPECT_EQ(link.wake_panel(), kvt::Transfer::PortFailed);
  link.close_link();
}

// Qt learns of a hang-up only when the event loop next reads the device, and a wait may end on
// its tick first: taking the reply looks at the line itself, so what is taken from a line that
// has gone is never judged as the panel's data.
TEST_F(SimulatorLinkTest, AHangUpIsNoticedWhenTheReplyIsTaken) {
  start();
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  sim->kill();  // the master side closes; no event is handled before the reply is taken
  EXPECT_EQ(port.input(), "");
  ASSERT_TRUE(port.error());
  EXPECT_EQ(port.error()->problem, kvt::PortProblem::FailedWhileOpen);
  EXPECT_FALSE(port.port_open());
}

// A peer that floods the line while the mismatch box is up, the port open behind it: the program
// must not keep what it cannot use (it grew by well over 100 MB a second without a bound on the
// port's receive buffer), and once the box is answered the read ends as any other mismatch.
// What waits in the port is measured, not how long the flood ran: a busy machine slows the
// flood down, so the box stays up until the port holds as much as its bound allows, and a port
// without a bound then holds more.
TEST_F(SimulatorLinkTest, FloodBehindTheMismatchBoxKeepsMemoryBounded) {
  // The panel answers the wake-up, then floods from the model read on: "0680D0680D..." reads as
  // 68, another model.
  start({"--flood-after", "1"});
  kvt::PanelConfig config;
  RecordingDialogs dialogs;
  kvt::HeadlessControls controls(config, dialogs);
  constexpr qint64 kBound = kvt::QtSerialPort::kReceiveBufferBytes;
  long before = 0;
  long after = 0;
  qint64 waiting_behind_the_box = 0;
  dialogs.on_message = [&](const RecordingDialogs::Message&) {
    before = resident_kib();
    QElapsedTimer patience;
    patience.start();
    QTimer look_again;
    look_again.start(100);
    while (port.in_buffer_count() < kBound && patience.elapsed() < 30'000) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    // The flood goes on: a bounded port takes none of it, an unbounded one goes on growing.
    run_events_for(300);
    after = resident_kib();
    waiting_behind_the_box = port.in_buffer_count();
  };

  kvt::read_config(config, controls, status, link, sim->device());

  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages()[0].title, "SWITCH PANEL/CONFIGURATION MIS-MATCH");
  EXPECT_EQ(waiting_behind_the_box, kBound);  // the flood filled the port, and no further
  EXPECT_LT(after - before, 64 * 1024) << "KiB";
  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, kvt::StatusColour::Yellow);
  EXPECT_EQ(status.text, "COMMUNICATIONS OK");
  EXPECT_FALSE(port.port_open());
  EXPECT_EQ(sim->frames(), (std::vector<std::string>{"41", "56 00 3F 30 30 56"}));
}

struct PortErrorCase {
  const char* name;
  QSerialPort::SerialPortError error;
  bool breaks;
};

void PrintTo(const PortErrorCase& c, std::ostream* os) { *os << c.name; }

class ReportedPortError : public SimulatorLinkTest,
                          public ::testing::WithParamInterface<PortErrorCase> {};

// An unplugged USB adapter makes Qt report a resource error, a dead pty a read error, a failed
// write a write error: each is a broken port, closed at once and explained, and the transfer
// under way fails. Timeouts and refused operations leave the line usable.
TEST_P(ReportedPortError, BreaksThePortOnlyWhenTheDeviceIsGone) {
  const PortErrorCase& c = GetParam();
  start({"--silent"});
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  QTimer::singleShot(20, [&] { port.handle_error(c.error); });
  const kvt::Transfer read = link.readee(63).outcome;
  if (c.breaks) {
    EXPECT_EQ(read, kvt::Transfer::PortFailed);
    EXPECT_FALSE(port.port_open());
    EXPECT_NE(link.port_error_text().find(sim->device() + " STOPPED WORKING"), std::string::npos)
        << link.port_error_text();
  } else {
    EXPECT_EQ(read, kvt::Transfer::NoReply);  // the silent panel's tick, not a breakdown
    EXPECT_TRUE(port.port_open());
    EXPECT_EQ(link.port_error_text(), "");
  }
  link.close_link();
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ReportedPortError,
    ::testing::Values(PortErrorCase{"AdapterUnplugged", QSerialPort::ResourceError, true},
                      PortErrorCase{"ReadFailed", QSerialPort::ReadError, true},
                      PortErrorCase{"WriteFailed", QSerialPort::WriteError, true},
                      PortErrorCase{"Timeout", QSerialPort::TimeoutError, false},
                      PortErrorCase{"UnsupportedOperation", QSerialPort::UnsupportedOperationError,
                                    false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimulatorLinkTest, MissingDeviceIsNamedWithAdvice) {
  EXPECT_FALSE(link.open_link("/dev/kvt-no-such-adapter"));
  EXPECT_FALSE(port.port_open());
  EXPECT_EQ(link.port_error_text(),
            "SERIAL PORT COULD NOT BE OPENED: THERE IS NO SERIAL DEVICE /dev/kvt-no-such-adapter. "
            "CONNECT THE SWITCH PANEL CABLE, OR CHOOSE THE PORT OF YOUR SERIAL ADAPTER (FOR "
            "EXAMPLE /dev/ttyUSB0).");
}

TEST_F(SimulatorLinkTest, DeviceHeldByAnotherProgramIsInUse) {
  const std::string other_name = "/tmp/kvt-link-test-" + std::to_string(::getpid());
  start({"--link", other_name});
  kvt::QtSerialPort other_program;
  other_program.open(sim->device(), "9600,N,8,1");
  ASSERT_TRUE(other_program.port_open());

  // Reached under another name, the device is still recognised as the one that is held.
  EXPECT_FALSE(link.open_link(other_name));
  const auto error = port.error();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->problem, kvt::PortProblem::InUse);
  EXPECT_NE(link.port_error_text().find("IN USE BY ANOTHER PROGRAM"), std::string::npos);

  other_program.close();
  EXPECT_TRUE(link.open_link(other_name)) << link.port_error_text();
  link.close_link();
}

// picocom and pyserial's exclusive mode hold a port with flock alone: no lock file, no
// exclusive mode. Such a port is refused before a byte reaches it, and taken once it is free.
TEST_F(SimulatorLinkTest, DeviceHeldWithFlockIsInUseAndNothingIsSent) {
  start();
  const int other_program = ::open(sim->device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(other_program, 0);
  ASSERT_EQ(::flock(other_program, LOCK_EX | LOCK_NB), 0);

  EXPECT_FALSE(link.open_link(sim->device()));
  EXPECT_FALSE(port.port_open());
  EXPECT_EQ(link.port_error_text(), "SERIAL PORT COULD NOT BE OPENED: " + sim->device() +
                                        " IS IN USE BY ANOTHER PROGRAM. CLOSE THAT PROGRAM AND "
                                        "TRY AGAIN.");
  EXPECT_EQ(link.wake_panel(), kvt::Transfer::NoReply);
  EXPECT_TRUE(sim->frames().empty());

  ::close(other_program);
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  // The port is this program's while it is open, and is free again after. An ordinary user
  // cannot even open it meanwhile (exclusive mode); root can, and then finds it locked.
  int next_program = ::open(sim->device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (next_program >= 0) {
    EXPECT_NE(::flock(next_program, LOCK_EX | LOCK_NB), 0);
  } else {
    EXPECT_EQ(errno, EBUSY) << std::strerror(errno);
  }
  link.close_link();
  if (next_program < 0)
    next_program = ::open(sim->device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(next_program, 0) << std::strerror(errno);
  EXPECT_EQ(::flock(next_program, LOCK_EX | LOCK_NB), 0);
  ::close(next_program);
}

struct HolderCase {
  const char* name;
  bool held_by_other_name;         // the holder opened the link, the program the device
  bool holder_owns_a_pty = false;  // the holder has a pty master of its own as well
};

void PrintTo(const HolderCase& c, std::ostream* out) { *out << c.name; }

class DeviceOpenInAnotherProgram : public SimulatorLinkTest,
                                   public ::testing::WithParamInterface<HolderCase> {};

// A program that has the port open without any lock (ModemManager probing a new adapter, a
// terminal left open) takes the panel's replies. The port is refused before a byte is sent and
// the program named, under whichever name of the device either side used; a pty master of the
// holder's own does not make it the line's far end. The simulator, which holds the line's
// master side and its device side, is the far end and never counted: the port opens with it.
TEST_P(DeviceOpenInAnotherProgram, IsRefusedAndNamedBeforeAByteIsSent) {
  const HolderCase& c = GetParam();
  const std::string other_name = "/tmp/kvt-holder-link-" + std::to_string(::getpid());
  start({"--link", other_name});
  ASSERT_TRUE(link.open_link(sim->device())) << link.port_error_text();
  link.close_link();

  const std::string held = c.held_by_other_name ? other_name : sim->device();
  const std::string opened = c.held_by_other_name ? sim->device() : other_name;
  kvt::testing::DeviceHolder holder(held, c.holder_owns_a_pty);
  ASSERT_TRUE(holder.holding());

  EXPECT_FALSE(link.open_link(opened));
  EXPECT_FALSE(port.port_open());
  EXPECT_EQ(link.port_error_text(), opened + " IS OPEN IN ANOTHER PROGRAM: sleep (PID " +
                                        std::to_string(holder.pid()) +
                                        "). CLOSE THAT PROGRAM AND TRY AGAIN.");
  const auto probe = kvt::probe_port(link, opened);
  ASSERT_TRUE(probe);
  EXPECT_EQ(probe->result, kvt::ProbeResult::InUse);
  EXPECT_EQ(kvt::probe_result_text(*probe),
            "OPEN IN ANOTHER PROGRAM: sleep (PID " + std::to_string(holder.pid()) + ")");
  EXPECT_TRUE(sim->frames().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, DeviceOpenInAnotherProgram,
                         ::testing::Values(HolderCase{"SameName", false},
                                           HolderCase{"HeldByTheLink", true},
                                           HolderCase{"HolderWithAPtyOfItsOwn", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
