// SIGINT, SIGTERM and SIGHUP during the panel commands, sent to the built program while it
// talks to the simulated panel. Each moment is found by counting the frames the panel has taken
// in, never by sleeping, so a loaded machine moves the moment but not the outcome.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <thread>

#include "kvt_process.h"
#include "sim_harness.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace {

using kvt::sim::PanelMemory;
using kvt::sim::PanelSimulator;
using kvt::testing::KvtProcess;
using kvt::testing::kWorkedCodes;
using kvt::testing::panel_holding;
using kvt::testing::RunAs;

constexpr const char* kUnchanged = "kvt-config: STOPPED: THE SWITCH PANEL WAS NOT CHANGED.\n";
constexpr const char* kFinishing =
    "kvt-config: FINISHING THE WRITE SO THAT THE SWITCH PANEL IS NOT LEFT HALF-WRITTEN "
    "(INTERRUPT AGAIN TO STOP AT ONCE)\n";
constexpr const char* kProgrammed = "kvt-config: SWITCH PANEL HAS BEEN PROGRAMMED\n";
constexpr const char* kReadDone = "kvt-config: SWITCH PANEL DATA READ SUCCESSFUL\n";

// Differs from the worked example at every address 0 to 13, so any byte written shows.
constexpr std::array<std::uint8_t, 14> kOldCodes = {0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

std::size_t write_frames(const std::vector<std::string>& frames) {
  return static_cast<std::size_t>(std::count_if(
      frames.begin(), frames.end(), [](const std::string& f) { return f.starts_with("53"); }));
}

// Waits (at most 10 s) until the panel has taken in `count` frames, all of them or only the
// write frames.
bool panel_has_taken(const PanelSimulator& sim, std::size_t count, bool only_writes) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 10000) {
    const auto frames = sim.frames();
    if ((only_writes ? write_frames(frames) : frames.size()) >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

// What a program leaves on a port it has closed properly: no lock file, no exclusive mode, no
// flock.
void expect_port_left_clean(const std::string& device) {
  std::string lock_name = "LCK.." + device.substr(std::string("/dev/").size());
  std::replace(lock_name.begin(), lock_name.end(), '/', '_');
  for (const char* folder : {"/var/lock", "/run/lock", "/tmp", "/var/tmp"}) {
    EXPECT_FALSE(std::filesystem::exists(std::string(folder) + "/" + lock_name)) << folder;
  }
  const int descriptor = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(descriptor, 0);
  int exclusive = 0;
  ASSERT_EQ(::ioctl(descriptor, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 0) << "the pty was left in exclusive mode";
  EXPECT_EQ(::flock(descriptor, LOCK_EX | LOCK_NB), 0) << "the pty was left locked";
  ::close(descriptor);
}

// The user a second command runs as, to show that nothing the first left behind keeps an
// ordinary user out: root passes over a left exclusive mode. Nothing when this process's user
// is not root already, or when the machine has no "nobody".
std::optional<RunAs> unprivileged_user() {
  if (::geteuid() != 0) return std::nullopt;
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr) return std::nullopt;
  return RunAs{nobody->pw_uid, nobody->pw_gid};
}

struct InterruptCase {
  const char* name;
  const char* command;  // "write", or "read" with -o
  std::vector<std::string> simulator_options;
  std::size_t frames_before;  // frames the panel has taken in when the first signal goes
  bool counting_writes;       // counted among the write frames only
  int signal_number;
  bool second_signal;  // one more once the first has been answered
  const char* says;    // what standard error holds about the stop
  bool panel_written;  // the panel holds the new configuration after the command
};

void PrintTo(const InterruptCase& c, std::ostream* out) { *out << c.name; }

class Interrupt : public ::testing::TestWithParam<InterruptCase> {
 protected:
  Interrupt() {
    // Readable for the unprivileged user the second write runs as.
    ::chmod(dir.path().toLocal8Bit().constData(), 0755);
    file = dir.filePath("lobby.kvc").toStdString();
    std::ofstream(file, std::ios::binary) << kvt::testing::kWorkedExampleLine;
    ::chmod(file.c_str(), 0644);
  }

  // In /tmp, which every user may enter, whatever TMPDIR names: the second write's user must
  // reach the file.
  QTemporaryDir dir{QStringLiteral("/tmp/kvt-interrupt-XXXXXX")};
  std::string file;
};

TEST_P(Interrupt, EndsCleanlyAndSaysWhatThePanelHolds) {
  const InterruptCase& c = GetParam();
  PanelSimulator sim(c.simulator_options, panel_holding(kOldCodes));
  const QString port = QString::fromStdString(sim.device());
  const std::string saved = dir.filePath("read.kvc").toStdString();
  const bool reads = std::string(c.command) == "read";
  const QStringList arguments =
      reads
          ? QStringList{"read", "--port", port, "--name", "X", "-o", QString::fromStdString(saved)}
          : QStringList{"write", "--port", port, QString::fromStdString(file)};

  KvtProcess program(arguments);
  ASSERT_TRUE(panel_has_taken(sim, c.frames_before, c.counting_writes));
  ::kill(static_cast<pid_t>(program.pid()), c.signal_number);
  std::size_t writes_at_second_signal = 0;
  if (c.second_signal) {
    ASSERT_TRUE(program.wait_for_error(kFinishing));
    writes_at_second_signal = write_frames(sim.frames());
    ::kill(static_cast<pid_t>(program.pid()), c.signal_number);
  }
  const auto result = program.finish();

  EXPECT_FALSE(result.crashed);
  EXPECT_EQ(result.exit_code, 128 + c.signal_number) << result.err;
  EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
  const PanelMemory memory = sim.memory();
  const auto& expected = c.panel_written ? kWorkedCodes : kOldCodes;
  if (c.second_signal) {
    // The addresses named are those a write frame went out for: new up to there, old after.
    std::smatch named;
    const std::regex stopped(
        "kvt-config: WRITE STOPPED: THE SWITCH PANEL HOLDS A PARTLY WRITTEN CONFIGURATION "
        "\\(ADDRESSES 0 TO ([0-9]+)\\)\\. WRITE IT AGAIN\\.\n");
    ASSERT_TRUE(std::regex_search(result.err, named, stopped)) << result.err;
    const std::size_t last = std::stoul(named[1]);
    EXPECT_EQ(write_frames(sim.frames()), last + 1);
    EXPECT_GE(last + 1, writes_at_second_signal);
    EXPECT_LT(last, 13u);  // stopped before the end
    for (std::size_t address = 0; address < kOldCodes.size(); ++address) {
      EXPECT_EQ(memory[address], address <= last ? kWorkedCodes[address] : kOldCodes[address])
          << "address " << address;
    }
  } else {
    // Whole: all old or all new, never a mix.
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), memory.begin()));
  }
  if (reads) {
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(std::filesystem::exists(saved));
  }
  if (std::string(c.says) == kUnchanged) {
    // One outcome: the stop, even where the command's last step had already succeeded.
    EXPECT_EQ(result.err.find(kUnchanged), result.err.rfind(kUnchanged)) << result.err;
    EXPECT_EQ(result.err.find(kReadDone), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(kProgrammed), std::string::npos) << result.err;
  }
  expect_port_left_clean(sim.device());

  // The next command on the port works at once, also for an ordinary user.
  const std::optional<RunAs> user = unprivileged_user();
  if (user) {
    ASSERT_EQ(::chmod(sim.device().c_str(), 0666), 0);
  } else if (::geteuid() == 0) {
    std::cout << "[   NOTE   ] no user \"nobody\": the second write runs as root\n";
  }
  const auto again =
      KvtProcess({"write", "--port", port, QString::fromStdString(file)}, {}, user).finish();
  EXPECT_EQ(again.exit_code, 0) << again.err;
  EXPECT_NE(again.err.find(kProgrammed), std::string::npos) << again.err;
  const PanelMemory rewritten = sim.memory();
  EXPECT_TRUE(std::equal(kWorkedCodes.begin(), kWorkedCodes.end(), rewritten.begin()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Interrupt,
    ::testing::Values(
        // The panel answers only the fourth wake-up, so the signal surely comes before the
        // first write frame.
        InterruptCase{"WriteDuringTheWakeUp",
                      "write",
                      {"--answer-wake", "4"},
                      1,
                      false,
                      SIGINT,
                      false,
                      kUnchanged,
                      false},
        InterruptCase{
            "WriteAtItsFirstByte", "write", {}, 1, true, SIGTERM, false, kFinishing, true},
        InterruptCase{"WriteAtItsLastByte", "write", {}, 14, true, SIGHUP, false, kFinishing, true},
        InterruptCase{
            "WriteInterruptedTwice", "write", {}, 2, true, SIGINT, true, kFinishing, false},
        InterruptCase{"ReadWithOutput", "read", {}, 5, false, SIGTERM, false, kUnchanged, false},
        // Every frame of the read has gone out: the signal comes in its last tick.
        InterruptCase{
            "ReadInItsLastTick", "read", {}, 15, false, SIGINT, false, kUnchanged, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct StartCase {
  const char* name;
  const char* command;
  int signal_number;
};

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }

class SignalAtStart : public ::testing::TestWithParam<StartCase> {};

// A signal that comes before the command can answer it, even before the program's first
// instruction (it reaches the program pending, as one sent while the program holds signals back
// does), is answered as any other: its message, 128 + n, the panel untouched.
TEST_P(SignalAtStart, SaysItsMessageAndChangesNothing) {
  const StartCase& c = GetParam();
  PanelSimulator sim({}, panel_holding(kOldCodes));
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("lobby.kvc"));
  std::ofstream(file.toStdString(), std::ios::binary) << kvt::testing::kWorkedExampleLine;
  const QString port = QString::fromStdString(sim.device());
  KvtProcess program(std::string(c.command) == "read" ? QStringList{"read", "--port", port}
                                                      : QStringList{"write", "--port", port, file},
                     {}, std::nullopt, QStringLiteral(KVT_CONFIG_PATH), c.signal_number);
  const auto result = program.finish();

  EXPECT_FALSE(result.crashed) << result.err;
  EXPECT_EQ(result.exit_code, 128 + c.signal_number) << result.err;
  EXPECT_EQ(result.err, kUnchanged);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(write_frames(sim.frames()), 0u);
  const PanelMemory memory = sim.memory();
  EXPECT_TRUE(std::equal(kOldCodes.begin(), kOldCodes.end(), memory.begin()));
}

INSTANTIATE_TEST_SUITE_P(Cases, SignalAtStart,
                         ::testing::Values(StartCase{"Write", "write", SIGTERM},
                                           StartCase{"Read", "read", SIGINT},
                                           StartCase{"WriteHungUp", "write", SIGHUP}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
