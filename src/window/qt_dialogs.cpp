#include "window/qt_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "window/chooser_folder.h"
#include "window/theme.h"
#include "window/window_texts.h"

namespace kvt {

namespace {

bool run_chooser(QWidget& window, FileChooser& chooser, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(&window, QString::fromStdString(chooser.title));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                     : QFileDialog::ExistingFile);
  dialog.setNameFilter(QString::fromStdString(chooser.filter));
  dialog.setDefaultSuffix(QString::fromStdString(chooser.default_suffix));
  // An offered name without a folder (the save's panel name) goes into the folder used last.
  const QString offered = QString::fromStdString(chooser.file_name);
  const QString folder = remembered_folder();
  if (!folder.isEmpty() && (offered.isEmpty() || QFileInfo(offered).isRelative())) {
    dialog.setDirectory(folder);
  }
  if (!offered.isEmpty()) {
    dialog.selectFile(offered);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return false;
  }
  const QString chosen = dialog.selectedFiles().constFirst();
  remember_folder_of(chosen);
  chooser.file_name = chosen.toStdString();
  return true;
}

// A box in the window's words and colours, without an icon.
void set_up_box(QMessageBox& box, const std::string& text, const std::string& title) {
  // A box is a window of its own and takes the desktop's colours, dark on a dark desktop, while
  // the main window stays light; it is given the main window's colours instead.
  box.setPalette(theme::classic_palette());
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(title.empty() ? QString::fromUtf8(window_texts::kTitle)
                                   : QString::fromStdString(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdString(text));
}

}  // namespace

QtDialogs::QtDialogs(QWidget& window) : window_(window) {}

void QtDialogs::message(const std::string& text, const std::string& title) {
  QMessageBox box(&window_);
  set_up_box(box, text, title);
  box.setStandardButtons(QMessageBox::Ok);
  box.button(QMessageBox::Ok)->setText(QString::fromUtf8(window_texts::kOkButton));
  box.exec();
}

UnsavedAnswer QtDialogs::ask_save_first(const std::string& text, const std::string& title) {
  QMessageBox box(&window_);
  set_up_box(box, text, title);
  QPushButton* save =
      box.addButton(QString::fromUtf8(window_texts::kSaveButton), QMessageBox::AcceptRole);
  QPushButton* discard =
      box.addButton(QString::fromUtf8(window_texts::kDiscardButton), QMessageBox::DestructiveRole);
  // The rejecting button also answers Escape.
  box.addButton(QString::fromUtf8(window_texts::kCancelButton), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.exec();
  if (box.clickedButton() == save) return UnsavedAnswer::Save;
  if (box.clickedButton() == discard) return UnsavedAnswer::Discard;
  // CANCEL, Escape, or the box closed some other way: nothing is lost.
  return UnsavedAnswer::Cancel;
}

bool QtDialogs::show_save(FileChooser& chooser) {
  return run_chooser(window_, chooser, QFileDialog::AcceptSave);
}

bool QtDialogs::show_open(FileChooser& chooser) {
  return run_chooser(window_, chooser, QFileDialog::AcceptOpen);
}

}  // namespace kvt
