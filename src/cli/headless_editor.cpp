#include "cli/headless_editor.h"

#include "cli/console.h"
#include "commands/file_open.h"
#include "model/editor_events.h"

namespace kvt::cli {

HeadlessEditor::HeadlessEditor(Console& console) : console_(console), controls_(config_, console) {
  load_handling(config_, controls_);
  QObject::connect(&link(), &PanelLink::byte_transferred,
                   [&console](int number) { console.show_progress(number); });
  serial_link_.watch_frames(console.frame_log());
}

std::optional<std::string> HeadlessEditor::open_file(const std::string& path) {
  const FileOpenEnd end = open_config_file(config_, controls_, console_, path);
  if (end == FileOpenEnd::Opened) return std::nullopt;
  // Only a file that cannot be read is said in the status box; a refusal is a message.
  const bool said_in_red = end == FileOpenEnd::Unreadable;
  console_.print_outcome(said_in_red ? console_.status_text() : std::string(), false);
  return said_in_red ? console_.status_text() : console_.last_message();
}

PanelRead HeadlessEditor::read_panel(const std::string& device) {
  return read_config(config_, controls_, console_, link(), device);
}

PanelWrite HeadlessEditor::write_panel(const std::string& device) {
  return write_config(config_, controls_, console_, link(), device);
}

}  // namespace kvt::cli
