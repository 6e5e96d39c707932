#pragma once

namespace kvt {

// How one exchange with the panel ended: the handshake, a byte read or a verified byte write.
enum class Transfer {
  Ok,               // answered in time; a read brought its value into A
  NoReply,          // the tick came first (a handshake: six times)
  Corrupted,        // a read reply too short to hold a value, or holding no digit
  OutOfRange,       // a read value outside 0..160; it is in A all the same
  NotAcknowledged,  // a write answered with anything but "D000D"
  NotVerified,      // the byte read back differs from the one written; it is in A
  PortFailed,       // the port broke down and is closed
  Cancelled,        // the program is closing
};

// True when the exchange left a value read from the panel in A: the command applies it to the
// window even when the value then fails the range test.
constexpr bool brought_value(Transfer transfer) {
  return transfer == Transfer::Ok || transfer == Transfer::OutOfRange;
}

}  // namespace kvt
