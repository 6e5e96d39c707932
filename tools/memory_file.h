#pragma once

#include <optional>
#include <string>

#include "simulated_panel.h"

namespace kvt::sim {

// The simulator's memory file: 64 whole numbers from 0 to 255, address 0 first, separated by
// blanks or line ends; "#" starts a comment that runs to the end of its line.

// The panel memory as it leaves the factory: all zero, with the model byte 69 at address 63.
PanelMemory factory_memory();

// Reads a memory file. On failure returns nothing and puts the reason into `problem`.
std::optional<PanelMemory> load_memory(const std::string& path, std::string& problem);

// Writes the memory file by way of a temporary file renamed into place, so a reader sees the
// old contents or the new ones, never half of them. False when it could not be written.
bool dump_memory(const PanelMemory& memory, const std::string& path);

}  // namespace kvt::sim
