#pragma once

#include <array>

#include "model/editor_events.h"
#include "model/headless_controls.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"
#include "recording_dialogs.h"

namespace kvt::testing {

// The headless controls with their message boxes logged and every handler run counted.
class FakeControls : public HeadlessControls {
 public:
  explicit FakeControls(PanelConfig& config) : HeadlessControls(config, log) {}

  void select(int list, int position) override {
    ++handler_runs.at(list);
    HeadlessControls::select(list, position);
  }

  // What the user does: the same event as code, one handler run.
  void user_selects(int list, int position) { select(list, position); }
  void user_ticks(bool ticked) { set_ticked(ticked); }

  RecordingDialogs log;
  std::array<int, 23> handler_runs{};
};

}  // namespace kvt::testing
