#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <filesystem>
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
#include "cli/help_text.h"
#include "cli/sheet_file.h"
#include "files/visible_text.h"
#include "model/name_rule.h"

namespace kvt::cli {
namespace {

// The parser knows every option of the table; each command's own are checked after. The help is
// ours: Qt's would list every option under every command.
void describe(QCommandLineParser& parser) {
  // Not addHelpOption(): it would offer --help-all, for Qt's own options, which a command line
  // without a window does not take. Not addVersionOption(): -v is --verbose.
  parser.addOption({{"h", "help"}, {}});
  parser.addOption({"version", {}});
  for (const Option& option : options()) {
    QStringList names{QString::fromUtf8(option.name)};
    if (!option.short_name.empty()) names.prepend(QString::fromUtf8(option.short_name));
    parser.addOption({names, {}, QString::fromUtf8(option.value_name)});
  }
}

// The option Qt's parser stopped at, as the user typed it: "--jsn", "-x".
std::string as_typed(const QString& name, const QStringList& arguments) {
  const QString long_form = QStringLiteral("--") + name;
  const bool typed_long = std::any_of(arguments.begin(), arguments.end(), [&](const QString& a) {
    return a == long_form || a.startsWith(long_form + u'=');
  });
  return bytes_of(typed_long ? long_form : QStringLiteral("-") + name);
}

bool takes_value(const QString& typed) {
  QString name = typed;
  while (name.startsWith(u'-')) name.remove(0, 1);
  const Option* option = find_option(name.toStdString());
  return option != nullptr && !option->value_name.empty();
}

// Why the parser refused the arguments, in the words of every other usage error.
std::string parse_problem(const QCommandLineParser& parser, const QStringList& arguments) {
  const QStringList unknown = parser.unknownOptionNames();
  if (!unknown.isEmpty()) return cli_texts::unknown_option(as_typed(unknown.first(), arguments));
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments.at(i);
    if (argument == QStringLiteral("--")) break;
    if (argument.size() < 2 || !argument.startsWith(u'-')) continue;
    const qsizetype assigned = argument.indexOf(u'=');
    const QString typed = assigned < 0 ? argument : argument.left(assigned);
    if (assigned >= 0 && !takes_value(typed)) return cli_texts::takes_no_value(bytes_of(typed));
    if (assigned < 0 && takes_value(typed)) {
      if (i + 1 == arguments.size()) return cli_texts::needs_value(bytes_of(typed));
      ++i;  // its value, whatever it looks like
    }
  }
  return bytes_of(parser.errorText());
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
  if (arguments.size() > wanted && command.more.operand == nullptr) {
    return cli_texts::unexpected_argument(bytes_of(arguments.at(wanted)));
  }
  for (const QString& given : parser.optionNames()) {
    const Option* option = find_option(given.toStdString());
    if (option == nullptr || !takes(command, option->name)) {
      return cli_texts::option_not_taken(name, dashed(bytes_of(given)));
    }
  }
  // An empty value names no file and no port: nothing could be read, saved or opened.
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments.at(i).isEmpty()) {
      const Operand* operand = i < wanted ? command.operands.at(i - 1) : command.more.operand;
      return cli_texts::is_empty(std::string(operand->name));
    }
  }
  for (const Option& option : options()) {
    if (option.empty_refused && parser.isSet(QString::fromUtf8(option.name)) &&
        parser.value(QString::fromUtf8(option.name)).isEmpty()) {
      return cli_texts::is_empty(dashed(option.name));
    }
  }
  if (takes(command, "name") && parser.isSet("o") != parser.isSet("name")) {
    return std::string(cli_texts::kOutputWithoutName);
  }
  // The name is saved as the window saves what is typed into PANEL NAME, under the same rule.
  if (takes(command, "name")) {
    if (const auto refused = first_refused_in_name(bytes_of(parser.value("name")))) {
      return cli_texts::name_refused(refused->bytes, refused->code);
    }
  }
  if (takes(command, "page") && !paper_named(bytes_of(parser.value("page")))) {
    return cli_texts::unknown_page(bytes_of(parser.value("page")));
  }
  if (parser.isSet("quiet") && parser.isSet("verbose")) {
    return std::string(cli_texts::kQuietAndVerbose);
  }
  if (!command.required.empty() && !parser.isSet(QString::fromUtf8(command.required))) {
    return cli_texts::needs_option(name, dashed(command.required));
  }
  // ports lists without --probe, write writes one file without --each: the further operands,
  // and what goes with them, come only with the option that asks for them.
  const MoreOperands& more = command.more;
  if (more.operand != nullptr && !more.allowed_by.empty() &&
      !parser.isSet(QString::fromUtf8(more.allowed_by))) {
    const bool option_given = std::any_of(
        more.options.begin(), more.options.end(),
        [&](std::string_view option) { return parser.isSet(QString::fromUtf8(option)); });
    if (arguments.size() > wanted || option_given) return std::string(more.refused);
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

// One line of its own and where to read more, as GNU programs answer a usage error. The
// problem may quote an argument, shown escaped like any other text from outside.
int usage_error(const std::string& problem) {
  Console::say(visible_text(problem));
  std::fprintf(stderr, "%s\n", std::string(cli_texts::kTryHelp).c_str());
  return kRequestRefused;
}

bool wants_command_line(int argc, char* argv[]) {
  if (argc < 2) return false;
  const std::string_view first = argv[1];
  if (first.starts_with('-') || find_command(first) != nullptr) return true;
  // What is neither a file nor named as one is a mistyped command ("wirte"), not a new file
  // for the window.
  std::error_code ignored;
  return !first.ends_with(".kvc") &&
         !std::filesystem::exists(std::filesystem::path(first), ignored);
}

int run_command_line(int argc, char* argv[]) {
  QCommandLineParser parser;
  describe(parser);
  // A file name is taken as the bytes the system gives, whether or not they are UTF-8.
  const QStringList given = arguments_of(argc, argv);
  const bool parsed = parser.parse(given);
  const auto application = application_for(parser, argc, argv);
  if (!parsed) return usage_error(parse_problem(parser, given));
  const QStringList arguments = parser.positionalArguments();
  const Command* command =
      arguments.isEmpty() ? nullptr : find_command(arguments.first().toStdString());
  if (parser.isSet("help")) {
    const std::string help =
        command == nullptr ? program_help(help_width()) : command_help(*command, help_width());
    std::fwrite(help.data(), 1, help.size(), stdout);
    return kSuccess;
  }
  if (parser.isSet("version")) parser.showVersion();

  if (arguments.isEmpty()) return usage_error(std::string(cli_texts::kNoCommand));
  if (command == nullptr) {
    const std::string typed = bytes_of(arguments.first());
    if (const Command* like = command_like(typed)) {
      return usage_error(cli_texts::unknown_command_like(typed, std::string(like->name)));
    }
    return usage_error(cli_texts::unknown_command(typed, cli_texts::listed(command_names(), ", ")));
  }
  if (const auto problem = misuse(*command, parser)) return usage_error(*problem);

  Request request;
  for (qsizetype i = 1; i < arguments.size(); ++i)
    request.operands.push_back(bytes_of(arguments.at(i)));
  request.port = bytes_of(parser.value("port"));
  request.json = parser.isSet("json");
  request.name = bytes_of(parser.value("name"));
  request.output = bytes_of(parser.value("o"));
  request.probe = parser.isSet("probe");
  request.quiet = parser.isSet("quiet");
  request.verbose = parser.isSet("verbose");
  request.page = bytes_of(parser.value("page"));
  request.each = parser.isSet("each");
  request.since = bytes_of(parser.value("since"));
  request.file = bytes_of(parser.value("file"));
  if (parser.isSet("n")) request.count = bytes_of(parser.value("n"));
  return command->run(request);
}

}  // namespace kvt::cli
