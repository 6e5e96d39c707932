#pragma once

#include <string>

namespace kvt {

enum class StatusColour { Yellow, Green, Red };

// The status box (Text1) where panel and file commands report how things stand.
class StatusBox {
 public:
  virtual ~StatusBox() = default;
  virtual void set_status_text(const std::string& text) = 0;
  virtual void set_status_colour(StatusColour colour) = 0;
  virtual void set_status_visible(bool visible) = 0;
};

}  // namespace kvt
