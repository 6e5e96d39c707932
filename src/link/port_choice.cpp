#include "link/port_choice.h"

#include <algorithm>

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
      return "given with --port";
    case PortReason::Environment:
      return "set in KVT_SERIAL_PORT";
    case PortReason::Remembered:
      return "chosen in the window";
    case PortReason::Default:
      return "the default serial port";
    case PortReason::OnlyOtherPort:
      return "the only serial port present";
  }
  return {};
}

}  // namespace kvt
