// `kvt-config sheet`: the configuration file's panel face on one page of PDF, read back with
// poppler's pdfinfo and pdftotext as a person or a label maker would find it.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "file_bytes.h"
#include "files/config_file_save.h"
#include "kvt_process.h"
#include "other_owner.h"
#include "worked_example.h"

namespace {

using kvt::testing::run_kvt;

// A word on the page, in points from the top left corner.
struct Word {
  QString text;
  double left, top, right, bottom;
};

std::string run_tool(const QString& program, const QStringList& arguments) {
  QProcess tool;
  tool.start(program, arguments);
  tool.waitForFinished(20000);
  return tool.readAllStandardOutput().toStdString();
}

std::vector<Word> words_of(const QString& pdf) {
  const QString html = QString::fromStdString(
      run_tool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
  static const QRegularExpression word(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<Word> words;
  for (const auto& match : word.globalMatch(html)) {
    words.push_back({QTextDocumentFragment::fromHtml(match.captured(5)).toPlainText(),
                     match.captured(1).toDouble(), match.captured(2).toDouble(),
                     match.captured(3).toDouble(), match.captured(4).toDouble()});
  }
  return words;
}

const Word* find_word(const std::vector<Word>& words, const QString& text) {
  for (const Word& w : words) {
    if (w.text == text) return &w;
  }
  return nullptr;
}

// A button's part of the face: from its SWk label to the next button's label, to the right and
// down; the last row and column reach as far again.
struct Cell {
  double left, top, right, bottom;
  bool holds(const Word& w) const {
    return w.left >= left && w.right <= right && w.top >= top && w.bottom <= bottom;
  }
};

Cell cell_of(const std::vector<Word>& words, int k) {
  const Word* label = find_word(words, QStringLiteral("SW%1").arg(k));
  const Word* sw1 = find_word(words, QStringLiteral("SW1"));
  const Word* sw2 = find_word(words, QStringLiteral("SW2"));
  const Word* sw3 = find_word(words, QStringLiteral("SW3"));
  if (!label || !sw1 || !sw2 || !sw3) return {};
  const double across = sw2->left - sw1->left;
  const double down = sw3->top - sw1->top;
  // The label sits inside the box's corner; the box starts a little before it.
  return {label->left - 8, label->top - 8, label->left - 8 + across, label->top - 8 + down};
}

// A word's box in the sheet's typeface is 1.12 times the letters' size high: a word printed in
// 9 points or more is at least this high.
constexpr double kNinePointWordHeight = 9 * 1.1;

// The words in `cell`, line by line from the top, each line from the left.
std::vector<Word> words_in(const std::vector<Word>& words, const Cell& cell) {
  std::vector<Word> in;
  for (const Word& w : words) {
    if (cell.holds(w)) in.push_back(w);
  }
  std::sort(in.begin(), in.end(), [](const Word& a, const Word& b) {
    return std::abs(a.top - b.top) > 1 ? a.top < b.top : a.left < b.left;
  });
  return in;
}

// How many lines the words are on.
int lines_of(const std::vector<Word>& words) {
  std::vector<double> tops;
  for (const Word& w : words) {
    if (std::none_of(tops.begin(), tops.end(), [&](double t) { return std::abs(t - w.top) < 1; })) {
      tops.push_back(w.top);
    }
  }
  return static_cast<int>(tops.size());
}

// The words one after the other, without the spaces and line breaks between them.
QString run_together(const std::vector<Word>& words) {
  QString text;
  for (const Word& w : words) text += w.text;
  return text;
}

// The parts of `text` a line may end between: its words, and its words' parts after a hyphen.
QStringList break_points(const QString& text) {
  static const QRegularExpression between(QStringLiteral("(?<=-)| +"));
  return text.split(between, Qt::SkipEmptyParts);
}

QString without_spaces(const QString& text) { return QString(text).remove(QLatin1Char(' ')); }

// The paper a sheet is printed on.
struct PaperCase {
  const char* name;
  QStringList options;
  const char* size;
};

void PrintTo(const PaperCase& c, std::ostream* out) { *out << c.name; }

const PaperCase kA4{"A4", {QStringLiteral("--page"), QStringLiteral("a4")}, "595 x 842 pts"};
const PaperCase kLetter{
    "Letter", {QStringLiteral("--page"), QStringLiteral("letter")}, "612 x 792 pts"};

struct SheetCase {
  const char* name;
  int k;                    // the switch whose designation the case sets
  const char* designation;  // as the file holds it (Latin-1)
  const char* shown;        // as the sheet shows it (UTF-8), spaces and line breaks aside
  int fewest_lines, most_lines;
  bool whole_words;  // lines end only between words or after a hyphen
};

void PrintTo(const SheetCase& c, std::ostream* out) { *out << c.name; }

// A configuration file in a folder of the test's own, and its sheet beside it.
class SheetFile : public ::testing::Test {
 protected:
  // `record` written as lobby.kvc and turned into lobby.pdf.
  kvt::testing::ProcessResult make_sheet(const kvt::ConfigRecord& record,
                                         const QStringList& options = {}) {
    file = dir.filePath(QStringLiteral("lobby.kvc"));
    EXPECT_EQ(kvt::write_config_record(file.toStdString(), record), std::nullopt);
    return run_kvt(QStringList{QStringLiteral("sheet"), file} + options);
  }

  QTemporaryDir dir;
  QString file;
};

class Sheet : public SheetFile,
              public ::testing::WithParamInterface<std::tuple<SheetCase, PaperCase>> {};

// The worked example's designations and settings, by switch: the start-up designation of switches
// 4 to 10 names no button, so they stay blank.
struct Button {
  const char* designation;
  const char* setting;
};
constexpr Button kWorkedButtons[] = {
    {"ENTRY", "B 3"}, {"STAGE", "A 1"}, {"MASTER", "BL/MR"}, {"", "N/A"}, {"", "N/A"},
    {"", "N/A"},      {"", "N/A"},      {"", "N/A"},         {"", "N/A"}, {"", "N/A"},
};

// Every designation whole and inside its own box, above its setting, on the face as mounted, in
// letters no smaller than 9 points; a long one takes more lines, breaking a word only where it
// is longer than a line.
TEST_P(Sheet, ShowsEachButtonInItsPlace) {
  const auto& [c, paper] = GetParam();
  kvt::ConfigRecord record = kvt::testing::worked_example();
  if (c.k > 0) record.switches[c.k - 1].designation = c.designation;
  const auto result = make_sheet(record, paper.options);
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");

  const QString pdf = dir.filePath(QStringLiteral("lobby.pdf"));
  const std::string info = run_tool(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  EXPECT_NE(info.find(paper.size), std::string::npos) << info;

  const std::vector<Word> words = words_of(pdf);
  const Word* sw1 = find_word(words, QStringLiteral("SW1"));
  const Word* sw2 = find_word(words, QStringLiteral("SW2"));
  const Word* sw3 = find_word(words, QStringLiteral("SW3"));
  ASSERT_TRUE(sw1 && sw2 && sw3);
  EXPECT_LT(sw1->right, sw2->left);
  EXPECT_NEAR(sw1->top, sw2->top, 1);
  EXPECT_LT(sw1->bottom, sw3->top);
  EXPECT_NEAR(sw1->left, sw3->left, 1);

  for (int k = 1; k <= 10; ++k) {
    SCOPED_TRACE("SW" + std::to_string(k));
    const Button& button = kWorkedButtons[k - 1];
    const QString designation = QString::fromUtf8(k == c.k ? c.shown : button.designation);
    const QStringList setting = QString::fromUtf8(button.setting).split(' ');
    // The label first, the setting last, the designation between them.
    std::vector<Word> shown = words_in(words, cell_of(words, k));
    ASSERT_GE(shown.size(), 1 + setting.size());
    EXPECT_EQ(shown.front().text, QStringLiteral("SW%1").arg(k));
    const std::vector<Word> setting_words(shown.end() - setting.size(), shown.end());
    EXPECT_EQ(run_together(setting_words), setting.join(QString()));
    shown.erase(shown.end() - setting.size(), shown.end());
    shown.erase(shown.begin());

    EXPECT_EQ(run_together(shown), without_spaces(designation));
    for (const Word& w : shown) {
      EXPECT_GE(w.bottom - w.top, kNinePointWordHeight) << w.text.toStdString();
    }
    if (k != c.k) continue;
    EXPECT_GE(lines_of(shown), c.fewest_lines);
    EXPECT_LE(lines_of(shown), c.most_lines);
    if (c.whole_words) {
      const QStringList parts = break_points(designation);
      for (const Word& w : shown) {
        for (const QString& part : break_points(w.text)) {
          EXPECT_TRUE(parts.contains(part)) << w.text.toStdString() << " is broken inside a word";
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Designations, Sheet,
    ::testing::Combine(
        ::testing::Values(
            SheetCase{"WorkedExample", 0, "", "", 0, 0, true},
            SheetCase{"FortyCharacters", 4, "EMERGENCY EXIT CORRIDOR NORTH WING LIGHT",
                      "EMERGENCY EXIT CORRIDOR NORTH WING LIGHT", 2, 4, true},
            SheetCase{"FortyInOneWord", 9, "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN",
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN", 2, 3, false},
            SheetCase{"TwentyFourInOneWord", 10, "WWWWWWWWWWWWWWWWWWWWWWWW",
                      "WWWWWWWWWWWWWWWWWWWWWWWW", 1, 3, false},
            // Broken after its hyphens, each part whole.
            SheetCase{"Hyphenated", 7, "STAGE-LEFT-WASH-LIGHTS", "STAGE-LEFT-WASH-LIGHTS", 2, 4,
                      true},
            // After a word that fits, a word longer than a line starts a line of its own.
            SheetCase{"ShortThenLongWord", 8, "A ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN",
                      "A ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMN", 3, 4, false},
            SheetCase{"Latin1", 5,
                      "CAF\xC9 S\xDC"
                      "D",
                      "CAFÉ SÜD", 1, 1, true},
            SheetCase{"Empty", 6, "", "", 0, 0, true},
            SheetCase{"OnlySpaces", 6, "   ", "", 0, 0, true},
            // Typed over: only the untouched start-up text stands for no designation.
            SheetCase{"StartUpTextWithMore", 4, "DESIGNATION 4", "DESIGNATION 4", 1, 2, true}),
        ::testing::Values(kA4, kLetter)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
    });

struct TitleCase {
  const char* name;
  std::string panel;
  bool cut;  // too long for two lines even in small letters: the second ends in "…"
};

void PrintTo(const TitleCase& c, std::ostream* out) { *out << c.name; }

class SheetTitle : public SheetFile,
                   public ::testing::WithParamInterface<std::tuple<TitleCase, PaperCase>> {};

// The panel name heads the sheet on one or two lines, smaller the longer it is, and never runs
// into the panel's frame; it is the document's title too.
TEST_P(SheetTitle, StaysAboveTheFaceOnTwoLinesAtMost) {
  const auto& [c, paper] = GetParam();
  kvt::ConfigRecord record = kvt::testing::worked_example();
  record.panel = c.panel;
  const auto result = make_sheet(record, paper.options);
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const QString pdf = dir.filePath(QStringLiteral("lobby.pdf"));
  const std::string info = run_tool(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_NE(info.find("Title:           " + c.panel + "\n"), std::string::npos) << info;

  const std::vector<Word> words = words_of(pdf);
  const Word* sw1 = find_word(words, QStringLiteral("SW1"));
  ASSERT_TRUE(sw1);
  // The frame is drawn a gap and a button's padding, 18 points, above the first label.
  const double frame_top = sw1->top - 18;
  std::vector<Word> title;
  for (const Word& w : words) {
    if (w.top < sw1->top) title.push_back(w);
  }
  for (const Word& w : title) EXPECT_LE(w.bottom, frame_top) << w.text.toStdString();
  EXPECT_GE(lines_of(title), 1);
  EXPECT_LE(lines_of(title), 2);
  const QString panel = without_spaces(QString::fromStdString(c.panel));
  const QString shown = run_together(words_in(words, {0, 0, 1000, sw1->top}));
  if (c.cut) {
    EXPECT_TRUE(shown.endsWith(QStringLiteral("…"))) << shown.toStdString();
    EXPECT_TRUE(panel.startsWith(shown.chopped(1))) << shown.toStdString();
    EXPECT_GT(shown.size(), 60);
  } else {
    EXPECT_EQ(shown, panel);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, SheetTitle,
    ::testing::Combine(
        ::testing::Values(
            TitleCase{"Short", "LOBBY 2", false},
            TitleCase{"ThirtySixCharacters", "NORTH WING CONFERENCE HALL LEVEL TWO", false},
            TitleCase{"NinetyCharacters",
                      "EAST WING GROUND FLOOR MAIN ENTRANCE RECEPTION AND WAITING AREA LIGHTING "
                      "PANEL NUMBER 12",
                      false},
            TitleCase{"SixtyInOneWord", std::string(60, 'M'), false},
            TitleCase{"ThreeHundredCharacters",
                      [] {
                        std::string name;
                        while (name.size() < 300) name += "CORRIDOR ";
                        return name.substr(0, 300);
                      }(),
                      true}),
        ::testing::Values(kA4, kLetter)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
    });

TEST_F(Sheet, ShowsTheFeaturesCodesAndWhereItCameFrom) {
  const auto result = make_sheet(kvt::testing::worked_example());
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const std::string text = run_tool(
      QStringLiteral("pdftotext"),
      {QStringLiteral("-layout"), dir.filePath(QStringLiteral("lobby.pdf")), QStringLiteral("-")});
  const std::string version = run_kvt({QStringLiteral("--version")}).out;
  for (const std::string& expected :
       {std::string("INDEPENDENT LIGHTING"), std::string("ON"), std::string("100 %"),
        std::string("60 %"), std::string("12 0 159 160 160 160 160 160 160 160 159 1 10 4"),
        std::string("lobby.kvc"), QDate::currentDate().toString(Qt::ISODate).toStdString(),
        version.substr(version.rfind(' ') + 1, version.size() - version.rfind(' ') - 2)}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in\n" << text;
  }
}

struct LightingCase {
  const char* name;
  int feature;       // the file's independent lighting flag
  const char* says;  // the sheet's word for it
};

void PrintTo(const LightingCase& c, std::ostream* out) { *out << c.name; }

class SheetLighting : public SheetFile, public ::testing::WithParamInterface<LightingCase> {};

// The word beside INDEPENDENT LIGHTING is the file's flag, whichever way it is set.
TEST_P(SheetLighting, SaysWhetherIndependentLightingIsOn) {
  kvt::ConfigRecord record = kvt::testing::worked_example();
  record.feature = GetParam().feature;
  const auto result = make_sheet(record);
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const std::string text = run_tool(
      QStringLiteral("pdftotext"),
      {QStringLiteral("-layout"), dir.filePath(QStringLiteral("lobby.pdf")), QStringLiteral("-")});
  const std::string label = "INDEPENDENT LIGHTING";
  const auto at = text.find(label);
  ASSERT_NE(at, std::string::npos) << text;
  std::istringstream rest(text.substr(at + label.size(), text.find('\n', at) - at - label.size()));
  std::string word;
  rest >> word;
  EXPECT_EQ(word, GetParam().says) << text;
}

INSTANTIATE_TEST_SUITE_P(Flags, SheetLighting,
                         ::testing::Values(LightingCase{"On", 1, "ON"},
                                           LightingCase{"Off", 0, "OFF"}),
                         [](const auto& info) { return std::string(info.param.name); });

class SheetPaper : public ::testing::TestWithParam<PaperCase> {};

TEST_P(SheetPaper, IsOnePageOfThePaperAskedFor) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("lobby.kvc"));
  ASSERT_EQ(kvt::write_config_record(file.toStdString(), kvt::testing::worked_example()),
            std::nullopt);
  const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
  const auto result = run_kvt(
      QStringList{QStringLiteral("sheet"), file, QStringLiteral("-o"), pdf} + GetParam().options);
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const std::string info = run_tool(QStringLiteral("pdfinfo"), {pdf});
  EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
  EXPECT_NE(info.find(GetParam().size), std::string::npos) << info;
}

INSTANTIATE_TEST_SUITE_P(Papers, SheetPaper,
                         ::testing::Values(PaperCase{"Default", {}, "595 x 842 pts"}, kA4, kLetter),
                         [](const auto& info) { return std::string(info.param.name); });

struct NameCase {
  const char* name;
  const char* file;
  const char* sheet;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }

class SheetName : public ::testing::TestWithParam<NameCase> {};

TEST_P(SheetName, IsTheFileNameAsPdfWithoutOutput) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QString::fromUtf8(GetParam().file));
  ASSERT_EQ(kvt::write_config_record(file.toStdString(), kvt::testing::worked_example()),
            std::nullopt);
  const auto result = run_kvt({QStringLiteral("sheet"), file});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromUtf8(GetParam().sheet))));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

// Names of 250 bytes, close to the longest a folder holds: the new sheet's own name beside it, kept
// until it is complete, must not be longer than the folder allows.
const std::string kLongStem(246, 'l');
const std::string kLongFile = kLongStem + ".kvc";
const std::string kLongSheet = kLongStem + ".pdf";

INSTANTIATE_TEST_SUITE_P(Names, SheetName,
                         ::testing::Values(NameCase{"Kvc", "lobby.kvc", "lobby.pdf"},
                                           NameCase{"Capitals", "LOBBY.KVC", "LOBBY.pdf"},
                                           NameCase{"OtherEnding", "lobby.txt", "lobby.txt.pdf"},
                                           NameCase{"NoEnding", "lobby", "lobby.pdf"},
                                           NameCase{"Of250Bytes", kLongFile.c_str(),
                                                    kLongSheet.c_str()}),
                         [](const auto& info) { return std::string(info.param.name); });

// A file name in Latin-1 keeps its bytes in the sheet's name, as the system gave them.
TEST(SheetNameBytes, KeepsALatin1FileName) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString() + "/";
  ASSERT_EQ(kvt::write_config_record(folder + "caf\xE9.kvc", kvt::testing::worked_example()),
            std::nullopt);
  const auto result = kvt::testing::run_kvt_bytes({"sheet", folder + "caf\xE9.kvc"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  struct stat status {};
  EXPECT_EQ(::stat((folder + "caf\xE9.pdf").c_str(), &status), 0);
  EXPECT_NE(::stat((folder + "caf\uFFFD.pdf").c_str(), &status), 0);  // decoded and lost
}

// What cannot become a sheet is said, naming the file, and nothing is written in its place.
struct RefusalCase {
  const char* name;
  QStringList arguments;  // after "sheet"; FILE stands for the worked example's file
  const char* says;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class SheetRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SheetRefusal, SaysWhyAndFails) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("lobby.kvc"));
  ASSERT_EQ(kvt::write_config_record(file.toStdString(), kvt::testing::worked_example()),
            std::nullopt);
  // A FIFO of the test's own stands for any node that is not a file: were the refusal gone, the
  // PDF would replace it, and a test must never risk a device of the system.
  const QString fifo = dir.filePath(QStringLiteral("fifo.pdf"));
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  // The configuration's second names: it is the same file under either.
  const std::string configuration = kvt::testing::file_bytes(file.toStdString());
  const std::string hard_link = dir.filePath(QStringLiteral("hard.kvc")).toStdString();
  const std::string symbolic_link = dir.filePath(QStringLiteral("symbolic.kvc")).toStdString();
  ASSERT_EQ(::link(file.toLocal8Bit().constData(), hard_link.c_str()), 0) << std::strerror(errno);
  ASSERT_EQ(::symlink("lobby.kvc", symbolic_link.c_str()), 0) << std::strerror(errno);
  QStringList arguments{QStringLiteral("sheet")};
  for (const QString& argument : GetParam().arguments) {
    arguments << QString(argument)
                     .replace(QStringLiteral("FILE"), file)
                     .replace(QStringLiteral("DIR"), dir.path());
  }
  const auto result = run_kvt(arguments);
  EXPECT_EQ(result.exit_code, 2);
  EXPECT_NE(result.err.find(QString::fromUtf8(GetParam().says)
                                .replace(QStringLiteral("DIR"), dir.path())
                                .toStdString()),
            std::string::npos)
      << result.err;
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("lobby.pdf"))));
  for (const std::string& name : {file.toStdString(), hard_link, symbolic_link}) {
    EXPECT_TRUE(kvt::testing::file_bytes(name) == configuration) << name << " was replaced";
  }
  struct stat fifo_status {};
  ASSERT_EQ(::stat(fifo.toLocal8Bit().constData(), &fifo_status), 0);
  EXPECT_TRUE(S_ISFIFO(fifo_status.st_mode));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, SheetRefusal,
    ::testing::Values(
        RefusalCase{"Fifo",
                    {QStringLiteral("FILE"), QStringLiteral("-o"), QStringLiteral("DIR/fifo.pdf")},
                    "CONFIGURATION SHEET WAS NOT SAVED: DIR/fifo.pdf (NOT A REGULAR FILE)"},
        RefusalCase{"Folder",
                    {QStringLiteral("FILE"), QStringLiteral("-o"), QStringLiteral("DIR")},
                    "CONFIGURATION SHEET WAS NOT SAVED: DIR (NOT A REGULAR FILE)"},
        RefusalCase{
            "NoFolder",
            {QStringLiteral("FILE"), QStringLiteral("-o"), QStringLiteral("DIR/none/out.pdf")},
            "CONFIGURATION SHEET WAS NOT SAVED: DIR/none/out.pdf ("},
        // The technician's file is never replaced by its own sheet.
        RefusalCase{"ConfigurationItself",
                    {QStringLiteral("FILE"), QStringLiteral("-o"), QStringLiteral("DIR/lobby.kvc")},
                    "CONFIGURATION SHEET WAS NOT SAVED: DIR/lobby.kvc (IT IS THE CONFIGURATION "
                    "FILE)"},
        RefusalCase{"HardLinkToConfiguration",
                    {QStringLiteral("FILE"), QStringLiteral("-o"), QStringLiteral("DIR/hard.kvc")},
                    "CONFIGURATION SHEET WAS NOT SAVED: DIR/hard.kvc (IT IS THE CONFIGURATION "
                    "FILE)"},
        RefusalCase{
            "SymbolicLinkToConfiguration",
            {QStringLiteral("FILE"), QStringLiteral("-o"), QStringLiteral("DIR/symbolic.kvc")},
            "CONFIGURATION SHEET WAS NOT SAVED: DIR/symbolic.kvc (IT IS THE CONFIGURATION FILE)"},
        RefusalCase{
            "ConfigurationThroughItsLink",
            {QStringLiteral("DIR/symbolic.kvc"), QStringLiteral("-o"), QStringLiteral("FILE")},
            "CONFIGURATION SHEET WAS NOT SAVED: DIR/lobby.kvc (IT IS THE CONFIGURATION "
            "FILE)"},
        RefusalCase{"NoFile",
                    {QStringLiteral("DIR/none.kvc")},
                    "CONFIGURATION FILE COULD NOT BE READ: DIR/none.kvc"},
        RefusalCase{"Paper",
                    {QStringLiteral("FILE"), QStringLiteral("--page"), QStringLiteral("a3")},
                    "--page a3: the paper is a4 or letter"}),
    [](const auto& info) { return std::string(info.param.name); });

// Run as root, `sheet -o` over a user's sheet leaves it that user's, with its permissions, or its
// owner could no longer read it.
TEST(SheetTarget, ReplacedSheetKeepsItsOwnerGroupAndMode) {
  std::string why;
  const auto nobody = kvt::testing::nobody_as_owner(why);
  if (!nobody) GTEST_SKIP() << why;
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("lobby.kvc"));
  ASSERT_EQ(kvt::write_config_record(file.toStdString(), kvt::testing::worked_example()),
            std::nullopt);
  const std::string sheet = dir.filePath(QStringLiteral("theirs.pdf")).toStdString();
  ASSERT_EQ(kvt::write_whole_file(sheet, "old"), std::nullopt);
  ASSERT_EQ(::chown(sheet.c_str(), nobody->uid, nobody->gid), 0) << std::strerror(errno);
  ASSERT_EQ(::chmod(sheet.c_str(), 0600), 0) << std::strerror(errno);

