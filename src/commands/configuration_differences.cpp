#include "commands/configuration_differences.h"

#include <utility>

#include "commands/command_texts.h"
#include "model/memory_map.h"
#include "model/not_settings.h"
#include "model/setting_words.h"

namespace kvt {
namespace {

// A byte as a load from its source shows it; one no read can bring, as its number.
std::string meaning(std::int16_t address, std::int16_t value, ByteSource source) {
  if (value < 0 || value > memory_map::kHighestValidByte) return command_texts::unknown_code(value);
  return shown_as(address, value, source);
}

std::string label_of(std::int16_t address) {
  switch (memory_map::byte_at(address)) {
    case memory_map::ConfigurationByte::SwitchCode:
      break;
    case memory_map::ConfigurationByte::BlMrCode:
      return std::string(command_texts::kBlMrCodeLabel);
    case memory_map::ConfigurationByte::FeatureFlag:
      return std::string(setting_words::kIndependentLighting);
    case memory_map::ConfigurationByte::Indicator:
      return std::string(command_texts::kIndicatorLabel);
    case memory_map::ConfigurationByte::BackLight:
      return std::string(command_texts::kBackLightLabel);
  }
  return setting_words::switch_label(address + 1);
}

}  // namespace

std::optional<std::string> difference_at(std::int16_t address, const ComparedSide& first,
                                         const ComparedSide& second) {
  const std::int16_t one = first.bytes.at(static_cast<std::size_t>(address));
  const std::int16_t other = second.bytes.at(static_cast<std::size_t>(address));
  if (one == other) return std::nullopt;
  std::string in_first = meaning(address, one, first.source);
  std::string in_second = meaning(address, other, second.source);
  // Shown alike, the bytes themselves tell the two apart.
  if (in_first == in_second) {
    in_first = command_texts::with_byte(in_first, one);
    in_second = command_texts::with_byte(in_second, other);
  }
  return command_texts::difference(label_of(address), first.name, in_first, second.name, in_second);
}

std::vector<std::string> differences(const ComparedSide& first, const ComparedSide& second) {
  std::vector<std::string> lines;
  for (std::size_t index = 0; index < first.bytes.size(); ++index) {
    if (auto line = difference_at(static_cast<std::int16_t>(index), first, second)) {
      lines.push_back(std::move(*line));
    }
  }
  return lines;
}

}  // namespace kvt
