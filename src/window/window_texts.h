#pragma once

#include <string_view>

#include "model/setting_words.h"

// Every word the window shows, word for word, in UTF-8 as every other table: the window hands
// them to Qt with QString::fromUtf8. The layout places the captions; %1 stands for what the
// window fills in.
namespace kvt::window_texts {

inline constexpr char kTitle[] = "TQ KVT 10 BUTTON DIMMABLE SWITCH PANEL CONFIGURATION PROGRAM";

// The command buttons: caption, then tooltip.
inline constexpr char kReadConfigCaption[] = "READ CONFIGURATION FROM SWITCH PANEL";
inline constexpr char kReadConfigTooltip[] = "LEFT CLICK TO READ CONFIG IN SWITCH PANEL";
inline constexpr char kWriteConfigCaption[] = "WRITE CONFIGURATION TO SWITCH PANEL";
inline constexpr char kWriteConfigTooltip[] = "LEFT CLICK TO SAVE CONFIG IN SWITCH PANEL";
inline constexpr char kReadFileCaption[] = "OPEN CONFIGURATION FILE";
inline constexpr char kReadFileTooltip[] = "LEFT CLICK TO OPEN CONFIG FILE";
inline constexpr char kWriteFileCaption[] = "SAVE CONFIGURATION FILE";
inline constexpr char kWriteFileTooltip[] = "LEFT CLICK TO SAVE CONFIG FILE";
// What a screen reader says each command button does.
inline constexpr char kReadConfigDoes[] = "READS THE CONFIGURATION OUT OF THE SWITCH PANEL";
inline constexpr char kWriteConfigDoes[] = "WRITES THIS CONFIGURATION INTO THE SWITCH PANEL";
inline constexpr char kReadFileDoes[] = "OPENS A CONFIGURATION FILE";
inline constexpr char kWriteFileDoes[] = "SAVES THIS CONFIGURATION TO A FILE";

// The tooltips of a switch's controls, filled in with its label (setting_words::switch_label).
inline constexpr char kModuleListTooltip[] = "%1 MODULE ASSIGNMENT";
inline constexpr char kChannelListTooltip[] = "%1 CHANNEL ASSIGNMENT";
inline constexpr char kDesignationTooltip[] = "ENTER %1 FUNCTION";
inline constexpr std::string_view kDesignationText = setting_words::kStartDesignation;
// What a screen reader calls a switch's controls, filled in with its label.
inline constexpr char kModuleListName[] = "%1 MODULE";
inline constexpr char kChannelListName[] = "%1 CHANNEL";
inline constexpr char kDesignationName[] = "%1 DESIGNATION";

inline constexpr char kPanelNameCaption[] = "PANEL NAME";
inline constexpr char kPanelNameTooltip[] = "ENTER IDENTITY FOR FILE NAME";
inline constexpr char kIndicatorCaption[] = "INDICATOR INTENSITY (%)";
inline constexpr char kBackLightCaption[] = "BACK-LIGHT INTENSITY (%)";
// The caption's width breaks it into three lines.
inline constexpr char kHeaderCaption[] = "PROGRAMMING       HEADER           LOCATION";
inline constexpr char kFrameCaption[] = "SPECIAL FEATURES:";
inline constexpr std::string_view kCheck1Caption = setting_words::kIndependentLighting;
// What a screen reader says the tick box and the intensity lists do, and what it calls the
// pictures drawn over the window.
inline constexpr char kCheck1Does[] =
    "TURNS INDEPENDENT LIGHTING ON OR OFF; IT NEEDS A SWITCH ON BL/MR";
inline constexpr char kIndicatorDoes[] = "NEVER BELOW THE BACK-LIGHT INTENSITY";
inline constexpr char kBackLightDoes[] = "NEVER ABOVE THE INDICATOR INTENSITY";
inline constexpr char kPanelPictureName[] = "FACE OF THE SWITCH PANEL";
inline constexpr char kHeaderMarkerName[] = "WHERE THE PROGRAMMING HEADER IS ON THE PANEL";
inline constexpr char kHeaderLineName[] = "LINE TO THE PROGRAMMING HEADER";
// The status box's stored text, replaced before a command first shows the box.
inline constexpr char kStatusBoxText[] = "Text1\r\n";
// What a screen reader calls the status box; its description is the text while it is shown.
inline constexpr char kStatusBoxName[] = "STATUS";
// Ends what the status box shows of a text too long for it; the whole text is its tooltip.
inline constexpr char kStatusCutMark[] = "...";

// What the window asks before unsaved changes would be lost.
inline constexpr char kUnsavedTitle[] = "UNSAVED CONFIGURATION";
inline constexpr char kUnsavedQuestion[] =
    "THE CONFIGURATION HAS CHANGED SINCE IT WAS LAST SAVED.\nSAVE IT TO A FILE FIRST?";
// The buttons of the window's own dialogs, in its capitals whatever words Qt would use.
inline constexpr char kOkButton[] = "OK";
inline constexpr char kSaveButton[] = "SAVE";
inline constexpr char kDiscardButton[] = "DISCARD";
inline constexpr char kCancelButton[] = "CANCEL";

// The context menu's edit entries (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y) and the files opened or
// saved last.
inline constexpr char kUndo[] = "UNDO";
inline constexpr char kRedo[] = "REDO";
inline constexpr char kRecentFiles[] = "RECENT FILES";

// The context menu's entries for the keys that open and save a file (Ctrl+O, Ctrl+S) and close
// the window (Ctrl+Q).
inline constexpr char kOpenEntry[] = "OPEN CONFIGURATION FILE...";
inline constexpr char kSaveEntry[] = "SAVE CONFIGURATION FILE...";
inline constexpr char kQuitEntry[] = "QUIT";
// The context menu's entry (and Ctrl+P) that prints the configuration sheet, and its failure.
inline constexpr char kCompareWithPanel[] = "COMPARE WITH SWITCH PANEL";
inline constexpr char kPrintSheet[] = "PRINT CONFIGURATION SHEET...";
inline constexpr char kPrintFailed[] = "THE CONFIGURATION SHEET COULD NOT BE PRINTED";

// The serial port submenu of the context menu. A listed port shows its device, then its
// description and its stable name when it has them.
inline constexpr char kSerialPortMenu[] = "SERIAL PORT";
inline constexpr char kPortDescription[] = "  -  %1";
inline constexpr char kPortStableName[] = "  (%1)";
inline constexpr char kFindPanel[] = "FIND THE SWITCH PANEL";
inline constexpr char kOtherDevice[] = "OTHER DEVICE...";
inline constexpr char kOtherDeviceLabel[] = "DEVICE PATH (FOR EXAMPLE /dev/ttyUSB0):";
// A typed device path that cannot be a serial port now; the user may still keep it.
inline constexpr char kDeviceMissing[] = "%1 DOES NOT EXIST.\nUSE IT ANYWAY?";
inline constexpr char kNotCharacterDevice[] =
    "%1 IS NOT A CHARACTER DEVICE, SO IT IS NOT A SERIAL PORT.\nUSE IT ANYWAY?";
inline constexpr char kUseItButton[] = "USE IT";
// A remembered port that is not there now, an adapter unplugged say.
inline constexpr char kNotConnected[] = "  (NOT CONNECTED)";
// The submenu's note when the environment decides and choosing is off.
inline constexpr char kSetInEnvironment[] = "SET IN KVT_SERIAL_PORT: %1";
// The second line of a failure that may come from the wrong port.
inline constexpr char kChooseAnotherHint[] = "(PORT %1 - RIGHT-CLICK THE WINDOW TO CHOOSE ANOTHER)";
inline constexpr char kSetInEnvironmentHint[] = "(PORT %1 - SET IN KVT_SERIAL_PORT)";

// FIND THE SWITCH PANEL in the status box; when nothing is found, a line per port follows.
inline constexpr char kSearchingForPanel[] = "SEARCHING FOR THE SWITCH PANEL ON %1";
inline constexpr char kPanelFoundOn[] = "SWITCH PANEL FOUND ON %1";
inline constexpr char kNoPanelFound[] = "NO SWITCH PANEL FOUND";

}  // namespace kvt::window_texts
