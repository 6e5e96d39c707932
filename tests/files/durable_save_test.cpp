// A saved file is on disk before it takes the old file's place: after a power cut the name holds
// the old file or the whole new one, never an empty one. The program's own calls to fsync,
// fdatasync and rename are linked to the wrappers below (ld --wrap, see CMakeLists.txt), which
// note each call, in order, while a test watches.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "files/config_file_save.h"

extern "C" {
int __real_fsync(int fd);
int __real_fdatasync(int fd);
int __real_rename(const char* from, const char* to);
}

namespace {

bool watching = false;
std::vector<std::string> calls;

// The name `fd` was opened under, as the system tells it.
std::string name_of(int fd) {
  char name[PATH_MAX];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t length = ::readlink(link.c_str(), name, sizeof name);
  return length < 0 ? std::string("?") : std::string(name, static_cast<std::size_t>(length));
}

std::string real_path(const char* path) {
  char resolved[PATH_MAX];
  return ::realpath(path, resolved) == nullptr ? std::string(path) : std::string(resolved);
}

void note(const std::string& call) {
  if (watching) calls.push_back(call);
}

}  // namespace

extern "C" {
int __wrap_fsync(int fd) {
  note("on disk " + name_of(fd));
  return __real_fsync(fd);
}
int __wrap_fdatasync(int fd) {
  note("on disk " + name_of(fd));
  return __real_fdatasync(fd);
}
int __wrap_rename(const char* from, const char* to) {
  note("rename " + real_path(from));
  return __real_rename(from, to);
}
}

namespace kvt::testing {
namespace {

struct DurableCase {
  const char* name;
  bool replaces;  // an old file stands at the name
};

void PrintTo(const DurableCase& c, std::ostream* out) { *out << c.name; }

class DurableSave : public ::testing::TestWithParam<DurableCase> {
 protected:
  void TearDown() override { watching = false; }
  QTemporaryDir dir;
};

TEST_P(DurableSave, IsOnDiskBeforeItTakesTheName) {
  const std::string target = dir.filePath(QStringLiteral("lobby.kvc")).toStdString();
  if (GetParam().replaces) {
    ASSERT_EQ(write_whole_file(target, "old"), std::nullopt);
  }
  calls.clear();
  watching = true;
  ASSERT_EQ(write_whole_file(target, "new"), std::nullopt);
  watching = false;

  ASSERT_EQ(file_bytes(target), "new");
  ASSERT_FALSE(calls.empty());
  const std::string& last = calls.back();
  ASSERT_EQ(last.rfind("rename ", 0), 0u) << "the rename is not the last call: " << last;
  const std::string new_file = last.substr(std::string("rename ").size());
  bool synced = false;
  for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
    synced = synced || calls[i] == "on disk " + new_file;
  }
  EXPECT_TRUE(synced) << new_file << " was renamed without being put on disk first";
}

INSTANTIATE_TEST_SUITE_P(Names, DurableSave,
                         ::testing::Values(DurableCase{"NewName", false},
                                           DurableCase{"ReplacedFile", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kvt::testing
