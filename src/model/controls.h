#pragma once

#include <cstdint>
#include <string>

#include "model/dialogs.h"

namespace kvt {

// The window's controls as the rules and commands see them, by their numbers: lists List1..List22,
// text boxes Text2..Text12, the tick box Check1. Form1 implements it with its widgets; tests can
// implement it with plain arrays.
class Controls {
 public:
  virtual ~Controls() = default;

  // Selected position of list n, counted from 0; -1 when nothing is selected.
  virtual int selected(int list) const = 0;
  // Selects a position (-1, or any position the list does not have, clears the selection) and
  // runs that list's selection handler at once, nested, exactly once, even when the position
  // does not change.
  virtual void select(int list, int position) = 0;
  virtual std::int16_t item_value(int list, int position) const = 0;
  virtual void set_list_visible(int list, bool visible) = 0;

  virtual std::string text(int box) const = 0;  // UTF-8
  virtual void set_text(int box, const std::string& text) = 0;
  virtual void set_box_visible(int box, bool visible) = 0;

  virtual bool ticked() const = 0;
  // Changes Check1's state; when the state really changes its handler runs at once, nested.
  virtual void set_ticked(bool ticked) = 0;

  virtual Dialogs& dialogs() = 0;
};

}  // namespace kvt
