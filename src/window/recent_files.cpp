#include "window/recent_files.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "link/settings_file.h"

namespace kvt {
namespace {

const QString kRecentFilesKey = QStringLiteral("files/recent");

// One value holding the paths one after the other, each ended by a NUL, which no path can hold:
// the bytes come back exactly as they were stored.
void store_recent_files(const std::vector<std::string>& paths) {
  QByteArray joined;
  for (const std::string& path : paths) {
    joined.append(path.data(), static_cast<qsizetype>(path.size()));
    joined.append('\0');
  }
  store_setting(kRecentFilesKey, joined);
}

}  // namespace

// A damaged settings file may hold anything: only absolute paths are taken, each once, and no
// more than the list holds.
std::vector<std::string> recent_files() {
  std::vector<std::string> paths;
  for (const QByteArray& stored : stored_setting(kRecentFilesKey).toByteArray().split('\0')) {
    std::string path = stored.toStdString();
    if (!path.starts_with('/') || std::find(paths.begin(), paths.end(), path) != paths.end()) {
      continue;
    }
    paths.push_back(std::move(path));
    if (paths.size() == kMostRecentFiles) break;
  }
  return paths;
}

void add_recent_file(const std::string& path) {
  std::error_code failed;
  std::string newest = std::filesystem::absolute(path, failed).lexically_normal().string();
  if (failed) return;
  // Reading keeps the newest of a file's entries and leaves out what is beyond the list.
  std::vector<std::string> paths = recent_files();
  paths.insert(paths.begin(), std::move(newest));
  store_recent_files(paths);
}

// Looked at without opening: opening a FIFO waits for a writer.
bool recent_file_exists(const std::string& path) {
  std::error_code failed;
  return std::filesystem::exists(path, failed);
}

void drop_missing_recent_files() {
  std::vector<std::string> paths = recent_files();
  const auto missing =
      std::erase_if(paths, [](const std::string& path) { return !recent_file_exists(path); });
  if (missing > 0) store_recent_files(paths);
}

}  // namespace kvt
