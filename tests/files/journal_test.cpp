// The journal file itself: where lines land, what it refuses to write into, its rotation, and
// reading it back after a power loss.

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QJsonObject>
#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/journal_file.h"
#include "commands/journal_reading.h"
#include "file_bytes.h"

namespace kvt {
namespace {

using testing::file_bytes;

std::string entry_line(int number) {
  return "{\"command\":\"write\",\"number\":" + std::to_string(number) + "}";
}

class Journal : public ::testing::Test {
 protected:
  std::string at(const std::string& name) const {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }
  std::vector<int> numbers_in(const std::string& path) const {
    std::vector<int> numbers;
    read_journal(path, [&](const QJsonObject& entry, std::string_view) {
      numbers.push_back(entry["number"].toInt());
    });
    return numbers;
  }

  QTemporaryDir dir;
};

TEST_F(Journal, MakesItsFolderForItsOwnerAndAppendsOneLineEach) {
  const std::string path = at("state/kvt-config/journal.jsonl");
  const JournalFile journal(path);
  ASSERT_EQ(journal.append(entry_line(1)), std::nullopt);
  ASSERT_EQ(journal.append(entry_line(2)), std::nullopt);

  EXPECT_EQ(file_bytes(path), entry_line(1) + "\n" + entry_line(2) + "\n");
  struct stat status {};
  ASSERT_EQ(::stat(at("state/kvt-config").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0700u);
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
}

// KVT_JOURNAL names the journal or turns it off; without it the journal is a state file.
struct PlaceCase {
  const char* name;
  const char* journal;  // KVT_JOURNAL, or none
  const char* state;    // XDG_STATE_HOME, or none
  std::optional<std::string> expected;
};

void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }

class JournalPlace : public ::testing::TestWithParam<PlaceCase> {
 protected:
  void SetUp() override {
    for (const char* name : {"KVT_JOURNAL", "XDG_STATE_HOME", "HOME"}) {
      if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
      ::unsetenv(name);
    }
    ::setenv("HOME", "/home/tech", 1);
  }
  void TearDown() override {
    for (const char* name : {"KVT_JOURNAL", "XDG_STATE_HOME", "HOME"}) ::unsetenv(name);
    for (const auto& [name, value] : saved_) ::setenv(name.c_str(), value.c_str(), 1);
  }

