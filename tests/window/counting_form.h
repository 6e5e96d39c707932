#pragma once

#include <QAccessible>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "recording_dialogs.h"
#include "window/form1.h"

namespace kvt::testing {

// Form1 with recording dialogs that also counts every run of the list and Check1 handlers,
// noting what the list showed as selected when its handler began, and cancelling every print.
class CountingForm1 : public Form1 {
 public:
  CountingForm1() : Form1(std::make_unique<RecordingDialogs>()) {}

  RecordingDialogs& recorder() { return static_cast<RecordingDialogs&>(dialogs()); }

  std::array<int, 23> list_runs{};             // by list number
  std::array<int, 23> selected_at_last_run{};  // by list number
  int check1_runs = 0;

  int all_list_runs() const {
    int total = 0;
    for (int runs : list_runs) {
      total += runs;
    }
    return total;
  }

 protected:
  void run_list_handler(int list) override {
    ++list_runs[list];
    selected_at_last_run[list] = selected(list);
    Form1::run_list_handler(list);
  }
  void run_check1_handler() override {
    ++check1_runs;
    Form1::run_check1_handler();
  }
  // The print dialog, modal as the message boxes are, is never opened in a test: it is cancelled.
  bool choose_printer(QPrinter&) override {
    ++printer_requests;
    return false;
  }
  // What a screen reader is told, noted: the notice that appears with the outcome, as assistive
  // technology sees it. (Qt passes the events themselves on only while a screen reader listens,
  // which no test platform does.)
  void announce_outcome() override {
    Form1::announce_outcome();
    auto* notice = findChild<QWidget*>("OutcomeNotice");
    QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(notice);
    const bool spoken = heard->role() == QAccessible::Notification && !notice->isHidden();
    announced.push_back(spoken ? heard->text(QAccessible::Name).toStdString()
                               : "(no notification shown)");
  }

 public:
  int printer_requests = 0;
  std::vector<std::string> announced;  // what the notice said at each outcome
};

}  // namespace kvt::testing
