#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/dialogs.h"

namespace kvt::testing {

// Dialogs that never block: every message is logged (`on_message` runs while it would be up, so a
// test can let time pass behind it), and the file chooser answers from a script of chosen paths
// and cancels, recording what each request asked for. A request with nothing left in the script
// is answered as a cancel. The question about unsaved changes is logged too and answered from a
// script of its own; with nothing left there it is answered DISCARD, so a test that does not care
// about the question sees its command run as if nothing had been asked.
class RecordingDialogs : public Dialogs {
 public:
  struct Message {
    std::string text;
    std::string title;
    bool operator==(const Message&) const = default;
  };
  enum class ChooserKind { Save, Open };
  struct ChooserRequest {
    ChooserKind kind;
    FileChooser offered;  // the chooser as it was when the dialog was asked for
  };

  void answer_with(std::string path) { script_.emplace_back(std::move(path)); }
  void answer_cancel() { script_.emplace_back(std::nullopt); }

  void answer_question(UnsavedAnswer answer) { answers_.push_back(answer); }

  const std::vector<Message>& messages() const { return messages_; }
  const std::vector<Message>& questions() const { return questions_; }
  const std::vector<ChooserRequest>& requests() const { return requests_; }
  std::size_t unanswered() const { return script_.size(); }

  // Runs when a message is shown, while it would still be on screen.
  std::function<void(const Message&)> on_message;

  void message(const std::string& text, const std::string& title) override {
    messages_.push_back({text, title});
    if (on_message) {
      on_message(messages_.back());
    }
  }
  bool show_save(FileChooser& chooser) override { return answer(ChooserKind::Save, chooser); }
  bool show_open(FileChooser& chooser) override { return answer(ChooserKind::Open, chooser); }
  UnsavedAnswer ask_save_first(const std::string& text, const std::string& title) override {
    questions_.push_back({text, title});
    if (answers_.empty()) {
      return UnsavedAnswer::Discard;
    }
    const UnsavedAnswer next = answers_.front();
    answers_.pop_front();
    return next;
  }

 private:
  bool answer(ChooserKind kind, FileChooser& chooser) {
    requests_.push_back({kind, chooser});
    if (script_.empty()) {
      return false;
    }
    std::optional<std::string> path = std::move(script_.front());
    script_.pop_front();
    if (!path) {
      return false;
    }
    chooser.file_name = std::move(*path);
    return true;
  }

  std::vector<Message> messages_;
  std::vector<Message> questions_;
  std::deque<UnsavedAnswer> answers_;
  std::vector<ChooserRequest> requests_;
  std::deque<std::optional<std::string>> script_;
};

}  // namespace kvt::testing
