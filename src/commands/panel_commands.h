#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/panel_link.h"
#include "model/configuration.h"
#include "model/controls.h"
#include "model/memory_map.h"
#include "model/panel_config.h"
#include "model/status_box.h"

namespace kvt {

// How a panel command ended.
enum class CommandEnd {
  Done,
  PortNotOpened,  // said in red; nothing was sent
  Incomplete,     // a switch on a module has no channel: said in red; nothing was sent
  OtherModel,     // the panel is of another model: the mismatch message; nothing was written
  NoAnswer,       // the panel did not answer the wake-up
  PortBroke,      // the port stopped working: said in red
  Failed,         // a byte was refused, corrupted, out of range or not verified: said in red
  Cancelled,      // the program is closing or was told to stop; nothing said
};

// True for the ends a wrong port explains (nothing answered, the port broke or would not open),
// after which the user is told which port was used and how to choose another.
bool may_be_wrong_port(CommandEnd end);

// Which bytes a read takes after the model byte. The window's READ never reads the BL/MR code
// (every write sends 159 there, and nothing shows it); a comparison with a file takes every byte
// a write sends.
enum class ReadBytes { Shown, AllWritten };

// How a panel command ended, and the words it ended with in the status box: its success in
// green or its failure in red. `said` is empty when the end was said elsewhere or not at all (a
// panel of another model, a stop).
struct CommandOutcome {
  CommandEnd end = CommandEnd::Failed;
  std::string said;
  std::optional<std::int16_t> other_model;  // OtherModel: the model byte that panel answered with
};

// What a read brought: how it ended and the bytes read, by address (address 10 when it is not
// read, and any address after a failure, stay 0); `obtained` marks the addresses a value came
// from.
struct PanelRead : CommandOutcome {
  ConfigurationBytes bytes{};
  std::array<bool, memory_map::kConfigurationSize> obtained{};
};

// What a write did: how it ended, the bytes it sends (none while a switch is incomplete) and,
// when it ended otherwise than done after its first write frame, the highest address a write
// frame went out for: the panel may hold new bytes up to there.
struct PanelWrite : CommandOutcome {
  std::optional<ConfigurationBytes> bytes;
  std::optional<int> written_up_to;
};

// The read command (READ_CONFIG) on the panel at `device`: reads the panel's configuration
// bytes and shows them in the window through the lists and the tick box, running their handlers
// as a user's choices would. The panel name and the designations, which the panel does not hold,
// are emptied. After a whole read, the values it met that are not settings are named.
PanelRead read_config(PanelConfig& config, Controls& controls, StatusBox& status, PanelLink& link,
                      const std::string& device, ReadBytes read_bytes = ReadBytes::Shown);

// The write command (WRITE_CONFIG) on the panel at `device`: computes the configuration bytes
// from the window and writes them into the panel, every byte read back and verified. Nothing is
// sent while a switch is incomplete or when the panel is of another model. A write that fails
// after its first write frame says which addresses the panel may now hold new bytes at.
PanelWrite write_config(PanelConfig& config, Controls& controls, StatusBox& status, PanelLink& link,
                        const std::string& device);

// A comparison of the panel with a configuration: how its read ended, and, when it ended well,
// every difference in words (see differences()).
struct PanelComparison : PanelRead {
  std::vector<std::string> differences;
};

// Reads the panel at `device` as a comparison needs it (every byte a write sends; nothing is
// written) and compares it with `expected`, which the lines name `expected_side`. The panel's
// configuration is shown nowhere: the editor's controls keep what they hold. The status box
// follows the read as READ's does; `dialogs` hears a panel of another model and the values read
// that are not settings.
PanelComparison compare_with_panel(const ConfigurationBytes& expected,
                                   const std::string& expected_side, Dialogs& dialogs,
                                   StatusBox& status, PanelLink& link, const std::string& device);

}  // namespace kvt
