// Handshake with a silent panel: six wake requests, each waiting out its 100 ms tick. The waits
// sleep in the event loop, so the process should use almost no CPU while it waits.

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <string>

#include "link/panel_link.h"
#include "link/qt_serial_port.h"
#include "run_meter.h"
#include "sim_harness.h"

namespace {

constexpr int kRuns = 3;
constexpr double kHighestCpuShare = 0.01;

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  kvt::sim::PanelSimulator simulator({"--silent"});

  kvt::QtSerialPort port;
  kvt::PanelLink link(port);

  std::printf("silent-panel handshake against kvt-panel-sim on %s\n", simulator.device().c_str());
  std::printf("%-4s %10s %10s %10s\n", "run", "wall ms", "CPU ms", "CPU share");
  double worst_share = 0;
  for (int run = 1; run <= kRuns; ++run) {
    if (!link.open_link(simulator.device())) {
      std::fprintf(stderr, "%s\n", link.port_error_text().c_str());
      return 1;
    }
    const kvt::sim::RunMeter meter;
    const bool answered = link.wake_panel() == kvt::Transfer::Ok;
    const double wall = meter.wall_seconds();
    const double cpu = meter.cpu_seconds();
    link.close_link();
    if (answered) {
      std::fprintf(stderr, "the silent panel answered: the benchmark measured nothing\n");
      return 1;
    }
    const double share = cpu / wall;
    worst_share = std::max(worst_share, share);
    std::printf("%-4d %10.1f %10.2f %9.2f%%\n", run, wall * 1e3, cpu * 1e3, share * 100);
  }
  const bool within = worst_share < kHighestCpuShare;
  std::printf("highest CPU share %.2f%% (limit %.0f%%): %s\n", worst_share * 100,
              kHighestCpuShare * 100, within ? "ok" : "TOO HIGH");
  return within ? 0 : 1;
}
