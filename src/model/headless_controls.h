#pragma once

#include <array>
#include <string>

#include "model/controls.h"
#include "model/panel_config.h"

namespace kvt {

// The window's controls as plain data, for running the commands without a window (the command
// line) and for testing the rules. The lists carry the window's tables and every change runs
// the same handler as in the window: a selection set from code runs its list's handler at once,
// nested, exactly once; Check1's handler runs on a real change only. It starts as the window is
// built, before the load handling: nothing selected, Check1 ticked, every list and box shown.
class HeadlessControls : public Controls {
 public:
  HeadlessControls(PanelConfig& config, Dialogs& dialogs);

  int selected(int list) const override;
  void select(int list, int position) override;
  std::int16_t item_value(int list, int position) const override;
  void set_list_visible(int list, bool visible) override;
  bool list_visible(int list) const;

  std::string text(int box) const override;
  void set_text(int box, const std::string& text) override;
  void set_box_visible(int box, bool visible) override;
  bool box_visible(int box) const;

  bool ticked() const override;
  void set_ticked(bool ticked) override;

  Dialogs& dialogs() override;

 private:
  static constexpr int kLists = 22;
  static constexpr int kBoxes = 12;

  PanelConfig& config_;
  Dialogs& dialogs_;
  std::array<int, kLists + 1> selection_{};  // by list number; [0] unused
  std::array<bool, kLists + 1> list_visible_{};
  std::array<bool, kBoxes + 1> box_visible_{};  // by box number; [0] unused
  std::array<std::string, kBoxes + 1> texts_{};
  bool ticked_ = true;
};

}  // namespace kvt
