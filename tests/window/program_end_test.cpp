// Ctrl-C, kill and a lost session end the window program as they end a command on the command
// line: a write that has sent its first write frame is finished first, so the panel never holds
// a mix of two configurations (a second signal stops it at once); before that, the command stops
// at once. Either way the port is given back, and nothing is asked about unsaved work, though a
// close by hand would ask.

#include "window/program_end.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "commands/stop_signals.h"
#include "model/switch_rows.h"
#include "recording_dialogs.h"
#include "sim_harness.h"
#include "window/form1.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace kvt {
namespace {

using sim::PanelSimulator;
using testing::kWorkedCodes;
using testing::RecordingDialogs;

constexpr const char* kFinishing =
    "FINISHING THE WRITE SO THAT THE SWITCH PANEL IS NOT LEFT HALF-WRITTEN";

// Differs from the worked example at every address 0 to 13, so any byte written shows.
constexpr std::array<std::uint8_t, 14> kOldCodes = {0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

std::size_t write_frames(const std::vector<std::string>& frames) {
  return static_cast<std::size_t>(std::count_if(
      frames.begin(), frames.end(), [](const std::string& f) { return f.starts_with("53"); }));
}

struct SignalCase {
  const char* name;
  int signal_number;
  std::vector<std::string> simulator_options;
  std::size_t frames_before;  // frames the panel has taken in when the first signal goes
  bool counting_writes;       // counted among the write frames only
  bool second_signal;         // one more once the status says the write is being finished
  bool panel_written;         // the panel holds the new configuration whole afterwards
};

void PrintTo(const SignalCase& c, std::ostream* out) { *out << c.name; }

class ProgramEnd : public ::testing::TestWithParam<SignalCase> {};

TEST_P(ProgramEnd, FinishesAWriteUnderWayThenEndsWithoutAsking) {
  const SignalCase& c = GetParam();
  PanelSimulator sim(c.simulator_options, testing::panel_holding(kOldCodes));
  sim.use_as_serial_port();
  auto& dialogs = *new RecordingDialogs;  // owned by the window
  Form1 form{std::unique_ptr<Dialogs>(&dialogs)};
  form.load();
  form.show();
  QTemporaryDir dir;
  const std::string example = dir.filePath("LOBBY 2.kvc").toStdString();
  std::ofstream(example, std::ios::binary) << testing::kWorkedExampleLine;
  form.open_file(example);
  StopSignals stop_signals;
  std::vector<int> exits;
  std::size_t writes_at_exit = 0;
  end_program_on_stop_signals(form, stop_signals, [&](int status) {
    exits.push_back(status);
    writes_at_exit = write_frames(sim.frames());
  });

  // Unsaved work: closing by hand would ask about it, and keep the window.
  QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(kPanelNameBox)), "X");
  dialogs.answer_question(UnsavedAnswer::Cancel);

  // The moments are found by counting the frames the panel has taken in, never by sleeping.
  bool first_sent = false;
  bool finishing_seen = false;
  std::size_t writes_at_second_signal = 0;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    // Once the write is being finished, each byte's "COMMUNICATIONS OK" must not hide it.
    if (finishing_seen) {
      EXPECT_NE(form.text(1), "COMMUNICATIONS OK");
    }
    if (form.text(1) == kFinishing) finishing_seen = true;
    const auto frames = sim.frames();
    if (!first_sent) {
      if ((c.counting_writes ? write_frames(frames) : frames.size()) < c.frames_before) return;
      first_sent = true;
      std::raise(c.signal_number);
    } else if (c.second_signal && finishing_seen && writes_at_second_signal == 0) {
      writes_at_second_signal = write_frames(frames);
      std::raise(c.signal_number);
    }
  });
  poll.start(5);
  form.findChild<QAbstractButton*>("WRITE_CONFIG")->click();
  poll.stop();

  EXPECT_EQ(exits, std::vector<int>{128 + c.signal_number}) << "the program ends once";
  EXPECT_TRUE(dialogs.questions().empty());
  EXPECT_FALSE(form.isVisible());
  const sim::PanelMemory memory = sim.memory();
  const std::size_t writes = write_frames(sim.frames());
  if (c.second_signal) {
    // Stopped part-way: new bytes up to the last write frame sent, old ones after it.
    EXPECT_TRUE(finishing_seen);
    EXPECT_GE(writes, writes_at_second_signal);
    EXPECT_LT(writes, kWorkedCodes.size()) << "the write went on after the second signal";
    for (std::size_t address = 0; address < kOldCodes.size(); ++address) {
      EXPECT_EQ(memory[address], address < writes ? kWorkedCodes[address] : kOldCodes[address])
          << "address " << address;
    }
  } else {
    // Whole: all old or all new, never a mix; the program ends only after the write's end.
    const auto& expected = c.panel_written ? kWorkedCodes : kOldCodes;
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), memory.begin()));
    EXPECT_EQ(writes_at_exit, c.panel_written ? kWorkedCodes.size() : 0u);
    EXPECT_EQ(finishing_seen, c.panel_written);
    if (c.panel_written) {
      EXPECT_EQ(form.text(1), "SWITCH PANEL HAS BEEN PROGRAMMED");
    }
  }
  QSerialPort again(QString::fromStdString(sim.device()));
  EXPECT_TRUE(again.open(QIODevice::ReadWrite)) << again.errorString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Moments, ProgramEnd,
    ::testing::Values(
        // The panel answers only the fourth wake-up, so the signal surely comes before the
        // first write frame.
        SignalCase{"SigintDuringTheWakeUp", SIGINT, {"--answer-wake", "4"}, 1, false, false, false},
        SignalCase{"SigtermAtTheFirstByte", SIGTERM, {}, 1, true, false, true},
        SignalCase{"SighupAtTheLastByte", SIGHUP, {}, 14, true, false, true},
        SignalCase{"SigintTwice", SIGINT, {}, 2, true, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
