#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>

#include "window/editor_state.h"

namespace kvt {

// The technician's edits since the configuration was last opened, read or started, as steps that
// can be undone and redone: each step holds the whole state before and after it, so undoing puts
// the controls back as they were without running their handlers, and no rule speaks again. The
// stack's clean point is the state last opened, read or saved: undone back to it, nothing is
// unsaved.
class EditHistory : public QObject {
  Q_OBJECT

 public:
  // `capture` reads the state the window shows; `show` puts one back without running handlers.
  EditHistory(std::function<EditorState()> capture, std::function<void(const EditorState&)> show,
              QObject* parent);
  ~EditHistory() override;

  // What has changed since the last step becomes one step; nothing when nothing has.
  void record();
  // After a load: the state shown is where undoing stops, and it is saved.
  void start_saved();
  // After a load that changed the window but did not end well: the state shown is where undoing
  // stops, and the configuration stays unsaved if it was.
  void start_keeping_mark();
  // What the window shows has just been saved (edits not yet recorded included).
  void mark_saved();
  // Whether the window shows anything not saved, edits not yet recorded included.
  bool unsaved();

  // Undoes the newest edit (a text still being typed is recorded as one first), or redoes the
  // edit undone last.
  void undo();
  void redo();
  bool can_undo() const { return stack_.canUndo(); }
  bool can_redo() const { return stack_.canRedo(); }

 signals:
  void can_undo_changed(bool can_undo);
  void can_redo_changed(bool can_redo);

 private:
  class Step;
  void show(const EditorState& state);

  std::function<EditorState()> capture_;
  std::function<void(const EditorState&)> show_;
  QUndoStack stack_;
  EditorState last_;  // the state after the newest step done, or the start
  // While a state is put back the controls move (a box hidden hands its focus on); nothing of
  // that is an edit.
  bool showing_ = false;
};

}  // namespace kvt
