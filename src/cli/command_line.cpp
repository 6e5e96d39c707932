#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <array>
#include <cstdio>
#include <functional>
#include <string_view>

#include "cli/argument_bytes.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "files/visible_text.h"

namespace kvt::cli {
namespace {

struct CommandSpec {
  std::string_view name;
  int (*run)(const Request&);
  bool takes_file;
  QStringList options;  // the options it accepts besides --help and --version
};

const std::array<CommandSpec, 5>& commands() {
  static const std::array<CommandSpec, 5> table{{
      {"show", show_command, true, {"json"}},
      {"read", read_command, false, {"port", "json", "name", "o"}},
      {"write", write_command, true, {"port"}},
      {"verify", verify_command, true, {"port"}},
      {"ports", ports_command, false, {"port"}},
  }};
  return table;
}

const CommandSpec* find_command(std::string_view name) {
  for (const CommandSpec& command : commands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

constexpr const char* kDescription =
    "Configures the TQ KVT ten-button dimmable switch panel.\n"
    "\n"
    "Without arguments it opens the configuration window; with FILE.kvc the window opens with\n"
    "that file. The commands below work without a display:\n"
    "\n"
    "  show FILE [--json]             print the configuration in FILE\n"
    "  read [--port DEV] [--json] [--name NAME -o FILE]\n"
    "                                 read the panel and print its configuration; with -o\n"
    "                                 also save it, NAME as the panel name\n"
    "  write [--port DEV] FILE        write FILE into the panel, every byte verified\n"
    "  verify [--port DEV] FILE       compare the panel with FILE; nothing is written\n"
    "  ports                          list the serial ports and the one commands use\n"
    "\n"
    "The port: --port, else KVT_SERIAL_PORT, else the port chosen in the window, else\n"
    "/dev/ttyS0 (or the only other serial port when the system lists no /dev/ttyS0).\n"
    "Exit status: 0 success (verify: the panel matches); 1 the panel failed or differs;\n"
    "2 nothing reached the panel because of the request (usage, file, incomplete switch, port);\n"
    "128 + n stopped by signal n. A write under way is finished first; interrupt again to stop it.";

// The problem may quote an argument, shown escaped like any other text from outside.
int usage_error(const QCommandLineParser& parser, const QString& problem) {
  std::fprintf(stderr, "kvt-config: %s\n\n%s", visible_text(bytes_of(problem)).c_str(),
               qPrintable(parser.helpText()));
  return kRequestRefused;
}

}  // namespace

bool wants_command_line(int argc, char* argv[]) {
  if (argc < 2) return false;
  const std::string_view first = argv[1];
  return first.starts_with('-') || find_command(first) != nullptr;
}

int run_command_line(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromLatin1(kDescription));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOptions({
      {"port", "The serial device of the panel, e.g. /dev/ttyUSB0.", "DEV"},
      {"json", "Print the configuration as one JSON object."},
      {"name", "read: the panel name saved with -o.", "NAME"},
      {"o", "read: also save the configuration as FILE.", "FILE"},
  });
  parser.addPositionalArgument("command", "show, read, write, verify or ports.");
  parser.addPositionalArgument("file", "The configuration file (.kvc).", "[FILE]");

  // A file name is taken as the bytes the system gives, whether or not they are UTF-8.
  if (!parser.parse(arguments_of(argc, argv))) {
    return usage_error(parser, parser.errorText());
  }
  if (parser.isSet("help")) parser.showHelp(kSuccess);
  if (parser.isSet("version")) parser.showVersion();

  const QStringList arguments = parser.positionalArguments();
  if (arguments.isEmpty()) return usage_error(parser, "no command given");
  const CommandSpec* command = find_command(arguments.first().toStdString());
  if (command == nullptr) return usage_error(parser, "unknown command " + arguments.first());
  const qsizetype wanted = command->takes_file ? 2 : 1;
  if (arguments.size() < wanted) return usage_error(parser, arguments.first() + " needs a FILE");
  if (arguments.size() > wanted) {
    return usage_error(parser, "unexpected argument " + arguments.at(wanted));
  }
  for (const QString& option : parser.optionNames()) {
    if (!command->options.contains(option)) {
      return usage_error(parser, arguments.first() + " takes no option " + option);
    }
  }

  // An empty value names no file and no port: nothing could be read, saved or opened.
  if (command->takes_file && arguments.at(1).isEmpty()) return usage_error(parser, "FILE is empty");
  for (const QString& option : {QStringLiteral("port"), QStringLiteral("o")}) {
    if (parser.isSet(option) && parser.value(option).isEmpty()) {
      return usage_error(parser, (option.size() == 1 ? "-" : "--") + option + " is empty");
    }
  }
  if (parser.isSet("o") != parser.isSet("name")) {
    return usage_error(parser, "read saves with -o FILE and --name NAME together");
  }

  Request request;
  if (command->takes_file) request.file = bytes_of(arguments.at(1));
  request.port = bytes_of(parser.value("port"));
  request.json = parser.isSet("json");
  request.name = parser.value("name").toStdString();
  request.output = bytes_of(parser.value("o"));
  return command->run(request);
}

}  // namespace kvt::cli
