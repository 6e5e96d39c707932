#pragma once

#include <optional>
#include <string>

#include "model/status_box.h"

namespace kvt::testing {

// Remembers what was done to the status box. Starts with a text of its own, so a test can tell
// "left alone" from "emptied".
class RecordingStatusBox : public StatusBox {
 public:
  static constexpr const char* kUntouched = "TEXT BEFORE THE TRANSFER";

  void set_status_text(const std::string& text) override { this->text = text; }
  void set_status_colour(StatusColour colour) override { this->colour = colour; }
  void set_status_visible(bool visible) override { this->visible = visible; }

  std::string text = kUntouched;
  std::optional<StatusColour> colour;
  bool visible = false;
};

}  // namespace kvt::testing
