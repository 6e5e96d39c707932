#include "window/panel_search.h"

#include <QString>
#include <string>
#include <vector>

#include "link/link_texts.h"
#include "link/panel_probe.h"
#include "window/port_selector.h"
#include "window/window_texts.h"

namespace kvt {
namespace {

std::string with_device(const char* text, const std::string& device) {
  return QString::fromUtf8(text).arg(QString::fromStdString(device)).toStdString();
}

}  // namespace

void find_switch_panel(StatusBox& status, PortSelector& selector, PanelLink& link) {
  const std::vector<SystemPort> ports = selector.ports_to_search();
  std::vector<std::string> devices;
  for (const SystemPort& port : ports) devices.push_back(port.device);

  ProbeWatch watch;
  watch.probing = [&status](const std::string& device) {
    show_status(status, StatusColour::Yellow,
                with_device(window_texts::kSearchingForPanel, device));
  };
  const std::vector<PortProbe> probes = probe_ports(link, devices, ProbeScope::UntilPanel, watch);
  if (link.shutting_down()) return;

  if (!probes.empty() && probes.back().result == ProbeResult::Panel) {
    const SystemPort& found = ports.at(probes.size() - 1);
    selector.choose(found.name_to_store());
    show_status(status, StatusColour::Green,
                with_device(window_texts::kPanelFoundOn, found.device));
    return;
  }
  std::string text = window_texts::kNoPanelFound;
  for (const PortProbe& probe : probes) {
    text += '\n' + link_texts::probe_line(probe.device, probe_result_text(probe));
  }
  show_status(status, StatusColour::Red, text);
}

}  // namespace kvt
