// Ctrl-C, kill and a lost session end the window program during a panel write: the write stops
// as at a close mid-command, the port is given back, and nothing is asked about unsaved work,
// though a close by hand would ask.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "link/stop_signals.h"
#include "model/switch_rows.h"
#include "recording_dialogs.h"
#include "sim_harness.h"
#include "window/form1.h"
#include "window/program_end.h"
#include "worked_example.h"

namespace kvt {
namespace {

using sim::PanelSimulator;
using testing::RecordingDialogs;

struct SignalCase {
  const char* name;
  int signal_number;
};

class ProgramEnd : public ::testing::TestWithParam<SignalCase> {};

TEST_P(ProgramEnd, StopsAWriteWithoutAskingAndGivesThePortBack) {
  PanelSimulator sim;
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
  std::optional<int> exit_status;
  end_program_on_stop_signals(form, stop_signals, [&](int status) { exit_status = status; });

  // Unsaved work: closing by hand would ask about it, and keep the window.
  QTest::keyClicks(form.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(kPanelNameBox)), "X");
  dialogs.answer_question(UnsavedAnswer::Cancel);

  // The signal comes once the panel has answered the wake-up and the model read.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (sim.frames().size() < 3) return;
    poll.stop();
    std::raise(GetParam().signal_number);
  });
  poll.start(5);
  form.findChild<QAbstractButton*>("WRITE_CONFIG")->click();

  EXPECT_EQ(exit_status, 128 + GetParam().signal_number);
  EXPECT_TRUE(dialogs.questions().empty());
  EXPECT_FALSE(form.isVisible());
  EXPECT_NE(form.text(1), "SWITCH PANEL HAS BEEN PROGRAMMED");
  EXPECT_LT(sim.frames().size(), 8u) << "the write went on after the signal";
  QSerialPort again(QString::fromStdString(sim.device()));
  EXPECT_TRUE(again.open(QIODevice::ReadWrite)) << again.errorString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramEnd,
                         ::testing::Values(SignalCase{"SIGINT", SIGINT},
                                           SignalCase{"SIGTERM", SIGTERM},
                                           SignalCase{"SIGHUP", SIGHUP}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
