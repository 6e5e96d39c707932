#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/configuration.h"
#include "model/configuration_load.h"

namespace kvt {

// One side of a comparison: its configuration bytes, the word its lines name it by ("panel",
// "file", "window", or a file's name), and where its bytes come from, which decides how a flag
// other than 0 and 1 reads.
struct ComparedSide {
  const ConfigurationBytes& bytes;
  std::string name;
  ByteSource source = ByteSource::File;
};

// How the bytes at `address` differ, in the words of differences(); none when they are equal.
std::optional<std::string> difference_at(std::int16_t address, const ComparedSide& first,
                                         const ComparedSide& second);

// Every difference between two configurations, one line each in words ("SW2: panel A 5, file
// A 1"), over every byte a write sends. Bytes that differ but are shown alike are named too
// ("INDEPENDENT LIGHTING: panel on (5), file on (1)"). Empty when they match.
std::vector<std::string> differences(const ComparedSide& first, const ComparedSide& second);

}  // namespace kvt
