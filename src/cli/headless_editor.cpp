#include "cli/headless_editor.h"

#include "cli/console.h"
#include "model/editor_events.h"

namespace kvt::cli {

HeadlessEditor::HeadlessEditor(Console& console)
    : console_(console), controls_(config_, console), link_(config_, port_, console) {
  load_handling(config_, controls_);
}

PanelRead HeadlessEditor::read_panel(const std::string& device) {
  port_.set_port_one([device] { return device; });
  return read_config(config_, controls_, console_, link_);
}

CommandEnd HeadlessEditor::write_panel(const std::string& device) {
  port_.set_port_one([device] { return device; });
  return write_config(config_, controls_, console_, link_);
}

}  // namespace kvt::cli
