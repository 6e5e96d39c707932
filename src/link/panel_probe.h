#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/panel_link.h"
#include "link/system_ports.h"

namespace kvt {

// What a port said when it was probed.
enum class ProbeResult {
  Panel,       // a switch panel of this model answers
  OtherModel,  // a panel answers with another model byte
  NoAnswer,    // nothing answered the wake-up or the model read, or the port broke down
  InUse,       // another program holds the port (with a lock, or has it open)
  NotOpened,   // the port would not open for another reason
};

struct PortProbe {
  std::string device;
  ProbeResult result = ProbeResult::NoAnswer;
  std::optional<int> model;  // the model byte, where a panel answered
  std::string reason;        // NotOpened, and NoAnswer where known: why, in a few words
  std::string holder;        // InUse: the program that has the port open, where it is known
};

// What the port said, for people: "SWITCH PANEL ANSWERS", "NO ANSWER", ...
std::string probe_result_text(const PortProbe& probe);

// Probes `device` on `link`: opens it, wakes the panel and reads its model byte as a read
// does, and closes it again. No write frame is ever sent; a silent port costs the wake-up's six
// ticks. None when the link was shut down meanwhile: the probe was stopped.
std::optional<PortProbe> probe_port(PanelLink& link, const std::string& device);

// Who hears how a search goes: the port being probed, then what it said.
struct ProbeWatch {
  std::function<void(const std::string& device)> probing;
  std::function<void(const PortProbe& probe)> probed;
};

enum class ProbeScope { EveryPort, UntilPanel };

// Probes `devices` one after another, telling `watch` as it goes. With UntilPanel it stops at
// the first panel of this model; it stops at once when the link is shut down (the port under
// way then has no result). Returns what each port probed said, in order.
std::vector<PortProbe> probe_ports(PanelLink& link, const std::vector<std::string>& devices,
                                   ProbeScope scope, const ProbeWatch& watch = {});

// The ports a search probes when none is named: every port `listed`, then `chosen` (the port
// the rule picks) unless it is one of them under any of its names.
std::vector<SystemPort> ports_to_probe(const std::vector<SystemPort>& listed,
                                       const std::string& chosen);

}  // namespace kvt
