// The line that shows how far a panel command has come: on a terminal only, so that a script's
// log or a pipe never fills with carriage returns and erase sequences.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>
#include <fstream>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "kvt_process.h"
#include "sim_harness.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace {

using kvt::sim::PanelSimulator;
using kvt::testing::KvtProcess;
using kvt::testing::ProcessResult;

struct ProgressCase {
  const char* name;
  const char* command;
  bool takes_file;
};

// The progress line after the first byte.
constexpr const char* kFirstStep = "kvt-config: byte 1 of ";

void PrintTo(const ProgressCase& c, std::ostream* out) { *out << c.name; }

class ProgressLine : public ::testing::TestWithParam<ProgressCase> {
 protected:
  QStringList arguments(const PanelSimulator& sim) {
    const ProgressCase& c = GetParam();
    QStringList list{c.command, "--port", QString::fromStdString(sim.device())};
    if (c.takes_file) {
      const QString path = dir.filePath("lobby.kvc");
      std::ofstream(path.toStdString(), std::ios::binary) << kvt::testing::kWorkedExampleLine;
      list << path;
    }
    return list;
  }

  QTemporaryDir dir;
};

// Runs kvt-config with `arguments` on a pseudo-terminal of `script`'s, which passes on what the
// program writes to it (standard output and error both) as its own standard output.
ProcessResult run_on_terminal(const QStringList& arguments) {
  QString command = QStringLiteral("exec '" KVT_CONFIG_PATH "'");
  for (const QString& argument : arguments) command += " '" + argument + "'";
  return KvtProcess({"--quiet", "--return", "--command", command, "/dev/null"}, {}, std::nullopt,
                    QStringLiteral("script"))
      .finish();
}

TEST_P(ProgressLine, IsShownOnATerminal) {
  PanelSimulator sim({}, kvt::testing::panel_holding(kvt::testing::kWorkedCodes));
  const ProcessResult result = run_on_terminal(arguments(sim));
  ASSERT_EQ(result.exit_code, 0) << result.out << result.err;
  EXPECT_NE(result.out.find(std::string("\r\x1b[K") + kFirstStep), std::string::npos) << result.out;
}

// Every step is counted once, in order, and the last one is the whole: "byte N of N".
TEST_P(ProgressLine, CountsEveryByteUpToTheTotal) {
  PanelSimulator sim({}, kvt::testing::panel_holding(kvt::testing::kWorkedCodes));
  const ProcessResult result = run_on_terminal(arguments(sim));
  ASSERT_EQ(result.exit_code, 0) << result.out << result.err;
  static const QRegularExpression step(QStringLiteral("byte (\\d+) of (\\d+)"));
  std::vector<int> numbers;
  std::set<int> totals;
  for (const auto& match : step.globalMatch(QString::fromStdString(result.out))) {
    numbers.push_back(match.captured(1).toInt());
    totals.insert(match.captured(2).toInt());
  }
  ASSERT_EQ(totals.size(), 1u) << result.out;
  std::vector<int> every_step(static_cast<std::size_t>(*totals.begin()));
  std::iota(every_step.begin(), every_step.end(), 1);
  EXPECT_EQ(numbers, every_step) << result.out;
}

TEST_P(ProgressLine, IsNotWrittenWhenStandardErrorIsNoTerminal) {
  PanelSimulator sim({}, kvt::testing::panel_holding(kvt::testing::kWorkedCodes));
  const ProcessResult result = kvt::testing::run_kvt(arguments(sim));
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err.find(kFirstStep), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find_first_of("\r\x1b"), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgressLine,
                         ::testing::Values(ProgressCase{"Read", "read", false},
                                           ProgressCase{"Write", "write", true},
                                           ProgressCase{"Verify", "verify", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
