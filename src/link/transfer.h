#pragma once

#include <cstdint>

namespace kvt {

// How one exchange with the panel ended: the handshake, a byte read or a verified byte write.
enum class Transfer {
  Ok,               // answered in time; a read brought its value
  NoReply,          // the tick came first (a handshake: six times)
  Corrupted,        // a read reply too short to hold a value, or holding no digit
  OutOfRange,       // a read value outside 0..160; it is brought all the same
  NotAcknowledged,  // a write answered with anything but "D000D"
  NotVerified,      // the byte read back differs from the one written; it is brought
  PortFailed,       // the port broke down and is closed
  Cancelled,        // the program is closing
};

// True when the exchange brought a value read from the panel: the command applies it to the
// window even when the value then fails the range test.
constexpr bool brought_value(Transfer transfer) {
  return transfer == Transfer::Ok || transfer == Transfer::OutOfRange;
}

// A one-byte exchange: how it ended, and the byte the panel gave (for a write, the byte read
// back). `value` is 0 when the panel gave no byte.
struct ByteTransfer {
  Transfer outcome = Transfer::Ok;
  std::int16_t value = 0;
};

}  // namespace kvt
