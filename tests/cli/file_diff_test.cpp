// diff: two configuration files compared setting by setting, in verify's words with the files'
// names, panel name and designations included.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "kvt_process.h"

namespace kvt {
namespace {

using testing::run_kvt;

// The worked example's record with one field replaced: `field` is the text to find, `by` what
// stands there instead.
std::string record_with(const std::string& field, const std::string& by) {
  std::string line =
      "\"00-00417-MDL\",\"LOBBY 2\",\"ENTRY\",12,\"STAGE\",0,\"MASTER\",159,\"D4\",160,\"D5\","
      "160,\"D6\",160,\"D7\",160,\"D8\",160,\"D9\",160,\"D10\",160,159,\"feature\",1,\"ind%\",10,"
      "\"bl%\",4\r\n";
  if (!field.empty()) line.replace(line.find(field), field.size(), by);
  return line;
}

struct DiffCase {
  const char* name;
  std::string field;  // in the second file, replaced by `by`
  std::string by;
  int exit_code;
  std::string out;
};

void PrintTo(const DiffCase& c, std::ostream* os) { *os << c.name; }

class Diff : public ::testing::TestWithParam<DiffCase> {
 protected:
  QString write(const char* name, const std::string& record) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    std::ofstream(path.toStdString(), std::ios::binary) << record;
    return path;
  }
  QTemporaryDir dir;
};

TEST_P(Diff, NamesEveryDifferenceWithBothFiles) {
  const DiffCase& c = GetParam();
  const QString a = write("a.kvc", record_with("", ""));
  const QString b = write("b.kvc", record_with(c.field, c.by));
  const auto result = run_kvt({QStringLiteral("diff"), a, b});
  EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
  std::string expected = c.out;
  for (const auto& [from, to] : {std::pair{std::string("A.KVC"), a.toStdString()},
                                 std::pair{std::string("B.KVC"), b.toStdString()}}) {
    for (std::size_t at = expected.find(from); at != std::string::npos;
         at = expected.find(from, at + to.size())) {
      expected.replace(at, from.size(), to);
    }
  }
  EXPECT_EQ(result.out, expected);
  EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, Diff,
    ::testing::Values(
        DiffCase{"Same", "", "", 0, "SAME\n"},
        DiffCase{"Switch", "\"STAGE\",0,", "\"STAGE\",21,", 1, "SW2: A.KVC A 1, B.KVC C 2\n"},
        DiffCase{"Intensity", "\"bl%\",4", "\"bl%\",10", 1,
                 "BACK-LIGHT INTENSITY: A.KVC 60 %, B.KVC 100 %\n"},
        DiffCase{"Designation", "\"MASTER\"", "\"ALL\"", 1,
                 "SW3 DESIGNATION: A.KVC \"MASTER\", B.KVC \"ALL\"\n"},
        DiffCase{"PanelName", "\"LOBBY 2\"", "\"LOBBY 3\"", 1,
                 "PANEL NAME: A.KVC \"LOBBY 2\", B.KVC \"LOBBY 3\"\n"},
        // Its lines in the order of the panel: a switch's setting, then its designation.
        DiffCase{"SettingAndDesignation", "\"STAGE\",0,", "\"STEPS\",1,", 1,
                 "SW2: A.KVC A 1, B.KVC A 2\nSW2 DESIGNATION: A.KVC \"STAGE\", B.KVC \"STEPS\"\n"},
        // Shown alike, the bytes tell them apart.
        DiffCase{"FlagShownAlike", "\"feature\",1", "\"feature\",0", 1,
                 "INDEPENDENT LIGHTING: A.KVC on, B.KVC off\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file that is refused is named, whichever side it is on, and nothing is compared.
TEST(DiffRefused, FileThatCannotBeReadEndsWithStatus2) {
  QTemporaryDir dir;
  const QString good = dir.filePath(QStringLiteral("a.kvc"));
  std::ofstream(good.toStdString(), std::ios::binary) << record_with("", "");
  const QString other_model = dir.filePath(QStringLiteral("other.kvc"));
  std::ofstream(other_model.toStdString(), std::ios::binary)
      << record_with("00-00417-MDL", "00-00999-XYZ");
  const QString missing = dir.filePath(QStringLiteral("missing.kvc"));
  for (const auto& [first, second] :
       {std::pair{good, missing}, std::pair{missing, good}, std::pair{good, other_model}}) {
    const auto result = run_kvt({QStringLiteral("diff"), first, second});
    EXPECT_EQ(result.exit_code, 2) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(result.err.empty());
  }
}

TEST(DiffJson, SaysWhetherTheFilesAreTheSameAndHowTheyDiffer) {
  QTemporaryDir dir;
  const QString a = dir.filePath(QStringLiteral("a.kvc"));
  const QString b = dir.filePath(QStringLiteral("b.kvc"));
  std::ofstream(a.toStdString(), std::ios::binary) << record_with("", "");
  std::ofstream(b.toStdString(), std::ios::binary) << record_with("\"bl%\",4", "\"bl%\",10");
  const auto same = run_kvt({QStringLiteral("diff"), QStringLiteral("--json"), a, a});
  EXPECT_EQ(same.exit_code, 0);
  EXPECT_NE(same.out.find("\"same\": true"), std::string::npos) << same.out;
  const auto differ = run_kvt({QStringLiteral("diff"), QStringLiteral("--json"), a, b});
  EXPECT_EQ(differ.exit_code, 1);
  EXPECT_NE(differ.out.find("\"same\": false"), std::string::npos) << differ.out;
  EXPECT_NE(differ.out.find("BACK-LIGHT INTENSITY: "), std::string::npos) << differ.out;
}

}  // namespace
}  // namespace kvt
