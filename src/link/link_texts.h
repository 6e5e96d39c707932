#pragma once

#include <string>
#include <string_view>

namespace kvt::link_texts {

// What the panel link says of ports, settings and probes, word for word.
// What `kvt-config ports` says of a port remembered from the window that cannot be used.
inline constexpr std::string_view kRememberedPortIgnored =
    "The port remembered from the window is ignored: ";
inline constexpr std::string_view kRememberedPortEmpty = "it is empty";
inline constexpr std::string_view kRememberedPortHoldsNul = "it holds a NUL character";
inline constexpr std::string_view kRememberedPortHoldsControl = "it holds a control character";
inline constexpr std::string_view kRememberedPortNotAbsolute = "it is not an absolute path";
// What `kvt-config ports` says of a settings file that is not read, and why.
inline std::string settings_file_ignored(const std::string& path, const std::string& reason) {
  return "The settings file " + path + " is ignored: " + reason + ".";
}
inline constexpr std::string_view kSettingsNotRegularFile = "it is not a regular file";
inline constexpr std::string_view kSettingsTooLarge = "it is larger than 64 KiB";
inline constexpr std::string_view kSettingsUnparsable = "it cannot be parsed";
inline std::string settings_unreadable(const std::string& system_text) {
  return "it cannot be read (" + system_text + ")";
}
// Put in front of the description of a port that would not open.
inline constexpr std::string_view kPortNotOpened = "SERIAL PORT COULD NOT BE OPENED: ";

// What is wrong with the port at `device`, with advice where the user can act. `system_text` is
// the operating system's own words.
inline std::string no_such_device(const std::string& device) {
  return "THERE IS NO SERIAL DEVICE " + device +
         ". CONNECT THE SWITCH PANEL CABLE, OR CHOOSE THE PORT OF YOUR SERIAL ADAPTER (FOR "
         "EXAMPLE /dev/ttyUSB0).";
}
// `group`: the group that owns the device, as the system names it (e.g. dialout); empty when
// it is not known.
inline std::string permission_denied(const std::string& device, const std::string& group) {
  const std::string advice =
      group.empty() ? "TO LET YOU READ AND WRITE IT" : "TO ADD YOU TO THE " + group + " GROUP";
  return "YOU ARE NOT ALLOWED TO USE " + device + ". ASK YOUR ADMINISTRATOR " + advice +
         ", THEN LOG OUT AND IN AGAIN.";
}
inline std::string port_in_use(const std::string& device) {
  return device + " IS IN USE BY ANOTHER PROGRAM. CLOSE THAT PROGRAM AND TRY AGAIN.";
}
// A program by the name the system gives its process and its process number: "picocom (PID 812)".
inline std::string program_and_pid(const std::string& name, long pid) {
  return name + " (PID " + std::to_string(pid) + ")";
}
inline std::string port_open_elsewhere(const std::string& device, const std::string& program) {
  return device + " IS OPEN IN ANOTHER PROGRAM: " + program + ". CLOSE THAT PROGRAM AND TRY AGAIN.";
}
inline std::string port_refused(const std::string& device, const std::string& system_text) {
  return device + " REFUSED TO OPEN (" + system_text + ").";
}
inline std::string unusable_line_settings(const std::string& settings) {
  return "unusable line settings \"" + settings + "\"";
}
inline std::string port_stopped_working(const std::string& device) {
  return "THE SERIAL PORT " + device +
         " STOPPED WORKING. CHECK THAT THE CABLE AND ADAPTER ARE PLUGGED IN, THEN TRY AGAIN.";
}

// What probing a port found, after the device's name ("/dev/ttyUSB0: NO ANSWER").
inline constexpr std::string_view kProbePanelAnswers = "SWITCH PANEL ANSWERS";
inline std::string probe_other_model(int model) {
  return "ANOTHER MODEL ANSWERS (MODEL BYTE " + std::to_string(model) + ")";
}
inline constexpr std::string_view kProbeNoAnswer = "NO ANSWER";
inline constexpr std::string_view kProbePortStopped = "THE PORT STOPPED WORKING";
inline std::string probe_no_answer(const std::string& reason) {
  return std::string(kProbeNoAnswer) + " (" + reason + ")";
}
inline constexpr std::string_view kProbeInUse = "IN USE BY ANOTHER PROGRAM";
// `program`: program_and_pid of the program that has the port open.
inline std::string probe_open_elsewhere(const std::string& program) {
  return "OPEN IN ANOTHER PROGRAM: " + program;
}
inline std::string probe_not_opened(const std::string& reason) {
  return "COULD NOT BE OPENED (" + reason + ")";
}
// Why a probed port would not open, where the system's own words say less.
inline constexpr std::string_view kProbeNoSuchDevice = "NO SUCH DEVICE";
inline constexpr std::string_view kProbePermissionDenied = "PERMISSION DENIED";
inline std::string probe_line(const std::string& device, const std::string& result) {
  return device + ": " + result;
}

}  // namespace kvt::link_texts
