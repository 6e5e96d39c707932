// `kvt-config write --each`: a bench of panels, one file each, against a simulated panel that is
// plugged in, unplugged and plugged in again. Every moment is found by what the program has
// printed or what the panel has taken in, never by sleeping alone.

#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "kvt_process.h"
#include "sim_harness.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace {

using kvt::sim::PanelSimulator;
using kvt::testing::KvtProcess;
using kvt::testing::kWorkedCodes;
using kvt::testing::panel_holding;

using Codes = std::array<std::uint8_t, 14>;

constexpr const char* kUnplug = "UNPLUG THE SWITCH PANEL\n";
constexpr const char* kEachProgrammed = "kvt-config: SWITCH PANEL HAS BEEN PROGRAMMED\n";
constexpr const char* kWriteFrame = "53";

// Differs from both files at every address 0 to 13, so any byte written shows.
constexpr Codes kBeforeBench = {0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
// The second panel's file: the worked example named STAGE 1, SW1 on another channel.
constexpr Codes kStageCodes = {13, 0, 159, 160, 160, 160, 160, 160, 160, 160, 159, 1, 10, 4};

std::string connect_line(const std::string& panel, const std::string& file) {
  return "CONNECT THE SWITCH PANEL FOR " + panel + " (" + file + ")\n";
}

std::size_t count_of(const std::string& text, const std::string& part) {
  std::size_t found = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
  return found;
}

// The write frames the panel took in, in order, each as the address and the byte it carried.
std::vector<std::pair<int, int>> written_in_turn(const std::vector<std::string>& frames) {
  std::vector<std::pair<int, int>> taken;
  for (const std::string& frame : frames) {
    if (!frame.starts_with(kWriteFrame)) continue;
    // "53 00 AA 00 VV 44"
    taken.emplace_back(std::stoi(frame.substr(6, 2), nullptr, 16),
                       std::stoi(frame.substr(12, 2), nullptr, 16));
  }
  return taken;
}

// The write frames of `codes`, address 0 to 13 in turn.
std::vector<std::pair<int, int>> writes_of(const Codes& codes) {
  std::vector<std::pair<int, int>> frames;
  for (int address = 0; address < 14; ++address) frames.emplace_back(address, codes[address]);
  return frames;
}

// Waits (at most 10 s) until the panel has taken in more than `count` frames.
bool has_taken_more(const PanelSimulator& sim, std::size_t count) {
  QElapsedTimer clock;
  clock.start();
  while (sim.frames().size() <= count && clock.elapsed() < 10000) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return sim.frames().size() > count;
}

class WriteEach : public ::testing::Test {
 protected:
  WriteEach() {
    lobby = file("lobby.kvc", kvt::testing::kWorkedExampleLine);
    std::string stage_line = kvt::testing::kWorkedExampleLine;
    stage_line.replace(stage_line.find("LOBBY 2"), 7, "STAGE 1");
    stage_line.replace(stage_line.find("\"ENTRY\",12"), 10, "\"ENTRY\",13");
    stage = file("stage.kvc", stage_line);
  }

  std::string file(const std::string& name, const std::string& content) {
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  KvtProcess start(const PanelSimulator& sim, const std::vector<std::string>& files) {
    QStringList arguments{"write", "--each", "--port", QString::fromStdString(sim.device())};
    for (const std::string& path : files) arguments << QString::fromStdString(path);
    return KvtProcess(arguments);
  }

  QTemporaryDir dir;
  std::string lobby;
  std::string stage;
};

// The first panel is written, then unplugged and a second plugged in (the same simulator
// again): each file reaches the panel once, in turn, and the second only once the first panel
// has gone.
TEST_F(WriteEach, WritesEachFileIntoThePanelPluggedInNext) {
  PanelSimulator sim({}, panel_holding(kBeforeBench));
  KvtProcess bench = start(sim, {lobby, stage});

  ASSERT_TRUE(bench.wait_for_output(kUnplug));
  EXPECT_EQ(written_in_turn(sim.frames()), writes_of(kWorkedCodes));
  // While the written panel stays, the next is not asked for, and nothing more is written.
  EXPECT_FALSE(bench.wait_for_output(connect_line("STAGE 1", stage), 1, 2000));
  EXPECT_EQ(written_in_turn(sim.frames()).size(), 14u);

  sim.unplug();
  ASSERT_TRUE(bench.wait_for_output(connect_line("STAGE 1", stage)));
  sim.plug_in();
  const auto result = bench.finish();

  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, connect_line("LOBBY 2", lobby) + kUnplug + connect_line("STAGE 1", stage) +
                            kUnplug + "2 WRITTEN, 0 FAILED\n");
  EXPECT_EQ(count_of(result.err, kEachProgrammed), 2u) << result.err;
  std::vector<std::pair<int, int>> both = writes_of(kWorkedCodes);
  const auto second = writes_of(kStageCodes);
  both.insert(both.end(), second.begin(), second.end());
  EXPECT_EQ(written_in_turn(sim.frames()), both);
  const auto memory = sim.memory();
  EXPECT_TRUE(std::equal(kStageCodes.begin(), kStageCodes.end(), memory.begin()));
}

// A file that cannot be written is said as write says it, counted and named in the summary;
// the next file is still written.
TEST_F(WriteEach, GoesOnAfterARefusedFile) {
  const std::string refused = file("other.kvc", "\"00-00999-XYZ\",\"X\"\r\n");
  PanelSimulator sim({}, panel_holding(kBeforeBench));
  const auto result = start(sim, {refused, lobby}).finish();

  EXPECT_EQ(result.exit_code, 1) << result.err;
  EXPECT_EQ(result.out,
            connect_line("LOBBY 2", lobby) + kUnplug + "1 WRITTEN, 1 FAILED: " + refused + "\n");
  EXPECT_NE(result.err.find("kvt-config: FILE/MODEL MIS-MATCH"), std::string::npos) << result.err;
  EXPECT_EQ(count_of(result.err, kEachProgrammed), 1u) << result.err;
  EXPECT_EQ(written_in_turn(sim.frames()), writes_of(kWorkedCodes));
}

// A panel of another model on the bench is said once, however often it is probed, and the wait
// goes on for the right one.
TEST_F(WriteEach, SaysOnceThatAnotherModelAnswers) {
  PanelSimulator sim({"--model", "70"});
  KvtProcess bench = start(sim, {lobby});
  ASSERT_TRUE(bench.wait_for_error("ANOTHER MODEL ANSWERS (MODEL BYTE 70)"));
  // Two more probes after the one that said so.
  const auto wakes = [&] {
    const auto frames = sim.frames();
    return std::count(frames.begin(), frames.end(), "41");
  };
  const auto said_at = wakes();
  QElapsedTimer clock;
  clock.start();
  while (wakes() < said_at + 2 && clock.elapsed() < 10000) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_GE(wakes(), said_at + 2);
  ::kill(static_cast<pid_t>(bench.pid()), SIGINT);
  const auto result = bench.finish();

  EXPECT_EQ(result.exit_code, 130) << result.err;
  EXPECT_EQ(count_of(result.err, ": ANOTHER MODEL ANSWERS (MODEL BYTE 70)\n"), 1u) << result.err;
  EXPECT_TRUE(written_in_turn(sim.frames()).empty());
}

// A stop during a write lets it finish, as write does, and the run then ends: the panel is
// counted written and the next one is never asked for.
TEST_F(WriteEach, AStopDuringAWriteLetsItFinishAndEndsTheRun) {
  PanelSimulator sim({}, panel_holding(kBeforeBench));
  KvtProcess bench = start(sim, {lobby, stage});
  QElapsedTimer clock;
  clock.start();
  while (written_in_turn(sim.frames()).size() < 3 && clock.elapsed() < 10000) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_GE(written_in_turn(sim.frames()).size(), 3u);
  ::kill(static_cast<pid_t>(bench.pid()), SIGINT);
  const auto result = bench.finish();

  EXPECT_EQ(result.exit_code, 130) << result.err;
  EXPECT_NE(result.err.find("FINISHING THE WRITE"), std::string::npos) << result.err;
  EXPECT_EQ(result.out, connect_line("LOBBY 2", lobby) + kUnplug + "1 WRITTEN, 0 FAILED\n");
  EXPECT_EQ(written_in_turn(sim.frames()), writes_of(kWorkedCodes));
}

struct EachStopCase {
  const char* name;
  int signal_number;
  std::vector<std::string> simulator_options;
  const char* awaited;  // printed once the program waits: for the first panel, or its unplug
  const char* says;     // on standard error about the stop
  std::size_t written;  // write frames the panel took in
  const char* summary;
};

void PrintTo(const EachStopCase& c, std::ostream* out) { *out << c.name; }

class WriteEachStop : public WriteEach, public ::testing::WithParamInterface<EachStopCase> {};

// A stop signal while the program waits ends the wait at once, with the signal's exit status,
// what it says of the stop and the summary; no panel is written by it.
TEST_P(WriteEachStop, EndsTheWaitAtOnce) {
  const EachStopCase& c = GetParam();
  PanelSimulator sim(c.simulator_options, panel_holding(kBeforeBench));
  KvtProcess bench = start(sim, {lobby, stage});
  ASSERT_TRUE(bench.wait_for_output(c.awaited));
  // A probe of the wait itself has reached the panel.
  ASSERT_TRUE(has_taken_more(sim, sim.frames().size()));
  const std::size_t taken_at_signal = sim.frames().size();
  ::kill(static_cast<pid_t>(bench.pid()), c.signal_number);
  const auto result = bench.finish();

  EXPECT_EQ(result.exit_code, 128 + c.signal_number) << result.err;
  // The probe under way ends at once: not a further wake request, tick after tick. (One frame
  // may already be on its way, and a loaded machine may deliver the signal a tick late.)
  EXPECT_LE(sim.frames().size(), taken_at_signal + 2);
  EXPECT_NE(result.err.find(std::string("kvt-config: ") + c.says + "\n"), std::string::npos)
      << result.err;
  EXPECT_TRUE(result.out.ends_with(std::string(c.summary) + "\n")) << result.out;
  EXPECT_EQ(written_in_turn(sim.frames()).size(), c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteEachStop,
    ::testing::Values(EachStopCase{"InterruptWhileWaitingForThePanel",
                                   SIGINT,
                                   {"--silent"},
                                   "CONNECT THE SWITCH PANEL FOR LOBBY 2",
                                   "STOPPED: THE SWITCH PANEL WAS NOT CHANGED.",
                                   0,
                                   "0 WRITTEN, 0 FAILED"},
                      EachStopCase{"TerminateWhileWaitingForThePanel",
                                   SIGTERM,
                                   {"--silent"},
                                   "CONNECT THE SWITCH PANEL FOR LOBBY 2",
                                   "STOPPED: THE SWITCH PANEL WAS NOT CHANGED.",
                                   0,
                                   "0 WRITTEN, 0 FAILED"},
                      EachStopCase{"HangUpWhileWaitingForTheUnplug",
                                   SIGHUP,
                                   {},
                                   kUnplug,
                                   "STOPPED BEFORE THE NEXT SWITCH PANEL.",
                                   14,
                                   "1 WRITTEN, 0 FAILED"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
