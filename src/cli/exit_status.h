#pragma once

namespace kvt::cli {

// What scripts see, and rely on.
inline constexpr int kSuccess = 0;
// The panel failed or differs: no answer, another model, a byte refused or not verified,
// out-of-range data, differences found.
inline constexpr int kPanelFailed = 1;
// Nothing reached the panel because of the request itself: a usage error, a file missing,
// refused or unreadable, a switch incomplete, a port that would not open.
inline constexpr int kRequestRefused = 2;

}  // namespace kvt::cli
