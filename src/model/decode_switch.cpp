#include "model/decode_switch.h"

#include "model/tables.h"

namespace kvt {

void decode_switch(PanelConfig& c) {
  c.h_index = 1;
  if (c.A >= kNaCode) {
    c.h_index = kNaPosition;
    return;
  }
  if (c.A == kBlMrCode) {
    c.h_index = kBlMrPosition;
    return;
  }
  if (c.A < 10) {  // negative codes too: module "A" with the code itself as the channel
    c.l_index = c.A;
    return;
  }
  while (c.A >= 10) {
    c.A = static_cast<std::int16_t>(c.A - 10);
    c.h_index = static_cast<std::int16_t>(c.h_index + 1);
  }
  c.l_index = c.A;
}

}  // namespace kvt
