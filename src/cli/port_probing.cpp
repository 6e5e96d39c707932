#include "cli/port_probing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/interruption.h"
#include "commands/port_choice.h"
#include "files/visible_text.h"
#include "link/link_texts.h"
#include "link/panel_probe.h"
#include "link/serial_link.h"
#include "link/system_ports.h"

namespace kvt::cli {
namespace {

std::vector<std::string> devices_to_probe(const Request& request) {
  if (!request.operands.empty()) return request.operands;
  const std::vector<SystemPort> listed = system_ports();
  const PortChoice choice = choose_port(port_sources(request.port, [&] { return listed; }));
  std::vector<std::string> devices;
  for (const SystemPort& port : ports_to_probe(listed, choice.device)) {
    devices.push_back(port.device);
  }
  return devices;
}

// The result as scripts read it.
const char* result_word(ProbeResult result) {
  switch (result) {
    case ProbeResult::Panel:
      return "panel";
    case ProbeResult::OtherModel:
      return "other_model";
    case ProbeResult::NoAnswer:
      return "no_answer";
    case ProbeResult::InUse:
      return "in_use";
    case ProbeResult::NotOpened:
      return "not_opened";
  }
  return "";
}

// Why a port was not opened, in the words its line of text gives; null for a port that was.
QJsonValue reason_of(const PortProbe& probe) {
  switch (probe.result) {
    case ProbeResult::NotOpened:
      return QString::fromStdString(probe.reason);
    case ProbeResult::InUse:
      return QString::fromStdString(probe_result_text(probe));
    default:
      return QJsonValue::Null;
  }
}

std::string as_json(const std::vector<PortProbe>& probes) {
  QJsonArray array;
  for (const PortProbe& probe : probes) {
    array.append(QJsonObject{
        {"port", QString::fromStdString(probe.device)},
        {"result", result_word(probe.result)},
        {"model", probe.model ? QJsonValue(*probe.model) : QJsonValue(QJsonValue::Null)},
        {"reason", reason_of(probe)},
    });
  }
  return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

void print_line(const PortProbe& probe) {
  // A device named on the command line may hold anything; it reaches the terminal escaped.
  std::puts(link_texts::probe_line(visible_text(probe.device), probe_result_text(probe)).c_str());
  std::fflush(stdout);
}

}  // namespace

int probe_command(const Request& request) {
  const std::vector<std::string> devices = devices_to_probe(request);
  Console console(0, loudness_of(request));
  SerialLink probe_link;
  probe_link.watch_frames(console.frame_log());
  Interruption interruption(probe_link.link(), console);
  ProbeWatch watch;
  if (!request.json) watch.probed = print_line;
  const std::vector<PortProbe> probes =
      probe_ports(probe_link.link(), devices, ProbeScope::EveryPort, watch);
  interruption.command_ended(CommandEnd::Done);
  if (const auto stopped = interruption.exit_status()) return *stopped;

  if (request.json) {
    const std::string out = as_json(probes);
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
  const bool found = std::any_of(probes.begin(), probes.end(), [](const PortProbe& probe) {
    return probe.result == ProbeResult::Panel;
  });
  return found ? kSuccess : kPanelFailed;
}

}  // namespace kvt::cli
