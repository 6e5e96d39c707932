#pragma once

#include <cstdint>

#include "model/configuration.h"
#include "model/controls.h"
#include "model/panel_config.h"

namespace kvt {

// The one way a configuration enters the controls, as a user's choices would: every selection
// and tick runs its control's handler, so the editing rules apply during a load. The panel read
// loads its bytes one at a time as they arrive; a file's configuration is loaded whole through
// load_configuration.

// Where a configuration byte comes from. The two read the independent-lighting flag
// differently: a file's flag ticks Check1 only when it is exactly 1, a panel's byte whenever it
// is not 0.
enum class ByteSource { File, Panel };

// Whether an independent-lighting flag from `source` ticks Check1.
bool ticks_check1(std::int16_t flag, ByteSource source);

// Loads the byte for `address` (0 to 13) into the controls:
// - a switch code is decoded and selects the switch's module list, then its channel list. A
//   panel holds no designations, so the switch's box is emptied and hidden, even where the
//   channel list's handler has just shown it; a file's box keeps the designation set before
//   and is shown;
// - the BL/MR code changes nothing (every write and save sends 159 in its place);
// - the independent-lighting flag ticks or clears Check1 by its source's rule;
// - an intensity code selects its list (a code without an item as "100").
// Throws std::out_of_range for an address outside the configuration.
void load_byte(PanelConfig& config, Controls& controls, std::int16_t address, std::int16_t value,
               ByteSource source);

// A file's configuration: the panel name, then address by address each designation and byte.
void load_configuration(PanelConfig& config, Controls& controls,
                        const Configuration& configuration);

}  // namespace kvt
