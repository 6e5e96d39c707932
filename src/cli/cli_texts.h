#pragma once

#include <string>
#include <string_view>

namespace kvt::cli_texts {

// What the command line says when SIGINT, SIGTERM or SIGHUP arrives during a panel command,
// after "kvt-config: ".
inline constexpr std::string_view kStoppedPanelUnchanged =
    "STOPPED: THE SWITCH PANEL WAS NOT CHANGED.";
inline constexpr std::string_view kFinishingWrite =
    "FINISHING THE WRITE SO THAT THE SWITCH PANEL IS NOT LEFT HALF-WRITTEN (INTERRUPT AGAIN TO "
    "STOP AT ONCE)";
// `last_address`: the highest address a write frame went out for.
inline std::string write_stopped(int last_address) {
  return "WRITE STOPPED: THE SWITCH PANEL HOLDS A PARTLY WRITTEN CONFIGURATION (ADDRESSES 0 TO " +
         std::to_string(last_address) + "). WRITE IT AGAIN.";
}

}  // namespace kvt::cli_texts
