#include "memory_file.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace kvt::sim {

namespace {

constexpr std::uint8_t kModelByte = 69;
constexpr std::size_t kBytesPerLine = 8;

std::string without_comments(std::istream& in) {
  std::string text;
  std::string line;
  while (std::getline(in, line)) {
    text += line.substr(0, line.find('#'));
    text += '\n';
  }
  return text;
}

}  // namespace

PanelMemory factory_memory() {
  PanelMemory memory{};
  memory[kModelAddress] = kModelByte;
  return memory;
}

std::optional<PanelMemory> load_memory(const std::string& path, std::string& problem) {
  std::ifstream file(path);
  if (!file) {
    problem = "cannot read " + path;
    return std::nullopt;
  }
  std::istringstream numbers(without_comments(file));
  PanelMemory memory{};
  for (std::size_t address = 0; address < kPanelMemorySize; ++address) {
    int value = -1;
    if (!(numbers >> value) || value < 0 || value > 255) {
      problem = path + ": entry " + std::to_string(address) + " is missing or not 0 to 255";
      return std::nullopt;
    }
    memory[address] = static_cast<std::uint8_t>(value);
  }
  std::string rest;
  if (numbers >> rest) {
    problem = path + ": more than 64 entries";
    return std::nullopt;
  }
  return memory;
}

bool dump_memory(const PanelMemory& memory, const std::string& path) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream file(temporary, std::ios::trunc);
    file << "# kvt-panel-sim memory: 64 bytes, address 0 first, 8 to a line\n";
    for (std::size_t address = 0; address < kPanelMemorySize; ++address) {
      file << static_cast<int>(memory[address])
           << ((address + 1) % kBytesPerLine == 0 ? '\n' : ' ');
    }
    if (!file.flush()) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace kvt::sim
