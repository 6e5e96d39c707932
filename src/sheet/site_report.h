#pragma once

#include <string>
#include <vector>

#include "sheet/configuration_sheet.h"

class QPagedPaintDevice;

namespace kvt {

// One panel of a site as the report's table lists it. A file that could not be opened has only
// its file and `refused`, why.
struct SiteRow {
  std::string panel;
  std::string file;
  std::string switches_in_use;
  std::string last_write;
  std::string last_comparison;
  std::string refused;
};

// One configuration sheet of the report.
struct SiteSheet {
  ConfigurationView view;
  SheetOrigin origin;
};

// The handover report of a site on `device`: first its table, on as many pages as it needs (one
// row per panel), then each panel's sheet as the sheet command draws it, every page numbered
// "PAGE i OF n". `title` heads the table. False when the device cannot be painted on.
bool draw_site_report(QPagedPaintDevice& device, const std::string& title,
                      const std::vector<SiteRow>& rows, const std::vector<SiteSheet>& sheets,
                      const SheetOrigin& origin);

}  // namespace kvt
