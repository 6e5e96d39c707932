// The settings file (the chosen port, the folder used last) as the program finds it on a bad
// day: something else in its place, too big, unreadable or junk. Nothing may block on it, and
// nothing is written into what is not a settings file.

#include "link/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>

#include "link/port_memory.h"

namespace {

namespace fs = std::filesystem;

// XDG_CONFIG_HOME pointed at a folder of the test's own for as long as the object lives.
class SettingsHome {
 public:
  SettingsHome() : before_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
    const std::string path = kvt::settings_file().path;
    fs::create_directories(fs::path(path).parent_path());
  }
  ~SettingsHome() { qputenv("XDG_CONFIG_HOME", before_); }

  std::string path() const { return kvt::settings_file().path; }

 private:
  QByteArray before_;
  QTemporaryDir home_;
};

// The file QSettings would use itself for this program's settings: a port stored by an earlier
// version of the program is found.
TEST(SettingsFile, IsTheFileQSettingsKeepsTheProgramsSettingsIn) {
  const SettingsHome home;
  EXPECT_EQ(home.path(), QSettings().fileName().toStdString());
  kvt::remember_port("/dev/ttyUSB4");
  EXPECT_EQ(QSettings().value("link/port").toString(), "/dev/ttyUSB4");
  EXPECT_EQ(kvt::remembered_port().device, "/dev/ttyUSB4");
  EXPECT_EQ(kvt::settings_file().ignored_because, "");
}

struct PlaceCase {
  const char* name;
  // Puts something at the settings path; false when the machine does not allow it here.
  std::function<bool(const std::string& path)> make;
  const char* ignored_because;  // empty: the file is used
};

void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }

bool write_file(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
  return true;
}

// What is at `path`, and at what a link there leads to, to see that nothing was written into
// either or put in its place.
std::string what_is_at(const std::string& path) {
  std::string seen;
  for (const auto look : {::lstat, ::stat}) {
    struct stat status {};
    if (look(path.c_str(), &status) != 0) return seen + "nothing";
    seen += std::to_string(status.st_mode) + " " + std::to_string(status.st_size) + " " +
            std::to_string(status.st_mtim.tv_nsec) + " " + std::to_string(status.st_ino) + "; ";
  }
  return seen;
}

// A device for the settings path to link to. Root gets a node of the test's own (the null
// device's numbers) beside it, so that a fault that writes through the link replaces that node
// and never the machine's /dev/null; any other user may not replace /dev/null.
std::string device_beside(const std::string& path) {
  const std::string own = path + ".device";
  if (::geteuid() == 0 && ::mknod(own.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) return own;
  return "/dev/null";
}

class SettingsInPlace : public ::testing::TestWithParam<PlaceCase> {};

// Whatever is in the settings file's place: read only when it is a small regular file that
// parses, and otherwise ignored with its reason, as if nothing were stored; never written then.
TEST_P(SettingsInPlace, IsReadOnlyWhenItIsASmallRegularFile) {
  const PlaceCase& c = GetParam();
  const SettingsHome home;
  const std::string path = home.path();
  if (!c.make(path)) GTEST_SKIP() << "cannot make it here";
  const std::string before = what_is_at(path);

  EXPECT_EQ(kvt::settings_file().ignored_because, c.ignored_because);
  const bool used = std::string(c.ignored_because).empty();
  EXPECT_EQ(kvt::remembered_port().device, used ? "/dev/ttyUSB7" : "");
  kvt::remember_port("/dev/ttyUSB9");
  if (used) {
    EXPECT_EQ(kvt::remembered_port().device, "/dev/ttyUSB9");
  } else {
    EXPECT_EQ(what_is_at(path), before);
    EXPECT_EQ(kvt::remembered_port().device, "");
  }
}

const std::string kUsable = "[link]\nport=/dev/ttyUSB7\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsInPlace,
    ::testing::Values(
        PlaceCase{"Usable", [](const std::string& p) { return write_file(p, kUsable); }, ""},
        PlaceCase{"JustBigEnough",
                  [](const std::string& p) {
                    const std::string comment = "; padding\n";
                    std::string content = kUsable;
                    while (content.size() + comment.size() <= 64 * 1024) content += comment;
                    content += std::string(64 * 1024 - content.size(), ';');
                    return write_file(p, content);
                  },
                  ""},
        PlaceCase{"OneByteTooBig",
                  [](const std::string& p) {
                    return write_file(p,
                                      kUsable + std::string(64 * 1024 + 1 - kUsable.size(), ';'));
                  },
                  "it is larger than 64 KiB"},
        PlaceCase{"OneMegabyte",
                  [](const std::string& p) {
                    return write_file(p, kUsable + std::string(1024 * 1024, ';'));
                  },
                  "it is larger than 64 KiB"},
        PlaceCase{"Fifo", [](const std::string& p) { return ::mkfifo(p.c_str(), 0600) == 0; },
                  "it is not a regular file"},
        PlaceCase{"Folder", [](const std::string& p) { return fs::create_directory(p); },
                  "it is not a regular file"},
        PlaceCase{"LinkToADevice",
                  [](const std::string& p) {
                    return ::symlink(device_beside(p).c_str(), p.c_str()) == 0;
                  },
                  "it is not a regular file"},
        PlaceCase{"Unreadable",
                  [](const std::string& p) {
                    // root reads every file: only another user can be refused.
                    return ::geteuid() != 0 && write_file(p, kUsable) && ::chmod(p.c_str(), 0) == 0;
                  },
                  "it cannot be read (Permission denied)"},
        PlaceCase{"Unparsable",
                  [](const std::string& p) { return write_file(p, "[link\nport=/dev/ttyUSB7\n"); },
                  "it cannot be parsed"}),
    [](const auto& info) { return std::string(info.param.name); });

// QSettings takes a lock file beside the settings while it writes and reads what is there
// first: a FIFO there would block, so nothing is stored.
TEST(SettingsFile, AFifoInPlaceOfTheLockFileStopsTheWrite) {
  const SettingsHome home;
  const std::string path = home.path();
  write_file(path, kUsable);
  ASSERT_EQ(::mkfifo((path + ".lock").c_str(), 0600), 0);
  kvt::remember_port("/dev/ttyUSB9");
  EXPECT_EQ(kvt::remembered_port().device, "/dev/ttyUSB7");
}

}  // namespace
