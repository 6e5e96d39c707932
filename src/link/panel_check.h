#pragma once

#include <cstdint>
#include <optional>

#include "link/panel_link.h"

namespace kvt {

// How the opening of a panel read went: the wake-up, then the model byte.
enum class PanelCheck {
  Ours,        // the panel answered and holds this program's model byte
  OtherModel,  // the panel answered with another model byte
  NoAnswer,    // nothing answered the wake-up
  PortBroke,   // the port stopped working during the wake-up or the model read
  Failed,      // the model byte could not be read (no reply, corrupted)
  Cancelled,   // the program is closing or was told to stop
};

struct PanelCheckEnd {
  PanelCheck check = PanelCheck::Failed;
  std::int16_t model = 0;  // the model byte read, for Ours and OtherModel
  // How the wake-up ended, and how the model byte's read ended once the panel woke.
  Transfer wake_up = Transfer::Ok;
  std::optional<Transfer> model_read;
};

// Wakes the panel on the open link and reads its model byte after a one-tick pause. Every panel
// command starts so, and probing a port is this and nothing more: no write frame is ever sent.
PanelCheckEnd wake_and_check_model(PanelLink& link);

}  // namespace kvt
