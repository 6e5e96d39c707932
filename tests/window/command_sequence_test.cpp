// Commands one after another in one window, as a technician works: each must start afresh and
// leave the window fit for the next.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "model/switch_rows.h"
#include "model/tables.h"
#include "sim_harness.h"
#include "recording_dialogs.h"
#include "window/form1.h"
#include "window/theme.h"

namespace kvt {
namespace {

using sim::PanelSimulator;
using testing::RecordingDialogs;

// What the simulator logs for one whole read: the wake-up, the model byte, then the ten switch
// bytes, the flag and the two intensities (the BL/MR code at 10 is not read).
std::vector<std::string> one_read() {
  std::vector<std::string> frames{"41", "56 00 3F 30 30 56"};
  for (const char* address : {"00", "01", "02", "03", "04", "05", "06", "07", "08", "09", "0B",
                              "0C", "0D"}) {
    frames.push_back(std::string("56 00 ") + address + " 30 30 56");
  }
  return frames;
}

// A real window after its load handling, its port 1 on a simulated panel with factory memory.
class CommandSequence : public ::testing::Test {
 protected:
  CommandSequence() {
    sim.use_as_serial_port();
    form.load();
  }

  void press(const char* name) {
    auto* button = form.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }
  bool box_shown(int box) {
    return !form.findChild<QWidget*>(QStringLiteral("Text%1").arg(box))->isHidden();
  }
  void expect_status(StatusColour colour, const std::string& text) {
    auto* status = form.findChild<QWidget*>(QStringLiteral("Text1"));
    EXPECT_FALSE(status->isHidden());
    EXPECT_EQ(status->palette().color(QPalette::Base), theme::status_colour(colour));
    EXPECT_EQ(form.text(1), text);
  }

  PanelSimulator sim;
  RecordingDialogs& dialogs = *new RecordingDialogs;  // owned by the window
  Form1 form{std::unique_ptr<Dialogs>(&dialogs)};
};

TEST_F(CommandSequence, SecondReadRunsInFullLikeTheFirst) {
  press("READ_CONFIG");
  expect_status(StatusColour::Green, "SWITCH PANEL DATA READ SUCCESSFUL");
  press("READ_CONFIG");
  expect_status(StatusColour::Green, "SWITCH PANEL DATA READ SUCCESSFUL");

  std::vector<std::string> expected = one_read();
  const std::vector<std::string> second = one_read();
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(sim.frames(), expected);
}

// A panel holds no designations, so a read hides their boxes; a file holds them, so opening one
// afterwards must bring every box back with its text, on rows with a module and channel as on
// rows on "N/A" and "BL/MR", which show no channel list.
TEST_F(CommandSequence, FileOpenedAfterAReadShowsItsDesignations) {
  QTemporaryDir dir;
  const std::string file = dir.filePath("designations.kvc").toStdString();
  form.set_text(kPanelNameBox, "LOBBY 2");
  for (int k = 1; k <= kSwitchCount; ++k) {
    form.set_text(designation_box(k), "ROW " + std::to_string(k));
    form.select(module_list(k), k <= 4 ? 2 : k <= 7 ? kNaPosition : kBlMrPosition);
    form.select(channel_list(k), k - 1);
  }
  dialogs.answer_with(file);
  press("WRITE_FILE");
  ASSERT_TRUE(dialogs.messages().empty());

  press("READ_CONFIG");
  expect_status(StatusColour::Green, "SWITCH PANEL DATA READ SUCCESSFUL");
  for (int k = 1; k <= kSwitchCount; ++k) ASSERT_FALSE(box_shown(designation_box(k))) << k;
  // The factory panel's intensity codes of 0 are no settings, and named so.
  const std::size_t named_by_the_read = dialogs.messages().size();

  dialogs.answer_with(file);
  press("READ_FILE");

  EXPECT_EQ(dialogs.messages().size(), named_by_the_read);
  EXPECT_EQ(form.text(kPanelNameBox), "LOBBY 2");
  for (int k = 1; k <= kSwitchCount; ++k) {
    EXPECT_TRUE(box_shown(designation_box(k))) << "SW" << k;
    EXPECT_EQ(form.text(designation_box(k)), "ROW " + std::to_string(k));
  }
}

}  // namespace
}  // namespace kvt
