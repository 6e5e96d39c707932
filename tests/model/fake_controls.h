#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/dialogs.h"
#include "model/editor_events.h"
#include "model/headless_controls.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"

namespace kvt::testing {

// Records every message box; the chooser is never used by the rules.
class MessageLog : public Dialogs {
 public:
  struct Message {
    std::string text;
    std::string title;
  };
  void message(const std::string& text, const std::string& title) override {
    messages.push_back({text, title});
  }
  bool show_save(FileChooser&) override { return false; }
  bool show_open(FileChooser&) override { return false; }
  std::vector<Message> messages;
};

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

  MessageLog log;
  std::array<int, 23> handler_runs{};
};

}  // namespace kvt::testing
