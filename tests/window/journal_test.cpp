// The window's READ and WRITE in the journal: one entry each, checked against what the simulated
// panel holds and took in, and a journal that cannot be written, said once in a message box.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal_entries.h"
#include "recording_dialogs.h"
#include "sim_harness.h"
#include "window/form1.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace kvt {
namespace {

using sim::PanelSimulator;
using testing::journal_entries;
using testing::kWorkedCodes;
using testing::panel_holding;
using testing::RecordingDialogs;

constexpr std::array<std::uint8_t, 14> kCodesBefore = {0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

QJsonArray codes_of(const sim::PanelMemory& memory, bool without_bl_mr = false) {
  QJsonArray codes;
  for (int address = 0; address < 14; ++address) {
    codes.append(without_bl_mr && address == 10 ? QJsonValue(QJsonValue::Null)
                                                : QJsonValue(memory[address]));
  }
  return codes;
}

// A window with the worked example open, its port 1 a simulated panel holding other codes, and
// a journal of the test's own.
class WindowJournal : public ::testing::Test {
 protected:
  void start(const std::vector<std::string>& options = {}) {
    sim = std::make_unique<PanelSimulator>(options, panel_holding(kCodesBefore));
    sim->use_as_serial_port();
    std::ofstream(file, std::ios::binary) << testing::kWorkedExampleLine;
    dialogs = new RecordingDialogs;
    form = std::make_unique<Form1>(std::unique_ptr<Dialogs>(dialogs));
    form->load();
    form->open_file(file);
  }
  void TearDown() override {
    qunsetenv("KVT_SERIAL_PORT");
    qputenv("KVT_JOURNAL", "off");
  }
  void use_journal(const std::string& path) { qputenv("KVT_JOURNAL", path.c_str()); }
  void press(const char* name) { form->findChild<QAbstractButton*>(name)->click(); }
  std::optional<int> highest_write_frame() const {
    std::optional<int> highest;
    for (const std::string& frame : sim->frames()) {
      if (frame.starts_with("53")) highest = std::stoi(frame.substr(6, 2), nullptr, 16);
    }
    return highest;
  }

  QTemporaryDir dir;
  const std::string journal = dir.filePath("state/journal.jsonl").toStdString();
  const std::string file = dir.filePath("lobby.kvc").toStdString();
  std::unique_ptr<PanelSimulator> sim;
  RecordingDialogs* dialogs = nullptr;  // owned by the window
  std::unique_ptr<Form1> form;
};

TEST_F(WindowJournal, AWriteAndAReadLeaveOneEntryEach) {
  use_journal(journal);
  start();
  press("WRITE_CONFIG");
  press("READ_CONFIG");

  const std::vector<QJsonObject> entries = journal_entries(journal);
  ASSERT_EQ(entries.size(), 2u);
  const QJsonArray memory = codes_of(sim->memory());
  QJsonArray worked;
  for (const std::uint8_t code : kWorkedCodes) worked.append(code);
  ASSERT_EQ(memory, worked);

  const QJsonObject& write = entries[0];
  EXPECT_EQ(write["command"].toString(), "write");
  EXPECT_EQ(write["from"].toString(), "window");
  EXPECT_EQ(write["port"].toString().toStdString(), sim->device());
  EXPECT_EQ(write["result"].toString(), "done");
  EXPECT_EQ(write["message"].toString(), "SWITCH PANEL HAS BEEN PROGRAMMED");
  EXPECT_EQ(write["file"].toString().toStdString(), file);
  EXPECT_EQ(write["panel_name"].toString(), "LOBBY 2");
  EXPECT_EQ(write["bytes"].toArray(), memory);
  EXPECT_TRUE(write["written_up_to"].isNull());

  // A read shows no file and empties the panel name; the BL/MR code it does not read.
  const QJsonObject& read = entries[1];
  EXPECT_EQ(read["command"].toString(), "read");
  EXPECT_EQ(read["from"].toString(), "window");
  EXPECT_EQ(read["result"].toString(), "done");
  EXPECT_EQ(read["message"].toString(), "SWITCH PANEL DATA READ SUCCESSFUL");
  EXPECT_TRUE(read["file"].isNull());
  EXPECT_TRUE(read["panel_name"].isNull());
  EXPECT_EQ(read["bytes"].toArray(), codes_of(sim->memory(), true));
  EXPECT_FALSE(read["user"].toString().isEmpty());
  EXPECT_TRUE(dialogs->messages().empty());
}

// A write that fails after its first write frame names the highest address it sent, the one
// the panel took in last.
TEST_F(WindowJournal, AFailedWriteRecordsHowFarItCame) {
  use_journal(journal);
  start({"--wrong-readback", "5"});
  press("WRITE_CONFIG");

  const std::vector<QJsonObject> entries = journal_entries(journal);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0]["result"].toString(), "failed");
  ASSERT_TRUE(highest_write_frame().has_value());
  EXPECT_EQ(entries[0]["written_up_to"].toInt(-1), *highest_write_frame());
  EXPECT_EQ(entries[0]["written_up_to"].toInt(-1), 5);
  EXPECT_EQ(entries[0]["message"].toString().toStdString(), form->text(1));
}

// The commands run as ever; the user learns once, after the first command, that the journal
// missed them.
TEST_F(WindowJournal, AnUnwritableJournalIsSaidOnceAndChangesNothing) {
  const std::string fifo = dir.filePath("fifo.jsonl").toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  use_journal(fifo);
  start();
  press("WRITE_CONFIG");
  EXPECT_EQ(form->text(1), "SWITCH PANEL HAS BEEN PROGRAMMED");
  const std::vector<RecordingDialogs::Message> said{
      {"NOT RECORDED IN THE JOURNAL " + fifo + " (NOT A REGULAR FILE)", "JOURNAL"}};
  EXPECT_EQ(dialogs->messages(), said);
  press("READ_CONFIG");
  EXPECT_EQ(form->text(1), "SWITCH PANEL DATA READ SUCCESSFUL");
  EXPECT_EQ(dialogs->messages(), said);
  EXPECT_EQ(codes_of(sim->memory())[0], 12);
}

}  // namespace
}  // namespace kvt
