// The journal as the command line keeps it: one entry per read, write and verify, checked against
// what the simulated panel holds and took in; a journal that cannot be written; and log.

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "journal_entries.h"
#include "kvt_process.h"
#include "sim_harness.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace {

using kvt::sim::PanelMemory;
using kvt::sim::PanelSimulator;
using kvt::testing::journal_entries;
using kvt::testing::kWorkedCodes;
using kvt::testing::panel_holding;
using kvt::testing::run_kvt;

constexpr std::array<std::uint8_t, 14> kOtherCodes = {12,  0,   159, 160, 160, 160, 160,
                                                      160, 160, 33,  159, 1,   10,  4};

// The highest address a write frame ("53 00 AA 00 VV 44") went out for, or none.
std::optional<int> highest_write_frame(const std::vector<std::string>& frames) {
  std::optional<int> highest;
  for (const std::string& frame : frames) {
    if (frame.starts_with("53")) highest = std::stoi(frame.substr(6, 2), nullptr, 16);
  }
  return highest;
}

QJsonArray json_bytes(const std::array<std::uint8_t, 14>& codes, bool without_bl_mr = false) {
  QJsonArray bytes;
  for (std::size_t address = 0; address < codes.size(); ++address) {
    bytes.append(without_bl_mr && address == 10 ? QJsonValue(QJsonValue::Null)
                                                : QJsonValue(codes[address]));
  }
  return bytes;
}

class JournalFixture : public ::testing::Test {
 protected:
  std::string at(const std::string& name) const {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }
  std::string lobby() const {
    const std::string path = at("lobby.kvc");
    std::ofstream(path, std::ios::binary) << kvt::testing::kWorkedExampleLine;
    return path;
  }
  QProcessEnvironment journal_at(const std::string& path) const {
    QProcessEnvironment env;
    env.insert("KVT_JOURNAL", QString::fromStdString(path));
    return env;
  }

  QTemporaryDir dir;
};

// What an entry should hold, beyond the fields every entry has.
struct EntryCase {
  const char* name;
  const char* command;
  std::vector<std::string> options;    // simulator options
  std::array<std::uint8_t, 14> panel;  // what the panel holds at the start
  bool with_file;                      // the worked example's file as the operand
  int exit_code;
  const char* result;
  const char* panel_name;                            // or none
  std::function<QJsonValue(PanelSimulator&)> bytes;  // from the panel after the command
  bool written_up_to;                                // from the frames the panel took in
};

void PrintTo(const EntryCase& c, std::ostream* out) { *out << c.name; }

class EachCommand : public JournalFixture, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EachCommand, LeavesOneEntryOfWhatItDid) {
  const EntryCase& c = GetParam();
  PanelSimulator sim(c.options, panel_holding(c.panel));
  const std::string journal = at("state/journal.jsonl");
  const std::string file = lobby();
  QStringList arguments{c.command, "--port", QString::fromStdString(sim.device())};
  if (c.with_file) arguments << QString::fromStdString(file);
  const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
  const auto result = run_kvt(arguments, journal_at(journal));
  EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
  EXPECT_EQ(result.err.find("JOURNAL"), std::string::npos) << result.err;

  const std::vector<QJsonObject> entries = journal_entries(journal);
  ASSERT_EQ(entries.size(), 1u);
  const QJsonObject& entry = entries[0];
  EXPECT_EQ(entry["command"].toString(), c.command);
  EXPECT_EQ(entry["from"].toString(), "command line");
  EXPECT_EQ(entry["port"].toString().toStdString(), sim.device());
  EXPECT_EQ(entry["result"].toString(), c.result);
  EXPECT_EQ(entry["file"],
            c.with_file ? QJsonValue(QString::fromStdString(file)) : QJsonValue(QJsonValue::Null));
  EXPECT_EQ(entry["panel_name"],
            c.panel_name ? QJsonValue(c.panel_name) : QJsonValue(QJsonValue::Null));
  EXPECT_EQ(entry["bytes"], c.bytes(sim));
  const auto highest = highest_write_frame(sim.frames());
  EXPECT_EQ(entry["written_up_to"],
            c.written_up_to && highest ? QJsonValue(*highest) : QJsonValue(QJsonValue::Null));
  // The words the command ended with, as it printed them.
  const std::string message = entry["message"].toString().toStdString();
  EXPECT_FALSE(message.empty());
  EXPECT_NE((result.out + result.err).find(message.substr(0, message.find('\n'))),
            std::string::npos)
      << message;

