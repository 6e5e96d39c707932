#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>

#include "file_command_fixture.h"
#include "other_owner.h"
#include "worked_example.h"

namespace kvt::testing {
namespace {

constexpr const char* kIncompleteText =
    "DATA MUST BE ENTERED (CLICKED) FOR ALL SWITCHES BEFORE WRITING DATA";

using FileSave = FileCommandFixture;

TEST_F(FileSave, WritesTheWorkedExampleWhereTheUserChose) {
  enter_worked_example();
  const std::string target = path("chosen.kvc");
  save(target);

  EXPECT_EQ(file_bytes(target), kWorkedExampleLine);
  ASSERT_EQ(dialogs.requests().size(), 1u);
  const auto& shown = dialogs.requests()[0];
  EXPECT_EQ(shown.kind, RecordingDialogs::ChooserKind::Save);
  EXPECT_EQ(shown.offered.file_name, "LOBBY 2.kvc");
  EXPECT_EQ(shown.offered.title, "WRITE CONFIGURATION FILE");
  EXPECT_EQ(shown.offered.filter, "KORVELANTIX CONFIGURATION FILES (*.kvc)");
  EXPECT_EQ(shown.offered.default_suffix, "kvc");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_FALSE(status.visible);
}

TEST_F(FileSave, WritesWindowTextsAsLatin1) {
  enter_worked_example();
  controls.set_text(designation_box(1), "ÉTAGE");
  save(path("latin1.kvc"));
  EXPECT_NE(file_bytes(path("latin1.kvc")).find("\"\xC9TAGE\",12,"), std::string::npos);
}

struct IncompleteCase {
  const char* name;
  const char* panel_name;
};

void PrintTo(const IncompleteCase& c, std::ostream* os) { *os << c.name; }

class FileSaveIncomplete : public FileCommandFixture,
                           public ::testing::WithParamInterface<IncompleteCase> {};

// An incomplete switch is refused before the panel name is looked at.
TEST_P(FileSaveIncomplete, IsRefusedInRedWithoutDialog) {
  enter_worked_example();
  controls.set_text(kPanelNameBox, GetParam().panel_name);
  controls.select(module_list(4), 3);  // module "C", no channel chosen
  save(path("never.kvc"));

  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text, kIncompleteText);
  EXPECT_TRUE(dialogs.requests().empty());
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Switch4, FileSaveIncomplete,
                         ::testing::Values(IncompleteCase{"with_panel_name", "LOBBY 2"},
                                           IncompleteCase{"without_panel_name", ""}),
                         [](const auto& info) { return info.param.name; });

TEST_F(FileSave, EmptyPanelNameIsRefusedWithMessage) {
  enter_worked_example();
  controls.set_text(kPanelNameBox, "");
  save(path("never.kvc"));

  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages()[0].text, "Name must be entered in PANEL NAME field");
  EXPECT_EQ(dialogs.messages()[0].title, "");
  EXPECT_TRUE(dialogs.requests().empty());
  EXPECT_FALSE(status.visible);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FileSave, PanelNameOfOneSpacePasses) {
  enter_worked_example();
  controls.set_text(kPanelNameBox, " ");
  save(path("space.kvc"));

  ASSERT_EQ(dialogs.requests().size(), 1u);
  EXPECT_EQ(dialogs.requests()[0].offered.file_name, " .kvc");
  EXPECT_NE(file_bytes(path("space.kvc")).find("\"00-00417-MDL\",\" \","), std::string::npos);
}

// A "/" would point the offered name into a subfolder; the record keeps the name as typed.
TEST_F(FileSave, PanelNameWithASlashOffersADash) {
  enter_worked_example();
  controls.set_text(kPanelNameBox, "A/B");
  save(path("slash.kvc"));

  ASSERT_EQ(dialogs.requests().size(), 1u);
  EXPECT_EQ(dialogs.requests()[0].offered.file_name, "A-B.kvc");
  EXPECT_NE(file_bytes(path("slash.kvc")).find("\"00-00417-MDL\",\"A/B\","), std::string::npos);
}

