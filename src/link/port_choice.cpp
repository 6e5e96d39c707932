#include "link/port_choice.h"

#include <algorithm>

#include "link/link_texts.h"

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
      return link_texts::kChosenByFlag;
    case PortReason::Environment:
      return link_texts::kChosenByEnvironment;
    case PortReason::Remembered:
      return link_texts::kChosenInTheWindow;
    case PortReason::Default:
      return link_texts::kDefaultPortChosen;
    case PortReason::OnlyOtherPort:
      return link_texts::kOnlyPortPresent;
  }
  return {};
}

}  // namespace kvt
