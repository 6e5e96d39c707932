#pragma once

#include <array>
#include <vector>

#include "model/editor_events.h"
#include "model/headless_controls.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"
#include "recording_dialogs.h"

namespace kvt::testing {

// The headless controls with their message boxes logged and every selection counted and kept in
// order.
class FakeControls : public HeadlessControls {
 public:
  explicit FakeControls(PanelConfig& config) : HeadlessControls(config, log) {}

  void select(int list, int position) override {
    ++handler_runs.at(list);
    selections.push_back(list);
    HeadlessControls::select(list, position);
  }

  // What the user does: the same event as code, one handler run.
  void user_selects(int list, int position) { select(list, position); }
  void user_ticks(bool ticked) { set_ticked(ticked); }

  RecordingDialogs log;
  std::array<int, 23> handler_runs{};
  std::vector<int> selections;  // the lists selected, in order
};

}  // namespace kvt::testing
