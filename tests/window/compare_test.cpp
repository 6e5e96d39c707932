// COMPARE WITH SWITCH PANEL: the panel read as verify reads it, and nothing in the window changed
// by it but the status box.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "journal_entries.h"
#include "model/switch_rows.h"
#include "right_click.h"
#include "sim_harness.h"
#include "tests/window/counting_form.h"
#include "window/theme.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace kvt {
namespace {

using testing::kWorkedCodes;
using testing::RecordingDialogs;

constexpr const char* kRead = "STARTING COMMUNICATIONS TO READ SWITCH PANEL CONFIGURATION";
constexpr const char* kIncomplete =
    "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA";

// The worked example opened in a shown window whose port 1 is a simulated panel holding
// `codes`.
class Compare : public ::testing::Test {
 protected:
  void start(const std::array<std::uint8_t, 14>& codes,
             const std::vector<std::string>& options = {}) {
    sim.emplace(options, testing::panel_holding(codes));
    sim->use_as_serial_port();
    form.load();
    form.show();
    std::ofstream(example, std::ios::binary) << testing::kWorkedExampleLine;
    form.open_file(example);
  }
  void TearDown() override {
    qunsetenv("KVT_SERIAL_PORT");
    qputenv("KVT_JOURNAL", "off");
  }

  // Chooses COMPARE WITH SWITCH PANEL in the context menu and waits for the command's end.
  void compare() {
    testing::right_click(form);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text() == QStringLiteral("COMPARE WITH SWITCH PANEL")) chosen = action;
    }
    ASSERT_NE(chosen, nullptr);
    ASSERT_TRUE(chosen->isEnabled());
    auto& read = *form.findChild<QAbstractButton*>(QStringLiteral("READ_CONFIG"));
    int said = 0;
    const QMetaObject::Connection counting =
        QObject::connect(form.findChild<QPlainTextEdit*>(QStringLiteral("Text1")),
                         &QPlainTextEdit::textChanged, &form, [&] { ++said; });
    chosen->trigger();
    menu->close();
    // Queued behind the menu, it runs once the menu has gone; its end makes the buttons usable.
    EXPECT_TRUE(QTest::qWaitFor([&] { return said > 0 && read.isEnabled(); }, 10000));
    QObject::disconnect(counting);
  }

  // Everything of the window that COMPARE must leave as it was.
  struct Window {
    std::vector<int> selected;
    std::vector<std::string> texts;
    bool ticked;
    bool asks_on_close;
    std::string saved;
    bool operator==(const Window&) const = default;
  };
  Window window() {
    Window w;
    for (int list = 1; list <= 22; ++list) w.selected.push_back(form.selected(list));
    for (int box = kPanelNameBox; box <= designation_box(kSwitchCount); ++box) {
      w.texts.push_back(form.text(box));
    }
    w.ticked = form.ticked();
    const std::size_t questions = form.recorder().questions().size();
    form.recorder().answer_question(UnsavedAnswer::Cancel);
    form.close();
    w.asks_on_close = form.recorder().questions().size() > questions;
    if (!w.asks_on_close) form.show();
    const std::string saved_path = dir.filePath("saved.kvc").toStdString();
    form.recorder().answer_with(saved_path);
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    w.saved = testing::file_bytes(saved_path);
    std::remove(saved_path.c_str());
    return w;
  }

  std::string status() { return form.text(1); }
  QColor status_colour() {
    return form.findChild<QWidget*>(QStringLiteral("Text1"))->palette().color(QPalette::Base);
  }

  QTemporaryDir dir;
  const std::string example = dir.filePath("LOBBY 2.kvc").toStdString();
  std::optional<sim::PanelSimulator> sim;
  testing::CountingForm1 form;
};

TEST_F(Compare, PanelHoldingTheConfigurationIsGreen) {
  start(kWorkedCodes);
  compare();
  EXPECT_EQ(status(), "SWITCH PANEL HOLDS THIS CONFIGURATION");
  EXPECT_EQ(status_colour(), theme::status_colour(StatusColour::Green));
  EXPECT_TRUE(form.recorder().messages().empty());
}

// Two switches and the back-light differ; the lines say so as verify does, "window" for "file".
TEST_F(Compare, PanelThatDiffersIsRedAndEveryDifferenceIsListed) {
  std::array<std::uint8_t, 14> other = kWorkedCodes;
  other[1] = 14;   // SW2: C 5 in the panel, A 1 in the window
  other[3] = 0;    // SW4: A 1, N/A
  other[13] = 10;  // back-light 100 %, 60 %
  start(other);
  compare();
  EXPECT_EQ(status(), "SWITCH PANEL DIFFERS FROM THIS CONFIGURATION");
  EXPECT_EQ(status_colour(), theme::status_colour(StatusColour::Red));
  ASSERT_EQ(form.recorder().messages().size(), 1u);
  EXPECT_EQ(form.recorder().messages()[0],
            (RecordingDialogs::Message{"SW2: panel B 5, window A 1\n"
                                       "SW4: panel A 1, window N/A\n"
                                       "BACK-LIGHT INTENSITY: panel 100 %, window 60 %",
                                       "DIFFERENCES"}));
}

