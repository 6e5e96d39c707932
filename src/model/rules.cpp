#include "model/rules.h"

#include <cstdint>
#include <string>

#include "model/rule_texts.h"
#include "model/switch_rows.h"
#include "model/tables.h"

namespace kvt {
namespace {

std::int16_t selected_value(const Controls& controls, int list) {
  return controls.item_value(list, controls.selected(list));
}

bool any_switch_on_blmr(const Controls& controls) {
  for (int k = 1; k <= kSwitchCount; ++k) {
    if (controls.selected(module_list(k)) == kBlMrPosition) return true;
  }
  return false;
}

}  // namespace

void check_feature(PanelConfig& c, Controls& controls) {
  if (controls.ticked() && !any_switch_on_blmr(controls)) {
    controls.dialogs().message(std::string(rule_texts::kFeatureNeedsBlMr),
                               std::string(rule_texts::kFeatureTitle));
    controls.set_ticked(false);
  }
  c.feature = controls.ticked() ? 1 : 0;
}

void on_check1_changed(PanelConfig& c, Controls& controls) { check_feature(c, controls); }

void on_indicator_selected(PanelConfig& c, Controls& controls) {
  if (controls.selected(kIndicatorList) == kNoSelection) controls.select(kIndicatorList, 0);
  c.indpercent = selected_value(controls, kIndicatorList);
  if (c.indpercent >= c.blpercent) return;
  controls.dialogs().message(std::string(rule_texts::kIndicatorBelowBackLight));
  controls.select(kBackLightList, controls.selected(kIndicatorList));
}

void on_backlight_selected(PanelConfig& c, Controls& controls) {
  if (controls.selected(kBackLightList) == kNoSelection) controls.select(kBackLightList, 0);
  c.blpercent = selected_value(controls, kBackLightList);
  if (c.indpercent >= c.blpercent) return;
  controls.dialogs().message(std::string(rule_texts::kBackLightAboveIndicator));
  controls.select(kBackLightList, controls.selected(kIndicatorList));
  c.blpercent = selected_value(controls, kBackLightList);
}

void show_ind_percent(PanelConfig& c, Controls& controls) {
  c.blpercent = c.indpercent;
  if (const auto position = intensity_position(c.indpercent)) {
    controls.select(kIndicatorList, *position);
  } else {
    c.indpercent = 10;
    controls.select(kIndicatorList, 0);
  }
}

void show_bl_percent(PanelConfig& c, Controls& controls) {
  if (const auto position = intensity_position(c.blpercent)) {
    controls.select(kBackLightList, *position);
  } else {
    c.blpercent = 10;
    controls.select(kBackLightList, 0);
  }
}

}  // namespace kvt