  const auto result =
      run_kvt({QStringLiteral("sheet"), file, QStringLiteral("-o"), QString::fromStdString(sheet)});

  ASSERT_EQ(result.exit_code, 0) << result.err;
  struct stat replaced {};
  ASSERT_EQ(::stat(sheet.c_str(), &replaced), 0);
  EXPECT_EQ(replaced.st_uid, nobody->uid);
  EXPECT_EQ(replaced.st_gid, nobody->gid);
  EXPECT_EQ(replaced.st_mode & 07777, 0600u);
  EXPECT_GT(replaced.st_size, 3) << "the old file is still there";
}

// An existing sheet is replaced, through a link to it, and the link stays a link.
TEST(SheetTarget, ReplacesTheFileALinkNames) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("lobby.kvc"));
  ASSERT_EQ(kvt::write_config_record(file.toStdString(), kvt::testing::worked_example()),
            std::nullopt);
  const QString old_sheet = dir.filePath(QStringLiteral("old.pdf"));
  const QString link = dir.filePath(QStringLiteral("link.pdf"));
  {
    QFile old(old_sheet);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  ASSERT_TRUE(QFile::link(old_sheet, link));
  const auto result = run_kvt({QStringLiteral("sheet"), file, QStringLiteral("-o"), link});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  QFile replaced(old_sheet);
  ASSERT_TRUE(replaced.open(QIODevice::ReadOnly));
  EXPECT_TRUE(replaced.readAll().startsWith("%PDF"));
}

