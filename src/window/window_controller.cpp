#include "window/window_controller.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPrinter>
#include <QScopeGuard>
#include <QWidget>
#include <utility>
#include <variant>

#include "commands/command_texts.h"
#include "commands/file_chooser_setup.h"
#include "commands/file_open.h"
#include "commands/file_save.h"
#include "commands/journal.h"
#include "commands/panel_commands.h"
#include "files/visible_text.h"
#include "link/panel_link.h"
#include "link/serial_link.h"
#include "model/configuration.h"
#include "model/configuration_view.h"
#include "model/editor_events.h"
#include "model/rule_texts.h"
#include "model/status_box.h"
#include "model/switch_rows.h"
#include "sheet/sheet_pdf_file.h"
#include "sheet/sheet_texts.h"
#include "window/chooser_folder.h"
#include "window/edit_history.h"
#include "window/panel_search.h"
#include "window/port_selector.h"
#include "window/recent_files.h"
#include "window/window_texts.h"

namespace kvt {
namespace {

// Where the print dialog offers to write the sheet as a PDF file: under the panel's name, in the
// folder the file choosers used last (the home folder before they have been used).
QString offered_sheet_file(const std::string& panel) {
  const QString folder = remembered_folder();
  return QDir(folder.isEmpty() ? QDir::homePath() : folder)
      .filePath(QString::fromStdString(offered_file_name(panel, ".pdf")));
}

}  // namespace

WindowController::WindowController(QWidget& window, PanelConfig& config, Controls& controls,
                                   StatusBox& status, PortSelector& ports, EditHistory& history,
                                   std::function<bool(QPrinter&)> choose_printer)
    : QObject(&window),
      window_(window),
      config_(config),
      controls_(controls),
      status_(status),
      ports_(ports),
      history_(history),
      choose_printer_(std::move(choose_printer)),
      link_(&(new SerialLink(this))->link()) {
  connect(link_, &PanelLink::write_frame_sent, this, [this] { write_frame_sent_ = true; });
  // Each byte's "COMMUNICATIONS OK" would hide that the write is only being finished. Queued: the
  // command says how the byte went once the link has returned it, and this must come after.
  connect(
      link_, &PanelLink::byte_transferred, this,
      [this] {
        if (after_command_) status_.set_status_text(std::string(command_texts::kFinishingWrite));
      },
      Qt::QueuedConnection);
}

template <typename Command>
void WindowController::run_command(Command command) {
  if (command_running_) return;
  command_running_ = true;
  write_frame_sent_ = false;
  // Making the window busy disables the buttons, which takes the focus from a button pressed.
  const QPointer<QWidget> focused = window_.focusWidget();
  emit busy_changed(true);
  command();
  emit busy_changed(false);
  if (focused && focused->isVisible()) focused->setFocus(Qt::OtherFocusReason);
  command_running_ = false;
  emit command_ended();
  if (after_command_) std::exchange(after_command_, nullptr)();
}

template <typename Load>
auto WindowController::as_load(Load load) {
  // A text being typed when the load began was the technician's.
  history_.record();
  loading_ = true;
  const auto done = qScopeGuard([this] {
    loading_ = false;
    history_.start_keeping_mark();
  });
  return load();
}

bool WindowController::finish_write_then(std::function<void()> then) {
  if (!command_running_ || !write_frame_sent_) return false;
  after_command_ = std::move(then);
  status_.set_status_text(std::string(command_texts::kFinishingWrite));
  return true;
}

void WindowController::run_edit(const std::function<void()>& handler) {
  ++edits_running_;
  {
    const auto done = qScopeGuard([this] { --edits_running_; });
    handler();
  }
  record_edit();
}

void WindowController::record_edit() {
  if (edits_running_ == 0 && !loading_) history_.record();
}

bool WindowController::settle_unsaved_changes() {
  // During a read the user has already been asked about what the read replaces.
  if (loading_ || !history_.unsaved()) return true;
  switch (controls_.dialogs().ask_save_first(window_texts::kUnsavedQuestion,
                                             window_texts::kUnsavedTitle)) {
    case UnsavedAnswer::Save:
      return save_to_file();
    case UnsavedAnswer::Discard:
      return true;
    case UnsavedAnswer::Cancel:
      break;
  }
  return false;
}

bool WindowController::save_to_file() {
  if (save_file_with_dialog(config_, controls_, status_, common_dialog1_) != FileSaveEnd::Saved) {
    return false;
  }
  history_.mark_saved();
  source_ = ConfigurationSource::file(common_dialog1_.file_name);
  add_recent_file(common_dialog1_.file_name);
  return true;
}

bool WindowController::may_close() {
  if (ask_before_closing_ && !settle_unsaved_changes()) return false;
  if (command_running_) link_->request_shutdown();
  if (search_link_ != nullptr) search_link_->request_shutdown();
  return true;
}

void WindowController::close_without_asking() {
  ask_before_closing_ = false;
  const auto ask_again = qScopeGuard([this] { ask_before_closing_ = true; });
  window_.close();
}

// Printed as SAVE would save: a switch on a module without a channel is refused the same way.
void WindowController::print_sheet() {
  run_command([this] {
    const ConfigurationView view = view_of(config_, controls_);
    if (!view.codes) {
      show_status(status_, StatusColour::Red, rule_texts::kIncompleteData);
      return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(view.panel));
    // Without a panel name the dialog's own offer stands.
    if (!view.panel.empty()) printer.setOutputFileName(offered_sheet_file(view.panel));
    if (!choose_printer_(printer)) return;
    // Into a file, the sheet is written as SAVE writes a configuration file: a device, a FIFO or
    // a folder at the chosen name is refused before anything is written (the printer's own file
    // output would write on it, or wait for ever on a FIFO), a file is replaced only by the
    // complete sheet, and the configuration file shown is never replaced by its sheet.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
      const std::string target = QFile::encodeName(printer.outputFileName()).toStdString();
      if (const auto reason = write_sheet_file(view, source_, target, printer.pageLayout())) {
        show_status(status_, StatusColour::Red,
                    sheet_texts::sheet_not_saved(visible_text(target), *reason));
      }
      return;
    }
    if (!draw_sheet(printer, view, printed_now(source_))) {
      show_status(status_, StatusColour::Red, window_texts::kPrintFailed);
    }
  });
}

