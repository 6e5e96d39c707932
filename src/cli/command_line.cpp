#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/argument_bytes.h"
#include "cli/cli_texts.h"
#include "cli/command_table.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "files/visible_text.h"

namespace kvt::cli {
namespace {

QString q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The parser knows every option and operand of the table; each command's own are checked after.
void describe(QCommandLineParser& parser) {
  const std::string description = std::string(cli_texts::kHelpIntroduction) + command_help() +
                                  std::string(cli_texts::kHelpClosing);
  parser.setApplicationDescription(q(description));
  parser.addHelpOption();
  parser.addVersionOption();
  for (const Option& option : options()) {
    parser.addOption({q(option.name), q(option.description), q(option.value_name)});
  }
  parser.addPositionalArgument(q(cli_texts::kCommandArgument),
                               q(cli_texts::one_of(command_names())));
  for (const Operand* operand : operands()) {
    parser.addPositionalArgument(q(operand->help_name), q(operand->description),
                                 q(operand->help_syntax));
  }
}

// The problem may quote an argument, shown escaped like any other text from outside.
int usage_error(const QCommandLineParser& parser, const std::string& problem) {
  Console::say(visible_text(problem));
  std::fprintf(stderr, "\n%s", qPrintable(parser.helpText()));
  return kRequestRefused;
}

int usage_error(const QCommandLineParser& parser, const QString& problem) {
  return usage_error(parser, bytes_of(problem));
}

// An option as it is typed: -o, --port.
std::string dashed(std::string_view option) {
  return (option.size() == 1 ? "-" : "--") + std::string(option);
}

bool takes(const Command& command, std::string_view option) {
  return std::find(command.options.begin(), command.options.end(), option) !=
         command.options.end();
}

// The usage problem in what the command was given, or nothing when it may run.
std::optional<std::string> misuse(const Command& command, const QCommandLineParser& parser) {
  const QStringList arguments = parser.positionalArguments();
  const std::string name(command.name);
  const auto wanted = static_cast<qsizetype>(command.operands.size()) + 1;
  if (arguments.size() < wanted) {
    return cli_texts::needs_operand(name,
                                    std::string(command.operands.at(arguments.size() - 1)->name));
  }
  if (arguments.size() > wanted && command.more == nullptr) {
    return cli_texts::unexpected_argument(bytes_of(arguments.at(wanted)));
  }
  for (const QString& option : parser.optionNames()) {
    if (!takes(command, option.toStdString())) {
      return cli_texts::option_not_taken(name, bytes_of(option));
    }
  }
  // An empty value names no file and no port: nothing could be read, saved or opened.
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments.at(i).isEmpty()) {
      const Operand* operand = i < wanted ? command.operands.at(i - 1) : command.more;
      return cli_texts::is_empty(std::string(operand->name));
    }
  }
  for (const Option& option : options()) {
    if (option.empty_refused && parser.isSet(q(option.name)) &&
        parser.value(q(option.name)).isEmpty()) {
      return cli_texts::is_empty(dashed(option.name));
    }
  }
  if (takes(command, "name") && parser.isSet("o") != parser.isSet("name")) return std::string(cli_texts::kOutputWithoutName);
  // ports lists without --probe; the devices to probe and the probe's JSON come with it.
  if (command.more != nullptr && !parser.isSet("probe") &&
      (arguments.size() > wanted || parser.isSet("json"))) {
    return std::string(cli_texts::kProbeOnly);
  }
  return std::nullopt;
}

// Root over ssh or from cron has no runtime folder; Qt says so on starting its GUI part, although
// a drawing command never uses the folder. Everything else Qt says is passed on.
QtMessageHandler qt_messages = nullptr;

void without_runtime_folder_notice(QtMsgType type, const QMessageLogContext& context,
                                   const QString& message) {
  if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  qt_messages(type, context, message);
}

// A command that draws gets the fonts and painting of a QGuiApplication, on the offscreen
// platform: it never needs a display. Every other command runs without any platform plugin.
std::unique_ptr<QCoreApplication> application_for(const QCommandLineParser& parser, int& argc,
                                                  char* argv[]) {
  const QStringList arguments = parser.positionalArguments();
  const Command* command =
      arguments.isEmpty() ? nullptr : find_command(arguments.first().toStdString());
  if (command != nullptr && command->draws) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qt_messages = qInstallMessageHandler(without_runtime_folder_notice);
    return std::make_unique<QGuiApplication>(argc, argv);
  }
  return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

bool wants_command_line(int argc, char* argv[]) {
  if (argc < 2) return false;
  const std::string_view first = argv[1];
  return first.starts_with('-') || find_command(first) != nullptr;
}

int run_command_line(int argc, char* argv[]) {
  QCommandLineParser parser;
  describe(parser);
  // A file name is taken as the bytes the system gives, whether or not they are UTF-8.
  const bool parsed = parser.parse(arguments_of(argc, argv));
  const auto application = application_for(parser, argc, argv);
  if (!parsed) return usage_error(parser, parser.errorText());
  if (parser.isSet("help")) parser.showHelp(kSuccess);
  if (parser.isSet("version")) parser.showVersion();

  const QStringList arguments = parser.positionalArguments();
  if (arguments.isEmpty()) return usage_error(parser, std::string(cli_texts::kNoCommand));
  const Command* command = find_command(arguments.first().toStdString());
  if (command == nullptr) {
    return usage_error(parser, cli_texts::unknown_command(bytes_of(arguments.first())));
  }
  if (const auto problem = misuse(*command, parser)) return usage_error(parser, *problem);

  Request request;
  for (qsizetype i = 1; i < arguments.size(); ++i)
    request.operands.push_back(bytes_of(arguments.at(i)));
  request.port = bytes_of(parser.value("port"));
  request.json = parser.isSet("json");
  request.name = parser.value("name").toStdString();
  request.output = bytes_of(parser.value("o"));
  request.probe = parser.isSet("probe");
  request.page = bytes_of(parser.value("page"));
  return command->run(request);
}

}  // namespace kvt::cli
