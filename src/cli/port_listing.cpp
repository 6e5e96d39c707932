#include "cli/port_listing.h"

#include "cli/cli_texts.h"
#include "commands/port_choice.h"
#include "files/visible_text.h"
#include "link/link_texts.h"
#include "link/port_memory.h"
#include "link/settings_file.h"

namespace kvt::cli {

std::string ports_listing(const std::string& flag, const std::vector<SystemPort>& listed) {
  std::string listing;
  for (const SystemPort& port : listed) {
    listing += cli_texts::port_line(port.device, port.stable_name, port.description) + '\n';
  }
  const SettingsFile settings = settings_file();
  if (!settings.ignored_because.empty()) {
    listing +=
        link_texts::settings_file_ignored(visible_text(settings.path), settings.ignored_because) +
        '\n';
  }
  const std::string_view ignored = remembered_port().ignored_because;
  if (!ignored.empty()) {
    listing.append(link_texts::kRememberedPortIgnored).append(ignored).append(".\n");
  }
  const PortChoice choice = choose_port(port_sources(flag, [&] { return listed; }));
  // "No ports" beside "commands use /dev/ttyS0" would read as a contradiction: the default is
  // tried although nothing is there.
  if (listed.empty() && choice.reason == PortReason::Default) {
    return listing + cli_texts::no_ports_default_tried(choice.device) + '\n';
  }
  if (listed.empty()) listing.append(cli_texts::kNoPorts).append("\n");
  return listing + cli_texts::commands_use(choice.device, reason_text(choice.reason)) + '\n';
}

}  // namespace kvt::cli
