#include "model/configuration_view.h"

#include <variant>

#include "model/setting_text.h"
#include "model/tables.h"

namespace kvt {
namespace {

int percent_in(const Controls& controls, int list) {
  const int position = controls.selected(list);
  if (position == kNoSelection) return 0;
  return intensity_percent(controls.item_value(list, position));
}

SwitchView switch_in(const Controls& controls, int k) {
  const int module = controls.selected(module_list(k));
  SwitchPositions at{module == kNoSelection ? kNaPosition : module, std::nullopt};
  const int channel = controls.selected(channel_list(k));
  const bool on_a_module =
      module != kNoSelection && module != kNaPosition && module != kBlMrPosition;
  if (on_a_module && channel != kNoSelection) at.channel = channel;

  SwitchView view;
  view.module = std::string(kModuleTable.at(static_cast<std::size_t>(at.module)).text);
  if (at.channel) view.channel = *at.channel + 1;
  view.setting = setting_text(at);
  view.designation = controls.text(designation_box(k));
  return view;
}

}  // namespace

ConfigurationView view_of(const PanelConfig& config, const Controls& controls) {
  ConfigurationView view;
  view.panel = controls.text(kPanelNameBox);
  for (int k = 1; k <= kSwitchCount; ++k) view.switches[k - 1] = switch_in(controls, k);
  view.independent_lighting = controls.ticked();
  view.indicator_percent = percent_in(controls, kIndicatorList);
  view.backlight_percent = percent_in(controls, kBackLightList);

  const auto bytes = bytes_to_write(config, controls);
  if (const auto* complete = std::get_if<ConfigurationBytes>(&bytes)) view.codes = *complete;
  return view;
}

}  // namespace kvt