 private:
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST_P(JournalPlace, FollowsTheEnvironment) {
  const PlaceCase& c = GetParam();
  if (c.journal) ::setenv("KVT_JOURNAL", c.journal, 1);
  if (c.state) ::setenv("XDG_STATE_HOME", c.state, 1);
  EXPECT_EQ(journal_path(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalPlace,
    ::testing::Values(
        PlaceCase{"Default", nullptr, nullptr, "/home/tech/.local/state/kvt-config/journal.jsonl"},
        PlaceCase{"StateHome", nullptr, "/var/state", "/var/state/kvt-config/journal.jsonl"},
        PlaceCase{"RelativeStateHomeIgnored", nullptr, "state",
                  "/home/tech/.local/state/kvt-config/journal.jsonl"},
        PlaceCase{"Named", "/srv/site/journal.jsonl", "/var/state", "/srv/site/journal.jsonl"},
        PlaceCase{"Off", "off", "/var/state", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever stands in the journal's place, the line goes nowhere else and nothing waits.
struct UnwritableCase {
  const char* name;
  std::function<std::string(const std::string& folder)> make;  // returns the journal's path
  const char* reason;
};

void PrintTo(const UnwritableCase& c, std::ostream* out) { *out << c.name; }

class UnwritableJournal : public Journal, public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(UnwritableJournal, IsRefusedWithAReason) {
  const std::string path = GetParam().make(dir.path().toStdString());
  EXPECT_EQ(JournalFile(path).append(entry_line(1)), GetParam().reason);
}

std::string fifo_at(const std::string& path) {
  if (::mkfifo(path.c_str(), 0600) != 0) ADD_FAILURE() << "mkfifo " << path;
  return path;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnwritableJournal,
    ::testing::Values(
        UnwritableCase{"Fifo",
                       [](const std::string& folder) { return fifo_at(folder + "/j.jsonl"); },
                       "NOT A REGULAR FILE"},
        UnwritableCase{"LinkToFifo",
                       [](const std::string& folder) {
                         fifo_at(folder + "/fifo");
                         std::filesystem::create_symlink(folder + "/fifo", folder + "/j.jsonl");
                         return folder + "/j.jsonl";
                       },
                       "NOT A REGULAR FILE"},
        UnwritableCase{"LinkToDevice",
                       [](const std::string& folder) {
                         std::filesystem::create_symlink("/dev/null", folder + "/j.jsonl");
                         return folder + "/j.jsonl";
                       },
                       "NOT A REGULAR FILE"},
        UnwritableCase{"Folder",
                       [](const std::string& folder) {
                         std::filesystem::create_directory(folder + "/j.jsonl");
                         return folder + "/j.jsonl";
                       },
                       "NOT A REGULAR FILE"},
        UnwritableCase{"FileInPlaceOfItsFolder",
                       [](const std::string& folder) {
                         std::ofstream(folder + "/state") << "x";
                         return folder + "/state/j.jsonl";
                       },
                       "Not a directory"}),
    [](const auto& info) { return std::string(info.param.name); });

// A folder the user may not write into: root may write anywhere, so root tries as nobody.
TEST_F(Journal, AReadOnlyFolderIsRefused) {
  const std::string folder = at("read-only");
  std::filesystem::create_directory(folder);
  ::chmod(folder.c_str(), 0555);
  ::chmod(dir.path().toLocal8Bit().constData(), 0755);
  const passwd* nobody = ::getpwnam("nobody");
  const bool as_nobody = ::geteuid() == 0 && nobody != nullptr;
  if (::geteuid() == 0 && !as_nobody) GTEST_SKIP() << "root writes anywhere, and no user nobody";
  if (as_nobody) {
    ASSERT_EQ(::seteuid(nobody->pw_uid), 0);
  }
  const auto reason = JournalFile(folder + "/journal.jsonl").append(entry_line(1));
  if (as_nobody) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  EXPECT_EQ(reason, "Permission denied");
  EXPECT_FALSE(std::filesystem::exists(folder + "/journal.jsonl"));
}

// A file that cannot grow (a full disk, a file size limit): the reason, never a part line.
TEST_F(Journal, AFileThatCannotGrowIsRefused) {
  const std::string path = at("journal.jsonl");
  ASSERT_EQ(JournalFile(path).append(entry_line(1)), std::nullopt);
  const auto size = std::filesystem::file_size(path);
  struct rlimit before {};
  ::getrlimit(RLIMIT_FSIZE, &before);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = before;
  limit.rlim_cur = size + 5;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const auto reason = JournalFile(path).append(entry_line(2));
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_TRUE(reason.has_value());
  EXPECT_EQ(numbers_in(path), std::vector<int>{1});
  EXPECT_EQ(std::filesystem::file_size(path), size);
}

// Each file stops growing at the limit; the five before it are kept, numbered newest first.
TEST_F(Journal, RotatesAtItsLimitKeepingFiveOlderFiles) {
  const std::string path = at("journal.jsonl");
  const std::size_t line_size = entry_line(10).size() + 1;
  // Two entries reach the limit: every third entry starts a new file.
  const JournalFile journal(path, 2 * line_size);
  for (int number = 10; number < 10 + 2 * 8; ++number) {
    ASSERT_EQ(journal.append(entry_line(number)), std::nullopt);
  }
  EXPECT_EQ(numbers_in(path), (std::vector<int>{14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25}));
  EXPECT_EQ(file_bytes(at("journal.1.jsonl")), entry_line(22) + "\n" + entry_line(23) + "\n");
  EXPECT_EQ(file_bytes(at("journal.5.jsonl")), entry_line(14) + "\n" + entry_line(15) + "\n");
  EXPECT_FALSE(std::filesystem::exists(at("journal.6.jsonl")));
  EXPECT_EQ(file_bytes(path), entry_line(24) + "\n" + entry_line(25) + "\n");
}

// A power loss may cut the last line; the next entry still starts a line of its own.
TEST_F(Journal, ALineCutShortIsLeftOutAndTheNextEntryKept) {
  const std::string path = at("journal.jsonl");
  std::ofstream(path) << entry_line(1) << "\n{\"command\":\"wri";
  const auto ignore = [](const QJsonObject&, std::string_view) {};
  EXPECT_EQ(numbers_in(path), std::vector<int>{1});
  EXPECT_EQ(read_journal(path, ignore).cut_lines,
            (std::vector<std::pair<std::string, int>>{{path, 2}}));

  ASSERT_EQ(JournalFile(path).append(entry_line(3)), std::nullopt);
  EXPECT_EQ(numbers_in(path), (std::vector<int>{1, 3}));
  EXPECT_EQ(read_journal(path, ignore).cut_lines,
            (std::vector<std::pair<std::string, int>>{{path, 2}}));
}

TEST_F(Journal, AFifoIsNotReadAndNotWaitedOn) {
  const std::string path = fifo_at(at("journal.jsonl"));
  int entries = 0;
  const JournalGaps gaps =
      read_journal(path, [&](const QJsonObject&, std::string_view) { ++entries; });
  EXPECT_EQ(entries, 0);
  ASSERT_EQ(gaps.unreadable.size(), 1u);
  EXPECT_EQ(gaps.unreadable[0].first, path);
}

// --file: the file by its name, also after a save replaced it, and by any other name it has.
TEST_F(Journal, SameFileMatchesByPathAndByDeviceAndInode) {
  const std::string lobby = at("lobby.kvc");
  std::ofstream(lobby) << "x";
  std::filesystem::create_hard_link(lobby, at("lobby-copy.kvc"));
  std::ofstream(at("hall.kvc")) << "x";
  const auto entry = [](const std::string& file) {
    return QJsonObject{{"file", QString::fromStdString(file)}};
  };
  SameFile same(lobby);
  EXPECT_TRUE(same(entry(lobby)));
  EXPECT_TRUE(same(entry(at("lobby-copy.kvc"))));
  EXPECT_FALSE(same(entry(at("hall.kvc"))));
  EXPECT_FALSE(same(QJsonObject{{"file", QJsonValue::Null}}));

  std::filesystem::remove(lobby);
  SameFile gone(lobby);
  EXPECT_TRUE(gone(entry(lobby)));
  EXPECT_FALSE(gone(entry(at("lobby-copy.kvc"))));
}

}  // namespace
}  // namespace kvt
