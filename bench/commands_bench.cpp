// The panel read and write commands, run through the real window against kvt-panel-sim. Each
// command is paced by the 100 ms tick (a pause before every byte and one before the success
// text), so its wall time should sit just above that many ticks, and the process should sleep
// through the waits, using almost no CPU.

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "model/switch_rows.h"
#include "recording_dialogs.h"
#include "run_meter.h"
#include "sim_harness.h"
#include "window/application_look.h"
#include "window/form1.h"

namespace {

constexpr int kRuns = 7;
constexpr double kTick = 0.1;
constexpr double kHighestRatio = 1.05;
constexpr double kHighestCpuShare = 0.01;

struct Command {
  const char* name;
  const char* button;
  int ticks;  // one per transfer step and one before the success text
  std::string success;
};

struct Figures {
  double median_wall = 0;
  double cpu_share = 0;
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Figures run(Form1& form, const Command& command) {
  auto* button = form.findChild<QAbstractButton*>(command.button);
  std::vector<double> walls;
  double total_wall = 0, total_cpu = 0;
  for (int i = 0; i < kRuns; ++i) {
    const kvt::sim::RunMeter meter;
    button->click();
    walls.push_back(meter.wall_seconds());
    total_wall += walls.back();
    total_cpu += meter.cpu_seconds();
    if (form.text(1) != command.success) {
      std::fprintf(stderr, "%s failed: %s\n", command.name, form.text(1).c_str());
      std::exit(1);
    }
  }
  return {median(walls), total_cpu / total_wall};
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  kvt::apply_application_look();
  // Each command is recorded, as in use, but in a journal of the benchmark's own.
  const QTemporaryDir journal_folder;
  qputenv("KVT_JOURNAL", journal_folder.filePath("journal.jsonl").toLocal8Bit());
  kvt::sim::PanelSimulator simulator;
  simulator.use_as_serial_port();

  Form1 form(std::make_unique<kvt::testing::RecordingDialogs>());
  form.load();
  for (int k = 1; k <= kvt::kSwitchCount; ++k) {
    form.select(kvt::module_list(k), k);
    form.select(kvt::channel_list(k), k - 1);
  }

  const Command commands[] = {
      {"write", "WRITE_CONFIG", 16, "SWITCH PANEL HAS BEEN PROGRAMMED"},
      {"read", "READ_CONFIG", 15, "SWITCH PANEL DATA READ SUCCESSFUL"},
  };
  std::printf("panel commands against kvt-panel-sim on %s, %d runs each\n",
              simulator.device().c_str(), kRuns);
  std::printf("%-6s %14s %14s %8s %10s\n", "", "median wall s", "tick-paced s", "ratio",
              "CPU share");
  bool within = true;
  for (const Command& command : commands) {
    const Figures figures = run(form, command);
    const double paced = command.ticks * kTick;
    const double ratio = figures.median_wall / paced;
    within = within && ratio <= kHighestRatio && figures.cpu_share <= kHighestCpuShare;
    std::printf("%-6s %14.3f %14.3f %8.3f %9.2f%%\n", command.name, figures.median_wall, paced,
                ratio, figures.cpu_share * 100);
  }
  std::printf("targets: ratio at most %.2f, CPU share at most %.0f%%: %s\n", kHighestRatio,
              kHighestCpuShare * 100, within ? "ok" : "MISSED");
  return within ? 0 : 1;
}
