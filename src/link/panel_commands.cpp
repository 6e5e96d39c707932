#include "link/panel_commands.h"

#include <array>
#include <string>

#include "model/decode_switch.h"
#include "model/memory_map.h"
#include "model/rules.h"
#include "model/switch_rows.h"
#include "model/tables.h"

namespace kvt {
namespace {

namespace texts {
constexpr const char* kStartRead = "STARTING COMMUNICATIONS TO READ SWITCH PANEL CONFIGURATION";
constexpr const char* kStartWrite = "STARTING COMMUNICATIONS TO WRITE SWITCH PANEL CONFIGURATION";
constexpr const char* kReadDone = "SWITCH PANEL DATA READ SUCCESSFUL";
constexpr const char* kWriteDone = "SWITCH PANEL HAS BEEN PROGRAMMED";
constexpr const char* kTransferFailed = "COMMUNICATIONS FAILURE-BAD SWITCH PANEL DATA";
constexpr const char* kIncomplete =
    "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA";
constexpr const char* kMismatchTitle = "SWITCH PANEL/CONFIGURATION MIS-MATCH";
constexpr const char* kMismatchRead =
    "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO READ DATA FROM DOES NOT MATCH THIS "
    "CONFIGURATION PROGRAM";
constexpr const char* kMismatchWrite =
    "THE SWITCH PANEL THAT YOU HAVE ATTEMPTED TO WRITE DATA TO DOES NOT MATCH THIS "
    "CONFIGURATION PROGRAM";
}  // namespace texts

void show(StatusBox& status, StatusColour colour, const std::string& text) {
  status.set_status_colour(colour);
  status.set_status_text(text);
  status.set_status_visible(true);
}

// A transfer step: a one-tick pause, then one byte read from `address` into A.
void read_step(PanelLink& link, std::int16_t address) {
  link.wait_tick();
  link.address_l = address;
  link.readee();
}

// A read that brought no value at all (no reply, too short a reply, the port broke down, the
// window is closing) leaves A holding an older byte; that byte must not be shown as the panel's.
bool no_value_read(const PanelConfig& c, const PanelLink& link) {
  return c.error_flag == 1 && !link.value_taken();
}

// Reads the model byte; true when the panel is ours. A panel of another model gets the message
// box and nothing more.
enum class ModelCheck { Ours, OtherModel, Failed };
ModelCheck check_model(PanelConfig& c, Controls& controls, PanelLink& link, const char* prompt) {
  read_step(link, memory_map::kModel);
  if (no_value_read(c, link)) return ModelCheck::Failed;
  if (c.A != memory_map::kModelByte) {
    controls.dialogs().message(prompt, texts::kMismatchTitle);
    return ModelCheck::OtherModel;
  }
  return c.error_flag == 1 ? ModelCheck::Failed : ModelCheck::Ours;
}

// The bytes after the model check. Each value read is put on screen before its error flag is
// tested, so a byte outside 0..160 is still shown; a read that brought no value stops at once.
// Returns false at the first failed transfer.
bool read_configuration_bytes(PanelConfig& c, Controls& controls, PanelLink& link) {
  for (int k = 1; k <= kSwitchCount; ++k) {
    read_step(link, memory_map::switch_address(k));
    if (no_value_read(c, link)) return false;
    decode_switch(c);
    controls.select(module_list(k), c.h_index);
    controls.select(channel_list(k), c.l_index);
    controls.set_text(designation_box(k), "");
    controls.set_box_visible(designation_box(k), false);
    if (c.error_flag == 1) return false;
  }

  read_step(link, memory_map::kFeatureFlag);
  if (no_value_read(c, link)) return false;
  controls.set_ticked(c.A != 0);
  if (c.error_flag == 1) return false;

  read_step(link, memory_map::kIndicator);
  if (no_value_read(c, link)) return false;
  c.indpercent = c.A;
  show_ind_percent(c, controls);
  if (c.error_flag == 1) return false;

  read_step(link, memory_map::kBackLight);
  if (no_value_read(c, link)) return false;
  c.blpercent = c.A;
  show_bl_percent(c, controls);
  return c.error_flag == 0;
}

void run_read(PanelConfig& c, Controls& controls, StatusBox& status, PanelLink& link) {
  if (!link.wake_panel()) {
    if (link.port_failed()) show(status, StatusColour::Red, texts::kTransferFailed);
    return;
  }
  switch (check_model(c, controls, link, texts::kMismatchRead)) {
    case ModelCheck::OtherModel:
      return;
    case ModelCheck::Failed:
      break;
    case ModelCheck::Ours:
      if (read_configuration_bytes(c, controls, link)) {
        link.wait_tick();
        show(status, StatusColour::Green, texts::kReadDone);
        return;
      }
      break;
  }
  show(status, StatusColour::Red, texts::kTransferFailed);
}

// Writes addresses 0..13 in ascending order; false at the first byte that fails.
bool write_configuration_bytes(PanelConfig& c, PanelLink& link) {
  std::array<std::int16_t, 14> bytes{};
  for (int k = 1; k <= kSwitchCount; ++k) bytes[memory_map::switch_address(k)] = c.sw[k - 1];
  bytes[memory_map::kBlMrCode] = c.BL;
  bytes[memory_map::kFeatureFlag] = c.feature;
  bytes[memory_map::kIndicator] = c.indpercent;
  bytes[memory_map::kBackLight] = c.blpercent;

  for (std::size_t address = 0; address < bytes.size(); ++address) {
    link.wait_tick();
    link.address_l = static_cast<std::int16_t>(address);
    link.data_l = bytes[address];
    link.sendee();
    if (c.error_flag == 1) return false;
  }
  return true;
}

void run_write(PanelConfig& c, Controls& controls, StatusBox& status, PanelLink& link) {
  if (c.error_flag == 1) {
    show(status, StatusColour::Red, texts::kIncomplete);
    return;
  }
  if (!link.wake_panel()) {
    if (link.port_failed()) show(status, StatusColour::Red, texts::kTransferFailed);
    return;
  }
  switch (check_model(c, controls, link, texts::kMismatchWrite)) {
    case ModelCheck::OtherModel:
      return;
    case ModelCheck::Failed:
      break;
    case ModelCheck::Ours:
      if (write_configuration_bytes(c, link)) {
        link.wait_tick();
        show(status, StatusColour::Green, texts::kWriteDone);
        return;
      }
      break;
  }
  show(status, StatusColour::Red, texts::kTransferFailed);
}

// Opens the link; a port that will not open is reported in red and ends the command.
bool open_or_report(StatusBox& status, PanelLink& link) {
  if (link.open_link()) return true;
  show(status, StatusColour::Red, link.port_error_text());
  return false;
}

}  // namespace

void read_config(PanelConfig& c, Controls& controls, StatusBox& status, PanelLink& link) {
  show(status, StatusColour::Yellow, texts::kStartRead);
  controls.set_text(kPanelNameBox, "");
  if (!open_or_report(status, link)) return;
  run_read(c, controls, status, link);
  link.close_link();
}

void write_config(PanelConfig& c, Controls& controls, StatusBox& status, PanelLink& link) {
  show(status, StatusColour::Yellow, texts::kStartWrite);
  c.error_flag = 0;
  build_write_data(c, controls);
  c.BL = kBlMrCode;
  if (!open_or_report(status, link)) return;
  run_write(c, controls, status, link);
  link.close_link();
}

}  // namespace kvt