// What a write would send is compared, so an incomplete switch is refused as WRITE refuses it,
// before the port is opened.
void WindowController::compare_with_panel() {
  run_command([this] {
    const std::string device = ports_.current().device;
    const auto data = bytes_to_write(config_, controls_);
    const auto* expected = std::get_if<ConfigurationBytes>(&data);
    if (expected == nullptr) {
      show_status(status_, StatusColour::Red, rule_texts::kIncompleteData);
      record_with_window_names(
          journal_record(command_texts::kJournalVerify, command_texts::kFromWindow, device,
                         {CommandEnd::Incomplete, std::string(rule_texts::kIncompleteData), {}}));
      return;
    }
    const PanelComparison comparison =
        kvt::compare_with_panel(*expected, std::string(command_texts::kWindowSide),
                                controls_.dialogs(), status_, *link_, device);
    JournalRecord record = journal_record(command_texts::kJournalVerify, command_texts::kFromWindow,
                                          device, comparison);
    add_bytes(record, comparison);
    if (comparison.end == CommandEnd::Done && comparison.differences.empty()) {
      show_status(status_, StatusColour::Green, command_texts::kPanelHoldsConfiguration);
      record.message = command_texts::kPanelHoldsConfiguration;
    } else if (comparison.end == CommandEnd::Done) {
      show_status(status_, StatusColour::Red, command_texts::kPanelDiffers);
      std::string lines;
      for (const std::string& line : comparison.differences) lines += line + '\n';
      lines.pop_back();
      controls_.dialogs().message(lines, std::string(command_texts::kDifferencesTitle));
      record.result = command_texts::kResultDiffers;
      record.message = command_texts::kPanelDiffers;
    }
    add_port_hint(comparison.end);
    record_with_window_names(std::move(record));
  });
}

