#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "model/controls.h"
#include "model/dialogs.h"
#include "model/panel_config.h"
#include "model/status_box.h"
#include "window/editor_state.h"

class QAbstractButton;
class QCheckBox;
class QPlainTextEdit;
class QPrinter;

namespace kvt {
class EditHistory;
class ListBox;
class OutcomeNotice;
class PortSelector;
class TextBox;
class WindowActions;
class WindowController;
}  // namespace kvt

// The program's one window. It is built from the stored layout, owns the configuration values,
// and offers its lists, text boxes, tick box and status box to the rules and commands through
// kvt::Controls and kvt::StatusBox. Setting a selection or the tick box from code runs the
// control's handler exactly as the user's change does. Its commands, the unsaved mark and the
// close rule are the controller's (kvt::WindowController); its keys and menu are
// kvt::WindowActions.
class Form1 : public QWidget, public kvt::Controls, public kvt::StatusBox {
  Q_OBJECT

 public:
  // Without dialogs the window uses real message boxes and file choosers.
  explicit Form1(std::unique_ptr<kvt::Dialogs> dialogs = nullptr, QWidget* parent = nullptr);
  ~Form1() override;

  // The load handling, run once after creation and before the window is shown.
  void load();
  // Opens a configuration file as READ_FILE opens the one chosen, for a file named when the
  // program starts; the next READ_FILE offers it.
  void open_file(const std::string& path);
  // Closes the window as its close box does, ending a command under way, but without asking
  // about unsaved changes: for an end the user did not ask for in the window.
  void close_without_asking();
  // For a stop signal: when a panel write has sent its first write frame, the write goes on to
  // its end, saying so in the status box, and `then` runs once the command has ended; true then.
  // A panel left half-written would hold a mix of two configurations. False when no write is
  // under way: nothing is kept waiting.
  bool finish_write_then(std::function<void()> then);

  kvt::PanelConfig& config();
  kvt::PortSelector& port_selector();

  int selected(int list) const override;
  void select(int list, int position) override;
  std::int16_t item_value(int list, int position) const override;
  void set_list_visible(int list, bool visible) override;

  // Boxes 2..12 are the name and designation boxes; box 1 is the status box.
  std::string text(int box) const override;
  void set_text(int box, const std::string& text) override;
  void set_box_visible(int box, bool visible) override;

  bool ticked() const override;
  void set_ticked(bool ticked) override;

  kvt::Dialogs& dialogs() override;

  void set_status_text(const std::string& text) override;
  void set_status_colour(kvt::StatusColour colour) override;
  void set_status_visible(bool visible) override;

 protected:
  // Unsaved changes are asked about first (CANCEL keeps the window open). Closing the window
  // while a panel command waits then ends that command at its next wait; the command closes the
  // port and the program ends.
  void closeEvent(QCloseEvent* event) override;
  // Right click on the panel picture or the background, the Menu key or Shift+F10: the context
  // menu, shown without blocking, so a command that is running goes on.
  void contextMenuEvent(QContextMenuEvent* event) override;
  // Refused while the command buttons are being turned off: Qt would pass the focus of a button
  // turned off on to the next control, and on through the rest, each move announced to a screen
  // reader. The focus goes back to the button when the command ends.
  bool focusNextPrevChild(bool next) override;

  // The rules behind a list's selection and behind a change of Check1; every run of a handler,
  // by the user or by code, passes through here.
  virtual void run_list_handler(int list);
  virtual void run_check1_handler();
  // The system's print dialog, which also offers printing to a PDF file; false when cancelled.
  virtual bool choose_printer(QPrinter& printer);
  // Once a command has ended with its outcome, green or red, in the status box: tells a screen
  // reader, as an alert from the box, whose description is the whole text. The box changing away
  // from the focus would go unheard.
  virtual void announce_outcome();

 private:
  void build_picture_and_marker();
  void build_switch_labels();
  void build_captions(QWidget& parent, bool in_frame);
  QWidget& build_frame();
  void build_command_buttons();
  void build_text_boxes();
  void build_lists(QWidget& frame);
  // The command buttons and every change of a text box go to the controller.
  void tie_to_controller();
  // Each caption names its control to a screen reader, as a label's buddy.
  void tie_captions();
  void set_focus_order();

  // What the technician has edited, read off the controls; and put back as it was, without
  // running a handler, for undo and redo.
  kvt::EditorState editor_state() const;
  void show_editor_state(const kvt::EditorState& state);

  // A screen reader hears the status box's text while the box is shown, and nothing else.
  void describe_status();

  kvt::ListBox& list_box(int list) const;
  kvt::TextBox& text_box(int box) const;

  kvt::PanelConfig config_;
  std::unique_ptr<kvt::Dialogs> dialogs_;
  std::array<kvt::ListBox*, 22> lists_{};
  std::array<kvt::TextBox*, 11> text_boxes_{};  // Text2..Text12
  QPlainTextEdit* status_box_ = nullptr;        // Text1
  kvt::OutcomeNotice* outcome_notice_ = nullptr;
  static constexpr int kStatusMargin = 1;  // pixels around the status box's text
  // The status box's whole text, of which the box may show only the start.
  QString status_text_;
  QCheckBox* check1_ = nullptr;
  std::array<QAbstractButton*, 4> command_buttons_{};
  kvt::PortSelector* port_selector_ = nullptr;
  kvt::EditHistory* history_ = nullptr;
  kvt::WindowController* controller_ = nullptr;
  kvt::WindowActions* actions_ = nullptr;
  // The command under way has shown its outcome, green or red, in the status box.
  bool outcome_shown_ = false;
  bool turning_buttons_off_ = false;
};
