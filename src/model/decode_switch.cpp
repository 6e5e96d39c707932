#include "model/decode_switch.h"

#include "model/tables.h"

namespace kvt {

SwitchPositions decode_switch(std::int16_t code) {
  if (code >= kNaCode) return {kNaPosition, std::nullopt};
  if (code == kBlMrCode) return {kBlMrPosition, std::nullopt};
  if (code < 10) return {1, code};  // negative codes too: module "A", the code as the channel
  return {1 + code / 10, code % 10};
}

}  // namespace kvt