TEST_F(FileSave, CancelWritesNothingAndSaysNothing) {
  enter_worked_example();
  save(std::nullopt);

  EXPECT_EQ(dialogs.requests().size(), 1u);
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_FALSE(status.visible);
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

// A cancelled save leaves the chooser as it was: the next open offers the file last chosen, not
// the panel name the save offered.
TEST_F(FileSave, CancelLeavesTheNameTheNextOpenOffers) {
  enter_worked_example();
  chooser.file_name = path("site-b.kvc");
  save(std::nullopt);
  open(std::nullopt);

  ASSERT_EQ(dialogs.requests().size(), 2u);
  EXPECT_EQ(dialogs.requests()[0].offered.file_name, "LOBBY 2.kvc");
  EXPECT_EQ(dialogs.requests()[1].offered.file_name, path("site-b.kvc"));
}

// Makes every file write beyond a few bytes fail, as a full disk would, for one scope.
class FileSizeLimit {
 public:
  FileSizeLimit() {
    getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old_;
    tight.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &tight);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_{};
  void (*old_handler_)(int) = nullptr;
};

struct UnwritableCase {
  const char* name;
  const char* target;  // inside the test folder
  bool disk_full;
  const char* reason;  // the system's own words keep their letters; ours are in capitals
};

void PrintTo(const UnwritableCase& c, std::ostream* os) { *os << c.name; }

class FileSaveUnwritable : public FileCommandFixture,
                           public ::testing::WithParamInterface<UnwritableCase> {};

// A save that cannot be written must say so, and must neither damage the file it would have
// replaced nor leave a half-written one behind.
TEST_P(FileSaveUnwritable, KeepsOldFileAndSaysSoInRed) {
  const UnwritableCase& tc = GetParam();
  const std::string old_file = path("old.kvc");
  put_file(old_file, "OLD CONTENTS\r\n");
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
  enter_worked_example();

  const std::string target = path(tc.target);
  if (tc.disk_full) {
    FileSizeLimit limit;
    save(target);
  } else {
    save(target);
  }

  EXPECT_TRUE(status.visible);
  EXPECT_EQ(status.colour, StatusColour::Red);
  EXPECT_EQ(status.text, "CONFIGURATION FILE WAS NOT SAVED: " + target + " (" + tc.reason + ")");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_EQ(file_bytes(old_file), "OLD CONTENTS\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{"folder", "old.kvc"}));
  EXPECT_TRUE(QDir(dir.filePath("folder")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FileSaveUnwritable,
    ::testing::Values(UnwritableCase{"folder_does_not_exist", "missing/new.kvc", false,
                                     "No such file or directory"},
                      UnwritableCase{"path_is_a_folder", "folder", false, "NOT A REGULAR FILE"},
                      UnwritableCase{"disk_full_over_old_file", "old.kvc", true,
                                     "NOT ALL OF IT COULD BE WRITTEN, THE DISK MAY BE FULL"}),
    [](const auto& info) { return info.param.name; });

// What may stand at the name a save is pointed at. Run as root, a save that replaced a node
// would destroy a device of the machine itself.
enum class Target {
  RegularFile,
  LinkToRegularFile,
  NewName,
  NewLatin1Name,
  DanglingLink,
  Fifo,
  Socket,
  CharacterDevice,
  Folder,
  LinkToCharacterDevice,
  LinkToFolder,
};

struct SaveTargetCase {
  const char* name;
  Target kind;
  const char* chosen;  // the name the chooser answers, inside the test folder
  const char* saved;   // where the record must land, or nothing when the save is refused
};

void PrintTo(const SaveTargetCase& c, std::ostream* os) { *os << c.name; }

class FileSaveTarget : public FileCommandFixture,
                       public ::testing::WithParamInterface<SaveTargetCase> {
 protected:
  // Makes what the case names at `chosen`; the old file a link or a name replaces is "old.kvc".
  void make(Target kind, const std::string& chosen) {
    const std::string old_file = raw_path("old.kvc");
    switch (kind) {
      case Target::RegularFile:
        put_file(chosen, "OLD CONTENTS\r\n");
        ASSERT_EQ(::chmod(chosen.c_str(), 0640), 0);
        return;
      case Target::LinkToRegularFile:
        put_file(old_file, "OLD CONTENTS\r\n");
        ASSERT_EQ(::symlink("old.kvc", chosen.c_str()), 0) << std::strerror(errno);
        return;
      case Target::NewName:
      case Target::NewLatin1Name:
        return;
      case Target::DanglingLink:
        ASSERT_EQ(::symlink("old.kvc", chosen.c_str()), 0) << std::strerror(errno);
        return;
      case Target::Fifo:
        ASSERT_EQ(::mkfifo(chosen.c_str(), 0600), 0) << std::strerror(errno);
        return;
      case Target::Socket:
        make_socket(chosen);
        return;
      case Target::CharacterDevice:
        make_null_device(chosen);
        return;
      case Target::Folder:
        ASSERT_TRUE(QDir().mkdir(QString::fromStdString(chosen)));
        return;
      case Target::LinkToCharacterDevice:
        make_null_device(raw_path("device"));
        ASSERT_EQ(::symlink("device", chosen.c_str()), 0) << std::strerror(errno);
        return;
      case Target::LinkToFolder:
        ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
        ASSERT_EQ(::symlink("folder", chosen.c_str()), 0) << std::strerror(errno);
        return;
    }
  }

  // A node like /dev/null's, but in the test folder: a save that replaced it harms nothing else.
  void make_null_device(const std::string& at) {
    if (::mknod(at.c_str(), S_IFCHR | 0600, ::makedev(1, 3)) != 0) {
      if (errno == EPERM) GTEST_SKIP() << "mknod is not permitted here";
      FAIL() << std::strerror(errno);
    }
  }

  void make_socket(const std::string& at) {
    socket_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socket_, 0) << std::strerror(errno);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(at.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, at.c_str());
    ASSERT_EQ(::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0)
        << std::strerror(errno);
  }

  // QTemporaryDir cannot remove a name that is not UTF-8, so the folder is emptied here.
  ~FileSaveTarget() override {
    if (socket_ >= 0) ::close(socket_);
    for (const auto& [name, kind] : kinds()) {
      if (kind == S_IFDIR) {
        ::rmdir(raw_path(name).c_str());
      } else {
        ::unlink(raw_path(name).c_str());
      }
    }
  }

  // Names as bytes: a name that is not UTF-8 must not go through a QString.
  std::string raw_path(const std::string& name) const {
    return dir.path().toStdString() + "/" + name;
  }

  // The kind of every name in the test folder, links not followed.
  std::map<std::string, mode_t> kinds() const {
    std::map<std::string, mode_t> found;
    DIR* folder = ::opendir(dir.path().toStdString().c_str());
    while (const dirent* entry = ::readdir(folder)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      struct stat status {};
      ::lstat(raw_path(name).c_str(), &status);
      found[name] = status.st_mode & S_IFMT;
    }
    ::closedir(folder);
    return found;
  }

 private:
  int socket_ = -1;
};

TEST_P(FileSaveTarget, ReplacesOnlyARegularFile) {
  const SaveTargetCase& tc = GetParam();
  const std::string chosen = raw_path(tc.chosen);
  ASSERT_NO_FATAL_FAILURE(make(tc.kind, chosen));
  if (IsSkipped()) return;
  enter_worked_example();
  const auto before = kinds();

  save(chosen);

  if (tc.saved == nullptr) {
    EXPECT_TRUE(status.visible);
    EXPECT_EQ(status.colour, StatusColour::Red);
    EXPECT_EQ(status.text, "CONFIGURATION FILE WAS NOT SAVED: " + chosen + " (NOT A REGULAR FILE)");
    EXPECT_EQ(kinds(), before) << "a node was replaced or a new file left behind";
    return;
  }
  EXPECT_FALSE(status.visible) << status.text;
  EXPECT_EQ(file_bytes(raw_path(tc.saved)), kWorkedExampleLine);
  // A link still points at the saved file, and nothing else is left in the folder.
  auto expected = before;
  expected.try_emplace(tc.chosen, S_IFREG);
  expected[tc.saved] = S_IFREG;
  EXPECT_EQ(kinds(), expected);
  if (tc.kind == Target::RegularFile) {
    struct stat saved {};
    ASSERT_EQ(::stat(raw_path(tc.saved).c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 07777, 0640u) << "the permissions of the old file are kept";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FileSaveTarget,
    ::testing::Values(
        SaveTargetCase{"regular_file", Target::RegularFile, "old.kvc", "old.kvc"},
        SaveTargetCase{"link_to_regular_file", Target::LinkToRegularFile, "link.kvc", "old.kvc"},
        SaveTargetCase{"new_name", Target::NewName, "new.kvc", "new.kvc"},
        SaveTargetCase{"new_latin1_name", Target::NewLatin1Name, "caf\xe9.kvc", "caf\xe9.kvc"},
        SaveTargetCase{"dangling_link", Target::DanglingLink, "link.kvc", "old.kvc"},
        SaveTargetCase{"fifo", Target::Fifo, "fifo.kvc", nullptr},
        SaveTargetCase{"socket", Target::Socket, "socket.kvc", nullptr},
        SaveTargetCase{"character_device", Target::CharacterDevice, "device.kvc", nullptr},
        SaveTargetCase{"folder", Target::Folder, "folder.kvc", nullptr},
        SaveTargetCase{"link_to_character_device", Target::LinkToCharacterDevice, "link.kvc",
                       nullptr},
        SaveTargetCase{"link_to_folder", Target::LinkToFolder, "link.kvc", nullptr}),
    [](const auto& info) { return info.param.name; });

// Run as root, a save over a user's file must leave it that user's, with its permissions, or its
// owner could no longer read it.
TEST_F(FileSave, ReplacedFileKeepsItsOwnerGroupAndMode) {
  std::string why;
  const auto nobody = nobody_as_owner(why);
  if (!nobody) GTEST_SKIP() << why;
  const std::string target = path("theirs.kvc");
  put_file(target, "OLD CONTENTS\r\n");
  ASSERT_EQ(::chown(target.c_str(), nobody->uid, nobody->gid), 0) << std::strerror(errno);
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0) << std::strerror(errno);
  enter_worked_example();

  save(target);

  EXPECT_FALSE(status.visible) << status.text;
  EXPECT_EQ(file_bytes(target), kWorkedExampleLine);
  struct stat saved {};
  ASSERT_EQ(::stat(target.c_str(), &saved), 0);
  EXPECT_EQ(saved.st_uid, nobody->uid);
  EXPECT_EQ(saved.st_gid, nobody->gid);
  EXPECT_EQ(saved.st_mode & 07777, 0600u);
}

class FileSaveLongName : public FileCommandFixture,
                         public ::testing::WithParamInterface<std::size_t> {};

// A name as long as a folder holds (255 bytes on the usual file systems) is saved and opens
// again: the new file's own name beside it, kept until it is complete, must not be longer.
TEST_P(FileSaveLongName, IsSavedAndOpensAgain) {
  const std::string name = std::string(GetParam() - 4, 'n') + ".kvc";
  enter_worked_example();
  save(path(name.c_str()));
  EXPECT_FALSE(status.visible) << status.text;
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QString::fromStdString(name)});

  controls.set_text(kPanelNameBox, "OTHER");
  open(path(name.c_str()));
  EXPECT_FALSE(status.visible) << status.text;
  EXPECT_EQ(controls.text(kPanelNameBox), "LOBBY 2");
}

INSTANTIATE_TEST_SUITE_P(Names, FileSaveLongName, ::testing::Values(244, 250, 255),
                         [](const auto& info) {
                           return "of_" + std::to_string(info.param) + "_bytes";
                         });

}  // namespace
}  // namespace kvt::testing
