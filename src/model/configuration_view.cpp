#include "model/configuration_view.h"

#include <variant>

#include "model/tables.h"

namespace kvt {
namespace {

int percent_in(const Controls& controls, int list) {
  const int position = controls.selected(list);
  if (position == kNoSelection) return 0;
  return std::stoi(std::string(kIntensityTable.at(static_cast<std::size_t>(position)).text));
}

SwitchView switch_in(const Controls& controls, int k) {
  SwitchView view;
  const int module = controls.selected(module_list(k));
  view.module = std::string(
      kModuleTable.at(static_cast<std::size_t>(module == kNoSelection ? kNaPosition : module))
          .text);
  const int channel = controls.selected(channel_list(k));
  const bool on_a_module =
      module != kNoSelection && module != kNaPosition && module != kBlMrPosition;
  if (on_a_module && channel != kNoSelection) view.channel = channel + 1;
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

std::string setting_of(const SwitchView& view) {
  std::string setting = view.module;
  if (view.channel) setting += ' ' + std::to_string(*view.channel);
  return setting;
}

}  // namespace kvt
