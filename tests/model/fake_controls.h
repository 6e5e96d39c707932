#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "model/controls.h"
#include "model/editor_events.h"
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

// The window's controls as plain arrays, with the same event rules as the real window: a
// selection set from code runs its handler at once, nested, exactly once; Check1's handler runs
// on a real change only. It starts as the stored layout has it: nothing selected, Check1 ticked.
class FakeControls : public Controls {
 public:
  explicit FakeControls(PanelConfig& config) : config_(config) {
    selection_.fill(kNoSelection);
    list_visible_.fill(true);
    box_visible_.fill(true);
  }

  int selected(int list) const override { return selection_.at(list); }
  void select(int list, int position) override {
    selection_.at(list) = (position >= 0 && position < item_count(list)) ? position : kNoSelection;
    ++handler_runs.at(list);
    on_list_selected(config_, *this, list);
  }
  std::int16_t item_value(int list, int position) const override {
    if (list == kIndicatorList || list == kBackLightList) return kIntensityTable.at(position).value;
    if (list % 2 == 1) return kModuleTable.at(position).value;
    return kChannelTable.at(position).value;
  }
  void set_list_visible(int list, bool visible) override { list_visible_.at(list) = visible; }
  bool list_visible(int list) const { return list_visible_.at(list); }

  std::string text(int box) const override { return texts_.at(box); }
  void set_text(int box, const std::string& text) override { texts_.at(box) = text; }
  void set_box_visible(int box, bool visible) override { box_visible_.at(box) = visible; }
  bool box_visible(int box) const { return box_visible_.at(box); }

  bool ticked() const override { return ticked_; }
  void set_ticked(bool ticked) override {
    if (ticked == ticked_) return;
    ticked_ = ticked;
    on_check1_changed(config_, *this);
  }

  Dialogs& dialogs() override { return log; }

  // What the user does: the same event as code, one handler run.
  void user_selects(int list, int position) { select(list, position); }
  void user_ticks(bool ticked) { set_ticked(ticked); }

  MessageLog log;
  std::array<int, 23> handler_runs{};

 private:
  static int item_count(int list) {
    if (list == kIndicatorList || list == kBackLightList) return kIntensityTable.size();
    return list % 2 == 1 ? kModuleTable.size() : kChannelTable.size();
  }

  PanelConfig& config_;
  std::array<int, 23> selection_{};
  std::array<bool, 23> list_visible_{};
  std::array<bool, 13> box_visible_{};
  std::array<std::string, 13> texts_{};
  bool ticked_ = true;
};

}  // namespace kvt::testing
