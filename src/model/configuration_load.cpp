#include "model/configuration_load.h"

#include <stdexcept>
#include <string>

#include "model/decode_switch.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"

namespace kvt {
namespace {

// The switch whose code is stored at `address`, or 0 for an address that holds no switch code.
int switch_at(std::int16_t address) {
  for (int k = 1; k <= kSwitchCount; ++k) {
    if (memory_map::switch_address(k) == address) return k;
  }
  return 0;
}

void load_switch(PanelConfig& c, Controls& controls, int switch_number, std::int16_t code,
                 ByteSource source) {
  const int box = designation_box(switch_number);
  if (source == ByteSource::Panel) controls.set_text(box, "");
  const SwitchPositions at = decode_switch(code);
  // A BL/MR or N/A code has no channel: its hidden channel list gets the position the switch
  // loaded before it got.
  c.carried_channel = static_cast<std::int16_t>(at.channel.value_or(c.carried_channel));
  // Module "P" met by channel "10" left from before would be refused as if the user had paired
  // them; the channel this load selects next takes its place anyway.
  if (at.module == kModulePPosition &&
      controls.selected(channel_list(switch_number)) == kChannel10Position) {
    controls.select(channel_list(switch_number), kNoSelection);
  }
  controls.select(module_list(switch_number), at.module);
  controls.select(channel_list(switch_number), c.carried_channel);
  controls.set_box_visible(box, source == ByteSource::File);
}

}  // namespace

bool ticks_check1(std::int16_t flag, ByteSource source) {
  return source == ByteSource::File ? flag == 1 : flag != 0;
}

void load_byte(PanelConfig& c, Controls& controls, std::int16_t address, std::int16_t value,
               ByteSource source) {
  if (const int k = switch_at(address)) {
    load_switch(c, controls, k, value, source);
    return;
  }
  if (!memory_map::holds_a_setting(address)) return;
  switch (address) {
    case memory_map::kFeatureFlag:
      controls.set_ticked(ticks_check1(value, source));
      return;
    case memory_map::kIndicator:
      c.indpercent = value;
      show_ind_percent(c, controls);
      return;
    case memory_map::kBackLight:
      c.blpercent = value;
      show_bl_percent(c, controls);
      return;
    default:
      throw std::out_of_range("address " + std::to_string(address) +
                              " holds no configuration byte");
  }
}

void load_configuration(PanelConfig& c, Controls& controls, const Configuration& configuration) {
  controls.set_text(kPanelNameBox, configuration.names.panel);
  for (std::size_t address = 0; address < configuration.bytes.size(); ++address) {
    const auto at = static_cast<std::int16_t>(address);
    if (const int k = switch_at(at)) {
      controls.set_text(designation_box(k), configuration.names.designations[k - 1]);
    }
    load_byte(c, controls, at, configuration.bytes[address], ByteSource::File);
  }
}

}  // namespace kvt
