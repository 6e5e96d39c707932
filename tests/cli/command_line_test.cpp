// The commands as a script runs them: exit status, standard output and error, and what
// reached the simulated panel.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <tuple>

#include "file_bytes.h"
#include "kvt_process.h"
#include "link/frames.h"
#include "recording_dialogs.h"
#include "sim_harness.h"
#include "window/form1.h"
#include "worked_example.h"
#include "worked_panel.h"

namespace {

using kvt::sim::PanelMemory;
using kvt::sim::PanelSimulator;
using kvt::testing::run_kvt;
using kvt::testing::run_kvt_bytes;

using kvt::testing::kWorkedCodes;
using kvt::testing::panel_holding;

bool has_write_frame(const std::vector<std::string>& frames) {
  return std::any_of(frames.begin(), frames.end(),
                     [](const std::string& f) { return f.starts_with("53"); });
}

class CommandLine : public ::testing::Test {
 protected:
  std::string file(const std::string& name, const std::string& content) {
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  std::string worked_example_file() { return file("lobby.kvc", kvt::testing::kWorkedExampleLine); }

  QTemporaryDir dir;
};

TEST_F(CommandLine, WriteSendsWhatTheWindowSends) {
  const std::string path = worked_example_file();
  PanelSimulator by_command;
  const auto result = run_kvt({"write", "--port", QString::fromStdString(by_command.device()),
                               QString::fromStdString(path)});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(result.err.find("SWITCH PANEL HAS BEEN PROGRAMMED"), std::string::npos);
  const PanelMemory memory = by_command.memory();
  EXPECT_TRUE(std::equal(kWorkedCodes.begin(), kWorkedCodes.end(), memory.begin()));

  PanelSimulator by_window;
  ::setenv("KVT_SERIAL_PORT", by_window.device().c_str(), 1);
  auto* dialogs = new kvt::testing::RecordingDialogs;
  Form1 form{std::unique_ptr<kvt::Dialogs>(dialogs)};
  form.load();
  form.open_file(path);
  form.findChild<QAbstractButton*>("WRITE_CONFIG")->click();
  ::unsetenv("KVT_SERIAL_PORT");
  EXPECT_EQ(by_command.frames(), by_window.frames());
}

TEST_F(CommandLine, ReadSavesAsTheWindowSavesAfterARead) {
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const std::string saved = dir.filePath("read.kvc").toStdString();
  const auto result = run_kvt({"read", "--port", QString::fromStdString(sim.device()), "--name",
                               "LOBBY 2", "-o", QString::fromStdString(saved)});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(result.out.find("SW3   BL/MR"), std::string::npos) << result.out;
  EXPECT_EQ(kvt::testing::file_bytes(saved),
            "\"00-00417-MDL\",\"LOBBY 2\",\"\",12,\"\",0,\"\",159,\"\",160,\"\",160,\"\",160,"
            "\"\",160,\"\",160,\"\",160,\"\",160,159,\"feature\",1,\"ind%\",10,\"bl%\",4\r\n");
  EXPECT_FALSE(has_write_frame(sim.frames()));
}

// For scripts: the same configuration as one JSON object, the codes as the panel holds them.
TEST_F(CommandLine, ReadPrintsJson) {
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const auto result = run_kvt({"read", "--json", "--port", QString::fromStdString(sim.device())});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  QJsonParseError error;
  const QJsonObject shown =
      QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out;
  QJsonArray codes;
  for (const std::uint8_t code : kWorkedCodes) codes.append(code);
  EXPECT_EQ(shown["codes"].toArray(), codes);
  EXPECT_EQ(shown["switches"].toArray()[2].toObject()["module"].toString(), "BL/MR");
}

// The configuration is shown, but a script must learn that the file it asked for is not there.
TEST_F(CommandLine, ReadWhoseSaveFailsIsRefused) {
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const std::string saved = dir.filePath("missing/read.kvc").toStdString();
  const auto result = run_kvt({"read", "--port", QString::fromStdString(sim.device()), "--name",
                               "LOBBY 2", "-o", QString::fromStdString(saved)});
  EXPECT_EQ(result.exit_code, 2) << result.err;
  EXPECT_NE(result.err.find("kvt-config: CONFIGURATION FILE WAS NOT SAVED: " + saved +
                            " (No such file or directory)\n"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.out.find("SW3   BL/MR"), std::string::npos) << result.out;
  EXPECT_FALSE(std::filesystem::exists(saved));
}

struct VerifyCase {
  const char* name;
  std::array<std::uint8_t, 14> panel;
  int exit_code;
  const char* says;
};

void PrintTo(const VerifyCase& c, std::ostream* out) { *out << c.name; }

class Verify : public CommandLine, public ::testing::WithParamInterface<VerifyCase> {};

TEST_P(Verify, ComparesWithoutWriting) {
  const VerifyCase& c = GetParam();
  PanelSimulator sim({}, panel_holding(c.panel));
  const auto result = run_kvt({"verify", "--port", QString::fromStdString(sim.device()),
                               QString::fromStdString(worked_example_file())});
  EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
  EXPECT_EQ(result.out, c.says);
  const std::vector<std::string> frames = sim.frames();
  EXPECT_FALSE(has_write_frame(frames));
  // The wake-up, the model byte, then every address a write sends, 10 included.
  std::vector<std::string> reads;
  for (int address : {63, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) {
    char frame[20];
    std::snprintf(frame, sizeof frame, "56 00 %02X 30 30 56", address);
    reads.push_back(frame);
  }
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(std::vector<std::string>(frames.begin() + 1, frames.end()), reads);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Verify,
    ::testing::Values(VerifyCase{"EqualPanel", kWorkedCodes, 0, "MATCH\n"},
                      VerifyCase{"OneSwitchDiffers",
                                 {12, 4, 159, 160, 160, 160, 160, 160, 160, 160, 159, 1, 10, 4},
                                 1,
                                 "SW2: panel A 5, file A 1\n"},
                      // The last switch, next to the BL/MR code a read skips.
                      VerifyCase{"LastSwitchDiffers",
                                 {12, 0, 159, 160, 160, 160, 160, 160, 160, 0, 159, 1, 10, 4},
                                 1,
                                 "SW10: panel A 1, file N/A\n"},
                      VerifyCase{"LightingAndBackLightDiffer",
                                 {12, 0, 159, 160, 160, 160, 160, 160, 160, 160, 159, 0, 10, 5},
                                 1,
                                 "INDEPENDENT LIGHTING: panel off, file on\n"
                                 "BACK-LIGHT INTENSITY: panel 70 %, file 60 %\n"},
                      // A write that failed at address 10 left it as it was.
                      VerifyCase{"BlMrCodeNotWritten",
                                 {12, 0, 159, 160, 160, 160, 160, 160, 160, 160, 0, 1, 10, 4},
                                 1,
                                 "BL/MR CODE: panel 0, file 159\n"},
                      // Shown alike, the bytes differ: the bytes are named.
                      VerifyCase{"FlagShownAlike",
                                 {12, 0, 159, 160, 160, 160, 160, 160, 160, 160, 159, 5, 10, 4},
                                 1,
                                 "INDEPENDENT LIGHTING: panel on (5), file on (1)\n"},
                      VerifyCase{"IntensityShownAlike",
                                 {12, 0, 159, 160, 160, 160, 160, 160, 160, 160, 159, 1, 8, 4},
                                 1,
                                 "INDICATOR INTENSITY: panel 100 % (8), file 100 % (10)\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- values that are not settings --------------------------------------------------------------

struct NotSettingValue {
  int value;
  const char* what;
  const char* shown;
};

struct NotSettingsCase {
  const char* name;
  bool from_panel;                           // read from the panel, else show of a file
  std::vector<std::pair<int, int>> changes;  // address, value over the worked example's codes
  std::vector<NotSettingValue> named;
};

void PrintTo(const NotSettingsCase& c, std::ostream* out) { *out << c.name; }

// Each case is shown as text and as JSON (the tuple's bool).
class NotSettings : public CommandLine,
                    public ::testing::WithParamInterface<std::tuple<NotSettingsCase, bool>> {
 protected:
  // The worked example's record with `codes` in place of its numbers.
  static std::string record(const std::array<int, 14>& codes) {
    std::string line = "\"00-00417-MDL\",\"LOBBY 2\"";
    for (int k = 0; k < 10; ++k) line += ",\"\"," + std::to_string(codes[k]);
    return line + "," + std::to_string(codes[10]) + ",\"feature\"," + std::to_string(codes[11]) +
           ",\"ind%\"," + std::to_string(codes[12]) + ",\"bl%\"," + std::to_string(codes[13]) +
           "\r\n";
  }
};

// Shown as before, with the same exit status, and each named once: a line on standard error
// in text and JSON alike, and in the JSON's "not_settings".
TEST_P(NotSettings, AreNamedOnceEach) {
  const auto& [c, json] = GetParam();
  std::array<int, 14> codes;
  std::copy(kWorkedCodes.begin(), kWorkedCodes.end(), codes.begin());
  for (auto [address, value] : c.changes) codes.at(address) = value;
  std::unique_ptr<PanelSimulator> sim;
  QStringList arguments;
  std::string holder = "THE SWITCH PANEL";
  if (c.from_panel) {
    std::array<std::uint8_t, 14> bytes;
    std::copy(codes.begin(), codes.end(), bytes.begin());
    sim = std::make_unique<PanelSimulator>(std::vector<std::string>{}, panel_holding(bytes));
    arguments << "read"
              << "--port" << QString::fromStdString(sim->device());
  } else {
    holder = file("odd.kvc", record(codes));
    arguments << "show" << QString::fromStdString(holder);
  }
  std::string lines;
  QJsonArray expected;
  for (const NotSettingValue& v : c.named) {
    lines += "kvt-config: " + holder + " HOLDS " + std::to_string(v.value) + " FOR THE " + v.what +
             ", WHICH IS NOT A SETTING; SHOWN AS " + v.shown + ".\n";
    expected.append(QJsonObject{{"what", v.what}, {"value", v.value}, {"shown", v.shown}});
  }

  const auto result = run_kvt(json ? QStringList(arguments) << "--json" : arguments);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err.substr(0, lines.size()), lines) << result.err;
  EXPECT_EQ(result.err.find("NOT A SETTING", lines.size()), std::string::npos) << result.err;
  if (json) {
    const QJsonObject shown =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).object();
    ASSERT_TRUE(shown.contains("not_settings")) << result.out;
    EXPECT_EQ(shown["not_settings"].toArray(), expected) << result.out;
  } else {
    for (const NotSettingValue& v : c.named) {
      EXPECT_NE(result.out.find(v.shown), std::string::npos) << result.out;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NotSettings,
    ::testing::Combine(
        ::testing::Values(NotSettingsCase{"FileWithoutAny", false, {}, {}},
                          NotSettingsCase{"PanelWithoutAny", true, {}, {}},
                          NotSettingsCase{"FileIntensities0And11",
                                          false,
                                          {{12, 0}, {13, 11}},
                                          {{0, "INDICATOR INTENSITY", "100 %"},
                                           {11, "BACK-LIGHT INTENSITY", "100 %"}}},
                          NotSettingsCase{"FileSwitchCode200AndFlag2",
                                          false,
                                          {{3, 200}, {11, 2}},
                                          {{200, "SW4 ASSIGNMENT", "N/A"},
                                           {2, "INDEPENDENT LIGHTING FLAG", "off"}}},
                          NotSettingsCase{"FileFlag5AndIntensity9",
                                          false,
                                          {{11, 5}, {13, 9}},
                                          {{5, "INDEPENDENT LIGHTING FLAG", "off"},
                                           {9, "BACK-LIGHT INTENSITY", "100 %"}}},
                          NotSettingsCase{"PanelIntensities8And160",
                                          true,
                                          {{12, 8}, {13, 160}},
                                          {{8, "INDICATOR INTENSITY", "100 %"},
                                           {160, "BACK-LIGHT INTENSITY", "100 %"}}},
                          NotSettingsCase{"PanelFlag5AndIntensity9",
                                          true,
                                          {{11, 5}, {12, 9}},
                                          {{5, "INDEPENDENT LIGHTING FLAG", "on"},
                                           {9, "INDICATOR INTENSITY", "100 %"}}},
                          NotSettingsCase{"PanelFlag2AndIntensities0",
                                          true,
                                          {{11, 2}, {12, 0}, {13, 0}},
                                          {{2, "INDEPENDENT LIGHTING FLAG", "on"},
                                           {0, "INDICATOR INTENSITY", "100 %"},
                                           {0, "BACK-LIGHT INTENSITY", "100 %"}}},
                          // The BL/MR code is never shown: whatever it holds, it is not named.
                          NotSettingsCase{"FileBlMrCode0", false, {{10, 0}}, {}}),
        ::testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) +
             (std::get<1>(info.param) ? "_json" : "_text");
    });

struct FailureCase {
  const char* name;
  std::vector<std::string> simulator_options;
  const char* command;
  bool port_exists;
  bool file_refused;
  int exit_code;
  const char* says;
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class Failure : public CommandLine, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(Failure, EndsWithItsStatusAndWritesNothing) {
  const FailureCase& c = GetParam();
  PanelSimulator sim(c.simulator_options);
  const std::string port = c.port_exists ? sim.device() : "/dev/kvt-no-such-port";
  const std::string path =
      c.file_refused ? file("other.kvc", "\"00-00999-XYZ\",\"X\"\r\n") : worked_example_file();
  const auto result =
      run_kvt({c.command, "--port", QString::fromStdString(port), QString::fromStdString(path)});
  EXPECT_FALSE(result.crashed);
  EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
  EXPECT_NE(result.err.find(std::string("kvt-config: ") + c.says), std::string::npos) << result.err;
  EXPECT_FALSE(has_write_frame(sim.frames()));
  if (c.file_refused) {
    EXPECT_TRUE(sim.frames().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Failure,
    ::testing::Values(
        FailureCase{"SilentPanel",
                    {"--silent"},
                    "write",
                    true,
                    false,
                    1,
                    "COMMUNICATIONS FAILURE SWITCH PANEL FAILED TO RESPOND"},
        FailureCase{"OtherModel",
                    {"--model", "70"},
                    "write",
                    true,
                    false,
                    1,
                    "SWITCH PANEL/CONFIGURATION MIS-MATCH: THE SWITCH PANEL THAT YOU HAVE "
                    "ATTEMPTED TO WRITE DATA TO DOES NOT MATCH THIS CONFIGURATION PROGRAM "
                    "(MODEL 70 ANSWERED)\n"},
        FailureCase{"OtherModelVerify",
                    {"--model", "70"},
                    "verify",
                    true,
                    false,
                    1,
                    "SWITCH PANEL/CONFIGURATION MIS-MATCH: THE SWITCH PANEL THAT YOU HAVE "
                    "ATTEMPTED TO READ DATA FROM DOES NOT MATCH THIS CONFIGURATION PROGRAM "
                    "(MODEL 70 ANSWERED)\n"},
        FailureCase{"MissingPort",
                    {},
                    "write",
                    false,
                    false,
                    2,
                    "SERIAL PORT COULD NOT BE OPENED: THERE IS NO SERIAL DEVICE "
                    "/dev/kvt-no-such-port"},
        FailureCase{"RefusedFile", {}, "write", true, true, 2, "FILE/MODEL MIS-MATCH"},
        FailureCase{"RefusedFileVerify", {}, "verify", true, true, 2, "FILE/MODEL MIS-MATCH"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NoNumberCase {
  const char* name;
  const char* command;
  int address;  // the read answered without a number
};

void PrintTo(const NoNumberCase& c, std::ostream* out) { *out << c.name; }

class ReplyWithoutANumber : public CommandLine,
                            public ::testing::WithParamInterface<NoNumberCase> {};

// The number rule reads such a reply as 0; taken as a byte, a read would save an invented
// configuration, a verify report made-up differences and a write verify a 0 it never read back.
TEST_P(ReplyWithoutANumber, IsBadPanelDataAndNothingIsSaved) {
  const NoNumberCase& c = GetParam();
  PanelSimulator sim({"--no-number-at", std::to_string(c.address)}, panel_holding(kWorkedCodes));
  const QString port = QString::fromStdString(sim.device());
  const std::string saved = dir.filePath("read.kvc").toStdString();
  QStringList arguments{c.command, "--port", port};
  if (std::string(c.command) == "read") {
    arguments << "--name"
              << "X"
              << "-o" << QString::fromStdString(saved);
  } else {
    arguments << QString::fromStdString(worked_example_file());
  }
  const auto result = run_kvt(arguments);
  EXPECT_EQ(result.exit_code, 1) << result.err;
  EXPECT_NE(result.err.find("kvt-config: COMMUNICATIONS FAILURE-BAD SWITCH PANEL DATA"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_FALSE(std::filesystem::exists(saved));
  // Nothing is sent after the reply without a number.
  EXPECT_EQ(sim.frames().back(), kvt::sim::hex_bytes(kvt::read_frame(c.address)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplyWithoutANumber,
    ::testing::Values(NoNumberCase{"ReadAtTheModelCheck", "read", 63},
                      NoNumberCase{"ReadAtASwitch", "read", 1},
                      NoNumberCase{"VerifyAtASwitch", "verify", 1},
                      // Address 1 is written as 0, which the rule's 0 would verify.
                      NoNumberCase{"WriteAtAReadBack", "write", 1}),
    [](const auto& info) { return std::string(info.param.name); });

// A port another program holds with flock, as picocom and pyserial do, is refused before a byte
// is sent: two programs talking to the panel at once would garble each other's frames.
TEST_F(CommandLine, APortAnotherProgramHoldsWithFlockIsRefused) {
  PanelSimulator sim;
  const QString port = QString::fromStdString(sim.device());
  QProcess holder;  // holds the lock until its standard input closes
  holder.start("flock", {"--exclusive", "--nonblock", port, "sh", "-c", "echo held; exec cat"});
  if (!holder.waitForStarted(5000)) GTEST_SKIP() << "no flock program (util-linux)";
  ASSERT_TRUE(holder.waitForReadyRead(5000)) << holder.readAllStandardError().toStdString();

  const auto result =
      run_kvt({"write", "--port", port, QString::fromStdString(worked_example_file())});
  holder.closeWriteChannel();
  holder.waitForFinished(5000);
  EXPECT_EQ(result.exit_code, 2) << result.err;
  EXPECT_NE(result.err.find("kvt-config: SERIAL PORT COULD NOT BE OPENED: " + sim.device() +
                            " IS IN USE BY ANOTHER PROGRAM. CLOSE THAT PROGRAM AND TRY AGAIN."),
            std::string::npos)
      << result.err;
  EXPECT_TRUE(sim.frames().empty());
}

struct RememberedPortCase {
  const char* name;
  std::string settings;  // the [link] section's lines, as a damaged file may hold them
  const char* says;      // the line `ports` prints about the remembered port; empty: none
};

void PrintTo(const RememberedPortCase& c, std::ostream* out) { *out << c.name; }

class RememberedPort : public CommandLine,
                       public ::testing::WithParamInterface<RememberedPortCase> {};

// A damaged settings file must not crash or hang the next command (a NUL in the port's name
// made the port layer recurse until it crashed): the remembered port is ignored and `ports`
// says why.
TEST_P(RememberedPort, ADamagedOneIsIgnoredAndPortsSaysWhy) {
  const RememberedPortCase& c = GetParam();
  ASSERT_TRUE(QDir(dir.path()).mkpath("Korvelantix"));
  file("Korvelantix/kvt-config.conf", "[link]\n" + c.settings + "\n");
  QProcessEnvironment env;
  env.insert("XDG_CONFIG_HOME", dir.path());
  const auto result = run_kvt({"ports"}, env);
  EXPECT_FALSE(result.crashed);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  const std::string ignored = "The port remembered from the window is ignored: ";
  if (*c.says == '\0') {
    EXPECT_EQ(result.out.find(ignored), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Commands use /dev/ttyUSB7: chosen in the window.\n"),
              std::string::npos)
        << result.out;
  } else {
    EXPECT_NE(result.out.find(ignored + c.says + ".\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("chosen in the window"), std::string::npos) << result.out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RememberedPort,
    ::testing::Values(
        RememberedPortCase{"Usable", "port=/dev/ttyUSB7", ""},
        RememberedPortCase{"EscapedNul", "port=/dev/tty\\0S0", "it holds a NUL character"},
        RememberedPortCase{"RawNul", std::string("port=/dev/tty\0S0", 16),
                           "it holds a NUL character"},
        RememberedPortCase{"Escape", "port=/dev/tty\x1bS0", "it holds a control character"},
        RememberedPortCase{"Empty", "port=", "it is empty"},
        RememberedPortCase{"Relative", "port=ttyUSB0", "it is not an absolute path"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLine, PortFailuresNameThePortAndWhereToLook) {
  PanelSimulator sim({"--silent"});
  const auto result = run_kvt({"write", QString::fromStdString(worked_example_file())}, [&] {
    QProcessEnvironment env;
    env.insert("KVT_SERIAL_PORT", QString::fromStdString(sim.device()));
    return env;
  }());
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_NE(result.err.find("port " + sim.device() + " (set in KVT_SERIAL_PORT)"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("kvt-config ports"), std::string::npos);
}

TEST_F(CommandLine, ShowJsonOfTheWorkedExample) {
  const auto result = run_kvt({"show", "--json", QString::fromStdString(worked_example_file())});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  QJsonParseError error;
  const QJsonObject shown =
      QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out;
  EXPECT_EQ(shown["panel"].toString(), "LOBBY 2");
  EXPECT_EQ(shown["independent_lighting"].toBool(), true);
  EXPECT_EQ(shown["indicator_percent"].toInt(), 100);
  EXPECT_EQ(shown["backlight_percent"].toInt(), 60);
  const QJsonArray switches = shown["switches"].toArray();
  ASSERT_EQ(switches.size(), 10);
  EXPECT_EQ(
      switches[0].toObject(),
      (QJsonObject{{"switch", 1}, {"module", "B"}, {"channel", 3}, {"designation", "ENTRY"}}));
  EXPECT_EQ(switches[2].toObject()["module"].toString(), "BL/MR");
  EXPECT_TRUE(switches[2].toObject()["channel"].isNull());
  EXPECT_EQ(switches[3].toObject()["module"].toString(), "N/A");
  QJsonArray codes;
  for (const std::uint8_t code : kWorkedCodes) codes.append(code);
  EXPECT_EQ(shown["codes"].toArray(), codes);
}

TEST_F(CommandLine, ShowTextHasOneLinePerSwitch) {
  const auto result = run_kvt({"show", QString::fromStdString(worked_example_file())});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  for (const char* line : {"SW1   B 3      ENTRY\n", "SW3   BL/MR    MASTER\n",
                           "INDEPENDENT LIGHTING  on\n", "BACK-LIGHT INTENSITY  60 %\n"}) {
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
  }
}

// A file whose panel name and designations hold what a terminal takes as commands: a screen
// clear and a clipboard write (OSC 52), a NUL, a line end forging a switch line, and a C1 CSI.
std::string hostile_example() {
  std::string line = kvt::testing::kWorkedExampleLine;
  const auto replace = [&](const std::string& from, const std::string& to) {
    line.replace(line.find(from), from.size(), to);
  };
  replace("\"LOBBY 2\"",
          "\"\x9B"
          "31mLOBBY\"");
  replace("\"ENTRY\"", "\"\x1B[2J\x1B]52;c;b3duZWQ=\x07\"");
  replace("\"STAGE\"", std::string("\"A\0B\"", 5));
  replace("\"MASTER\"", "\"X\nSW4   A 1\"");
  return line;
}

TEST_F(CommandLine, ShowEscapesControlCharactersInNames) {
  const auto result =
      run_kvt({"show", QString::fromStdString(file("hostile.kvc", hostile_example()))});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out.substr(0, result.out.find("SW4   N/A")),
            "PANEL NAME            \\x9b31mLOBBY\n"
            "SW1   B 3      \\x1b[2J\\x1b]52;c;b3duZWQ=\\x07\n"
            "SW2   A 1      A\\0B\n"
            "SW3   BL/MR    X\\nSW4   A 1\n");
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1 + 10 + 3) << result.out;
  EXPECT_NE(result.out.find("BACK-LIGHT INTENSITY  60 %\n"), std::string::npos) << result.out;
}

TEST_F(CommandLine, ShowJsonKeepsControlCharactersInNames) {
  const auto result =
      run_kvt({"show", "--json", QString::fromStdString(file("hostile.kvc", hostile_example()))});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  QJsonParseError error;
  const QJsonObject shown =
      QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out;
  EXPECT_EQ(shown["panel"].toString(), QString::fromLatin1("\x9B"
                                                           "31mLOBBY"));
  const QJsonArray switches = shown["switches"].toArray();
  ASSERT_EQ(switches.size(), 10);
  EXPECT_EQ(switches[0].toObject()["designation"].toString(), "\x1B[2J\x1B]52;c;b3duZWQ=\x07");
  EXPECT_EQ(switches[1].toObject()["designation"].toString(), QString::fromLatin1("A\0B", 3));
  EXPECT_EQ(switches[2].toObject()["designation"].toString(), "X\nSW4   A 1");
}

struct UnreadableCase {
  const char* name;
  const char* command;
  const char* file_name;            // in the test folder
  std::optional<std::size_t> size;  // the worked example padded to this size; none: no file
  const char* reason;
};

void PrintTo(const UnreadableCase& c, std::ostream* out) { *out << c.name; }

class UnreadableFile : public CommandLine, public ::testing::WithParamInterface<UnreadableCase> {};

// A file that cannot be read whole is named with the reason and nothing reaches the panel.
TEST_P(UnreadableFile, IsNamedWithItsReasonAndNothingIsSent) {
  const UnreadableCase& c = GetParam();
  PanelSimulator sim;
  std::string path = dir.filePath(c.file_name).toStdString();
  if (c.size) {
    std::string bytes = kvt::testing::kWorkedExampleLine;
    bytes.resize(*c.size, '\n');
    path = file(c.file_name, bytes);
  }
  QStringList arguments{c.command};
  if (std::string_view(c.command) != "show") {
    arguments << "--port" << QString::fromStdString(sim.device());
  }
  const auto result = run_kvt(arguments << QString::fromStdString(path));
  EXPECT_EQ(result.exit_code, 2) << result.err;
  EXPECT_NE(result.err.find("kvt-config: CONFIGURATION FILE COULD NOT BE READ: " + path + " (" +
                            c.reason + ")\n"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(result.err.find("MIS-MATCH"), std::string::npos) << result.err;
  EXPECT_TRUE(sim.frames().empty());
  EXPECT_EQ(result.out, "");
}

constexpr std::size_t kOverOneMiB = (1 << 20) + 1;
// The worked example without its CR LF.
const std::size_t kWithoutLineEnd = std::string_view(kvt::testing::kWorkedExampleLine).size() - 2;

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreadableFile,
    ::testing::Values(
        UnreadableCase{"WriteMissing", "write", "missing.kvc", std::nullopt,
                       "No such file or directory"},
        UnreadableCase{"VerifyMissing", "verify", "missing.kvc", std::nullopt,
                       "No such file or directory"},
        UnreadableCase{"WriteOver1MiB", "write", "large.kvc", kOverOneMiB, "LARGER THAN 1 MiB"},
        UnreadableCase{"ShowOver1MiB", "show", "large.kvc", kOverOneMiB, "LARGER THAN 1 MiB"},
        UnreadableCase{"WriteWithoutLineEnd", "write", "cut.kvc", kWithoutLineEnd,
                       "CUT SHORT: NO LINE END"},
        UnreadableCase{"ShowWithoutLineEnd", "show", "cut.kvc", kWithoutLineEnd,
                       "CUT SHORT: NO LINE END"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file name in Latin-1 is no UTF-8: the command line must pass on the bytes it was given.
class Latin1Name : public CommandLine {
 protected:
  ~Latin1Name() override { ::unlink(latin1_path.c_str()); }  // QTemporaryDir cannot remove it

  const std::string latin1_path = dir.path().toStdString() + "/caf\xE9.kvc";
};

TEST_F(Latin1Name, ShowOpensIt) {
  std::ofstream(latin1_path, std::ios::binary) << kvt::testing::kWorkedExampleLine;
  const auto result = run_kvt_bytes({"show", latin1_path});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(result.out.find("PANEL NAME            LOBBY 2\n"), std::string::npos) << result.out;
}

TEST_F(Latin1Name, ReadSavesUnderIt) {
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const auto result =
      run_kvt_bytes({"read", "--port", sim.device(), "--name", "LOBBY 2", "-o", latin1_path});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(kvt::testing::file_bytes(latin1_path).find("\"00-00417-MDL\",\"LOBBY 2\","),
            std::string::npos);
}

// A name typed on a Latin-1 terminal arrives as a byte that is no UTF-8: refused, not saved as
// '?', and the panel is not asked.
TEST_F(CommandLine, ReadRefusesANameThatIsNotUtf8) {
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const std::string saved = dir.filePath("read.kvc").toStdString();
  const auto result =
      run_kvt_bytes({"read", "--port", sim.device(), "--name", "CAF\xC9", "-o", saved});
  EXPECT_EQ(result.exit_code, 2) << result.err;
  EXPECT_EQ(result.err,
            "kvt-config: --name: a panel name cannot hold '\\xc9' (not UTF-8)\n"
            "Try 'kvt-config --help' for more information.\n");
  EXPECT_FALSE(std::filesystem::exists(saved));
  EXPECT_TRUE(sim.frames().empty());
}

// Escaped in a message too, so that a name cannot drive the terminal.
TEST_F(Latin1Name, MissingIsNamedEscaped) {
  const auto result = run_kvt_bytes({"show", dir.path().toStdString() + "/caf\xE9\x1B[2J.kvc"});
  EXPECT_EQ(result.exit_code, 2) << result.err;
  EXPECT_NE(result.err.find("/caf\\xe9\\x1b[2J.kvc (No such file or directory)"), std::string::npos)
      << result.err;
}

// read -o onto something that is not a regular file: refused before anything is written, the
// node stays what it was.
struct NodeCase {
  const char* name;
  mode_t kind;
};

void PrintTo(const NodeCase& c, std::ostream* out) { *out << c.name; }

class ReadOntoNode : public CommandLine, public ::testing::WithParamInterface<NodeCase> {};

TEST_P(ReadOntoNode, IsRefusedAndTheNodeStays) {
  const NodeCase& c = GetParam();
  const std::string node = dir.filePath("node").toStdString();
  if (::mknod(node.c_str(), c.kind | 0600, c.kind == S_IFCHR ? ::makedev(1, 3) : 0) != 0) {
    if (errno == EPERM) GTEST_SKIP() << "mknod is not permitted here";
    FAIL() << std::strerror(errno);
  }
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const auto result = run_kvt({"read", "--port", QString::fromStdString(sim.device()), "--name",
                               "LOBBY 2", "-o", QString::fromStdString(node)});
  EXPECT_EQ(result.exit_code, 2) << result.err;
  EXPECT_NE(result.err.find("kvt-config: CONFIGURATION FILE WAS NOT SAVED: " + node +
                            " (NOT A REGULAR FILE)\n"),
            std::string::npos)
      << result.err;
  struct stat status {};
  ASSERT_EQ(::lstat(node.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & S_IFMT, c.kind);
  EXPECT_EQ(QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
            QStringList{"node"});
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadOntoNode,
                         ::testing::Values(NodeCase{"Fifo", S_IFIFO},
                                           NodeCase{"CharacterDevice", S_IFCHR}),
                         [](const auto& info) { return std::string(info.param.name); });

// The conventions of the command line, argument lists and what comes back: the exit status,
// the first line on standard error (exact) and what standard output holds. A usage error is
// that one line and the pointer to --help, nothing more.
struct UsageCase {
  const char* name;
  QStringList arguments;
  int exit_code;
  const char* out;
  const char* err_first_line;
  bool usage_error = false;
};

void PrintTo(const UsageCase& c, std::ostream* out) { *out << c.name; }

class Usage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(Usage, AnswersWithoutADisplay) {
  const UsageCase& c = GetParam();
  const auto result = run_kvt(c.arguments);
  EXPECT_FALSE(result.crashed);
  EXPECT_EQ(result.exit_code, c.exit_code) << result.err;
  EXPECT_NE(result.out.find(c.out), std::string::npos) << result.out;
  EXPECT_EQ(result.err.substr(0, result.err.find('\n')), c.err_first_line) << result.err;
  if (c.usage_error) {
    EXPECT_EQ(result.err,
              std::string(c.err_first_line) + "\nTry 'kvt-config --help' for more information.\n");
    EXPECT_EQ(result.out, "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Usage,
    ::testing::Values(
        UsageCase{"Help", {"--help"}, 0, "Usage:", ""},
        UsageCase{"ShortHelp", {"-h"}, 0, "Usage:", ""},
        // A usage too long for its column puts what the command does on the lines below.
        UsageCase{
            "HelpListsTheCommands",
            {"--help"},
            0,
            "Commands:\n"
            "  show FILE [--json]             Print the configuration in FILE.\n"
            "  read [--port DEV] [--json] [--name NAME -o FILE]\n"
            "                                 Read the panel and print its configuration;\n"
            "                                 with -o also save it, NAME as the panel name.\n",
            ""},
        // Qt's --help-all would list options this program does not take.
        UsageCase{"HelpAllIsNotOffered",
                  {"--help-all"},
                  2,
                  "",
                  "kvt-config: unknown option '--help-all'",
                  true},
        UsageCase{"CommandHelp",
                  {"write", "--help"},
                  0,
                  "Usage: kvt-config write [--port DEV] [--each] FILE...\n"
                  "Write FILE into the panel, every byte verified; with --each, each FILE into a\n"
                  "panel of its own, one panel after another.\n\n"
                  "Options:\n"
                  "  --port DEV            The serial device of the panel, e.g. /dev/ttyUSB0.\n"
                  "  --each                One panel after another, a FILE each: wait until it is\n"
                  "                        plugged in, write it, wait until it is unplugged.\n"
                  "  -q, --quiet ",
                  ""},
        UsageCase{"CommandHelpHasAnExample",
                  {"read", "-h"},
                  0,
                  "Example:\n  kvt-config read --port /dev/ttyUSB0 --name LOBBY -o lobby.kvc\n",
                  ""},
        UsageCase{"Version", {"--version"}, 0, "kvt-config 1.0.0", ""},
        UsageCase{"UnknownCommand",
                  {"frobnicate", "x.kvc"},
                  2,
                  "",
                  "kvt-config: unknown command 'frobnicate' (commands: show, read, write, verify, "
                  "diff, ports, sheet, report, log)",
                  true},
        // Neither a file nor named as one: a mistyped command, not a new file for the window.
        UsageCase{"UnknownCommandAlone",
                  {"frobnicate"},
                  2,
                  "",
                  "kvt-config: unknown command 'frobnicate' (commands: show, read, write, verify, "
                  "diff, ports, sheet, report, log)",
                  true},
        // One slip of the keyboard from a command: that command is offered, as git offers it.
        UsageCase{"CommandWithLettersSwapped",
                  {"wirte", "x.kvc"},
                  2,
                  "",
                  "kvt-config: unknown command 'wirte' (did you mean 'write'?)",
                  true},
        UsageCase{"CommandWithALetterLeftOut",
                  {"veriy"},
                  2,
                  "",
                  "kvt-config: unknown command 'veriy' (did you mean 'verify'?)",
                  true},
        UsageCase{"CommandWithALetterAdded",
                  {"reads"},
                  2,
                  "",
                  "kvt-config: unknown command 'reads' (did you mean 'read'?)",
                  true},
        UsageCase{"CommandWithALetterChanged",
                  {"shiw", "x.kvc"},
                  2,
                  "",
                  "kvt-config: unknown command 'shiw' (did you mean 'show'?)",
                  true},
        UsageCase{"CommandWithItsLastLetterLeftOut",
                  {"lo"},
                  2,
                  "",
                  "kvt-config: unknown command 'lo' (did you mean 'log'?)",
                  true},
        // Two slips away is no longer taken for the command.
        UsageCase{"CommandTwoLettersOff",
                  {"wrtei", "x.kvc"},
                  2,
                  "",
                  "kvt-config: unknown command 'wrtei' (commands: show, read, write, verify, "
                  "diff, ports, sheet, report, log)",
                  true},
        UsageCase{
            "NoCommand", {"--port", "/dev/ttyS0"}, 2, "", "kvt-config: no command given", true},
        UsageCase{"BadOption",
                  {"show", "--frobnicate", "x.kvc"},
                  2,
                  "",
                  "kvt-config: unknown option '--frobnicate'",
                  true},
        UsageCase{"BadOptionMisspelt",
                  {"show", "--jsn", "x.kvc"},
                  2,
                  "",
                  "kvt-config: unknown option '--jsn'",
                  true},
        UsageCase{"BadShortOption",
                  {"show", "-x", "x.kvc"},
                  2,
                  "",
                  "kvt-config: unknown option '-x'",
                  true},
        UsageCase{"OptionWithoutItsValue",
                  {"read", "--port"},
                  2,
                  "",
                  "kvt-config: option '--port' needs a value",
                  true},
        UsageCase{"SwitchGivenAValue",
                  {"show", "--json=yes", "x.kvc"},
                  2,
                  "",
                  "kvt-config: option '--json' takes no value",
                  true},
        // What follows an option that takes a value is that value, whatever it looks like:
        // the problem is the option after it.
        UsageCase{"ValueLikeAnOption",
                  {"read", "--port", "--json=1", "--quiet=2"},
                  2,
                  "",
                  "kvt-config: option '--quiet' takes no value",
                  true},
        UsageCase{"SheetOnPaperWeDoNotHave",
                  {"sheet", "x.kvc", "--page", "a5"},
                  2,
                  "",
                  "kvt-config: --page a5: the paper is a4 or letter",
                  true},
        UsageCase{"ReportOnPaperWeDoNotHave",
                  {"report", "x.kvc", "-o", "x.pdf", "--page", "A4"},
                  2,
                  "",
                  "kvt-config: --page A4: the paper is a4 or letter",
                  true},
        UsageCase{"MissingFile", {"write"}, 2, "", "kvt-config: write needs a FILE", true},
        UsageCase{"OutputWithoutName",
                  {"read", "-o", "x.kvc"},
                  2,
                  "",
                  "kvt-config: read saves with -o FILE and --name NAME together",
                  true},
        UsageCase{"OptionOfAnotherCommand",
                  {"show", "--port", "/dev/ttyS0", "x.kvc"},
                  2,
                  "",
                  "kvt-config: show takes no option '--port'",
                  true},
        UsageCase{"ShortOptionOfAnotherCommand",
                  {"show", "-q", "x.kvc"},
                  2,
                  "",
                  "kvt-config: show takes no option '-q'",
                  true},
        UsageCase{"QuietAndVerbose",
                  {"read", "-q", "-v"},
                  2,
                  "",
                  "kvt-config: -q and -v exclude each other",
                  true},
        UsageCase{"MissingShowFile",
                  {"show", "/nonexistent/x.kvc"},
                  2,
                  "",
                  "kvt-config: CONFIGURATION FILE COULD NOT BE READ: /nonexistent/x.kvc (No such "
                  "file or directory)"},
        UsageCase{"EmptyShowFile", {"show", ""}, 2, "", "kvt-config: FILE is empty", true},
        UsageCase{"EmptyWriteFile",
                  {"write", "--port", "/dev/null", ""},
                  2,
                  "",
                  "kvt-config: FILE is empty",
                  true},
        // Not the default port in its place: the user named a port, and it names none.
        UsageCase{"EmptyPort", {"read", "--port", ""}, 2, "", "kvt-config: --port is empty", true},
        // A read takes no file: "read out.kvc" would show the panel and save nothing.
        UsageCase{"ReadWithAFile",
                  {"read", "out.kvc"},
                  2,
                  "",
                  "kvt-config: unexpected argument 'out.kvc'",
                  true},
        UsageCase{"ArgumentAfterTheFile",
                  {"verify", "a.kvc", "b.kvc"},
                  2,
                  "",
                  "kvt-config: unexpected argument 'b.kvc'",
                  true},
        // Several files are a bench of panels, one each, only when asked for.
        UsageCase{"WriteTwoFilesWithoutEach",
                  {"write", "a.kvc", "b.kvc"},
                  2,
                  "",
                  "kvt-config: write takes more than one FILE only with --each",
                  true},
        UsageCase{"EachOfAnotherCommand",
                  {"verify", "--each", "a.kvc"},
                  2,
                  "",
                  "kvt-config: verify takes no option '--each'",
                  true},
        UsageCase{"EmptyOutputFile",
                  {"read", "--port", "/dev/null", "--name", "N", "-o", ""},
                  2,
                  "",
                  "kvt-config: -o is empty",
                  true},
        // The panel name follows the window's rule: what a file cannot hold between its quotes.
        UsageCase{"NameWithADoubleQuote",
                  {"read", "--port", "/dev/null", "--name", "EXIT \"A\"", "-o", "x.kvc"},
                  2,
                  "",
                  "kvt-config: --name: a panel name cannot hold '\"' (U+0022)",
                  true},
        UsageCase{"NameOutsideLatin1",
                  {"read", "--port", "/dev/null", "--name", "CAF\u00C9 5\u20AC", "-o", "x.kvc"},
                  2,
                  "",
                  "kvt-config: --name: a panel name cannot hold '\u20AC' (U+20AC)",
                  true},
        UsageCase{"NameWithAControlCharacter",
                  {"read", "--port", "/dev/null", "--name", "A\x1B[2J", "-o", "x.kvc"},
                  2,
                  "",
                  "kvt-config: --name: a panel name cannot hold '\\x1b' (U+001B)",
                  true},
        // Named as a file: still the window's, which takes one.
        UsageCase{"WindowWithTwoFiles",
                  {"a.kvc", "b.kvc"},
                  2,
                  "",
                  "kvt-config: the window takes at most one FILE",
                  true},
        UsageCase{
            "WindowWithoutDisplay",
            {},
            2,
            "",
            "kvt-config: no display: the window needs a desktop session; the commands "
            "show, read, write, verify, diff, ports, sheet, report and log work without one"}),
    [](const auto& info) { return std::string(info.param.name); });

// What -q and -v leave on standard error of a read that succeeds.
TEST_F(CommandLine, QuietReadSaysNothingButTheConfiguration) {
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const std::string saved = dir.filePath("read.kvc").toStdString();
  const auto result = run_kvt({"read", "-q", "--port", QString::fromStdString(sim.device()),
                               "--name", "LOBBY 2", "-o", QString::fromStdString(saved)});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_NE(result.out.find("SW3   BL/MR"), std::string::npos) << result.out;
  EXPECT_TRUE(std::filesystem::exists(saved));
}

TEST_F(CommandLine, QuietWriteSaysNothing) {
  PanelSimulator sim;
  const auto result = run_kvt({"write", "--quiet", "--port", QString::fromStdString(sim.device()),
                               QString::fromStdString(worked_example_file())});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, "");
}

// Errors still reach a script that asked for quiet.
TEST_F(CommandLine, QuietStillSaysWhatFailed) {
  const auto result = run_kvt({"read", "-q", "--port", "/dev/kvt-no-such-port"});
  EXPECT_EQ(result.exit_code, 2);
  EXPECT_NE(result.err.find("kvt-config: SERIAL PORT COULD NOT BE OPENED"), std::string::npos)
      << result.err;
}

TEST_F(CommandLine, ReadWithOutputReportsSuccessOnce) {
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const auto result =
      run_kvt({"read", "--port", QString::fromStdString(sim.device()), "--name", "LOBBY 2", "-o",
               QString::fromStdString(dir.filePath("read.kvc").toStdString())});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err, "kvt-config: SWITCH PANEL DATA READ SUCCESSFUL\n");
}

// Every frame of the read as the panel saw it, each reply after it, times rising from the start.
TEST_F(CommandLine, VerboseReadShowsEveryFrame) {
  PanelSimulator sim({}, panel_holding(kWorkedCodes));
  const auto result = run_kvt({"read", "-v", "--port", QString::fromStdString(sim.device())});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  std::istringstream lines(result.err);
  std::vector<std::string> sent;
  std::vector<std::string> received;
  long long last_ms = -1;
  std::string line;
  while (std::getline(lines, line)) {
    if (line.starts_with("kvt-config: ")) continue;
    long long ms = -1;
    char way[16] = {};
    ASSERT_EQ(std::sscanf(line.c_str(), "%lld ms %15s", &ms, way), 2) << line;
    EXPECT_GE(ms, last_ms) << line;
    last_ms = ms;
    const std::string frame = line.substr(line.find('"'));
    (std::string(way) == "sent" ? sent : received).push_back(frame);
  }
  // The wake-up, the model byte, then every address but 10, each answered.
  ASSERT_EQ(sent.size(), 1u + 1u + 13u) << result.err;
  EXPECT_EQ(received.size(), sent.size()) << result.err;
  EXPECT_EQ(sent.front(), "\"A\"");
  EXPECT_EQ(received.front(), "\"D000D\"");
  EXPECT_EQ(sent.at(1), "\"V\\x00?00V\"");
  EXPECT_EQ(received.at(1), "\"0690D\"");
  EXPECT_EQ(sent.back(), "\"V\\x00\\r00V\"");
  EXPECT_EQ(sent.size(), sim.frames().size());
}

}  // namespace
