#pragma once

#include "model/panel_config.h"

namespace kvt {

// Turns the switch code in `A` into list positions: `h_index` for the module list and, for
// codes below 159, `l_index` for the channel list. 159 and 160-and-above leave `l_index` as the
// previous decode left it. For codes 10..158 `A` is left holding the channel remainder.
void decode_switch(PanelConfig& config);

}  // namespace kvt
