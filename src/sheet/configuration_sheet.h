#pragma once

#include <optional>
#include <string>
#include <utility>

#include "model/configuration_view.h"

class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace kvt {

// Where a configuration came from: a configuration file, the switch panel (a read), or neither
// (the window's start-up configuration, set by hand).
struct ConfigurationSource {
  enum class Kind { Neither, File, SwitchPanel };
  Kind kind = Kind::Neither;
  std::string path;  // the file's, as the system names it

  static ConfigurationSource file(std::string path) { return {Kind::File, std::move(path)}; }
  static ConfigurationSource switch_panel() { return {Kind::SwitchPanel, {}}; }
};

// Where a printed sheet came from, for its footer.
struct SheetOrigin {
  std::string source;   // UTF-8: the file's own name, "READ FROM THE SWITCH PANEL" or nothing
  std::string date;     // as printed, e.g. "2026-12-11"
  std::string version;  // the program's version
};

// The footer of a sheet printed now of the configuration that came from `source`: where it came
// from, today's date and this program's version.
SheetOrigin printed_now(const ConfigurationSource& source);

// A page's place in a document of several: "PAGE i OF n" in its footer.
struct PageNumber {
  int page;
  int pages;
};

// Starts painting on `device` with the page laid out in points (1/72 inch), whatever the
// device's resolution; returns the page, or none when the device cannot be painted on.
std::optional<QRectF> begin_page_in_points(QPainter& painter, QPagedPaintDevice& device);

// Draws the configuration sheet on `page` of a painter begun with begin_page_in_points(); a
// sheet that is one page of a longer document gets its page number in the footer.
void draw_sheet_page(QPainter& painter, const QRectF& page, const ConfigurationView& view,
                     const SheetOrigin& origin, std::optional<PageNumber> number = std::nullopt);

// The footer line at the bottom of `page`: `text` at the left, the page number, if any, at the
// right.
void draw_footer(QPainter& painter, const QRectF& page, const std::string& text,
                 std::optional<PageNumber> number);

// Draws the configuration sheet on one page of `device` (a PDF writer or a printer): the panel
// name as the title, the panel's face with each button's designation and setting, the special
// features, the codes a write sends and a footer. False when the device cannot be painted on.
bool draw_sheet(QPagedPaintDevice& device, const ConfigurationView& view,
                const SheetOrigin& origin);

}  // namespace kvt
