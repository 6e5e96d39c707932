#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/dialogs.h"

// Message boxes for a command run without a window: each one is logged, and `while_shown` runs
// for as long as the box is up, so a test can let time pass behind it. No file is ever chosen.
class LoggingDialogs : public kvt::Dialogs {
 public:
  struct Message {
    std::string text;
    std::string title;
    bool operator==(const Message&) const = default;
  };

  void message(const std::string& text, const std::string& title) override {
    messages.push_back({text, title});
    if (while_shown) while_shown();
  }
  bool show_save(kvt::FileChooser&) override { return false; }
  bool show_open(kvt::FileChooser&) override { return false; }

  std::vector<Message> messages;
  std::function<void()> while_shown;
};
