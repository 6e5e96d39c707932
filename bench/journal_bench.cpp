// The journal's cost: one entry appended and put on disk, as every panel command does after it
// ends (target under 5 ms), and `kvt-config log` of 100,000 entries from process start to exit
// (target under 1 s).

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "commands/command_texts.h"
#include "commands/journal.h"
#include "commands/journal_file.h"

namespace {

constexpr int kAppends = 200;
constexpr double kHighestAppendMs = 5.0;
constexpr int kLogEntries = 100000;
constexpr int kLogRuns = 3;
constexpr double kHighestLogSeconds = 1.0;

// A whole write from the command line, as the journal records it.
std::string typical_line(const std::string& file) {
  kvt::JournalRecord record;
  record.command = kvt::command_texts::kJournalWrite;
  record.from = kvt::command_texts::kFromCommandLine;
  record.port = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
  record.result = kvt::command_texts::kResultDone;
  record.message = std::string(kvt::command_texts::kWriteDone);
  record.file = file;
  record.panel_name = "LOBBY 2";
  const std::int16_t codes[14] = {12, 0, 159, 160, 160, 160, 160, 160, 160, 160, 159, 1, 10, 4};
  for (int address = 0; address < 14; ++address) record.bytes[address] = codes[address];
  return QJsonDocument(kvt::journal_entry(record, QDateTime::currentDateTime()))
      .toJson(QJsonDocument::Compact)
      .toStdString();
}

double percentile_95(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() * 95 / 100];
}

// The journal as 100,000 commands leave it: rotated at its size, the oldest files first.
void write_journal(const std::string& path, int entries) {
  std::vector<std::string> files(1);
  for (int entry = 0; entry < entries; ++entry) {
    if (files.back().size() >= kvt::kJournalRotateAt) files.emplace_back();
    files.back() += typical_line("/srv/site/panel-" + std::to_string(entry % 30) + ".kvc") + '\n';
  }
  const auto rotations = static_cast<int>(files.size()) - 1;
  for (int number = rotations; number >= 0; --number) {
    const std::string name = number == 0 ? path : kvt::rotated_journal(path, number);
    std::ofstream(name, std::ios::binary) << files[static_cast<std::size_t>(rotations - number)];
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QTemporaryDir folder;
  const std::string path = folder.filePath("state/journal.jsonl").toStdString();

  const kvt::JournalFile journal(path);
  const std::string line = typical_line("/srv/site/lobby.kvc");
  std::vector<double> appends;
  for (int run = 0; run < kAppends; ++run) {
    QElapsedTimer clock;
    clock.start();
    if (const auto failed = journal.append(line)) {
      std::printf("the append failed: %s\n", failed->c_str());
      return 1;
    }
    appends.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }
  const double append_ms = percentile_95(appends);
  std::printf(
      "journal append with fsync, %d runs: 95th percentile %.3f ms (target under %.0f ms)\n",
      kAppends, append_ms, kHighestAppendMs);

  const std::string big = folder.filePath("big/journal.jsonl").toStdString();
  std::filesystem::create_directories(folder.filePath("big").toStdString());
  write_journal(big, kLogEntries);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("KVT_JOURNAL", QString::fromStdString(big));
  double best = 1e9;
  for (int run = 0; run < kLogRuns; ++run) {
    QProcess log;
    log.setProcessEnvironment(environment);
    log.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    log.start(QStringLiteral(KVT_CONFIG_PATH), {QStringLiteral("log")});
    if (!log.waitForFinished(60000) || log.exitCode() != 0) {
      std::printf("kvt-config log failed: %s\n", log.readAllStandardError().constData());
      return 1;
    }
    best = std::min(best, static_cast<double>(clock.nsecsElapsed()) / 1e9);
  }
  std::printf("kvt-config log of %d entries: best of %d %.3f s (target under %.0f s)\n",
              kLogEntries, kLogRuns, best, kHighestLogSeconds);

  const bool within = append_ms < kHighestAppendMs && best < kHighestLogSeconds;
  std::printf("targets: %s\n", within ? "ok" : "MISSED");
  return within ? 0 : 1;
}