  const QString time = entry["time"].toString();
  EXPECT_TRUE(
      QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)").match(time).hasMatch())
      << time.toStdString();
  const QDateTime recorded = QDateTime::fromString(time, Qt::ISODate);
  EXPECT_GE(recorded, started);
  EXPECT_LE(recorded, QDateTime::currentDateTime());
  EXPECT_EQ(entry["user"].toString().toStdString(), ::getpwuid(::geteuid())->pw_name);
  EXPECT_EQ(entry["host"].toString(), QSysInfo::machineHostName());
  const std::string version = run_kvt({"--version"}).out;  // "kvt-config 1.0.0"
  EXPECT_EQ(entry["version"].toString().toStdString() + "\n",
            version.substr(version.rfind(' ') + 1));
}

QJsonValue memory_codes(PanelSimulator& sim) {
  const PanelMemory memory = sim.memory();
  std::array<std::uint8_t, 14> codes{};
  std::copy_n(memory.begin(), codes.size(), codes.begin());
  return json_bytes(codes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EachCommand,
    ::testing::Values(
        EntryCase{
            "WriteDone", "write", {}, kOtherCodes, true, 0, "done", "LOBBY 2", memory_codes, false},
        EntryCase{"WriteFailedPartWay",
                  "write",
                  {"--wrong-readback", "5"},
                  kOtherCodes,
                  true,
                  1,
                  "failed",
                  "LOBBY 2",
                  [](PanelSimulator&) { return json_bytes(kWorkedCodes); },
                  true},
        EntryCase{"WriteToASilentPanel",
                  "write",
                  {"--silent"},
                  kOtherCodes,
                  true,
                  1,
                  "no_answer",
                  "LOBBY 2",
                  [](PanelSimulator&) { return QJsonValue(QJsonValue::Null); },
                  false},
        EntryCase{"Read",
                  "read",
                  {},
                  kOtherCodes,
                  false,
                  0,
                  "done",
                  nullptr,
                  [](PanelSimulator& sim) {
                    // The read leaves out the BL/MR code, which nothing shows.
                    QJsonArray codes = memory_codes(sim).toArray();
                    codes[10] = QJsonValue(QJsonValue::Null);
                    return QJsonValue(codes);
                  },
                  false},
        EntryCase{"ReadOfAnotherModel",
                  "read",
                  {"--model", "70"},
                  kOtherCodes,
                  false,
                  1,
                  "other_model",
                  nullptr,
                  [](PanelSimulator&) { return QJsonValue(QJsonValue::Null); },
                  false},
        EntryCase{"VerifySame",
                  "verify",
                  {},
                  kWorkedCodes,
                  true,
                  0,
                  "done",
                  "LOBBY 2",
                  memory_codes,
                  false},
        EntryCase{"VerifyDiffers",
                  "verify",
                  {},
                  kOtherCodes,
                  true,
                  1,
                  "differs",
                  "LOBBY 2",
                  memory_codes,
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

// A file refused before anything is sent is recorded as refused, with the words said.
TEST_F(JournalFixture, ARefusedFileIsRecordedAsRefused) {
  PanelSimulator sim;
  const std::string journal = at("journal.jsonl");
  const std::string missing = at("missing.kvc");
  for (const char* command : {"write", "verify"}) {
    const auto result = run_kvt(
        {command, "--port", QString::fromStdString(sim.device()), QString::fromStdString(missing)},
        journal_at(journal));
    EXPECT_EQ(result.exit_code, 2) << result.err;
  }
  const std::vector<QJsonObject> entries = journal_entries(journal);
  ASSERT_EQ(entries.size(), 2u);
  for (const QJsonObject& entry : entries) {
    EXPECT_EQ(entry["result"].toString(), "refused");
    EXPECT_EQ(entry["file"].toString().toStdString(), missing);
    EXPECT_EQ(entry["message"].toString().toStdString(),
              "CONFIGURATION FILE COULD NOT BE READ: " + missing + " (No such file or directory)");
    EXPECT_TRUE(entry["bytes"].isNull());
  }
  EXPECT_EQ(entries[0]["command"].toString(), "write");
  EXPECT_EQ(entries[1]["command"].toString(), "verify");
  EXPECT_TRUE(sim.frames().empty());
}

// read -o records the file it saved and the name it saved with.
TEST_F(JournalFixture, AReadSavedWithONamesItsFile) {
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const std::string journal = at("journal.jsonl");
  const std::string saved = at("read.kvc");
  const auto result = run_kvt({"read", "--port", QString::fromStdString(sim.device()), "--name",
                               "LOBBY 2", "-o", QString::fromStdString(saved)},
                              journal_at(journal));
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const std::vector<QJsonObject> entries = journal_entries(journal);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0]["file"].toString().toStdString(), saved);
  EXPECT_EQ(entries[0]["panel_name"].toString(), "LOBBY 2");
}

// The journal never changes what a command does, what it says or how it exits; it says once
// why the entry is missing.
struct UnwritableCase {
  const char* name;
  const char* command;
  std::array<std::uint8_t, 14> panel;
  int exit_code;
};

void PrintTo(const UnwritableCase& c, std::ostream* out) { *out << c.name; }

class UnwritableJournal : public JournalFixture,
                          public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(UnwritableJournal, ChangesNothingAndIsSaidOnce) {
  const UnwritableCase& c = GetParam();
  const std::string file = lobby();
  const auto run = [&](const QProcessEnvironment& env) {
    PanelSimulator sim({}, panel_holding(c.panel));
    auto result = run_kvt(
        {c.command, "--port", QString::fromStdString(sim.device()), QString::fromStdString(file)},
        env);
    return std::pair(result, sim.stop());
  };
  const auto [recorded, memory_recorded] = run(journal_at(at("journal.jsonl")));
  const std::string fifo = at("fifo.jsonl");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto [unrecorded, memory_unrecorded] = run(journal_at(fifo));

  EXPECT_EQ(unrecorded.exit_code, c.exit_code) << unrecorded.err;
  EXPECT_EQ(unrecorded.exit_code, recorded.exit_code);
  EXPECT_EQ(unrecorded.out, recorded.out);
  EXPECT_EQ(memory_unrecorded, memory_recorded);
  const std::string said =
      "kvt-config: NOT RECORDED IN THE JOURNAL " + fifo + " (NOT A REGULAR FILE)\n";
  EXPECT_EQ(unrecorded.err, recorded.err + said);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnwritableJournal,
                         ::testing::Values(UnwritableCase{"WriteDone", "write", kOtherCodes, 0},
                                           UnwritableCase{"VerifyDiffers", "verify", kOtherCodes,
                                                          1},
                                           UnwritableCase{"VerifySame", "verify", kWorkedCodes, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A folder the user may not write into. Root writes anywhere, so the program runs as nobody, on a
// port it may open.
TEST_F(JournalFixture, AReadOnlyFolderChangesNothingForAnOrdinaryUser) {
  const passwd* nobody = ::getpwnam("nobody");
  if (::geteuid() != 0 || nobody == nullptr) GTEST_SKIP() << "needs root and a user nobody";
  QTemporaryDir place(QStringLiteral("/tmp/kvt-journal-XXXXXX"));
  ::chmod(place.path().toLocal8Bit().constData(), 0755);
  const std::string file = place.filePath("lobby.kvc").toStdString();
  std::ofstream(file, std::ios::binary) << kvt::testing::kWorkedExampleLine;
  ::chmod(file.c_str(), 0644);
  const std::string folder = place.filePath("state").toStdString();
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  const std::string journal = folder + "/journal.jsonl";
  PanelSimulator sim({}, panel_holding(kOtherCodes));
  ASSERT_EQ(::chmod(sim.device().c_str(), 0666), 0);

  const auto result =
      kvt::testing::KvtProcess(
          {"write", "--port", QString::fromStdString(sim.device()), QString::fromStdString(file)},
          journal_at(journal), kvt::testing::RunAs{nobody->pw_uid, nobody->pw_gid})
          .finish();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err,
            "kvt-config: SWITCH PANEL HAS BEEN PROGRAMMED\n"
            "kvt-config: NOT RECORDED IN THE JOURNAL " +
                journal + " (Permission denied)\n");
  EXPECT_EQ(memory_codes(sim), json_bytes(kWorkedCodes));
  EXPECT_FALSE(std::filesystem::exists(journal));
}

// A stop is the outcome the journal records: a read, or a write before its first write frame, as
// stopped with the panel unchanged; a write stopped part-way with how far it came; a write that
// a signal let finish as done.
struct StopCase {
  const char* name;
  const char* command;
  std::size_t write_frames_before;  // write frames the panel has taken in at the first signal
  bool second_signal;
  const char* result;
  const char* message;  // how the message starts
  bool written_up_to;
};

void PrintTo(const StopCase& c, std::ostream* out) { *out << c.name; }

class StoppedCommand : public JournalFixture, public ::testing::WithParamInterface<StopCase> {
 protected:
  // Waits (at most 10 s) until the panel has taken in `count` frames, or `count` write frames.
  static bool frames_reach(const PanelSimulator& sim, std::size_t count, bool writes) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
      const auto frames = sim.frames();
      const auto taken = writes ? std::count_if(frames.begin(), frames.end(),
                                                [](const auto& f) { return f.starts_with("53"); })
                                : static_cast<std::ptrdiff_t>(frames.size());
      if (static_cast<std::size_t>(taken) >= count) return true;
      QThread::msleep(1);
    }
    return false;
  }
};

TEST_P(StoppedCommand, IsRecordedAsItEnded) {
  const StopCase& c = GetParam();
  PanelSimulator sim({}, panel_holding(kOtherCodes));
  const std::string journal = at("journal.jsonl");
  QStringList arguments{c.command, "--port", QString::fromStdString(sim.device())};
  if (std::string(c.command) != "read") arguments << QString::fromStdString(lobby());
  kvt::testing::KvtProcess program(arguments, journal_at(journal));
  const bool writes = c.write_frames_before > 0;
  ASSERT_TRUE(frames_reach(sim, writes ? c.write_frames_before : 3, writes));
  ::kill(static_cast<pid_t>(program.pid()), SIGINT);
  if (c.second_signal) {
    ASSERT_TRUE(program.wait_for_error("FINISHING THE WRITE"));
    ::kill(static_cast<pid_t>(program.pid()), SIGINT);
  }
  const auto result = program.finish();
  EXPECT_EQ(result.exit_code, 130) << result.err;

  const std::vector<QJsonObject> entries = journal_entries(journal);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0]["result"].toString(), c.result);
  EXPECT_TRUE(entries[0]["message"].toString().startsWith(c.message))
      << entries[0]["message"].toString().toStdString();
  const auto highest = highest_write_frame(sim.frames());
  EXPECT_EQ(entries[0]["written_up_to"],
            c.written_up_to && highest ? QJsonValue(*highest) : QJsonValue(QJsonValue::Null));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoppedCommand,
    ::testing::Values(StopCase{"Read", "read", 0, false, "stopped",
                               "STOPPED: THE SWITCH PANEL WAS NOT CHANGED.", false},
                      StopCase{"Verify", "verify", 0, false, "stopped",
                               "STOPPED: THE SWITCH PANEL WAS NOT CHANGED.", false},
                      StopCase{"WriteLetFinish", "write", 2, false, "done",
                               "SWITCH PANEL HAS BEEN PROGRAMMED", false},
                      StopCase{"WriteStoppedPartWay", "write", 2, true, "stopped",
                               "WRITE STOPPED: THE SWITCH PANEL HOLDS A PARTLY WRITTEN", true}),
    [](const auto& info) { return std::string(info.param.name); });

