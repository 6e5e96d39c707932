#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace kvt::testing {

// The whole file at `path` as it is on disk, byte for byte; empty when it cannot be read.
inline std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace kvt::testing
