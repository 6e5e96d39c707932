#include "sim_options.h"

#include <charconv>
#include <functional>
#include <map>

namespace kvt::sim {

namespace {

std::optional<int> whole_number(const std::string& text, int lowest, int highest) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || value < lowest ||
      value > highest) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<SimOptions> parse_sim_options(const std::vector<std::string>& arguments,
                                            std::string& problem) {
  SimOptions options;
  using TextSetter = std::function<void(const std::string&)>;
  const std::map<std::string, TextSetter> text_options{
      {"--link", [&](const std::string& v) { options.link_path = v; }},
      {"--load", [&](const std::string& v) { options.load_path = v; }},
      {"--dump", [&](const std::string& v) { options.dump_path = v; }},
      {"--log", [&](const std::string& v) { options.log_path = v; }},
  };
  struct NumberOption {
    int lowest;
    int highest;
    std::function<void(int)> set;
  };
  const std::map<std::string, NumberOption> number_options{
      {"--model", {0, 255, [&](int v) { options.model_byte = v; }}},
      {"--delay", {0, 60000, [&](int v) { options.delay_ms = v; }}},
      {"--flood-after", {0, 1000000, [&](int v) { options.flood_after = v; }}},
      {"--answer-wake", {1, 1000000, [&](int v) { options.faults.answer_wake_only = v; }}},
      {"--stop-ack-from", {0, 255, [&](int v) { options.faults.stop_ack_from = v; }}},
      {"--wrong-readback", {0, 255, [&](int v) { options.faults.wrong_readback_at = v; }}},
      {"--no-number-at", {0, 255, [&](int v) { options.faults.no_number_at = v; }}},
  };
  const std::map<std::string, std::function<void()>> switches{
      {"--help", [&] { options.help = true; }},
      {"--silent", [&] { options.faults.silent = true; }},
      {"--lower-case-ack", [&] { options.faults.lower_case_ack = true; }},
      {"--short-replies", [&] { options.faults.short_replies = true; }},
  };

  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string& name = arguments[at];
    if (const auto found = switches.find(name); found != switches.end()) {
      found->second();
      continue;
    }
    const bool takes_value = text_options.count(name) != 0 || number_options.count(name) != 0;
    if (!takes_value) {
      problem = "unknown option " + name;
      return std::nullopt;
    }
    if (at + 1 == arguments.size()) {
      problem = name + " needs a value";
      return std::nullopt;
    }
    const std::string& value = arguments[++at];
    if (const auto found = text_options.find(name); found != text_options.end()) {
      found->second(value);
      continue;
    }
    const NumberOption& option = number_options.at(name);
    const auto number = whole_number(value, option.lowest, option.highest);
    if (!number) {
      problem = name + " takes a whole number from " + std::to_string(option.lowest) + " to " +
                std::to_string(option.highest);
      return std::nullopt;
    }
    option.set(*number);
  }
  return options;
}

const char* sim_usage() {
  return R"(Usage: kvt-panel-sim [OPTION]...
A simulated ten-button switch panel on a pseudo-terminal, for trying out kvt-config without
hardware and for its tests. It prints the pty's device path as the first line of its standard
output, then serves the panel's frames until it is stopped. Point kvt-config at it with
  KVT_SERIAL_PORT=<that path> kvt-config

The panel holds 64 bytes of memory, all 0 except 69 (the model byte) at address 63.
  "A"                        is answered "D000D"
  "S" 00 addr 00 value "D"   stores value at addr and is answered "D000D"
  "V" 00 addr "0" "0" "V"    is answered with ten times the byte as four digits and "D"
                             (69 gives "0690D")
Frames that do not have this form, and addresses above 63, go unanswered.

Options:
  --link PATH            also make PATH a symbolic link to the pty (an existing symbolic link
                         there is replaced; it is removed on exit)
  --load FILE            start with the memory in FILE (format below)
  --dump FILE            write the memory to FILE on exit, and whenever SIGUSR1 arrives
  --model N              put N (0 to 255) at address 63, after --load
  --delay MS             wait MS milliseconds before sending each answer
  --log FILE             log every frame received to FILE instead of standard error: one
                         frame a line, as hex bytes, e.g. "56 00 3F 30 30 56"
  --help                 show this text

Faults:
  --silent               answer nothing
  --answer-wake N        answer only the N-th wake request (counted from 1 since start)
  --lower-case-ack       acknowledge with "d000d"
  --stop-ack-from N      leave writes to address N and above unanswered and unstored
  --wrong-readback N     answer a read of address N with the byte plus one
  --no-number-at N       answer a read of address N with "D000D", a reply without a number
  --short-replies        cut every read answer to its first three characters
  --flood-after N        answer the first N frames; the next frame starts a flood of "0680D"
                         over and over without end, as fast as the line takes it, and nothing
                         more is answered

Memory file: 64 whole numbers from 0 to 255, address 0 first, separated by blanks or line
ends; "#" starts a comment running to the end of its line. --dump writes 8 numbers a line.

SIGTERM, SIGINT and SIGHUP end the simulator (after the dump); SIGUSR1 dumps and goes on.
SIGRTMIN unplugs the panel: from then on what the program sends is read and dropped, neither
logged nor answered, and answers not yet sent are lost; SIGRTMIN+1 plugs it in again, its
memory unchanged. They queue, so a quick change is never lost; two waiting at once are taken
SIGRTMIN first.
The pty stays usable while the program under test closes and reopens it between commands.
)";
}

}  // namespace kvt::sim
