// report: a site's handover report, read back with poppler's pdfinfo and pdftotext as the
// customer would read it.

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "kvt_process.h"

namespace kvt {
namespace {

using testing::run_kvt;

std::string run_tool(const QString& program, const QStringList& arguments) {
  QProcess tool;
  tool.start(program, arguments);
  tool.waitForFinished(20000);
  return tool.readAllStandardOutput().toStdString();
}

std::string record_named(const std::string& panel) {
  return "\"00-00417-MDL\",\"" + panel +
         "\",\"ENTRY\",12,\"STAGE\",0,\"MASTER\",159,\"D4\",160,\"D5\",160,\"D6\",160,\"D7\",160,"
         "\"D8\",160,\"D9\",160,\"D10\",160,159,\"feature\",1,\"ind%\",10,\"bl%\",4\r\n";
}

// A site folder: three panels' files, one of them cut short, and a file that is no .kvc.
class Report : public ::testing::Test {
 protected:
  Report() {
    QDir(dir.path()).mkdir(QStringLiteral("site"));
    write("site/lobby.kvc", record_named("LOBBY 2"));
    write("site/hall.kvc", record_named("HALL EAST"));
    write("site/cut.kvc", record_named("CUT").substr(0, 40));
    write("site/notes.txt", "not a configuration");
  }
  void write(const char* name, const std::string& bytes) {
    std::ofstream(dir.filePath(QString::fromLatin1(name)).toStdString(), std::ios::binary) << bytes;
  }
  QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }

