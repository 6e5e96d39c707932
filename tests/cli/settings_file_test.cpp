// The settings file as a technician's machine may hold it: a FIFO, a folder, a megabyte of junk,
// a file this user may not read or that does not parse. No command waits on it or pays for it,
// and `ports` says in one line why it is not read.

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "kvt_process.h"
#include "sim_harness.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace {

using kvt::sim::PanelSimulator;
using kvt::testing::run_kvt;
using kvt::testing::RunAs;

struct SettingsCase {
  const char* name;
  // Puts something at the settings path; false when the machine does not allow it here.
  std::function<bool(const std::string& path)> make;
  bool as_nobody;  // run the commands as "nobody" (root reads every file)
  const char* because;
};

void PrintTo(const SettingsCase& c, std::ostream* out) { *out << c.name; }

bool write_settings(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
  return true;
}

// A home whose settings path holds what the case puts there, open to another user, beside the
// worked example's file and a simulated panel holding it.
class SettingsFileInPlace : public ::testing::Test {
 protected:
  void put(const SettingsCase& settings) {
    as_nobody = settings.as_nobody;
    if (as_nobody && (::geteuid() != 0 || ::getpwnam("nobody") == nullptr)) {
      GTEST_SKIP() << "a file this user cannot read needs root to run the commands as nobody";
    }
    const std::string folder = home.filePath("Korvelantix").toStdString();
    ASSERT_TRUE(QDir(home.path()).mkpath("Korvelantix"));
    path = folder + "/kvt-config.conf";
    if (!settings.make(path)) GTEST_SKIP() << "cannot make it here";
    // Another user must reach the file, the configuration and the panel.
    for (const std::string& open_to_all : {home.path().toStdString(), folder}) {
      ::chmod(open_to_all.c_str(), 0755);
    }
    sim.emplace(std::vector<std::string>{},
                kvt::testing::panel_holding(kvt::testing::kWorkedCodes));
    ::chmod(sim->device().c_str(), 0666);
    device = QString::fromStdString(sim->device());
    std::ofstream(file.toStdString(), std::ios::binary) << kvt::testing::kWorkedExampleLine;
    ::chmod(file.toStdString().c_str(), 0644);
    env.insert("XDG_CONFIG_HOME", home.path());
  }

  std::optional<RunAs> user() const {
    if (!as_nobody) return std::nullopt;
    const passwd* nobody = ::getpwnam("nobody");
    return RunAs{nobody->pw_uid, nobody->pw_gid};
  }

  QTemporaryDir home;
  bool as_nobody = false;
  std::string path;  // the settings file's
  std::optional<PanelSimulator> sim;
  QString device;
  const QString file = home.filePath("lobby.kvc");
  QProcessEnvironment env;
};

class SettingsFileSaid : public SettingsFileInPlace,
                         public ::testing::WithParamInterface<SettingsCase> {
 protected:
  void SetUp() override { put(GetParam()); }
};

// `ports` names the file and the reason; a KVT_SERIAL_PORT instead of --port does without the
// settings too.
TEST_P(SettingsFileSaid, IsNamedByPortsWithWhyItIsIgnored) {
  const auto ports = run_kvt({"ports"}, env, user());
  EXPECT_EQ(ports.exit_code, 0) << ports.err;
  EXPECT_NE(
      ports.out.find("The settings file " + path + " is ignored: " + GetParam().because + ".\n"),
      std::string::npos)
      << ports.out;
  EXPECT_EQ(ports.out.find("chosen in the window"), std::string::npos) << ports.out;

  env.insert("KVT_SERIAL_PORT", device);
  EXPECT_EQ(run_kvt({"read"}, env, user()).exit_code, 0);
}

enum class PanelCommand { Read, Write, Verify };

const char* name_of(PanelCommand command) {
  switch (command) {
    case PanelCommand::Read:
      return "read";
    case PanelCommand::Write:
      return "write";
    case PanelCommand::Verify:
      return "verify";
  }
  return "";
}

class SettingsFileUnderCommand
    : public SettingsFileInPlace,
      public ::testing::WithParamInterface<std::tuple<SettingsCase, PanelCommand>> {
 protected:
  void SetUp() override { put(std::get<0>(GetParam())); }

  QStringList command() const {
    const PanelCommand command = std::get<1>(GetParam());
    QStringList arguments{name_of(command), "--port", device};
    if (command != PanelCommand::Read) arguments << file;
    return arguments;
  }
};

// Every command runs as it does without settings, in its usual time: a FIFO would have blocked
// it for good (even with --port), a big file cost seconds.
TEST_P(SettingsFileUnderCommand, IsIgnoredWithoutWaiting) {
  QElapsedTimer clock;
  clock.start();
  const auto result = run_kvt(command(), env, user());
  EXPECT_EQ(result.exit_code, 0) << result.err;
  // A read or a write takes under two seconds; a blocked command is killed after twenty.
  EXPECT_LT(clock.elapsed(), 8000);
}

const std::string kRemembered = "[link]\nport=/dev/ttyUSB7\n";

const SettingsCase kSettingsCases[] = {
    SettingsCase{"Fifo", [](const std::string& p) { return ::mkfifo(p.c_str(), 0666) == 0; }, false,
                 "it is not a regular file"},
    SettingsCase{"Folder",
                 [](const std::string& p) { return std::filesystem::create_directory(p); }, false,
                 "it is not a regular file"},
    SettingsCase{"OneMegabyte",
                 [](const std::string& p) {
                   return write_settings(p, kRemembered + std::string(1024 * 1024, ';'));
                 },
                 false, "it is larger than 64 KiB"},
    SettingsCase{
        "Unparsable",
        [](const std::string& p) { return write_settings(p, "[link\nport=/dev/ttyUSB7\n"); }, false,
        "it cannot be parsed"},
    SettingsCase{"Unreadable",
                 [](const std::string& p) {
                   return write_settings(p, kRemembered) && ::chmod(p.c_str(), 0) == 0;
                 },
                 true, "it cannot be read (Permission denied)"},
};

INSTANTIATE_TEST_SUITE_P(Cases, SettingsFileSaid, ::testing::ValuesIn(kSettingsCases),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Cases, SettingsFileUnderCommand,
                         ::testing::Combine(::testing::ValuesIn(kSettingsCases),
                                            ::testing::Values(PanelCommand::Read,
                                                              PanelCommand::Write,
                                                              PanelCommand::Verify)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  name_of(std::get<1>(info.param));
                         });

}  // namespace