void WindowController::record_with_window_names(JournalRecord record) {
  if (source_.kind == ConfigurationSource::Kind::File) add_file(record, source_.path);
  add_panel_name(record, controls_.text(kPanelNameBox));
  record_in_journal_once(record);
}

void WindowController::add_port_hint(CommandEnd end) {
  if (!may_be_wrong_port(end)) return;
  status_.set_status_text(controls_.text(kStatusBoxNumber) + '\n' +
                          ports_.failure_hint().toStdString());
}

void WindowController::record_in_journal_once(const JournalRecord& record) {
  const auto failure = record_in_journal(record);
  if (!failure || journal_failure_said_) return;
  journal_failure_said_ = true;
  controls_.dialogs().message(command_texts::not_recorded(failure->path, failure->reason),
                              std::string(command_texts::kJournalTitle));
}

void WindowController::load() {
  as_load([this] { load_handling(config_, controls_); });
  history_.start_saved();
  drop_missing_recent_files();
}

void WindowController::read_config() {
  run_command([this] {
    if (!settle_unsaved_changes()) return;
    const std::string device = ports_.current().device;
    const PanelRead read =
        as_load([&] { return kvt::read_config(config_, controls_, status_, *link_, device); });
    const CommandEnd end = read.end;
    // Even a read that failed has changed the window, starting with the panel name.
    source_ = end == CommandEnd::Done ? ConfigurationSource::switch_panel() : ConfigurationSource{};
    if (end == CommandEnd::Done) history_.start_saved();
    add_port_hint(end);
    JournalRecord record =
        journal_record(command_texts::kJournalRead, command_texts::kFromWindow, device, read);
    add_bytes(record, read);
    record_in_journal_once(record);
  });
}

void WindowController::write_config() {
  run_command([this] {
    const std::string device = ports_.current().device;
    const PanelWrite write = kvt::write_config(config_, controls_, status_, *link_, device);
    add_port_hint(write.end);
    JournalRecord record =
        journal_record(command_texts::kJournalWrite, command_texts::kFromWindow, device, write);
    add_bytes(record, write);
    record_with_window_names(std::move(record));
  });
}

void WindowController::open_file_chosen() {
  run_command([this] {
    if (!settle_unsaved_changes()) return;
    const FileOpenEnd end = as_load(
        [this] { return open_file_with_dialog(config_, controls_, status_, common_dialog1_); });
    if (end == FileOpenEnd::Opened) opened(common_dialog1_.file_name);
  });
}

void WindowController::open_file(const std::string& path) {
  run_command([this, &path] { open_named_file(path); });
}

void WindowController::open_file_after_asking(const std::string& path) {
  run_command([this, &path] {
    if (settle_unsaved_changes()) open_named_file(path);
  });
}

void WindowController::open_named_file(const std::string& path) {
  common_dialog1_.file_name = path;
  const FileOpenEnd end =
      as_load([this, &path] { return open_config_file(config_, controls_, status_, path); });
  if (end == FileOpenEnd::Opened) opened(path);
}

void WindowController::opened(const std::string& path) {
  history_.start_saved();
  source_ = ConfigurationSource::file(path);
  add_recent_file(path);
}

void WindowController::save_file() {
  run_command([this] { save_to_file(); });
}

void WindowController::find_panel() {
  run_command([this] {
    SerialLink probe_link;
    search_link_ = &probe_link.link();
    const auto done = qScopeGuard([this] { search_link_ = nullptr; });
    find_switch_panel(status_, ports_, probe_link.link());
  });
}

}  // namespace kvt
