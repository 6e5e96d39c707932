// Feeds arbitrary bytes to the record reader. Besides crashes and undefined behaviour it checks
// that whatever the reader accepts, the writer turns into a record that reads back and writes
// again to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "files/record_reader.h"
#include "files/record_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto reading =
      kvt::read_record(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto* record = std::get_if<kvt::ConfigRecord>(&reading);
  if (!record) return 0;

  const std::string written = kvt::write_record(*record);
  const auto again = kvt::read_record(written);
  const auto* reread = std::get_if<kvt::ConfigRecord>(&again);
  if (!reread || kvt::write_record(*reread) != written) std::abort();
  return 0;
}