// log reads a journal as the commands leave it.
class Log : public JournalFixture {
 protected:
  void SetUp() override {
    std::ofstream(lobby_path) << "x";
    std::filesystem::create_hard_link(lobby_path, at("lobby-link.kvc"));
    std::ofstream out(journal);
    out << entry("2026-12-09T16:40:11+01:00", "write", "failed", lobby_path, "LOBBY 2") << '\n'
        << entry("2026-12-10T09:02:00+01:00", "read", "done", "", "") << '\n'
        << entry("2026-12-11T10:15:02+01:00", "write", "done", at("lobby-link.kvc"), "LOBBY 2")
        << '\n'
        << entry("2026-12-11T10:20:40+01:00", "verify", "differs", at("gone/hall.kvc"),
                 "HALL\x1b[2J")
        << '\n';
  }
  static std::string entry(const char* time, const char* command, const char* result,
                           const std::string& file, const std::string& name) {
    QJsonObject object{{"time", time},
                       {"command", command},
                       {"from", "command line"},
                       {"port", "/dev/ttyUSB0"},
                       {"result", result},
                       {"message", "M"},
                       {"file", file.empty() ? QJsonValue(QJsonValue::Null)
                                             : QJsonValue(QString::fromStdString(file))},
                       {"panel_name", name.empty() ? QJsonValue(QJsonValue::Null)
                                                   : QJsonValue(QString::fromStdString(name))},
                       {"bytes", QJsonValue::Null},
                       {"written_up_to", QJsonValue::Null}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
  }
  kvt::testing::ProcessResult log(QStringList arguments) const {
    arguments.prepend("log");
    return run_kvt(arguments, journal_at(journal));
  }

  const std::string journal = at("journal.jsonl");
  const std::string lobby_path = at("lobby.kvc");
};

constexpr const char* kFailedWrite =
    "2026-12-09 16:40:11  write   failed   /dev/ttyUSB0  LOBBY 2  lobby.kvc\n";
constexpr const char* kRead = "2026-12-10 09:02:00  read    done     /dev/ttyUSB0  -  -\n";
constexpr const char* kWrite =
    "2026-12-11 10:15:02  write   done     /dev/ttyUSB0  LOBBY 2  lobby-link.kvc\n";
constexpr const char* kVerify =
    "2026-12-11 10:20:40  verify  differs  /dev/ttyUSB0  HALL\\x1b[2J  hall.kvc\n";

struct LogCase {
  const char* name;
  std::vector<const char*> arguments;  // besides "log"; "@" stands for the test's folder
  std::vector<const char*> lines;
};

void PrintTo(const LogCase& c, std::ostream* out) { *out << c.name; }

class LogFilters : public Log, public ::testing::WithParamInterface<LogCase> {};

TEST_P(LogFilters, KeepTheEntriesAsked) {
  QStringList arguments;
  for (const char* argument : GetParam().arguments) {
    arguments << QString::fromUtf8(argument).replace("@", dir.path());
  }
  const auto result = log(arguments);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err, "");
  std::string expected;
  for (const char* line : GetParam().lines) expected += line;
  EXPECT_EQ(result.out, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogFilters,
    ::testing::Values(
        LogCase{"All", {}, {kFailedWrite, kRead, kWrite, kVerify}},
        LogCase{"Since", {"--since", "2026-12-10"}, {kRead, kWrite, kVerify}},
        LogCase{"SinceToday", {"--since", "2026-12-11"}, {kWrite, kVerify}},
        LogCase{"Last", {"-n", "2"}, {kWrite, kVerify}},
        LogCase{"LastOfMoreThanThere", {"-n", "9"}, {kFailedWrite, kRead, kWrite, kVerify}},
        LogCase{"None", {"-n", "0"}, {}},
        LogCase{"FileByPathAndInode", {"--file", "@/lobby.kvc"}, {kFailedWrite, kWrite}},
        LogCase{"FileByItsOtherName", {"--file", "@/lobby-link.kvc"}, {kFailedWrite, kWrite}},
        LogCase{"FileGoneByPath", {"--file", "@/gone/hall.kvc"}, {kVerify}},
        LogCase{"FileAndLast", {"--file", "@/lobby.kvc", "-n", "1"}, {kWrite}},
        LogCase{"SinceAndFile", {"--since", "2026-12-10", "--file", "@/lobby.kvc"}, {kWrite}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Log, JsonIsAnArrayOfTheEntries) {
  const auto result = log({"--json", "-n", "2"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const QJsonArray entries = QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).array();
  ASSERT_EQ(entries.size(), 2);
  EXPECT_EQ(entries[0].toObject()["time"].toString(), "2026-12-11T10:15:02+01:00");
  EXPECT_EQ(entries[1].toObject()["panel_name"].toString(), "HALL\x1b[2J");
}

TEST_F(Log, ALastLineCutShortIsLeftOutWithOneNote) {
  std::ofstream(journal, std::ios::app) << R"({"time":"2026-12-11T11:00:00+01:00","comm)";
  const auto result = log({});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, std::string(kFailedWrite) + kRead + kWrite + kVerify);
  EXPECT_EQ(result.err,
            "kvt-config: LINE 5 OF THE JOURNAL " + journal + " WAS CUT SHORT AND IS LEFT OUT\n");
}

TEST_F(Log, ReadsRotatedFilesFirst) {
  std::ofstream(at("journal.1.jsonl"))
      << entry("2026-12-01T08:00:00+01:00", "read", "no_answer", "", "") << '\n';
  const auto result = log({"-n", "5"});
  EXPECT_EQ(result.out,
            std::string("2026-12-01 08:00:00  read    no_answer  /dev/ttyUSB0  -  -\n") +
                kFailedWrite + kRead + kWrite + kVerify);
}

struct LogUsageCase {
  const char* name;
  std::vector<const char*> arguments;
  const char* problem;
};

void PrintTo(const LogUsageCase& c, std::ostream* out) { *out << c.name; }

class LogUsage : public Log, public ::testing::WithParamInterface<LogUsageCase> {};

TEST_P(LogUsage, IsRefusedWithExitTwo) {
  QStringList arguments;
  for (const char* argument : GetParam().arguments) arguments << argument;
  const auto result = log(arguments);
  EXPECT_EQ(result.exit_code, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, std::string("kvt-config: ") + GetParam().problem +
                            "\nTry 'kvt-config --help' for more information.\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogUsage,
    ::testing::Values(
        LogUsageCase{"NoSuchDay",
                     {"--since", "2026-02-30"},
                     "--since 2026-02-30: the day is written YYYY-MM-DD"},
        LogUsageCase{"NotADay",
                     {"--since", "11.12.2026"},
                     "--since 11.12.2026: the day is written YYYY-MM-DD"},
        LogUsageCase{"CountNotANumber", {"-n", "ten"}, "-n ten: N is a whole number"},
        LogUsageCase{"NegativeCount", {"-n", "-1"}, "-n -1: N is a whole number"},
        LogUsageCase{"Operand", {"lobby.kvc"}, "unexpected argument 'lobby.kvc'"},
        LogUsageCase{"OptionOfAnother", {"--port", "/dev/ttyS0"}, "log takes no option '--port'"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
