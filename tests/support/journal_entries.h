#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>
#include <string>
#include <vector>

namespace kvt::testing {

// The entries of the journal at `path`, one JSON object per line, in order.
inline std::vector<QJsonObject> journal_entries(const std::string& path) {
  std::vector<QJsonObject> entries;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    entries.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
  }
  return entries;
}

}  // namespace kvt::testing