  QTemporaryDir dir;
};

TEST_F(Report, TableThenEverySheetEveryPageNumbered) {
  const auto result =
      run_kvt({QStringLiteral("report"), path("site"), QStringLiteral("-o"), path("handover.pdf")});
  // The cut file is named, and the report written all the same.
  EXPECT_EQ(result.exit_code, 2) << result.err;
  EXPECT_NE(result.err.find("cut.kvc"), std::string::npos) << result.err;
  const std::string info = run_tool(QStringLiteral("pdfinfo"), {path("handover.pdf")});
  EXPECT_NE(info.find("Pages:           3\n"), std::string::npos) << info;
  const std::string date = QDate::currentDate().toString(Qt::ISODate).toStdString();
  EXPECT_NE(info.find("Title:           HANDOVER REPORT " + date + "\n"), std::string::npos)
      << info;

  const auto page = [&](int number) {
    return run_tool(QStringLiteral("pdftotext"),
                    {QStringLiteral("-f"), QString::number(number), QStringLiteral("-l"),
                     QString::number(number), QStringLiteral("-layout"), path("handover.pdf"),
                     QStringLiteral("-")});
  };
  const std::string table = page(1);
  for (const char* expected : {"HANDOVER REPORT", "LAST WRITE", "LAST COMPARISON", "HALL EAST",
                               "LOBBY 2", "NOT OPENED", "cut.kvc", "PAGE 1 OF 3"}) {
    EXPECT_NE(table.find(expected), std::string::npos) << expected << " not in\n" << table;
  }
  EXPECT_EQ(table.find("notes.txt"), std::string::npos) << table;
  EXPECT_NE(table.find(QDate::currentDate().toString(Qt::ISODate).toStdString()),
            std::string::npos);
  // The sheets in file-name order: hall before lobby.
  EXPECT_NE(page(2).find("HALL EAST"), std::string::npos) << page(2);
  EXPECT_NE(page(2).find("PAGE 2 OF 3"), std::string::npos) << page(2);
  EXPECT_NE(page(3).find("LOBBY 2"), std::string::npos) << page(3);
  EXPECT_NE(page(3).find("PAGE 3 OF 3"), std::string::npos) << page(3);
}

// The last write and the last comparison of each file, from the journal: a file's own entries
// only, the latest of each command.
TEST_F(Report, TableTakesTheLastWriteAndComparisonFromTheJournal) {
  const std::string lobby = path("site/lobby.kvc").toStdString();
  const std::string hall = path("site/hall.kvc").toStdString();
  auto entry = [](const char* time, const char* command, const char* result,
                  const std::string& file) {
    return std::string("{\"time\":\"") + time + "\",\"command\":\"" + command +
           "\",\"from\":\"command line\",\"port\":\"/dev/ttyUSB0\",\"result\":\"" + result +
           "\",\"file\":\"" + file + "\"}\n";
  };
  write("journal.jsonl", entry("2026-11-02T09:00:00+01:00", "write", "failed", lobby) +
                             entry("2026-11-03T10:15:02+01:00", "write", "done", lobby) +
                             entry("2026-11-04T11:00:00+01:00", "verify", "differs", lobby) +
                             entry("2026-11-05T12:00:00+01:00", "read", "done", hall));
  QProcessEnvironment environment;
  environment.insert(QStringLiteral("KVT_JOURNAL"), path("journal.jsonl"));
  const auto result = run_kvt({QStringLiteral("report"), path("site/lobby.kvc"),
                               path("site/hall.kvc"), QStringLiteral("-o"), path("journal.pdf")},
                              environment);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  const std::string table = run_tool(
      QStringLiteral("pdftotext"),
      {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
       QStringLiteral("-layout"), path("journal.pdf"), QStringLiteral("-")});
  const auto line_of = [&](const char* panel) {
    const std::size_t at = table.find(panel);
    return at == std::string::npos ? std::string() : table.substr(at, table.find('\n', at) - at);
  };
  EXPECT_NE(line_of("LOBBY 2").find("2026-11-03 10:15 done"), std::string::npos) << table;
  EXPECT_NE(table.find("/dev/ttyUSB0"), std::string::npos) << table;
  EXPECT_NE(line_of("LOBBY 2").find("2026-11-04 11:00 differs"), std::string::npos) << table;
  // A read is neither a write nor a comparison.
  EXPECT_EQ(line_of("HALL EAST").find("2026"), std::string::npos) << table;
  EXPECT_NE(line_of("HALL EAST").find("NEVER"), std::string::npos) << table;
}

TEST_F(Report, FilesGivenOneByOneAllOpenedEndWithStatus0) {
  const auto result = run_kvt({QStringLiteral("report"), path("site/lobby.kvc"),
                               path("site/hall.kvc"), QStringLiteral("-o"), path("two.pdf"),
                               QStringLiteral("--page"), QStringLiteral("letter")});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  const std::string info = run_tool(QStringLiteral("pdfinfo"), {path("two.pdf")});
  EXPECT_NE(info.find("Pages:           3\n"), std::string::npos) << info;
  EXPECT_NE(info.find("612 x 792 pts (letter)"), std::string::npos) << info;
}

struct RefusalCase {
  const char* name;
  QStringList arguments;  // after "report"; "@" stands for the temporary folder
  std::string err_first_line;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class ReportRefused : public Report, public ::testing::WithParamInterface<RefusalCase> {};

// Nothing is written over a configuration file, and a report needs -o.
TEST_P(ReportRefused, NothingIsWritten) {
  QStringList arguments{QStringLiteral("report")};
  for (const QString& argument : GetParam().arguments) {
    arguments << QString(argument).replace(QLatin1Char('@'), dir.path());
  }
  const std::string lobby_before = record_named("LOBBY 2");
  const auto result = run_kvt(arguments);
  EXPECT_EQ(result.exit_code, 2);
  const QString expected = QString::fromStdString(GetParam().err_first_line);
  EXPECT_EQ(result.err.substr(0, result.err.find('\n')),
            QString(expected).replace(QLatin1Char('@'), dir.path()).toStdString())
      << result.err;
  std::ifstream lobby(path("site/lobby.kvc").toStdString(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(lobby), {}), lobby_before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportRefused,
    ::testing::Values(
        RefusalCase{"WithoutOutput", {QStringLiteral("@/site")}, "kvt-config: report needs -o"},
        RefusalCase{"OverAnInput",
                    {QStringLiteral("@/site/lobby.kvc"), QStringLiteral("-o"),
                     QStringLiteral("@/site/lobby.kvc")},
                    "kvt-config: REPORT WAS NOT SAVED: @/site/lobby.kvc (IT IS ONE OF THE "
                    "CONFIGURATION FILES)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt
