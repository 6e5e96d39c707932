#pragma once

#include <array>
#include <string>

#include "model/panel_config.h"
#include "model/switch_rows.h"

namespace kvt {

// Everything the technician edits in the window, as it stands: each list's selected position and
// whether it is shown, each name and designation box's text and whether it is shown, the tick
// box, and the values kept beside the controls. Put back whole, it is the window as it was.
struct EditorState {
  static constexpr int kLists = kBackLightList;
  static constexpr int kBoxes = designation_box(kSwitchCount) - kPanelNameBox + 1;

  std::array<int, kLists> selected{};  // by list number - 1
  std::array<bool, kLists> list_shown{};
  std::array<std::string, kBoxes> texts;  // by box number - kPanelNameBox
  std::array<bool, kBoxes> box_shown{};
  bool ticked = false;
  PanelConfig config;

  bool operator==(const EditorState&) const = default;
};

}  // namespace kvt