// Selections, texts, tick box, intensities and the unsaved mark stay as they were, whether the
// panel matches or not; the read's own start is said in yellow, as READ's is.
TEST_F(Compare, WindowIsLeftAsItWas) {
  std::array<std::uint8_t, 14> other = kWorkedCodes;
  other[0] = 0;
  other[11] = 0;
  other[12] = 1;
  start(other);
  const Window before = window();
  std::vector<std::string> said;
  QObject::connect(form.findChild<QPlainTextEdit*>(QStringLiteral("Text1")),
                   &QPlainTextEdit::textChanged, &form, [&] { said.push_back(status()); });
  compare();
  ASSERT_FALSE(said.empty());
  EXPECT_EQ(said.front(), kRead);
  EXPECT_EQ(window(), before);
  EXPECT_FALSE(before.asks_on_close);

  form.set_text(kPanelNameBox, "LOBBY 3");  // unsaved now
  const Window changed = window();
  ASSERT_TRUE(changed.asks_on_close);
  compare();
  EXPECT_EQ(window(), changed);
}

TEST_F(Compare, IncompleteSwitchIsRefusedBeforeAnyFrame) {
  start(kWorkedCodes);
  form.select(channel_list(1), kNoSelection);  // SW1 on "B" without a channel
  compare();
  EXPECT_EQ(status(), kIncomplete);
  EXPECT_EQ(status_colour(), theme::status_colour(StatusColour::Red));
  EXPECT_TRUE(sim->frames().empty());
}

// A silent panel ends as a READ of it ends, and the window keeps what it showed.
TEST_F(Compare, SilentPanelEndsAsReadEnds) {
  start(kWorkedCodes, {"--silent"});
  const Window before = window();
  compare();
  EXPECT_TRUE(status().starts_with("COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND"))
      << status();
  EXPECT_EQ(status_colour(), theme::status_colour(StatusColour::Red));
  EXPECT_TRUE(form.recorder().messages().empty());
  EXPECT_EQ(window(), before);
}

// Nothing is written: only the wake-up and read frames go out, for every byte a write sends.
TEST_F(Compare, ReadsEveryWrittenAddressAndWritesNothing) {
  start(kWorkedCodes);
  compare();
  const std::vector<std::string> frames = sim->frames();
  ASSERT_FALSE(frames.empty());
  int reads = 0;
  for (const std::string& frame : frames) {
    EXPECT_FALSE(frame.starts_with("53")) << frame;
    if (frame.starts_with("56 00 0")) ++reads;  // not the model byte's
  }
  EXPECT_EQ(reads, 14);  // addresses 0 to 13
}

// In the journal a comparison is a verify from the window, with the panel's bytes, the window's
// file and panel name, and how it ended.
TEST_F(Compare, JournalRecordsAVerifyFromTheWindow) {
  const std::string journal = dir.filePath("journal.jsonl").toStdString();
  qputenv("KVT_JOURNAL", journal.c_str());
  std::array<std::uint8_t, 14> other = kWorkedCodes;
  other[13] = 10;
  start(other);
  compare();
  form.select(channel_list(1), kNoSelection);
  compare();

  const std::vector<QJsonObject> entries = testing::journal_entries(journal);
  ASSERT_EQ(entries.size(), 2u);
  QJsonArray panel;
  for (const std::uint8_t code : other) panel.append(code);
  const QJsonObject& differs = entries[0];
  EXPECT_EQ(differs["command"].toString(), "verify");
  EXPECT_EQ(differs["from"].toString(), "window");
  EXPECT_EQ(differs["result"].toString(), "differs");
  EXPECT_EQ(differs["message"].toString(), "SWITCH PANEL DIFFERS FROM THIS CONFIGURATION");
  EXPECT_EQ(differs["bytes"].toArray(), panel);
  EXPECT_EQ(differs["file"].toString().toStdString(), example);
  EXPECT_EQ(differs["panel_name"].toString(), "LOBBY 2");
  const QJsonObject& refused = entries[1];
  EXPECT_EQ(refused["command"].toString(), "verify");
  EXPECT_EQ(refused["result"].toString(), "refused");
  EXPECT_EQ(refused["message"].toString().toStdString(), kIncomplete);
  EXPECT_TRUE(refused["bytes"].isNull());
}

}  // namespace
}  // namespace kvt
