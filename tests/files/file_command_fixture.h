#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <array>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>

#include "commands/file_open.h"
#include "commands/file_save.h"
#include "file_bytes.h"
#include "model/editor_events.h"
#include "model/headless_controls.h"
#include "model/switch_rows.h"
#include "recording_dialogs.h"
#include "recording_status_box.h"

namespace kvt::testing {

inline void put_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Everything a file command may change: every control's state and every configuration value.
struct ControlsState {
  std::array<int, 23> selected{};
  std::array<bool, 23> list_hidden{};
  std::array<std::string, 13> texts{};
  std::array<bool, 13> box_hidden{};
  bool ticked = false;
  std::tuple<std::int16_t, std::int16_t, std::int16_t, std::int16_t> values;

  bool operator==(const ControlsState&) const = default;
};

// The window's controls without a window, after the load handling, with the dialogs scripted, a
// status recorder, the chooser state the window keeps between commands, and a temporary folder
// for files.
class FileCommandFixture : public ::testing::Test {
 protected:
  FileCommandFixture() {
    load_handling(config, controls);
    status.visible = true;  // unknown until a command says; a command always hides it first
  }

  // Runs a command whose chooser answers with `answer`, or is cancelled when there is none.
  void save(std::optional<std::string> answer) {
    script(std::move(answer));
    save_file_with_dialog(config, controls, status, chooser);
  }
  void open(std::optional<std::string> answer) {
    script(std::move(answer));
    open_file_with_dialog(config, controls, status, chooser);
  }
  void script(std::optional<std::string> answer) {
    if (answer) {
      dialogs.answer_with(std::move(*answer));
    } else {
      dialogs.answer_cancel();
    }
  }

  std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

  // The worked example: LOBBY 2; ENTRY on "B"/"3", STAGE on "A"/"1", MASTER on "BL/MR", the rest
  // on "N/A" with the window's start-up designation; independent lighting on; indicator "100",
  // back-light "60".
  void enter_worked_example() {
    controls.set_text(kPanelNameBox, "LOBBY 2");
    controls.set_text(designation_box(1), "ENTRY");
    controls.set_text(designation_box(2), "STAGE");
    controls.set_text(designation_box(3), "MASTER");
    for (int k = 4; k <= kSwitchCount; ++k) controls.set_text(designation_box(k), "DESIGNATION ");
    controls.select(module_list(1), 2);
    controls.select(channel_list(1), 2);
    controls.select(module_list(2), 1);
    controls.select(channel_list(2), 0);
    controls.select(module_list(3), 17);
    for (int k = 4; k <= kSwitchCount; ++k) controls.select(module_list(k), 0);
    controls.set_ticked(true);
    controls.select(kBackLightList, 4);
  }

  bool list_hidden(int list) const { return !controls.list_visible(list); }
  bool box_hidden(int box) const { return !controls.box_visible(box); }

  ControlsState state() const {
    ControlsState s;
    for (int list = 1; list <= 22; ++list) {
      s.selected[list] = controls.selected(list);
      s.list_hidden[list] = list_hidden(list);
    }
    for (int box = 2; box <= 12; ++box) {
      s.texts[box] = controls.text(box);
      s.box_hidden[box] = box_hidden(box);
    }
    s.ticked = controls.ticked();
    const PanelConfig& c = config;
    s.values = {c.feature, c.indpercent, c.blpercent, c.carried_channel};
    return s;
  }

  QTemporaryDir dir;
  PanelConfig config;
  RecordingDialogs dialogs;
  HeadlessControls controls{config, dialogs};
  RecordingStatusBox status;
  FileChooser chooser;
};

}  // namespace kvt::testing