// When the stop signal is sent to a running `sheet`.
enum class Moment {
  AtOnce,          // as it starts, before it has read anything
  WhileDrawing,    // a little later, while the sheet is drawn in memory
  AsTheFileIsMade  // the moment the new file appears in the folder, while it is written
};

struct InterruptedCase {
  const char* name;
  int signal_number;
  Moment moment;
};

void PrintTo(const InterruptedCase& c, std::ostream* out) { *out << c.name; }

// Waits at most `ms` for the first name made in the folder `watch` watches.
bool wait_for_a_new_name(int watch, int ms) {
  pollfd ready{watch, POLLIN, 0};
  return ::poll(&ready, 1, ms) == 1;
}

class SheetInterrupted : public ::testing::TestWithParam<InterruptedCase> {};

// Whenever a signal stops it, `sheet` leaves the folder as it was, or with the complete sheet:
// never a part-written file under any name. It ends as stopped by the signal, or with success
// when it had finished before the signal came.
TEST_P(SheetInterrupted, LeavesNoPartWrittenFile) {
  const InterruptedCase& c = GetParam();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("lobby.kvc"));
  ASSERT_EQ(kvt::write_config_record(file.toStdString(), kvt::testing::worked_example()),
            std::nullopt);
  const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  ASSERT_GE(watch, 0) << std::strerror(errno);
  ASSERT_GE(::inotify_add_watch(watch, dir.path().toLocal8Bit().constData(), IN_CREATE), 0);

  kvt::testing::KvtProcess program({QStringLiteral("sheet"), file});
  const auto pid = static_cast<pid_t>(program.pid());
  switch (c.moment) {
    case Moment::AtOnce:
      break;
    case Moment::WhileDrawing:
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      break;
    case Moment::AsTheFileIsMade:
      EXPECT_TRUE(wait_for_a_new_name(watch, 10000)) << "no new file was made";
      break;
  }
  ::kill(pid, c.signal_number);
  const auto result = program.finish();
  ::close(watch);

  const bool killed = result.crashed && result.exit_code == c.signal_number;
  const bool stopped = !result.crashed && result.exit_code == 128 + c.signal_number;
  const bool finished = !result.crashed && result.exit_code == 0;
  EXPECT_TRUE(killed || stopped || finished)
      << "crashed " << result.crashed << ", exit " << result.exit_code << "\n"
      << result.err;
  QStringList left =
      QDir(dir.path())
          .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  left.removeOne(QStringLiteral("lobby.kvc"));
  if (left.removeOne(QStringLiteral("lobby.pdf"))) {
    QFile sheet(dir.filePath(QStringLiteral("lobby.pdf")));
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
    EXPECT_TRUE(sheet.readAll().trimmed().endsWith("%%EOF")) << "the sheet is not complete";
  } else {
    EXPECT_FALSE(finished) << "success without a sheet";
  }
  EXPECT_EQ(left, QStringList()) << "left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Signals, SheetInterrupted,
    ::testing::Values(InterruptedCase{"SigintAtOnce", SIGINT, Moment::AtOnce},
                      InterruptedCase{"SigtermWhileDrawing", SIGTERM, Moment::WhileDrawing},
                      InterruptedCase{"SigintAsTheFileIsMade", SIGINT, Moment::AsTheFileIsMade},
                      InterruptedCase{"SigtermAsTheFileIsMade", SIGTERM, Moment::AsTheFileIsMade},
                      InterruptedCase{"SighupAsTheFileIsMade", SIGHUP, Moment::AsTheFileIsMade}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
