#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QWidget>
#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>

#include "files/file_open.h"
#include "files/file_save.h"
#include "model/status_box.h"
#include "model/switch_rows.h"
#include "recording_dialogs.h"
#include "window/form1.h"

namespace kvt::testing {

// Passes the commands' status-box calls on to the window and remembers the last of each.
class StatusLog : public StatusBox {
 public:
  explicit StatusLog(StatusBox& window) : window_(window) {}
  void set_status_text(const std::string& text) override {
    this->text = text;
    window_.set_status_text(text);
  }
  void set_status_colour(StatusColour colour) override {
    this->colour = colour;
    window_.set_status_colour(colour);
  }
  void set_status_visible(bool visible) override {
    this->visible = visible;
    window_.set_status_visible(visible);
  }

  bool visible = true;  // unknown until a command says; a command always hides it first
  std::optional<StatusColour> colour;
  std::string text;

 private:
  StatusBox& window_;
};

inline std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void put_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Everything a file command may change: every control's state and every configuration value.
struct WindowState {
  std::array<int, 23> selected{};
  std::array<bool, 23> list_hidden{};
  std::array<std::string, 13> texts{};
  std::array<bool, 13> box_hidden{};
  bool ticked = false;
  std::tuple<std::array<std::int16_t, 10>, std::array<std::int16_t, 10>,
             std::array<std::string, 10>, std::int16_t, std::int16_t, std::int16_t, std::int16_t,
             std::string, std::int16_t, std::int16_t, std::int16_t, std::int16_t>
      values;

  bool operator==(const WindowState&) const = default;
};

// A real window after its load handling, with its dialogs scripted, a status log, the chooser
// state the window keeps between commands, and a temporary folder for files.
class WindowFixture : public ::testing::Test {
 protected:
  WindowFixture()
      : dialogs(*new RecordingDialogs), form(std::unique_ptr<Dialogs>(&dialogs)), status(form) {
    form.load();
  }

  // Runs a command whose chooser answers with `answer`, or is cancelled when there is none.
  void save(std::optional<std::string> answer) {
    script(std::move(answer));
    write_file(form.config(), form, status, chooser);
  }
  void open(std::optional<std::string> answer) {
    script(std::move(answer));
    read_file(form.config(), form, status, chooser);
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
  // on "N/A"; independent lighting on; indicator "100", back-light "60".
  void enter_worked_example() {
    form.set_text(kPanelNameBox, "LOBBY 2");
    form.set_text(designation_box(1), "ENTRY");
    form.set_text(designation_box(2), "STAGE");
    form.set_text(designation_box(3), "MASTER");
    form.select(module_list(1), 2);
    form.select(channel_list(1), 2);
    form.select(module_list(2), 1);
    form.select(channel_list(2), 0);
    form.select(module_list(3), 17);
    for (int k = 4; k <= kSwitchCount; ++k) form.select(module_list(k), 0);
    form.set_ticked(true);
    form.select(kBackLightList, 4);
  }

  bool list_hidden(int list) const {
    return form.findChild<QWidget*>(QStringLiteral("List%1").arg(list))->isHidden();
  }
  bool box_hidden(int box) const {
    return form.findChild<QWidget*>(QStringLiteral("Text%1").arg(box))->isHidden();
  }

  WindowState state() {
    WindowState s;
    for (int list = 1; list <= 22; ++list) {
      s.selected[list] = form.selected(list);
      s.list_hidden[list] = list_hidden(list);
    }
    for (int box = 2; box <= 12; ++box) {
      s.texts[box] = form.text(box);
      s.box_hidden[box] = box_hidden(box);
    }
    s.ticked = form.ticked();
    const PanelConfig& c = form.config();
    s.values = {c.sw,        c.s,     c.sdesig, c.BL,      c.feature, c.indpercent,
                c.blpercent, c.panel, c.A,      c.h_index, c.l_index, c.error_flag};
    return s;
  }

  QTemporaryDir dir;
  RecordingDialogs& dialogs;  // owned by the window
  Form1 form;
  StatusLog status;
  FileChooser chooser;
};

}  // namespace kvt::testing
