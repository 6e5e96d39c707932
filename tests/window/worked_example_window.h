#pragma once

#include <QTest>
#include <fstream>
#include <string>

#include "window/form1.h"
#include "worked_example.h"

namespace kvt::testing {

// Shows `form` loaded and active and opens the worked example, written to `file`: where the tests
// that press keys and edit in the window start. False when the window never became active.
inline bool open_worked_example_in_active_window(Form1& form, const std::string& file) {
  form.load();
  form.show();
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form)) return false;
  std::ofstream(file, std::ios::binary) << kWorkedExampleLine;
  form.open_file(file);
  return true;
}

}  // namespace kvt::testing
