#include "model/configuration_load.h"

#include "model/decode_switch.h"
#include "model/rules.h"
#include "model/switch_rows.h"

namespace kvt {

void load_switch(PanelConfig& c, Controls& controls, int switch_number, std::int16_t code,
                 const std::optional<std::string>& designation) {
  const int box = designation_box(switch_number);
  controls.set_text(box, designation.value_or(""));
  c.A = code;
  decode_switch(c);
  controls.select(module_list(switch_number), c.h_index);
  controls.select(channel_list(switch_number), c.l_index);
  controls.set_box_visible(box, designation.has_value());
}

void load_feature(Controls& controls, bool ticked) { controls.set_ticked(ticked); }

void load_indicator(PanelConfig& c, Controls& controls, std::int16_t code) {
  c.indpercent = code;
  show_ind_percent(c, controls);
}

void load_backlight(PanelConfig& c, Controls& controls, std::int16_t code) {
  c.blpercent = code;
  show_bl_percent(c, controls);
}

void load_configuration(PanelConfig& c, Controls& controls, const Configuration& configuration) {
  const ConfigurationBytes& bytes = configuration.bytes;
  if (configuration.names) {
    c.panel = configuration.names->panel;
    c.sdesig = configuration.names->designations;
    controls.set_text(kPanelNameBox, c.panel);
  }
  for (int k = 1; k <= kSwitchCount; ++k) c.s[k - 1] = bytes[memory_map::switch_address(k)];
  c.BL = bytes[memory_map::kBlMrCode];

  for (int k = 1; k <= kSwitchCount; ++k) {
    std::optional<std::string> designation;
    if (configuration.names) designation = configuration.names->designations[k - 1];
    load_switch(c, controls, k, c.s[k - 1], designation);
  }
  load_feature(controls, bytes[memory_map::kFeatureFlag] == 1);
  load_indicator(c, controls, bytes[memory_map::kIndicator]);
  load_backlight(c, controls, bytes[memory_map::kBackLight]);
}

}  // namespace kvt
