#include "cli/write_each.h"

#include <QObject>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/headless_editor.h"
#include "cli/interruption.h"
#include "commands/port_choice.h"
#include "commands/stop_signals.h"
#include "files/visible_text.h"
#include "link/link_texts.h"
#include "link/panel_probe.h"
#include "link/serial_link.h"
#include "model/switch_rows.h"

namespace kvt::cli {
namespace {

// Ticks of the link between two probes of the port: half a second.
constexpr int kTicksBetweenProbes = 5;

// What the technician is to do next, as it is said: on standard output, at once.
void ask(const std::string& line) {
  std::puts(line.c_str());
  std::fflush(stdout);
}

enum class Awaited { Plugged, Unplugged };

// The probe shows what the wait is for: a panel of this model answering, or, once the port
// opened, none answering (another model in its place is no longer the panel just written).
bool awaited_seen(const PortProbe& probe, Awaited awaited) {
  if (awaited == Awaited::Plugged) return probe.result == ProbeResult::Panel;
  return probe.result == ProbeResult::NoAnswer || probe.result == ProbeResult::OtherModel;
}

// Probes `device` every half second until what is awaited is seen. Anything else the port says
// meanwhile besides a plain silence (another model answers, another program holds the port) is
// said once as it begins. A stop signal ends the wait at once, saying `stopped_text`; its exit
// status is returned then. Stop signals are held when it returns, for whatever answers them
// next.
std::optional<int> wait_for_panel(PanelLink& link, const std::string& device, Awaited awaited,
                                  Console& console, std::string_view stopped_text) {
  StopSignals stop_signals;
  QObject::connect(&stop_signals, &StopSignals::caught, [&] {
    if (link.shutting_down()) return;
    link.request_shutdown();
    console.report(std::string(stopped_text));
  });
  std::string last_said;
  while (const std::optional<PortProbe> probe = probe_port(link, device)) {
    if (awaited_seen(*probe, awaited)) break;
    const std::string said = probe_result_text(*probe);
    if (said != last_said && said != link_texts::kProbeNoAnswer &&
        probe->result != ProbeResult::Panel) {
      console.report(link_texts::probe_line(visible_text(device), said));
    }
    last_said = said;
    for (int tick = 0; tick < kTicksBetweenProbes && !link.shutting_down(); ++tick) {
      link.wait_tick();
    }
  }
  // Held first, then taken in: a signal is either in the pipe now or waits for the next phase.
  hold_stop_signals();
  const int first = stop_signals.first_signal();
  if (first == 0) return std::nullopt;
  return StopSignals::exit_status(first);
}

// How the run has gone so far.
struct Tally {
  int written = 0;
  std::vector<std::string> failed;  // panel names, or files, as the summary names them

  // Prints the summary line; returns the exit status the run ends with: that of the signal
  // that stopped it, if any.
  int end(std::optional<int> stopped = std::nullopt) const {
    ask(cli_texts::bench_summary(written, failed));
    return stopped.value_or(failed.empty() ? kSuccess : kPanelFailed);
  }
};

// The file's name in the summary: its panel name, or the file where it has none.
std::string named_in_summary(const std::string& panel_name, const std::string& path) {
  return visible_text(panel_name.empty() ? path : panel_name);
}

}  // namespace

int write_each_command(const Request& request) {
  Console console = write_console(request);
  const std::string device = current_port(request.port).device;
  // The waits probe on a link of their own: its bytes are no write's progress.
  SerialLink bench_link;
  bench_link.watch_frames(console.frame_log());
  Tally tally;
  for (std::size_t index = 0; index < request.operands.size(); ++index) {
    const std::string& path = request.operands[index];
    HeadlessEditor editor(console);
    if (!open_to_write(request, editor, path)) {
      tally.failed.push_back(visible_text(path));
      continue;
    }
    const std::string panel_name = editor.controls().text(kPanelNameBox);
    ask(cli_texts::connect_panel(visible_text(panel_name), visible_text(path)));
    if (const auto stopped = wait_for_panel(bench_link.link(), device, Awaited::Plugged, console,
                                            cli_texts::kStoppedPanelUnchanged)) {
      return tally.end(stopped);
    }
    CommandEnd end = CommandEnd::Done;
    bool stopped_unchanged = false;
    std::optional<int> stopped;
    {
      Interruption interruption(editor.link(), console);
      end = write_opened(request, editor, console, interruption, path);
      hold_stop_signals();
      stopped = interruption.exit_status();
      stopped_unchanged = interruption.stopped_unchanged();
    }
    // A write a signal let finish is written; one stopped before its first write frame is
    // neither written nor failed.
    if (end == CommandEnd::Done) {
      ++tally.written;
    } else if (!stopped_unchanged) {
      tally.failed.push_back(named_in_summary(panel_name, path));
    }
    ask(std::string(cli_texts::kUnplugPanel));
    if (stopped) return tally.end(stopped);
    if (index + 1 == request.operands.size()) break;
    if (const auto stopped_waiting = wait_for_panel(bench_link.link(), device, Awaited::Unplugged,
                                                    console, cli_texts::kStoppedBeforeNextPanel)) {
      return tally.end(stopped_waiting);
    }
  }
  const int status = tally.end();
  release_stop_signals();
  return status;
}

}  // namespace kvt::cli
