#pragma once

#include <string>
#include <string_view>

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

// How a command reports: the status box shown, in `colour`, with `text`.
inline void show_status(StatusBox& status, StatusColour colour, std::string_view text) {
  status.set_status_colour(colour);
  status.set_status_text(std::string(text));
  status.set_status_visible(true);
}

}  // namespace kvt
