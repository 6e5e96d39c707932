#include "window/edit_history.h"

#include <QUndoCommand>
#include <utility>

namespace kvt {

// One edit: the state before it and after it.
class EditHistory::Step : public QUndoCommand {
 public:
  Step(EditHistory& history, EditorState before, EditorState after)
      : history_(history), before_(std::move(before)), after_(std::move(after)) {}

  void undo() override { history_.show(before_); }
  // The stack redoes a step as it is pushed; the window shows that state already.
  void redo() override {
    if (!std::exchange(first_redo_, false)) history_.show(after_);
  }

 private:
  EditHistory& history_;
  const EditorState before_;
  const EditorState after_;
  bool first_redo_ = true;
};

EditHistory::EditHistory(std::function<EditorState()> capture,
                         std::function<void(const EditorState&)> show, QObject* parent)
    : QObject(parent), capture_(std::move(capture)), show_(std::move(show)), last_(capture_()) {
  connect(&stack_, &QUndoStack::canUndoChanged, this, &EditHistory::can_undo_changed);
  connect(&stack_, &QUndoStack::canRedoChanged, this, &EditHistory::can_redo_changed);
}

EditHistory::~EditHistory() = default;

void EditHistory::record() {
  if (showing_) return;
  EditorState now = capture_();
  if (now == last_) return;
  EditorState before = std::exchange(last_, now);
  stack_.push(new Step(*this, std::move(before), std::move(now)));
}

void EditHistory::start_saved() {
  last_ = capture_();
  stack_.clear();
  // Clearing an empty stack leaves its clean point where it was, even where none is left.
  stack_.setClean();
}

void EditHistory::start_keeping_mark() {
  if (capture_() == last_) return;
  // What the load changed is no edit of the technician's, so it is not recorded first.
  const bool was_unsaved = !stack_.isClean();
  start_saved();
  if (was_unsaved) stack_.resetClean();
}

void EditHistory::mark_saved() {
  record();
  stack_.setClean();
}

bool EditHistory::unsaved() {
  record();
  return !stack_.isClean();
}

void EditHistory::undo() {
  record();
  stack_.undo();
}

void EditHistory::redo() {
  record();
  stack_.redo();
}

void EditHistory::show(const EditorState& state) {
  showing_ = true;
  show_(state);
  showing_ = false;
  last_ = state;
}

}  // namespace kvt
