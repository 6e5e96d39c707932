#include "link/panel_probe.h"

#include <QFileInfo>
#include <algorithm>

#include "link/link_texts.h"
#include "link/panel_check.h"

namespace kvt {
namespace {

// A port that would not open: held by another program, or refused for a reason named briefly.
PortProbe refused(const std::string& device, const std::optional<PortError>& error) {
  PortProbe probe;
  probe.device = device;
  probe.result = ProbeResult::NotOpened;
  switch (error ? error->problem : PortProblem::OtherOpenFailure) {
    case PortProblem::InUse:
      probe.result = ProbeResult::InUse;
      break;
    case PortProblem::OpenInAnotherProgram:
      probe.result = ProbeResult::InUse;
      if (error->holder) {
        probe.holder = link_texts::program_and_pid(error->holder->name, error->holder->pid);
      }
      break;
    case PortProblem::NoSuchDevice:
      probe.reason = link_texts::kProbeNoSuchDevice;
      break;
    case PortProblem::PermissionDenied:
      probe.reason = link_texts::kProbePermissionDenied;
      break;
    // The system's own words, in capitals as every other reason and message.
    case PortProblem::OtherOpenFailure:
    case PortProblem::FailedWhileOpen:
      probe.reason = error ? QString::fromStdString(error->system_text).toUpper().toStdString()
                           : std::string();
      break;
  }
  return probe;
}

// The same device under two of its names, e.g. a by-id link and the device it leads to.
bool same_device(const std::string& a, const std::string& b) {
  if (a == b) return true;
  const QString real_a = QFileInfo(QString::fromStdString(a)).canonicalFilePath();
  return !real_a.isEmpty() && real_a == QFileInfo(QString::fromStdString(b)).canonicalFilePath();
}

}  // namespace

std::string probe_result_text(const PortProbe& probe) {
  switch (probe.result) {
    case ProbeResult::Panel:
      return std::string(link_texts::kProbePanelAnswers);
    case ProbeResult::OtherModel:
      return link_texts::probe_other_model(probe.model.value_or(0));
    case ProbeResult::NoAnswer:
      return probe.reason.empty() ? std::string(link_texts::kProbeNoAnswer)
                                  : link_texts::probe_no_answer(probe.reason);
    case ProbeResult::InUse:
      return probe.holder.empty() ? std::string(link_texts::kProbeInUse)
                                  : link_texts::probe_open_elsewhere(probe.holder);
    case ProbeResult::NotOpened:
      return link_texts::probe_not_opened(probe.reason);
  }
  return {};
}

std::optional<PortProbe> probe_port(PanelLink& link, const std::string& device) {
  if (link.shutting_down()) return std::nullopt;
  if (!link.open_link(device)) return refused(device, link.port_error());
  const PanelCheckEnd check = wake_and_check_model(link);
  link.close_link();
  PortProbe probe;
  probe.device = device;
  switch (check.check) {
    case PanelCheck::Cancelled:
      return std::nullopt;
    case PanelCheck::Ours:
      probe.result = ProbeResult::Panel;
      probe.model = check.model;
      break;
    case PanelCheck::OtherModel:
      probe.result = ProbeResult::OtherModel;
      probe.model = check.model;
      break;
    // Something that wakes but gives no model byte, or a port that broke down, holds no panel
    // this program can use; a port that stopped working says so.
    case PanelCheck::PortBroke:
      probe.reason = link_texts::kProbePortStopped;
      [[fallthrough]];
    case PanelCheck::NoAnswer:
    case PanelCheck::Failed:
      probe.result = ProbeResult::NoAnswer;
      break;
  }
  return probe;
}

std::vector<PortProbe> probe_ports(PanelLink& link, const std::vector<std::string>& devices,
                                   ProbeScope scope, const ProbeWatch& watch) {
  std::vector<PortProbe> probes;
  for (const std::string& device : devices) {
    if (watch.probing) watch.probing(device);
    const std::optional<PortProbe> probe = probe_port(link, device);
    if (!probe) break;
    probes.push_back(*probe);
    if (watch.probed) watch.probed(*probe);
    if (scope == ProbeScope::UntilPanel && probe->result == ProbeResult::Panel) break;
  }
  return probes;
}

std::vector<SystemPort> ports_to_probe(const std::vector<SystemPort>& listed,
                                       const std::string& chosen) {
  std::vector<SystemPort> ports = listed;
  const bool among_them = std::any_of(listed.begin(), listed.end(), [&](const SystemPort& port) {
    return same_device(chosen, port.device) ||
           (!port.stable_name.empty() && same_device(chosen, port.stable_name));
  });
  if (!among_them) ports.push_back({chosen, "", ""});
  return ports;
}

}  // namespace kvt
