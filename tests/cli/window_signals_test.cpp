// The window program run as a desktop session runs it, ended by a signal: at rest, and while a
// message box holds its own event loop. It must end with 128 + the signal's number, as shells
// and session managers expect, and not hang behind the box.

#include <gtest/gtest.h>
#include <signal.h>

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <string>

#include "kvt_process.h"
#include "worked_example.h"

namespace {

using kvt::testing::KvtProcess;

struct WindowSignalCase {
  const char* name;
  int signal_number;
  const char* file;       // what the window is started with
  const char* box_shown;  // standard error's sign that the message box is up, if one is awaited
};

class WindowSignals : public ::testing::TestWithParam<WindowSignalCase> {};

TEST_P(WindowSignals, EndTheWindowWithTheSignalsStatus) {
  const WindowSignalCase& c = GetParam();
  QTemporaryDir dir;
  const std::string path = dir.filePath("panel.kvc").toStdString();
  std::ofstream(path, std::ios::binary) << c.file;

  QProcessEnvironment environment;
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  KvtProcess window({QString::fromStdString(path)}, environment);
  // Its own handler, so the signal reaches the program and not the default action.
  ASSERT_TRUE(kvt::testing::signal_mask_has(window.pid(), "SigCgt:", c.signal_number))
      << "the window never took the signal";
  if (c.box_shown) {
    ASSERT_TRUE(window.wait_for_error(c.box_shown)) << "no message box came up";
  }
  ::kill(static_cast<pid_t>(window.pid()), c.signal_number);

  const kvt::testing::ProcessResult result = window.finish();
  EXPECT_FALSE(result.crashed) << result.err;
  EXPECT_EQ(result.exit_code, 128 + c.signal_number) << result.err;
}

// A record of another model: the window shows the mismatch message box and waits for OK.
constexpr const char* kOtherModel = "\"00-00999-XYZ\",\"OTHER\"\r\n";
// Qt's offscreen platform says this when a dialog is laid out for showing; the main window, shown
// before, never does.
constexpr const char* kDialogShown = "does not support propagateSizeHints";
constexpr const char* kWorked = kvt::testing::kWorkedExampleLine;

INSTANTIATE_TEST_SUITE_P(
    Table, WindowSignals,
    ::testing::Values(
        WindowSignalCase{"SigtermAtRest", SIGTERM, kWorked, nullptr},
        WindowSignalCase{"SighupAtRest", SIGHUP, kWorked, nullptr},
        WindowSignalCase{"SigintBehindAMessageBox", SIGINT, kOtherModel, kDialogShown},
        WindowSignalCase{"SigtermBehindAMessageBox", SIGTERM, kOtherModel, kDialogShown}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
