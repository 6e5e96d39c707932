#pragma once

#include <QString>
#include <QVariant>
#include <string>

namespace kvt {

// The user's settings (the port chosen in the window, the folder used last) live in one small
// file, $XDG_CONFIG_HOME/Korvelantix/kvt-config.conf (~/.config without XDG_CONFIG_HOME). It is
// read only when it is a regular file of at most kLargestSettingsFile bytes that can be read and
// parsed: anything else in its place (a FIFO, which would block the program for good, a folder,
// a device, a file of many megabytes) is ignored as if nothing were stored, and never written.
inline constexpr long long kLargestSettingsFile = 64 * 1024;

struct SettingsFile {
  std::string path;
  // Why the file is ignored, from link_texts; empty when it is usable or not there.
  std::string ignored_because;
};

SettingsFile settings_file();

// The value stored under `key`; invalid when none is stored or the file is ignored.
QVariant stored_setting(const QString& key);
// Stores `value` under `key`, unless the file in place is ignored (it is then left as it is).
void store_setting(const QString& key, const QVariant& value);

}  // namespace kvt
