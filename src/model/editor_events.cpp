#include "model/editor_events.h"

#include "model/rule_texts.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"

namespace kvt {
namespace {

// Module "P" with channel "10" would be stored as 159, which the panel takes as "BL/MR": the
// choice that makes the pair is refused and the channel left unselected, so the switch is
// incomplete until another channel is chosen. Clearing the channel runs its handler nested,
// which finds the pair gone.
void refuse_p10(Controls& controls, int switch_number) {
  if (controls.selected(module_list(switch_number)) != kModulePPosition ||
      controls.selected(channel_list(switch_number)) != kChannel10Position) {
    return;
  }
  controls.dialogs().message(std::string(rule_texts::kP10Refused),
                             std::string(rule_texts::kSwitchAssignmentTitle));
  controls.select(channel_list(switch_number), kNoSelection);
}

// A module choice re-checks independent lighting (the list already shows the new choice), then
// offers the channel list only for a module "A".."P". The channel list keeps its selection while
// hidden, so choosing a module again brings back the old channel.
void on_module_selected(PanelConfig& c, Controls& controls, int switch_number) {
  check_feature(c, controls);
  const int position = controls.selected(module_list(switch_number));
  const bool has_channel = position != kNaPosition && position != kBlMrPosition;
  controls.set_list_visible(channel_list(switch_number), has_channel);
  refuse_p10(controls, switch_number);
}

void on_channel_selected(Controls& controls, int switch_number) {
  controls.set_box_visible(designation_box(switch_number), true);
  refuse_p10(controls, switch_number);
}

}  // namespace

void load_handling(PanelConfig& c, Controls& controls) {
  controls.set_ticked(false);
  controls.select(kIndicatorList, 0);
  controls.select(kBackLightList, 0);
  c.indpercent = 10;
  c.blpercent = 10;
}

void on_list_selected(PanelConfig& c, Controls& controls, int list) {
  if (list == kIndicatorList) {
    on_indicator_selected(c, controls);
  } else if (list == kBackLightList) {
    on_backlight_selected(c, controls);
  } else if (list % 2 == 1) {
    on_module_selected(c, controls, (list + 1) / 2);
  } else {
    on_channel_selected(controls, list / 2);
  }
}

}  // namespace kvt
