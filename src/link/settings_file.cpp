#include "link/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "link/link_texts.h"

namespace kvt {
namespace {

// Where QSettings keeps the application's own settings on this system.
std::string settings_path() {
  QString organization = QCoreApplication::organizationName();
  if (organization.isEmpty()) organization = QStringLiteral("Unknown Organization");
  return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
          organization + u'/' + QCoreApplication::applicationName() + QStringLiteral(".conf"))
      .toStdString();
}

// Which file, in which state: QSettings reads a file again only when this changes.
struct FileState {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modified_s = 0;
  long modified_ns = 0;
  bool operator==(const FileState&) const = default;
};

// What is at the settings path: whether a file is there, and why it must not be read.
struct Look {
  bool there = false;
  FileState state;
  std::string flaw;  // empty when it can be read or nothing is there
};

// Looked at without opening anything but a regular file: opening a FIFO waits for a writer, and
// opening a device may act on it.
Look look_at(const std::string& path) {
  Look look;
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) {
      look.flaw = link_texts::settings_unreadable(std::strerror(errno));
    }
    return look;
  }
  look.there = true;
  look.state = {status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec,
                status.st_mtim.tv_nsec};
  if (!S_ISREG(status.st_mode)) {
    look.flaw = link_texts::kSettingsNotRegularFile;
  } else if (status.st_size > kLargestSettingsFile) {
    look.flaw = link_texts::kSettingsTooLarge;
  } else if (const int descriptor =
                 ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
             descriptor < 0) {
    look.flaw = link_texts::settings_unreadable(std::strerror(errno));
  } else {
    ::close(descriptor);
  }
  return look;
}

// The settings read from `path`; none, with `flaw` saying why, when they are ignored, and none
// without a flaw when there is no file.
std::unique_ptr<QSettings> read_settings(const std::string& path, std::string& flaw) {
  const Look look = look_at(path);
  flaw = look.flaw;
  if (!look.there || !flaw.empty()) return nullptr;
  // QSettings parses a file once per process and hands every later reader what it made of it,
  // without a word of the format error the first reader was told of: the file found unparsable
  // is remembered until it changes.
  static std::optional<FileState> unparsable;
  auto settings = std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
  if (settings->status() == QSettings::FormatError) unparsable = look.state;
  if (settings->status() == QSettings::AccessError) {
    flaw = link_texts::settings_unreadable(std::strerror(EACCES));
  } else if (unparsable == look.state) {
    flaw = link_texts::kSettingsUnparsable;
  } else {
    return settings;
  }
  return nullptr;
}

}  // namespace

SettingsFile settings_file() {
  SettingsFile file{settings_path(), {}};
  read_settings(file.path, file.ignored_because);
  return file;
}

QVariant stored_setting(const QString& key) {
  std::string flaw;
  const auto settings = read_settings(settings_path(), flaw);
  return settings ? settings->value(key) : QVariant();
}

void store_setting(const QString& key, const QVariant& value) {
  const std::string path = settings_path();
  std::string flaw;
  auto settings = read_settings(path, flaw);
  // QSettings takes a lock file beside the settings while it writes, and reads what is there.
  if (!flaw.empty() || !look_at(path + ".lock").flaw.empty()) return;
  if (!settings) {
    settings = std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
  }
  settings->setValue(key, value);
  settings->sync();
}

}  // namespace kvt
