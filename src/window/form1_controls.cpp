#include <QAccessible>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <stdexcept>

#include "model/editor_events.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "window/form1.h"
#include "window/list_box.h"
#include "window/outcome_notice.h"
#include "window/status_text_fit.h"
#include "window/text_box.h"
#include "window/theme.h"
#include "window/window_controller.h"
#include "window/window_texts.h"

namespace texts = kvt::window_texts;

kvt::PanelConfig& Form1::config() { return config_; }

kvt::PortSelector& Form1::port_selector() { return *port_selector_; }

kvt::Dialogs& Form1::dialogs() { return *dialogs_; }

kvt::ListBox& Form1::list_box(int list) const {
  if (list < 1 || list > static_cast<int>(lists_.size())) {
    throw std::out_of_range("there is no List" + std::to_string(list));
  }
  return *lists_[list - 1];
}

kvt::TextBox& Form1::text_box(int box) const {
  const int index = box - kvt::kPanelNameBox;
  if (index < 0 || index >= static_cast<int>(text_boxes_.size())) {
    throw std::out_of_range("there is no name or designation box Text" + std::to_string(box));
  }
  return *text_boxes_[index];
}

int Form1::selected(int list) const { return list_box(list).selected_position(); }

void Form1::select(int list, int position) {
  kvt::ListBox& box = list_box(list);
  {
    // The handler runs once below, whether or not the selection changed.
    const QSignalBlocker quiet(box);
    box.set_selected_position(position);
  }
  run_list_handler(list);
}

std::int16_t Form1::item_value(int list, int position) const {
  return list_box(list).item_value(position);
}

void Form1::set_list_visible(int list, bool visible) { list_box(list).setVisible(visible); }

std::string Form1::text(int box) const {
  if (box == kvt::kStatusBoxNumber) {
    return status_text_.toStdString();
  }
  return text_box(box).text().toStdString();
}

void Form1::set_text(int box, const std::string& text) {
  if (box == kvt::kStatusBoxNumber) {
    set_status_text(text);
    return;
  }
  text_box(box).set_program_text(QString::fromStdString(text));
}

void Form1::set_box_visible(int box, bool visible) {
  if (box == kvt::kStatusBoxNumber) {
    set_status_visible(visible);
    return;
  }
  text_box(box).setVisible(visible);
}

bool Form1::ticked() const { return check1_->isChecked(); }

// Check1's handler runs from its toggled signal, so a change by code and a click by the user
// run it alike, once per real change.
void Form1::set_ticked(bool ticked) { check1_->setChecked(ticked); }

void Form1::set_status_text(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  // Every byte of a command says "COMMUNICATIONS OK" again; laying the same text out anew each
  // time was a good part of a command's CPU.
  if (shown == status_text_) return;
  status_text_ = shown;
  status_box_->ensurePolished();
  const QRect inside = status_box_->contentsRect().adjusted(kStatusMargin, kStatusMargin,
                                                            -kStatusMargin, -kStatusMargin);
  const QString part = kvt::shown_part(status_text_, status_box_->font(), inside.size(),
                                       QString::fromUtf8(texts::kStatusCutMark));
  status_box_->setPlainText(part);
  status_box_->setToolTip(part == status_text_ ? QString() : status_text_);
  describe_status();
}

void Form1::set_status_colour(kvt::StatusColour colour) {
  outcome_shown_ = colour != kvt::StatusColour::Yellow;
  QPalette colours = status_box_->palette();
  if (colours.color(QPalette::Base) == kvt::theme::status_colour(colour)) return;
  colours.setColor(QPalette::Base, kvt::theme::status_colour(colour));
  status_box_->setPalette(colours);
}

void Form1::set_status_visible(bool visible) {
  status_box_->setVisible(visible);
  describe_status();
}

void Form1::describe_status() {
  status_box_->setAccessibleDescription(status_box_->isHidden() ? QString() : status_text_);
}

void Form1::announce_outcome() {
  QAccessibleEvent alert(status_box_, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
  outcome_notice_->announce(status_text_);
}

void Form1::run_list_handler(int list) {
  controller_->run_edit([this, list] { kvt::on_list_selected(config_, *this, list); });
}

void Form1::run_check1_handler() {
  controller_->run_edit([this] { kvt::on_check1_changed(config_, *this); });
}

kvt::EditorState Form1::editor_state() const {
  kvt::EditorState state;
  for (int list = 1; list <= kvt::EditorState::kLists; ++list) {
    state.selected[list - 1] = selected(list);
    state.list_shown[list - 1] = !list_box(list).isHidden();
  }
  for (int i = 0; i < kvt::EditorState::kBoxes; ++i) {
    state.texts[i] = text(kvt::kPanelNameBox + i);
    state.box_shown[i] = !text_boxes_[i]->isHidden();
  }
  state.ticked = ticked();
  state.config = config_;
  return state;
}

void Form1::show_editor_state(const kvt::EditorState& state) {
  for (int list = 1; list <= kvt::EditorState::kLists; ++list) {
    kvt::ListBox& box = list_box(list);
    {
      const QSignalBlocker quiet(box);
      box.set_selected_position(state.selected[list - 1]);
    }
    box.setVisible(state.list_shown[list - 1]);
  }
  for (int i = 0; i < kvt::EditorState::kBoxes; ++i) {
    kvt::TextBox& box = *text_boxes_[i];
    const QString wanted = QString::fromStdString(state.texts[i]);
    // The same text put there again would move the cursor of a box the technician is in.
    if (box.text() != wanted) box.set_program_text(wanted);
    box.setVisible(state.box_shown[i]);
  }
  {
    const QSignalBlocker quiet(check1_);
    check1_->setChecked(state.ticked);
  }
  config_ = state.config;
}
