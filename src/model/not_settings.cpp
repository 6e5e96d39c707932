#include "model/not_settings.h"

#include "model/configuration_view.h"
#include "model/decode_switch.h"
#include "model/memory_map.h"
#include "model/rule_texts.h"
#include "model/tables.h"

namespace kvt {
namespace {

// A code without an item of its own is shown on the list's first item, "100".
std::string intensity_shown(std::int16_t code) {
  const auto position = static_cast<std::size_t>(intensity_position(code).value_or(0));
  return rule_texts::percent(std::string(kIntensityTable[position].text));
}

// Decoded as a load decodes it.
std::string switch_shown(std::int16_t code) {
  const SwitchPositions at = decode_switch(code);
  SwitchView view;
  view.module = std::string(kModuleTable.at(static_cast<std::size_t>(at.module)).text);
  if (at.channel) view.channel = *at.channel + 1;
  return setting_of(view);
}

// Which value the byte at `address` is, for one that is shown.
std::string what_is_at(std::int16_t address) {
  switch (address) {
    case memory_map::kFeatureFlag:
      return std::string(rule_texts::kIndependentLightingFlag);
    case memory_map::kIndicator:
      return std::string(rule_texts::kIndicatorIntensity);
    case memory_map::kBackLight:
      return std::string(rule_texts::kBackLightIntensity);
    default:
      return rule_texts::switch_assignment(address + 1);
  }
}

bool is_a_setting(std::int16_t address, std::int16_t value) {
  switch (address) {
    case memory_map::kFeatureFlag:
      return value == 0 || value == 1;
    case memory_map::kIndicator:
    case memory_map::kBackLight:
      return intensity_position(value).has_value();
    default:
      return value <= kNaCode;
  }
}

}  // namespace

std::string shown_as(std::int16_t address, std::int16_t value, ByteSource source) {
  switch (address) {
    case memory_map::kBlMrAddress:
      return std::to_string(value);
    case memory_map::kFeatureFlag:
      return std::string(ticks_check1(value, source) ? rule_texts::kOn : rule_texts::kOff);
    case memory_map::kIndicator:
    case memory_map::kBackLight:
      return intensity_shown(value);
    default:
      return switch_shown(value);
  }
}

std::vector<NotSetting> not_settings(const ConfigurationBytes& bytes, ByteSource source) {
  std::vector<NotSetting> found;
  for (std::size_t index = 0; index < bytes.size(); ++index) {
    const auto address = static_cast<std::int16_t>(index);
    const std::int16_t value = bytes[index];
    if (address == memory_map::kBlMrAddress || is_a_setting(address, value)) continue;
    found.push_back({address, value, what_is_at(address), shown_as(address, value, source)});
  }
  return found;
}

}  // namespace kvt
