#pragma once

#include <array>

#include "window/theme.h"
#include "window/twips.h"
#include "window/window_texts.h"

// The window's stored layout: every position and size in twips, from the top-left corner of the
// client area (or of Frame1 for the controls inside it).
namespace kvt::layout {

inline constexpr TwipSize kClientArea{11040, 7920};

struct CommandButtonRow {
  const char* name;
  const char* caption;
  const char* tooltip;
  const char* does;  // what a screen reader says the button does
  TwipRect rect;
};

// File buttons at the left edge, panel buttons at the right.
inline constexpr std::array<CommandButtonRow, 4> kCommandButtons{{
    {"READ_CONFIG",
     window_texts::kReadConfigCaption,
     window_texts::kReadConfigTooltip,
     window_texts::kReadConfigDoes,
     {8280, 600, 2535, 855}},
    {"WRITE_CONFIG",
     window_texts::kWriteConfigCaption,
     window_texts::kWriteConfigTooltip,
     window_texts::kWriteConfigDoes,
     {8280, 2040, 2535, 855}},
    {"READ_FILE",
     window_texts::kReadFileCaption,
     window_texts::kReadFileTooltip,
     window_texts::kReadFileDoes,
     {240, 600, 2415, 855}},
    {"WRITE_FILE",
     window_texts::kWriteFileCaption,
     window_texts::kWriteFileTooltip,
     window_texts::kWriteFileDoes,
     {240, 1920, 2415, 855}},
}};

// One row per switch SW1..SW10: odd switches in the left column, even ones in the right.
struct SwitchRow {
  const char* label_name;
  TwipPoint label;
  TwipPoint module_list;
  TwipPoint channel_list;
  TwipPoint designation_box;
};

inline constexpr std::array<SwitchRow, 10> kSwitchRows{{
    {"Label2", {3360, 1680}, {3840, 1560}, {4680, 1560}, {3840, 1320}},
    {"Label3", {7200, 1680}, {5640, 1560}, {6480, 1560}, {5640, 1320}},
    {"Label4", {3360, 2760}, {3840, 2640}, {4680, 2640}, {3840, 2400}},
    {"Label5", {7200, 2760}, {5640, 2640}, {6480, 2640}, {5640, 2400}},
    {"Label8", {3360, 3840}, {3840, 3720}, {4680, 3720}, {3840, 3480}},
    {"Label9", {7200, 3840}, {5640, 3720}, {6480, 3720}, {5640, 3480}},
    {"Label10", {3360, 4920}, {3840, 4800}, {4680, 4800}, {3840, 4560}},
    {"Label11", {7200, 4920}, {5640, 4800}, {6480, 4800}, {5640, 4560}},
    {"Label12", {3360, 6000}, {3840, 5880}, {4680, 5880}, {3840, 5640}},
    {"Label13", {7200, 6000}, {5640, 5880}, {6480, 5880}, {5640, 5640}},
}};

inline constexpr TwipSize kModuleListSize{855, 645};
inline constexpr TwipSize kChannelListSize{615, 645};
inline constexpr TwipSize kDesignationBoxSize{1455, 285};
inline constexpr TwipSize kSwitchLabelSize{420, 195};
inline constexpr TwipSize kWideSwitchLabelSize{525, 195};  // "SW10"

// Captions other than the switch labels.
struct CaptionRow {
  const char* name;
  const char* text;
  TwipRect rect;
  theme::LayoutFont font;
  bool in_frame;
};

inline constexpr std::array<CaptionRow, 4> kCaptions{{
    {"Label6",
     window_texts::kPanelNameCaption,
     {4800, 6720, 1455, 255},
     theme::LayoutFont::SansRegular,
     false},
    {"Label15",
     window_texts::kIndicatorCaption,
     {840, 960, 1455, 495},
     theme::LayoutFont::ArialBold,
     true},
    {"Label16",
     window_texts::kBackLightCaption,
     {840, 1560, 1455, 495},
     theme::LayoutFont::ArialBold,
     true},
    {"Label14",
     window_texts::kHeaderCaption,
     {720, 5880, 1455, 615},
     theme::LayoutFont::Window,
     false},
}};

inline constexpr TwipRect kPanelNameBox{4800, 6960, 1455, 285};
inline constexpr int kPanelNameTypedLength = 12;
inline constexpr TwipRect kStatusBox{3840, 600, 3255, 615};

inline constexpr TwipRect kFrame{8280, 5160, 2535, 2295};
inline constexpr TwipRect kCheck1{0, 360, 2415, 495};            // in Frame1
inline constexpr TwipRect kIndicatorList{0, 960, 735, 450};      // in Frame1
inline constexpr TwipRect kBackLightList{8280, 6720, 735, 450};  // on the window, over Frame1

// The header marker: a leader line from Label14 to the cyan block on the panel picture.
inline constexpr TwipPoint kLine1From{3240, 6120};
inline constexpr TwipPoint kLine1To{2160, 6120};
inline constexpr TwipRect kShape1{3240, 5640, 615, 975};
inline constexpr TwipRect kImage1{3120, 360, 4695, 7095};

// Order in which keyboard focus moves through the controls that can take it.
inline constexpr std::array<const char*, 39> kFocusOrder{{
    "READ_CONFIG",
    "WRITE_CONFIG",
    "READ_FILE",
    "WRITE_FILE",
    // channel lists of SW1, SW2, SW4, SW5, SW6, SW7, SW3, SW8, SW9, SW10
    "List2",
    "List4",
    "List8",
    "List10",
    "List12",
    "List14",
    "List6",
    "List16",
    "List18",
    "List20",
    // module lists of SW1, SW6, SW5, SW4, SW3, SW2, SW7, SW10, SW9, SW8
    "List1",
    "List11",
    "List9",
    "List7",
    "List5",
    "List3",
    "List13",
    "List19",
    "List17",
    "List15",
    "Text1",
    "Text2",
    "Text3",
    "Text4",
    "Text5",
    "Text6",
    "Text7",
    "Text8",
    "Text9",
    "Text10",
    "Text11",
    "Text12",
    "Check1",
    "List21",
    "List22",
}};

}  // namespace kvt::layout
