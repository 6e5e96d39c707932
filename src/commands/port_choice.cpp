#include "commands/port_choice.h"

#include <algorithm>
#include <cstdlib>

#include "commands/command_texts.h"
#include "link/port_memory.h"

namespace kvt {

PortChoice choose_port(const PortSources& sources) {
  if (!sources.flag.empty()) return {sources.flag, PortReason::Flag};
  if (!sources.environment.empty()) return {sources.environment, PortReason::Environment};
  if (!sources.remembered.empty()) return {sources.remembered, PortReason::Remembered};
  const auto& ports = sources.available;
  const bool default_listed = std::find(ports.begin(), ports.end(), kDefaultPort) != ports.end();
  if (!default_listed && ports.size() == 1) return {ports.front(), PortReason::OnlyOtherPort};
  return {std::string(kDefaultPort), PortReason::Default};
}

std::string_view reason_text(PortReason reason) {
  switch (reason) {
    case PortReason::Flag:
      return command_texts::kChosenByFlag;
    case PortReason::Environment:
      return command_texts::kChosenByEnvironment;
    case PortReason::Remembered:
      return command_texts::kChosenInTheWindow;
    case PortReason::Default:
      return command_texts::kDefaultPortChosen;
    case PortReason::OnlyOtherPort:
      return command_texts::kOnlyPortPresent;
  }
  return {};
}

PortSources port_sources(const std::string& flag,
                         const std::function<std::vector<SystemPort>()>& list_ports) {
  PortSources sources;
  sources.flag = flag;
  if (const char* set = std::getenv("KVT_SERIAL_PORT")) sources.environment = set;
  sources.remembered = remembered_port().device;
  if (!sources.flag.empty() || !sources.environment.empty() || !sources.remembered.empty()) {
    return sources;
  }
  for (const SystemPort& port : list_ports()) {
    // /dev/ttyS0 is looked for by its own name; any other port goes by its stable name.
    sources.available.push_back(port.device == kDefaultPort ? port.device : port.name_to_store());
  }
  return sources;
}

PortChoice current_port(const std::string& flag) {
  return choose_port(port_sources(flag, system_ports));
}

}  // namespace kvt
