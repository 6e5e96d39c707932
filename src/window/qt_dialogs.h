#pragma once

#include "model/dialogs.h"

class QWidget;

namespace kvt {

// The real message boxes and file choosers, modal over the window.
class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget& window);

  void message(const std::string& text, const std::string& title) override;
  bool show_save(FileChooser& chooser) override;
  bool show_open(FileChooser& chooser) override;
  UnsavedAnswer ask_save_first(const std::string& text, const std::string& title) override;

 private:
  QWidget& window_;
};

}  // namespace kvt
