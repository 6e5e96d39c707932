#include "cli/headless_editor.h"

#include "cli/console.h"
#include "model/editor_events.h"

namespace kvt::cli {

HeadlessEditor::HeadlessEditor(Console& console) : console_(console), controls_(config_, console) {
  load_handling(config_, controls_);
  QObject::connect(&link(), &PanelLink::byte_transferred,
                   [&console](int number) { console.show_progress(number); });
  serial_link_.watch_frames(console.frame_log());
}

PanelRead HeadlessEditor::read_panel(const std::string& device, ReadBytes read_bytes) {
  return read_config(config_, controls_, console_, link(), device, read_bytes);
}

PanelWrite HeadlessEditor::write_panel(const std::string& device) {
  return write_config(config_, controls_, console_, link(), device);
}

}  // namespace kvt::cli
